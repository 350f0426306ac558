// Start-up of the program's main window (construction, settings, the draw snapshot and tables,
// first paint) against an empty Qt main window of the same size started the same way. Runs on
// the offscreen platform unless another is chosen.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "bench_support.h"
#include "core/grid/units.h"
#include "gui/app/main_frame.h"
#include "gui/report/grid_font.h"

namespace {

// Shows the window and runs events until it is exposed and has painted once.
void showAndPaint(QWidget& window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void startMainFrm(benchmark::State& state, const std::string& databaseFile)
{
    const QString folder =
        QString::fromStdString(std::filesystem::path(databaseFile).parent_path().string());
    for (auto _ : state) {
        auto frame = std::make_unique<MainFrm>(folder);
        if (!frame->load()) {
            state.SkipWithError("the draw database cannot be opened");
            return;
        }
        showAndPaint(*frame);
        benchmark::DoNotOptimize(frame->tables().LatestDrawNo);
        // The activation that follows showing opens the prediction window inside it.
        state.counters["child_windows"] =
            static_cast<double>(frame->mdiArea()->subWindowList().size());
        state.PauseTiming();
        frame.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_StartMainFrmShippedDatabase(benchmark::State& state)
{
    startMainFrm(state, shippedDatabase());
}
BENCHMARK(BM_StartMainFrmShippedDatabase)->Unit(benchmark::kMillisecond);

void BM_StartMainFrm32767Draws(benchmark::State& state)
{
    startMainFrm(state, generatedDatabase(32767));
}
BENCHMARK(BM_StartMainFrm32767Draws)->Unit(benchmark::kMillisecond);

void BM_StartEmptyMainWindow(benchmark::State& state)
{
    for (auto _ : state) {
        auto window = std::make_unique<QMainWindow>();
        window->resize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
        showAndPaint(*window);
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartEmptyMainWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installGridFontSubstitution();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
