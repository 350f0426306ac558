// pomuran-cli import: replaces the draw history in a database by the draws of a CSV file.
#include <filesystem>
#include <memory>

#include "cli/commands.h"
#include "draws/connection_string.h"
#include "draws/draw_csv.h"
#include "draws/draw_database.h"
#include "draws/draw_database_lock.h"
#include "draws/file_replacement.h"

namespace {

struct ImportArguments {
    std::string csv;
    std::string database;
};

int importDraws(const ImportArguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::string& target = arguments.database;
    auto text = readTextFile(arguments.csv);
    if (!text) {
        err << text.error() << '\n';
        return kExitFailure;
    }
    auto rows = parseDrawCsv(text.value(), CsvValues::StrictNumbers);
    if (!rows) {
        err << arguments.csv << ": " << rows.error() << '\n';
        return kExitFailure;
    }
    // One writer at a time: a second import, the entry window or an update is turned away.
    auto lock = DrawDatabaseLock::acquire(target);
    if (!lock) {
        err << lock.error() << '\n';
        return kExitFailure;
    }
    std::error_code fsError;
    if (std::filesystem::exists(target, fsError)) {
        // Only a draw database of this program is replaced; any other file is left alone.
        auto existing = DrawDatabase::open(connectStringForFile(target));
        if (!existing) {
            err << existing.error() << " (not replaced)\n";
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
        if (written) written = database->insertDraws(rows.value());
        if (!written) {
            err << written.error() << '\n';
            return kExitFailure;
        }
    }
    if (auto committed = replacement->commit(); !committed) {
        err << committed.error() << '\n';
        return kExitFailure;
    }
    out << rows->size() << " rows imported into " << target << '\n';
    return kExitSuccess;
}

}  // namespace

void addImportCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<ImportArguments>();
    CLI::App* command = app.add_subcommand("import", "load a draw history from a CSV file");
    command->add_option("CSV", arguments->csv, "the CSV file")->required();
    addDatabaseOption(command, arguments->database);
    setCommandAction(command, context, [arguments, &context] {
        return importDraws(*arguments, context.out, context.err);
    });
}
