// pomuran-cli import: loads the draws of a CSV file into a database, replacing the history or
// (--merge) adding new draws and replacing changed ones.
#include <filesystem>
#include <memory>

#include "cli/commands.h"
#include "core/base/file_replacement.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"
#include "core/draws/draw_database_lock.h"
#include "core/draws/draw_merge.h"

namespace {

struct ImportArguments {
    std::string csv;
    std::string database;
    bool merge = false;
    std::string encoding;  // empty: detected
};

CsvEncoding encodingOf(const std::string& name)
{
    if (name == "cp932") return CsvEncoding::Cp932;
    if (name == "utf-8") return CsvEncoding::Utf8;
    return CsvEncoding::Detect;
}

// Reads and checks the file; on any rejected line prints every one of them and the summary.
// Prize fields that are not amounts are printed too, and the draws are taken without them.
Result<DrawCsv> readImportFile(const ImportArguments& arguments, std::ostream& err)
{
    auto text = readTextFile(arguments.csv);
    if (!text) return Error{text.error()};
    auto read = readDrawCsv(text.value(), CsvValues::StrictNumbers, encodingOf(arguments.encoding));
    if (!read) return Error{arguments.csv + ": " + read.error()};
    if (!read->rejected.empty()) {
        for (const CsvRejection& rejection : read->rejected)
            err << arguments.csv << ": line " << rejection.line << ": " << rejection.reason << '\n';
        MergeSummary summary;
        summary.rejected = static_cast<int>(read->rejected.size());
        return Error{summaryLine(summary) + "; nothing written"};
    }
    for (const CsvRejection& warning : read->prizeWarnings)
        err << arguments.csv << ": line " << warning.line << ": " << warning.reason << '\n';
    read->rows = sortedByDrawNo(std::move(read->rows));
    return std::move(read.value());
}

MergeSummary summaryOf(const MergePlan& plan, const PrizeMerge& prizes)
{
    return {static_cast<int>(plan.added.size()),
            static_cast<int>(plan.changed.size()),
            plan.unchanged,
            0,
            prizes.drawsWithPrizes,
            prizes.newAmounts + static_cast<int>(prizes.differing.size())};
}

int mergeDraws(const ImportArguments& arguments, const DrawCsv& file, std::ostream& out,
               std::ostream& err)
{
    if (Status prepared = prepareDatabaseInUse(arguments.database); !prepared) {
        err << prepared.error() << '\n';
        return kExitFailure;
    }
    // One writer at a time: a second import, the entry window or an update is turned away.
    auto lock = DrawDatabaseLock::acquire(arguments.database);
    if (!lock) {
        err << lock.error() << '\n';
        return kExitFailure;
    }
    auto database = DrawDatabase::open(connectStringForFile(arguments.database),
                                       DrawDatabase::Access::ReadWrite);
    if (!database) {
        err << database.error() << '\n';
        return kExitFailure;
    }
    auto stored = database->readAllDraws();
    if (!stored) {
        err << stored.error() << '\n';
        return kExitFailure;
    }
    auto storedPrizes = database->readPrizes();
    if (!storedPrizes) {
        err << storedPrizes.error() << '\n';
        return kExitFailure;
    }
    const MergePlan plan = planMerge(stored.value(), file.rows);
    const PrizeMerge prizes = planPrizeMerge(storedPrizes.value(), file.prizes);
    if (!plan.added.empty() || !plan.changed.empty() || prizes.changes()) {
        // Draws and prizes in one transaction: both or, on any failure, neither.
        if (Status written = writeHistory(database.value(), plan.merged,
                                          prizesOfDraws(prizes.merged, plan.merged));
            !written) {
            err << written.error() << '\n';
            return kExitFailure;
        }
    }
    out << summaryLine(summaryOf(plan, prizes)) << '\n';
    return kExitSuccess;
}

int replaceDraws(const ImportArguments& arguments, const DrawCsv& file, std::ostream& out,
                 std::ostream& err)
{
    const std::vector<DrawRow>& rows = file.rows;
    const std::string& target = arguments.database;
    // The program's database in the data folder, and the folder, are made on first use.
    if (Status prepared = prepareDatabaseInUse(target); !prepared) {
        err << prepared.error() << '\n';
        return kExitFailure;
    }
    // One writer at a time: a second import, the entry window or an update is turned away.
    auto lock = DrawDatabaseLock::acquire(target);
    if (!lock) {
        err << lock.error() << '\n';
        return kExitFailure;
    }
    std::vector<DrawRow> stored;
    std::vector<DrawPrizes> storedPrizes;
    std::error_code fsError;
    if (std::filesystem::exists(target, fsError)) {
        // Only a draw database of this program is replaced; any other file is left alone.
        auto existing = DrawDatabase::open(connectStringForFile(target));
        if (!existing) {
            err << existing.error() << " (not replaced)\n";
            return kExitFailure;
        }
        auto read = existing->readAllDraws();
        if (!read) {
            err << read.error() << " (not replaced)\n";
            return kExitFailure;
        }
        stored = std::move(read.value());
        auto prizes = existing->readPrizes();
        if (!prizes) {
            err << prizes.error() << " (not replaced)\n";
            return kExitFailure;
        }
        storedPrizes = std::move(prizes.value());
        if (!holdsDraws(rows) && holdsDraws(stored)) {
            err << arguments.csv
                << ": 当選データを含まないファイルでは、登録済みの当選データを置き換えません。\n";
            return kExitFailure;
        }
    }
    // Built aside and renamed over the target, so a failed import leaves the old file intact.
    auto replacement = FileReplacement::begin(target, "import");
    if (!replacement) {
        err << replacement.error() << '\n';
        return kExitFailure;
    }
    {
        auto database = DrawDatabase::initialise(replacement->temporaryPath());
        // The journal stays in memory: a failed or interrupted import discards the whole
        // temporary file anyway, and no "-journal" file is left beside it.
        Status written = database ? database->execute("PRAGMA journal_mode = MEMORY;")
                                  : Status(Error{database.error()});
        if (written) written = database->insertDraws(rows);
        // The file's amounts over the stored ones, for the draws the new history holds.
        const PrizeMerge prizes = planPrizeMerge(storedPrizes, file.prizes);
        if (written && !prizes.merged.empty())
            written = database->writePrizes(prizesOfDraws(prizes.merged, rows));
        if (!written) {
            err << written.error() << '\n';
            return kExitFailure;
        }
    }
    if (auto committed = replacement->commit(); !committed) {
        err << committed.error() << '\n';
        return kExitFailure;
    }
    out << summaryLine(
               summaryOf(planMerge(stored, rows), planPrizeMerge(storedPrizes, file.prizes)))
        << '\n';
    return kExitSuccess;
}

int importDraws(const ImportArguments& arguments, std::ostream& out, std::ostream& err)
{
    auto file = readImportFile(arguments, err);
    if (!file) {
        err << file.error() << '\n';
        return kExitFailure;
    }
    return arguments.merge ? mergeDraws(arguments, file.value(), out, err)
                           : replaceDraws(arguments, file.value(), out, err);
}

}  // namespace

void addImportCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<ImportArguments>();
    CLI::App* command = app.add_subcommand("import", "load a draw history from a CSV file");
    command->add_option("CSV", arguments->csv, "the CSV file")->required();
    addDatabaseOption(command, arguments->database);
    command->add_flag("--merge", arguments->merge,
                      "add new draws and replace changed ones instead of replacing the history");
    command
        ->add_option("--encoding", arguments->encoding, "the file's encoding (default: detected)")
        ->check(CLI::IsMember({"utf-8", "cp932"}))
        ->option_text("utf-8|cp932");
    setCommandAction(command, context, [arguments, &context] {
        return importDraws(*arguments, context.out, context.err);
    });
}
