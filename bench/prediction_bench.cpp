// The prediction window's work: the cycle scan when it opens and the refresh after each option
// click (which must feel instant).
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/draws/draw_tables.h"
#include "core/prediction/prediction_engine.h"

namespace {

const DrawHistory& historyFor(int which)
{
    static const DrawHistory real = realHistory();
    static const DrawHistory generated = generatedHistory(32767);
    return which == 0 ? real : generated;
}

void BM_ScanCycles(benchmark::State& state)
{
    const DrawHistory& history = historyFor(static_cast<int>(state.range(0)));
    if (history.empty()) {
        state.SkipWithError("the shared draw history is absent");
        return;
    }
    for (auto _ : state) {
        PredictionEngine engine;
        engine.ScanCycles(history);
        benchmark::DoNotOptimize(engine.cycleNumber(0, 1));
    }
    state.counters["draws"] = static_cast<double>(history.size());
}

void BM_RefreshPrediction(benchmark::State& state)
{
    const DrawHistory& history = historyFor(static_cast<int>(state.range(0)));
    if (history.empty()) {
        state.SkipWithError("the shared draw history is absent");
        return;
    }
    PredictionEngine engine;
    engine.ScanCycles(history);
    const int latest = LoadDrawTables(history).LatestDrawNo;
    int options = 0;
    for (auto _ : state) {
        // Each iteration is one option click: the count moves between 0 and 12.
        options = (options + 1) % 13;
        const PredictionGrids grids = engine.RefreshPrediction(latest, options);
        benchmark::DoNotOptimize(grids[kOneShotGrid].text(2, 2).size());
    }
    state.counters["draws"] = static_cast<double>(history.size());
}

}  // namespace

// Argument 0: the real history; 1: 32,767 generated draws.
BENCHMARK(BM_ScanCycles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshPrediction)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
