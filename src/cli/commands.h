// The commands of pomuran-cli, one file each; cli.cpp adds them in this order.
#pragma once

#include "cli/cli_command.h"

void addImportCommand(CLI::App& app, CliContext& context);
void addExportCommand(CLI::App& app, CliContext& context);
void addListCommand(CLI::App& app, CliContext& context);
void addShowCommand(CLI::App& app, CliContext& context);
void addTablesCommand(CLI::App& app, CliContext& context);
void addUpdateCommand(CLI::App& app, CliContext& context);
void addBacktestCommand(CLI::App& app, CliContext& context);
