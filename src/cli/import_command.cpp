// pomuran-cli import: loads the draws of a CSV file into a database, replacing the history or
// (--merge) adding new draws and replacing changed ones.
#include <memory>

#include "cli/commands.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_merge.h"
#include "core/draws/import_draws.h"

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
    // Their draws are taken; only the amounts that were not amounts are left out.
    for (const CsvRejection& warning : read->prizeWarnings)
        err << arguments.csv << ": line " << warning.line << ": " << warning.reason << '\n';
    return std::move(read.value());
}

int runImport(const ImportArguments& arguments, std::ostream& out, std::ostream& err)
{
    auto file = readImportFile(arguments, err);
    if (!file) {
        err << file.error() << '\n';
        return kExitFailure;
    }
    // The program's database in the data folder, and the folder, are made on first use.
    if (Status prepared = prepareDatabaseInUse(arguments.database); !prepared) {
        err << prepared.error() << '\n';
        return kExitFailure;
    }
    auto imported = importDraws(connectStringForFile(arguments.database), std::move(file.value()),
                                arguments.merge ? MergeMode::AddAndReplace : MergeMode::ReplaceAll);
    if (!imported) {
        err << imported.error() << '\n';
        return kExitFailure;
    }
    out << summaryLine(imported->summary) << '\n';
    return kExitSuccess;
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
        return runImport(*arguments, context.out, context.err);
    });
}
