#include "cli/cli_command.h"

#include "core/draws/connection_string.h"
#include "core/draws/data_locations.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"

void setCommandAction(CLI::App* command, CliContext& context, std::function<int()> run)
{
    command->callback([command, &context, run = std::move(run)] {
        context.status = run();
        if (context.status == kExitUsage) context.err << command->help("pomuran-cli");
    });
}

std::string defaultDatabase()
{
    return currentDataLocations().database;
}

Status prepareDatabaseInUse(const std::string& database)
{
    const DataLocations locations = currentDataLocations();
    if (database != locations.database) return success();
    return prepareDatabase(locations);
}

CLI::Option* addDatabaseOption(CLI::App* command, std::string& database)
{
    database = defaultDatabase();
    return command
        ->add_option("--db", database,
                     "draw database (default: the one the program uses, see --version)")
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
    if (Status prepared = prepareDatabaseInUse(source.database); !prepared)
        return Error{prepared.error()};
    return loadDrawHistory(connectStringForFile(source.database));
}

Result<std::vector<DrawPrizes>> loadPrizes(const HistorySource& source)
{
    if (!source.csv.empty()) {
        auto text = readTextFile(source.csv);
        if (!text) return Error{text.error()};
        auto read = readDrawCsv(text.value(), CsvValues::AsWritten);
        if (!read) return Error{source.csv + ": " + read.error()};
        return std::move(read->prizes);
    }
    if (Status prepared = prepareDatabaseInUse(source.database); !prepared)
        return Error{prepared.error()};
    auto database = DrawDatabase::open(connectStringForFile(source.database));
    if (!database) return Error{database.error()};
    return database->readPrizes();
}
