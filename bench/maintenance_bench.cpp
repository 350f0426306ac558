// The entry window's database work: reading its updatable result set when it opens, and
// writing one edited row when the player leaves the row.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/draws/connection_string.h"
#include "core/maintenance/draw_editor.h"

namespace {

void openEditor(benchmark::State& state, const std::string& path)
{
    const std::string connect = connectStringForFile(path);
    for (auto _ : state) {
        auto editor = DrawEditor::open(connect);
        if (!editor) {
            state.SkipWithError(editor.error().c_str());
            return;
        }
        benchmark::DoNotOptimize(editor->rows().data());
        state.counters["rows"] = static_cast<double>(editor->size());
    }
}

void BM_OpenEditorShipped(benchmark::State& state)
{
    openEditor(state, shippedDatabase());
}
void BM_OpenEditor32767(benchmark::State& state)
{
    openEditor(state, generatedDatabase(32767));
}

// One edit written as the window writes it: a transaction that checks the row and updates it.
void BM_WriteOneEditedRow(benchmark::State& state)
{
    auto editor = DrawEditor::open(connectStringForFile(generatedDatabase(32767)));
    if (!editor) {
        state.SkipWithError(editor.error().c_str());
        return;
    }
    const std::size_t index = editor->size() / 2;
    std::int64_t value = 1;
    for (auto _ : state) {
        DrawRow row = editor->rows()[index].values;
        row.numbers[5] = value;
        value = value % 31 + 1;
        if (auto written = editor->updateRow(index, row); !written) {
            state.SkipWithError(written.error().c_str());
            return;
        }
    }
}

}  // namespace

BENCHMARK(BM_OpenEditorShipped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEditor32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteOneEditedRow)->Unit(benchmark::kMillisecond);
