// Build time of the pattern, group, last-digit, dispersion and appearance-by-count analysis
// grids on the real history and on 32,767 draws (the most a 16-bit draw number allows), and the
// memory a million-cell grid takes.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include "bench_support.h"
#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_catalog.h"
#include "core/draws/draw_tables.h"

namespace {

constexpr int kMostDraws = 32767;

struct Input {
    DrawHistory history;
    DrawTables tables;
};

const Input& realInput()
{
    static const Input input = [] {
        DrawHistory history = realHistory();
        DrawTables tables = LoadDrawTables(history);
        return Input{std::move(history), std::move(tables)};
    }();
    return input;
}

const Input& longInput()
{
    static const Input input = [] {
        DrawHistory history = generatedHistory(kMostDraws);
        DrawTables tables = LoadDrawTables(history);
        return Input{std::move(history), std::move(tables)};
    }();
    return input;
}

void buildGrid(benchmark::State& state, AnalysisBuilder build, const Input& input)
{
    if (input.history.empty()) {
        state.SkipWithError("no history (the shared draw history is absent)");
        return;
    }
    for (auto _ : state) {
        ResultGrid grid = build(input.history, input.tables);
        benchmark::DoNotOptimize(grid.rowCount());
    }
    const ResultGrid grid = build(input.history, input.tables);
    state.counters["cells"] = static_cast<double>(grid.columnCount()) * grid.rowCount();
}

// Only the allocation of an unstyled grid of the dispersion grid's extent at 32,767 draws: the
// part of a million-cell build that is the grid model's, not the analysis's.
void emptyGrid(benchmark::State& state)
{
    for (auto _ : state) {
        ResultGrid grid(33, kMostDraws + 3);
        benchmark::DoNotOptimize(grid.rowCount());
    }
}

// Heap held by one grid: the cells plus any text longer than the string's inline buffer.
void gridMemory(benchmark::State& state, AnalysisBuilder build)
{
    const Input& input = longInput();
    double heapBytes = 0;
    double cells = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const std::size_t before = mallinfo2().uordblks + mallinfo2().hblkhd;
        {
            ResultGrid grid = build(input.history, input.tables);
            const std::size_t after = mallinfo2().uordblks + mallinfo2().hblkhd;
            heapBytes = static_cast<double>(after - before);
            cells = static_cast<double>(grid.columnCount()) * grid.rowCount();
        }
    }
    state.counters["cells"] = cells;
    state.counters["MiB"] = heapBytes / (1024.0 * 1024.0);
    state.counters["bytes_per_cell"] = heapBytes / cells;
    state.counters["sizeof_Cell"] = sizeof(Cell);
}

struct Named {
    const char* name;
    AnalysisBuilder build;
};
constexpr Named kBuilders[] = {
    {"OddEvenPattern", buildOddEvenPattern},
    {"LowHighPattern", buildLowHighPattern},
    {"FourGroupTrend", buildFourGroupTrend},
    {"SixGroupDivision", buildSixGroupDivision},
    {"SevenGroupDivision", buildSevenGroupDivision},
    {"TenGroupDivision", buildTenGroupDivision},
    {"LastDigitTrend", buildLastDigitTrend},
    {"LastDigitRun", buildLastDigitRun},
    {"Dispersion", buildDispersion},
    {"AppearanceByCount", buildAppearanceByCount},
};

const bool kRegistered = [] {
    for (const Named& named : kBuilders) {
        const AnalysisBuilder build = named.build;
        benchmark::RegisterBenchmark(
            (std::string(named.name) + "/real").c_str(),
            [build](benchmark::State& state) { buildGrid(state, build, realInput()); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(
            (std::string(named.name) + "/32767").c_str(),
            [build](benchmark::State& state) { buildGrid(state, build, longInput()); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("EmptyGrid/33x32770", emptyGrid)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("GridMemory/Dispersion/32767", [](benchmark::State& state) {
        gridMemory(state, buildDispersion);
    })->Iterations(1);
    benchmark::RegisterBenchmark("GridMemory/SixGroupDivision/32767", [](benchmark::State& state) {
        gridMemory(state, buildSixGroupDivision);
    })->Iterations(1);
    return true;
}();

}  // namespace
