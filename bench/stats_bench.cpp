// Time of every history statistic at once, on the real history and on the longest history a
// 16-bit draw number allows, and of the one-time exact count over all 169,911 sets.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/stats/exact_distributions.h"
#include "core/stats/history_statistics.h"

namespace {

void allStatistics(benchmark::State& state, const DrawHistory& history)
{
    if (history.empty()) {
        state.SkipWithError("no draws (the shared history is absent)");
        return;
    }
    exactDistributions();  // counted once per process, as in the program
    for (auto _ : state) {
        const HistoryStatistics statistics = historyStatistics(history, 0);
        benchmark::DoNotOptimize(statistics.chiSquare.pValue);
    }
    state.counters["draws"] = static_cast<double>(history.size());
}

void BM_AllStatisticsReal(benchmark::State& state)
{
    static const DrawHistory history = realHistory();
    allStatistics(state, history);
}

void BM_AllStatistics32767(benchmark::State& state)
{
    static const DrawHistory history = generatedHistory(32767);
    allStatistics(state, history);
}

void BM_AllStatisticsLast100Real(benchmark::State& state)
{
    static const DrawHistory history = realHistory();
    for (auto _ : state) {
        const HistoryStatistics statistics = historyStatistics(history, 100);
        benchmark::DoNotOptimize(statistics.chiSquare.pValue);
    }
}

// The first call's extra cost: the walk over every set that exactDistributions() caches.
void BM_ExactCountOverAllSets(benchmark::State& state)
{
    for (auto _ : state) {
        DrawPattern last;
        std::array<int, 5> set{};
        std::int64_t sets = 0;
        for (set[0] = 1; set[0] <= 27; ++set[0])
            for (set[1] = set[0] + 1; set[1] <= 28; ++set[1])
                for (set[2] = set[1] + 1; set[2] <= 29; ++set[2])
                    for (set[3] = set[2] + 1; set[3] <= 30; ++set[3])
                        for (set[4] = set[3] + 1; set[4] <= 31; ++set[4]) {
                            last = patternOf(set);
                            ++sets;
                        }
        benchmark::DoNotOptimize(last.sum);
        benchmark::DoNotOptimize(sets);
    }
}

}  // namespace

BENCHMARK(BM_AllStatisticsReal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllStatistics32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllStatisticsLast100Real)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactCountOverAllSets)->Unit(benchmark::kMillisecond);
