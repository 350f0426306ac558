// Opening an analysis window: building the grid and painting the window once, on the real
// history and on a long generated one. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_catalog.h"
#include "core/draws/connection_string.h"
#include "core/grid/units.h"
#include "gui/analyses/analysis_window.h"
#include "gui/maintenance/entry_table_model.h"
#include "gui/maintenance/entry_window.h"
#include "gui/report/grid_font.h"
#include "gui/ui/grid_view.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>

#include <memory>

namespace {

const DrawHistory& historyFor(int draws)
{
    static const DrawHistory real = realHistory();
    static const DrawHistory generated = generatedHistory(32767);
    return draws == 0 ? real : generated;
}

void BM_BuildAppearanceFrequency(benchmark::State& state)
{
    const DrawHistory& history = historyFor(static_cast<int>(state.range(0)));
    const DrawTables tables = LoadDrawTables(history);
    for (auto _ : state)
        benchmark::DoNotOptimize(buildAppearanceFrequency(history, tables).columnCount());
    state.counters["draws"] = static_cast<double>(history.size());
}

// From the constructor to the window painted once at the size the main window gives it.
void BM_OpenFrequencyWindow(benchmark::State& state)
{
    const DrawHistory& history = historyFor(static_cast<int>(state.range(0)));
    const DrawTables tables = LoadDrawTables(history);
    const AnalysisDescriptor& descriptor = *findAnalysis("出現頻度分析");
    for (auto _ : state) {
        auto window = std::make_unique<AnalysisWindow>(descriptor, history, tables);
        window->resize(twipsToPixels(descriptor.widthTwips), twipsToPixels(descriptor.heightTwips));
        window->show();
        benchmark::DoNotOptimize(window->grab().cacheKey());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["draws"] = static_cast<double>(history.size());
}

// One scroll step of the body and the repaint it causes.
void BM_ScrollFrequencyGrid(benchmark::State& state)
{
    const DrawHistory& history = historyFor(static_cast<int>(state.range(0)));
    const DrawTables tables = LoadDrawTables(history);
    AnalysisWindow window(*findAnalysis("出現頻度分析"), history, tables);
    window.resize(917, 635);
    window.show();
    GridView* view = window.gridView();
    QScrollBar* bar = view->horizontalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue((++step * 17) % (bar->maximum() + 1));
        benchmark::DoNotOptimize(view->viewport()->grab().cacheKey());
    }
}

}  // namespace

// The draw data entry window: opening its result set, filling its table and painting it once.
void BM_OpenEntryWindow(benchmark::State& state)
{
    const std::string database = state.range(0) == 0
                                     ? shippedDatabase()
                                     : generatedDatabase(static_cast<int>(state.range(0)));
    const std::string connect = connectStringForFile(database);
    for (auto _ : state) {
        QString error;
        std::unique_ptr<EntryWindow> window(EntryWindow::create(connect, &error));
        if (!window) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
        window->resize(twipsToPixels(6240), twipsToPixels(12825));
        benchmark::DoNotOptimize(window->grab().width());
        state.counters["rows"] = window->model()->rowCount();
    }
}

BENCHMARK(BM_BuildAppearanceFrequency)->Arg(0)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFrequencyWindow)->Arg(0)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollFrequencyGrid)->Arg(0)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEntryWindow)->Arg(0)->Arg(32767)->Unit(benchmark::kMillisecond);
