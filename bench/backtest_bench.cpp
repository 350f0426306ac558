// The backtest of the prediction: the whole walk (every target, all thirteen option counts) and
// the exact chance tests the window runs for one option count.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/backtest/backtest.h"
#include "core/backtest/backtest_summary.h"

namespace {

const DrawHistory& historyFor(int which)
{
    static const DrawHistory real = realHistory();
    static const DrawHistory generated = generatedHistory(32767);
    return which == 0 ? real : generated;
}

void BM_Backtest(benchmark::State& state)
{
    const DrawHistory& history = historyFor(static_cast<int>(state.range(0)));
    const auto from = defaultFirstTarget(history);
    if (!from) {
        state.SkipWithError("the shared draw history is absent");
        return;
    }
    std::size_t bytes = 0, targets = 0;
    for (auto _ : state) {
        const Backtest backtest = runBacktest(history, *from);
        bytes = backtest.memoryBytes();
        targets = backtest.targetCount();
        benchmark::DoNotOptimize(backtest.outcome(12, kOneShotSet, targets - 1).hits);
    }
    state.counters["targets"] = static_cast<double>(targets);
    state.counters["result_MB"] = static_cast<double>(bytes) / 1e6;
}

// What the window computes for its tables: seven summaries and seven exact chance tests.
void BM_ChanceTests(benchmark::State& state)
{
    const DrawHistory& history = historyFor(static_cast<int>(state.range(0)));
    const auto from = defaultFirstTarget(history);
    if (!from) {
        state.SkipWithError("the shared draw history is absent");
        return;
    }
    const Backtest backtest = runBacktest(history, *from);
    for (auto _ : state) {
        for (int s = 0; s < kSuggestionSetCount; ++s) {
            const SetSummary summary = summarizeSet(backtest, 0, s, allTargets(backtest));
            const ChanceTest test = testAgainstChance(backtest, 0, s, allTargets(backtest));
            benchmark::DoNotOptimize(summary.expectedHits + test.pValue);
        }
    }
}

// The honest option choice for all seven sets (91 summaries and 7 chance tests on half the data).
void BM_OptionChoice(benchmark::State& state)
{
    const DrawHistory& history = historyFor(static_cast<int>(state.range(0)));
    const auto from = defaultFirstTarget(history);
    if (!from) {
        state.SkipWithError("the shared draw history is absent");
        return;
    }
    const Backtest backtest = runBacktest(history, *from);
    for (auto _ : state)
        for (int s = 0; s < kSuggestionSetCount; ++s)
            benchmark::DoNotOptimize(chooseOptionCount(backtest, s).bestCount);
}

}  // namespace

// Argument 0: the real history; 1: 32,767 generated draws.
BENCHMARK(BM_Backtest)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChanceTests)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptionChoice)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
