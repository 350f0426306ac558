// Reading draw files: `pomuran-cli tables --csv` of 32,767 draws in-process (its reading and
// sorting), and reading, previewing and merging a 32,767-draw CP932 results file into the
// real history (the preview of データ管理 → CSVファイルから取り込み and the write after it).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "bench_support.h"
#include "core/base/cp932.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"
#include "core/draws/draw_merge.h"
#include "core/draws/draw_tables.h"
#include "core/draws/import_draws.h"

namespace fs = std::filesystem;

namespace {

// A results file as lottery sites publish them: Shift_JIS, their headings, "第N回", slashed
// dates and prize columns the reader skips.
const std::string& resultsFileCp932()
{
    static const std::string bytes = [] {
        std::string text = "開催回,抽せん日,本数字1,本数字2,本数字3,本数字4,本数字5,ボーナス数字,"
                           "1等口数,1等賞金\r\n";
        const DrawHistory history = generatedHistory(32767);
        for (const DrawRow& row : history.rows()) {
            text += "第" + rawText(row.drawNo) + "回,2025/09/23";
            for (const RawValue& number : row.numbers)
                text += ',' + rawText(number);
            text += ",1,\"12,345,600円\"\r\n";
        }
        return *utf8ToCp932(text);
    }();
    return bytes;
}

const std::string& plainFile32767()
{
    static const std::string text = drawCsv(generatedHistory(32767).rows());
    return text;
}

void BM_TablesFromCsv32767(benchmark::State& state)
{
    const std::string& text = plainFile32767();
    for (auto _ : state) {
        auto rows = parseDrawCsv(text, CsvValues::AsWritten);
        const DrawHistory history(sortedByDrawNo(std::move(rows.value())));
        benchmark::DoNotOptimize(LoadDrawTables(history).LatestDrawNo);
    }
}

void BM_ReadAndPreviewCp932File32767(benchmark::State& state)
{
    const std::string& bytes = resultsFileCp932();
    const DrawHistory real = realHistory();
    for (auto _ : state) {
        auto import = prepareCsvImport(bytes, CsvEncoding::Detect, real.rows());
        if (!import) {
            state.SkipWithError(import.error().c_str());
            return;
        }
        benchmark::DoNotOptimize(import->plan.merged.size());
        state.counters["new"] = static_cast<double>(import->plan.added.size());
    }
}

// Reading, previewing and writing the merge in one transaction into a copy of a database that
// holds the real history.
void BM_ReadPreviewAndMergeCp932File32767(benchmark::State& state)
{
    const DrawHistory real = realHistory();
    const fs::path folder = fs::temp_directory_path() /
                            ("pomuran-import-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    const fs::path original = folder / "real.mdb", copy = folder / "Pomuran.mdb";
    {
        auto database = DrawDatabase::create(original.string());
        if (!database || !database->insertDraws(real.rows())) {
            state.SkipWithError("cannot make the database");
            return;
        }
    }
    const std::string& bytes = resultsFileCp932();
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(original, copy, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        // The program's path: read the file, plan it under the lock, write the merge.
        auto read = readDrawCsv(bytes, CsvValues::StrictNumbers, CsvEncoding::Detect);
        if (!read) {
            state.SkipWithError(read.error().c_str());
            break;
        }
        auto imported = importDraws(connectStringForFile(copy.string()), std::move(read.value()),
                                    MergeMode::AddAndReplace);
        const Status written = imported ? success() : Status(Error{imported.error()});
        if (!written) {
            state.SkipWithError(written.error().c_str());
            break;
        }
    }
    fs::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_TablesFromCsv32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndPreviewCp932File32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPreviewAndMergeCp932File32767)->Unit(benchmark::kMillisecond);
