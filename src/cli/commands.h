// The commands of pomuran-cli, one file each; cli.cpp adds them in this order.
#pragma once

#include "cli/cli_command.h"

// The description `pomuran-cli --help` starts with.
inline constexpr const char* kCliDescription =
    "ポムランLite command line: the draw database and what each window shows";
// Every command and option of pomuran-cli on app (runCli parses with it; a test checks that the
// manual page and the bash completion know each of them).
void defineCli(CLI::App& app, CliContext& context);

void addImportCommand(CLI::App& app, CliContext& context);
void addExportCommand(CLI::App& app, CliContext& context);
void addListCommand(CLI::App& app, CliContext& context);
void addShowCommand(CLI::App& app, CliContext& context);
void addTablesCommand(CLI::App& app, CliContext& context);
void addUpdateCommand(CLI::App& app, CliContext& context);
void addTicketsCommand(CLI::App& app, CliContext& context);
void addCombosCommand(CLI::App& app, CliContext& context);
void addStatsCommand(CLI::App& app, CliContext& context);
void addBacktestCommand(CLI::App& app, CliContext& context);
