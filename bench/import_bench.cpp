// Reading draw files: `pomuran-cli tables --csv` of 32,767 draws in-process (its reading and
// sorting), and reading, previewing and merging a 32,767-draw CP932 results file into the
// real history (the preview of データ管理 → CSVファイルから取り込み and the write after it), and
// reading and previewing a 32,767-draw file with every prize column.
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
#include "core/lottery/lottery_rules.h"

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

// A results file with every prize column (UTF-8, the site's headings, amounts with 円 and
// commas, 該当なし), and the stored prizes it is previewed against: every draw has them, every
// hundredth with another 1等賞金.
const std::string& prizeFile32767()
{
    static const std::string text = [] {
        std::string out = "回号,抽せん日,本数字1,本数字2,本数字3,本数字4,本数字5,ボーナス数字,"
                          "1等当せん口数,1等当せん金額,2等当せん口数,2等当せん金額,3等当せん口数,"
                          "3等当せん金額,4等当せん口数,4等当せん金額,キャリーオーバー\n";
        const DrawHistory history = generatedHistory(kHighestDrawNo);
        for (const DrawRow& row : history.rows()) {
            out += rawText(row.drawNo) + ",2025/09/23";
            for (const RawValue& number : row.numbers)
                out += ',' + rawText(number);
            out += fieldNumber(row.drawNo).value_or(0) % 3 == 0 ? ",該当なし,該当なし"
                                                                : ",1,\"12,345,600円\"";
            out += ",3,\"456,700円\",85,\"12,300円\",\"2,345口\",\"1,100円\",\"0円\"\n";
        }
        return out;
    }();
    return text;
}

std::vector<DrawPrizes> storedPrizes32767()
{
    std::vector<DrawPrizes> prizes;
    for (int drawNo = 1; drawNo <= kHighestDrawNo; ++drawNo) {
        DrawPrizes draw;
        draw.drawNo = drawNo;
        draw.tiers[0] = {1, drawNo % 100 == 0 ? 10'000'000 : 12'345'600};
        draw.tiers[1] = {3, 456'700};
        draw.tiers[2] = {85, 12'300};
        draw.tiers[3] = {2345, 1100};
        draw.carryOver = 0;
        prizes.push_back(draw);
    }
    return prizes;
}

// データ管理 → CSVファイルから取り込み up to the preview, in memory: reading the file with its
// nine prize columns and planning draws and amounts against 32,767 stored draws with prizes.
void BM_ReadAndPreviewPrizeFile32767(benchmark::State& state)
{
    const std::string& text = prizeFile32767();
    const DrawHistory stored = generatedHistory(kHighestDrawNo);
    const std::vector<DrawPrizes> prizes = storedPrizes32767();
    for (auto _ : state) {
        auto import = prepareCsvImport(text, CsvEncoding::Detect, stored.rows(), prizes);
        if (!import) {
            state.SkipWithError(import.error().c_str());
            return;
        }
        benchmark::DoNotOptimize(import->prizes.merged.size());
        state.counters["differing"] = static_cast<double>(import->prizes.differing.size());
    }
}

// The same through the program's path: the lock, the stored draws and prize table read from the
// database file, and the plan (the preview shown before anything is written).
void BM_ReadAndPreviewPrizeFileAgainstDatabase32767(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() /
                            ("pomuran-prize-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    const std::string path = (folder / "Pomuran.mdb").string();
    {
        auto database = DrawDatabase::create(path);
        if (!database || !database->replaceAllDraws(generatedHistory(kHighestDrawNo).rows(),
                                                    storedPrizes32767())) {
            state.SkipWithError("cannot make the database");
            return;
        }
    }
    const std::string& text = prizeFile32767();
    for (auto _ : state) {
        auto read = readDrawCsv(text, CsvValues::StrictNumbers, CsvEncoding::Detect);
        if (!read) {
            state.SkipWithError(read.error().c_str());
            break;
        }
        auto prepared = DrawImport::prepare(connectStringForFile(path), std::move(read.value()));
        if (!prepared) {
            state.SkipWithError(prepared.error().c_str());
            break;
        }
        benchmark::DoNotOptimize(prepared->plan().prizes.differing.size());
    }
    fs::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_ReadAndPreviewPrizeFile32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndPreviewPrizeFileAgainstDatabase32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TablesFromCsv32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndPreviewCp932File32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPreviewAndMergeCp932File32767)->Unit(benchmark::kMillisecond);
