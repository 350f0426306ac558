// pomuran-cli: scriptable access to the draw database and to what each window shows.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs one command line (without the program name). Returns the exit status: 0 success,
// 1 failure (one clear line on err), 2 usage error.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
