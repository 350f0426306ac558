// The program's version, taken from the build, and the report that --version prints.
#pragma once

#include <string>

struct DataLocations;

// "2.30": the project's version as the build gives it.
const char* programVersion();
// "COMMAND (ポムランLite) 2.30" and the database and settings file in use, one a line.
std::string versionReport(const std::string& command, const DataLocations& locations);
// What `pomuran --help` prints: the options, the files in use and how they are chosen.
std::string programHelp(const DataLocations& locations);
