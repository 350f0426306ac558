// Build time of the first six draw-by-draw analysis grids, on the real history and on the
// longest history a 16-bit draw number allows. The tables are derived once, as at start-up.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_catalog.h"
#include "core/draws/draw_tables.h"

namespace {

const DrawHistory& longHistory()
{
    static const DrawHistory history = generatedHistory(32767);
    return history;
}

const DrawHistory& sharedHistory()
{
    static const DrawHistory history = realHistory();
    return history;
}

void buildGrid(benchmark::State& state, AnalysisBuilder build, const DrawHistory& history)
{
    if (history.empty()) {
        state.SkipWithError("no draws (the shared history is absent)");
        return;
    }
    const DrawTables tables = LoadDrawTables(history);
    for (auto _ : state) {
        const ResultGrid grid = build(history, tables);
        benchmark::DoNotOptimize(grid.rowCount());
    }
    state.counters["draws"] = static_cast<double>(history.size());
}

#define ANALYSIS_BENCHMARKS(name, builder)                                                         \
    void BM_##name##Real(benchmark::State& state)                                                  \
    {                                                                                              \
        buildGrid(state, builder, sharedHistory());                                                \
    }                                                                                              \
    void BM_##name##32767(benchmark::State & state)                                                \
    {                                                                                              \
        buildGrid(state, builder, longHistory());                                                  \
    }                                                                                              \
    BENCHMARK(BM_##name##Real)->Unit(benchmark::kMillisecond);                                     \
    BENCHMARK(BM_##name##32767)->Unit(benchmark::kMillisecond)

}  // namespace

ANALYSIS_BENCHMARKS(AppearanceInterval, buildAppearanceInterval);
ANALYSIS_BENCHMARKS(AppearanceCount, buildAppearanceCount);
ANALYSIS_BENCHMARKS(NumberInterval, buildNumberInterval);
ANALYSIS_BENCHMARKS(Pull, buildPull);
ANALYSIS_BENCHMARKS(Consecutive, buildConsecutive);
ANALYSIS_BENCHMARKS(NumberSum, buildNumberSum);
