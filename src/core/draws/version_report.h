// What --version and --help print: the version and the draw database and settings file in use.
#pragma once

#include <string>

struct DataLocations;

// "COMMAND (ポムランLite) 2.30" and the database and settings file in use, one a line.
std::string versionReport(const std::string& command, const DataLocations& locations);
// What `pomuran --help` prints: the options, the files in use and how they are chosen.
std::string programHelp(const DataLocations& locations);
