// pomuran-cli import: loads the draws of a CSV file into a database, replacing the history or
// (--merge) adding new draws and replacing changed ones.
#include <filesystem>
#include <memory>

#include "cli/commands.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"
#include "core/draws/draw_database_lock.h"
#include "core/draws/draw_merge.h"
#include "core/base/file_replacement.h"

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
Result<std::vector<DrawRow>> readImportFile(const ImportArguments& arguments, std::ostream& err)
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
    return sortedByDrawNo(std::move(read->rows));
}

int mergeDraws(const ImportArguments& arguments, const std::vector<DrawRow>& rows,
               std::ostream& out, std::ostream& err)
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
    const MergePlan plan = planMerge(stored.value(), rows);
    if (!plan.added.empty() || !plan.changed.empty()) {
        if (Status written = writeHistory(database.value(), plan.merged); !written) {
            err << written.error() << '\n';
            return kExitFailure;
        }
    }
    out << summaryLine({static_cast<int>(plan.added.size()), static_cast<int>(plan.changed.size()),
                        plan.unchanged, 0})
        << '\n';
    return kExitSuccess;
}

int replaceDraws(const ImportArguments& arguments, const std::vector<DrawRow>& rows,
                 std::ostream& out, std::ostream& err)
{
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
        if (!written) {
            err << written.error() << '\n';
            return kExitFailure;
        }
    }
    if (auto committed = replacement->commit(); !committed) {
        err << committed.error() << '\n';
        return kExitFailure;
    }
    const MergePlan plan = planMerge(stored, rows);
    out << summaryLine({static_cast<int>(plan.added.size()), static_cast<int>(plan.changed.size()),
                        plan.unchanged, 0})
        << '\n';
    return kExitSuccess;
}

int importDraws(const ImportArguments& arguments, std::ostream& out, std::ostream& err)
{
    auto rows = readImportFile(arguments, err);
    if (!rows) {
        err << rows.error() << '\n';
        return kExitFailure;
    }
    return arguments.merge ? mergeDraws(arguments, rows.value(), out, err)
                           : replaceDraws(arguments, rows.value(), out, err);
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
