// Opening the draw database and deriving the draw tables: the work start-up does before the
// main window appears.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_database.h"
#include "core/draws/draw_tables.h"

namespace {

void openAndLoad(benchmark::State& state, const std::string& path)
{
    const std::string connect = connectStringForFile(path);
    for (auto _ : state) {
        auto history = loadDrawHistory(connect);
        if (!history) {
            state.SkipWithError(history.error().c_str());
            return;
        }
        const DrawTables tables = LoadDrawTables(history.value());
        benchmark::DoNotOptimize(tables.LatestDrawNo);
        state.counters["draws"] = static_cast<double>(history->size());
    }
}

void BM_OpenAndLoadShipped(benchmark::State& state)
{
    openAndLoad(state, shippedDatabase());
}
void BM_OpenAndLoad32767(benchmark::State& state)
{
    openAndLoad(state, generatedDatabase(32767));
}

void BM_LoadDrawTablesOnly(benchmark::State& state)
{
    const DrawHistory history = generatedHistory(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadDrawTables(history).MaxHits);
}

}  // namespace

BENCHMARK(BM_OpenAndLoadShipped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndLoad32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDrawTablesOnly)->Arg(1353)->Arg(32767)->Unit(benchmark::kMillisecond);
