#include "cli/cli.h"

#include <exception>
#include <ostream>

#include "cli/commands.h"
#include "core/base/program_version.h"
#include "core/draws/data_locations.h"
#include "core/draws/version_report.h"

void defineCli(CLI::App& app, CliContext& context)
{
    app.get_formatter()->label("Usage", "usage");
    app.set_version_flag("--version", "", "print the version and the files in use");
    app.require_subcommand(1, 1);
    addImportCommand(app, context);
    addExportCommand(app, context);
    addListCommand(app, context);
    addShowCommand(app, context);
    addTablesCommand(app, context);
    addUpdateCommand(app, context);
    addTicketsCommand(app, context);
    addCombosCommand(app, context);
    addStatsCommand(app, context);
    addBacktestCommand(app, context);
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliContext context{out, err};
    CLI::App app{kCliDescription, "pomuran-cli"};
    defineCli(app, context);

    // CLI11 takes the words last first.
    std::vector<std::string> words(args.rbegin(), args.rend());
    try {
        app.parse(words);
    } catch (const CLI::CallForHelp&) {
        const auto chosen = app.get_subcommands();
        out << (chosen.empty() ? app.help() : chosen.front()->help("pomuran-cli"));
        return kExitSuccess;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitSuccess;
    } catch (const CLI::CallForVersion&) {
        out << versionReport("pomuran-cli", currentDataLocations());
        return kExitSuccess;
    } catch (const CLI::ParseError& e) {
        const auto chosen = app.get_subcommands();
        err << "pomuran-cli: " << e.what() << '\n'
            << (chosen.empty() ? app.help() : chosen.front()->help("pomuran-cli"));
        return kExitUsage;
    } catch (const std::exception& e) {
        err << "pomuran-cli: " << e.what() << '\n';
        return kExitFailure;
    }
    return context.status;
}
