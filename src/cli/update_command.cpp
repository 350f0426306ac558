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
        const UpdateResult result = updateDrawDatabase(*options);
        const bool updated = result.outcome == UpdateOutcome::Updated;
        (updated ? context.out : context.err) << result.message << '\n';
        return updated ? kExitSuccess : kExitFailure;
    });
}
