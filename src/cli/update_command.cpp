// pomuran-cli update: replaces the draw database by the copy on the download server.
#include <memory>

#include "cli/commands.h"
#include "maintenance/draw_update.h"

void addUpdateCommand(CLI::App& app, CliContext& context)
{
    auto options = std::make_shared<UpdateOptions>();
    CLI::App* command =
        app.add_subcommand("update", "replace the database by the copy on the download server");
    command->add_option("--server", options->server, "download server")
        ->option_text("URL")
        ->capture_default_str();
    addDatabaseOption(command, options->destination);
    setCommandAction(command, context, [options, &context] {
        // The program's database is made at its first start; the update replaces that one.
        if (Status prepared = prepareDatabaseInUse(options->destination); !prepared) {
            context.err << prepared.error() << '\n';
            return kExitFailure;
        }
        const UpdateResult result = updateDrawDatabase(*options);
        const bool updated = result.outcome == UpdateOutcome::Updated;
        (updated ? context.out : context.err) << result.message << '\n';
        return updated ? kExitSuccess : kExitFailure;
    });
}
