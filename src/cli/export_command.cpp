// pomuran-cli export: prints the draw history of a database as CSV.
#include <memory>

#include "cli/commands.h"
#include "draws/connection_string.h"
#include "draws/draw_csv.h"
#include "draws/draw_database.h"

namespace {

int exportDraws(const std::string& database, std::ostream& out, std::ostream& err)
{
    auto opened = DrawDatabase::open(connectStringForFile(database));
    if (!opened) {
        err << opened.error() << '\n';
        return kExitFailure;
    }
    auto rows = opened->readAllDraws();
    if (!rows) {
        err << rows.error() << '\n';
        return kExitFailure;
    }
    out << drawCsv(rows.value());
    return kExitSuccess;
}

}  // namespace

void addExportCommand(CLI::App& app, CliContext& context)
{
    auto database = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand("export", "print the draw history as CSV");
    addDatabaseOption(command, *database);
    setCommandAction(command, context, [database, &context] {
        return exportDraws(*database, context.out, context.err);
    });
}
