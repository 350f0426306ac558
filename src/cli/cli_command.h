// What every pomuran-cli command shares: the output streams, the exit status, and the
// options several commands take (--db, --csv).
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <ostream>
#include <string>

#include "core/base/result.h"
#include "core/draws/draw_history.h"
#include "core/draws/draw_prizes.h"

// Exit statuses: 0 success, 1 failure (one clear line on err), 2 usage error.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct CliContext {
    std::ostream& out;
    std::ostream& err;
    int status = kExitSuccess;
};

// Makes `run` the subcommand's action. A usage error it returns (kExitUsage) also prints the
// subcommand's usage, as a parse error does.
void setCommandAction(CLI::App* command, CliContext& context, std::function<int()> run);

// The draw database a command uses without --db: the one the program uses.
std::string defaultDatabase();
// Before a command opens or replaces a database: the program's database in the player's data
// folder is made empty on first use, as the program makes it at its first start. Any other
// file (--db, a portable copy) is left as it is.
Status prepareDatabaseInUse(const std::string& database);

// --db FILE (the draw database; default the one the program uses).
CLI::Option* addDatabaseOption(CLI::App* command, std::string& database);
// --db FILE | --csv FILE: where a read-only command takes the draw history from.
struct HistorySource {
    std::string database;
    std::string csv;
};
void addHistorySourceOptions(CLI::App* command, HistorySource& source);
// The draw history from the CSV file when given, else from the database.
Result<DrawHistory> loadHistory(const HistorySource& source);
// The prizes kept beside those draws (the CSV file's prize columns, or the database's prize
// table); none when there are none.
Result<std::vector<DrawPrizes>> loadPrizes(const HistorySource& source);
