// Opening the 統計グラフ window: counting every statistic, drawing the first tab's chart and
// figures and painting the window once; then switching the draw count. Offscreen platform.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/grid/units.h"
#include "gui/app/window_kinds.h"
#include "gui/report/grid_font.h"
#include "gui/stats/statistics_window.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

QSize statisticsSize()
{
    const WindowKind* kind = findWindowKind(QString::fromUtf8(kStatisticsWindowName));
    return {twipsToPixels(kind->widthTwips), twipsToPixels(kind->heightTwips)};
}

const DrawHistory& historyFor(int draws)
{
    static const DrawHistory real = realHistory();
    static const DrawHistory generated = generatedHistory(32767);
    return draws == 0 ? real : generated;
}

// From the constructor to the first chart painted, at the size the main window gives it.
void BM_OpenStatisticsWindow(benchmark::State& state)
{
    const DrawHistory& history = historyFor(static_cast<int>(state.range(0)));
    if (history.empty()) {
        state.SkipWithError("no draws (the shared history is absent)");
        return;
    }
    for (auto _ : state) {
        auto window = std::make_unique<StatisticsWindow>(history);
        window->resize(statisticsSize());
        window->show();
        benchmark::DoNotOptimize(window->grab().cacheKey());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["draws"] = static_cast<double>(history.size());
}

// Choosing another number of draws: recount, redraw the shown tab, paint.
void BM_SwitchDrawCount(benchmark::State& state)
{
    const DrawHistory& history = historyFor(static_cast<int>(state.range(0)));
    if (history.empty()) {
        state.SkipWithError("no draws (the shared history is absent)");
        return;
    }
    StatisticsWindow window(history);
    window.resize(statisticsSize());
    window.show();
    bool last100 = false;
    for (auto _ : state) {
        last100 = !last100;
        window.setLastCount(last100 ? 100 : 0);
        benchmark::DoNotOptimize(window.grab().cacheKey());
    }
}

}  // namespace

BENCHMARK(BM_OpenStatisticsWindow)->Arg(0)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchDrawCount)->Arg(0)->Unit(benchmark::kMillisecond);
