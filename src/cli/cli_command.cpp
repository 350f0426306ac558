#include "cli/cli_command.h"

#include <filesystem>

#include "draws/connection_string.h"
#include "draws/draw_csv.h"
#include "draws/draw_database.h"
#include "draws/program_folder.h"

void setCommandAction(CLI::App* command, CliContext& context, std::function<int()> run)
{
    command->callback([command, &context, run = std::move(run)] {
        context.status = run();
        if (context.status == kExitUsage) context.err << command->help("pomuran-cli");
    });
}

std::string defaultDatabase()
{
    return (std::filesystem::path(programFolder()) / kDatabaseFileName).string();
}

CLI::Option* addDatabaseOption(CLI::App* command, std::string& database)
{
    database = defaultDatabase();
    return command
        ->add_option("--db", database, "draw database (default: Pomuran.mdb beside the program)")
        ->option_text("FILE");
}

void addHistorySourceOptions(CLI::App* command, HistorySource& source)
{
    CLI::Option* db = addDatabaseOption(command, source.database);
    command->add_option("--csv", source.csv, "read the draw history from a CSV file instead")
        ->option_text("FILE")
        ->excludes(db);
}

Result<DrawHistory> loadHistory(const HistorySource& source)
{
    if (!source.csv.empty()) {
        auto text = readTextFile(source.csv);
        if (!text) return Error{text.error()};
        auto rows = parseDrawCsv(text.value(), CsvValues::AsWritten);
        if (!rows) return Error{source.csv + ": " + rows.error()};
        return DrawHistory(sortedByDrawNo(std::move(rows.value())));
    }
    return loadDrawHistory(connectStringForFile(source.database));
}
