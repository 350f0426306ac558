// pomuran-cli list: the window names `show` knows.
#include "cli/commands.h"
#include "cli/show_window.h"

void addListCommand(CLI::App& app, CliContext& context)
{
    CLI::App* command = app.add_subcommand("list", "the window names show knows");
    setCommandAction(command, context, [&context] {
        for (const std::string& name : shownWindowNames())
            context.out << name << '\n';
        return kExitSuccess;
    });
}
