#include "core/draws/version_report.h"

#include <filesystem>
#include <system_error>

#include "core/base/program_version.h"
#include "core/draws/data_locations.h"

std::string versionReport(const std::string& command, const DataLocations& locations)
{
    std::error_code error;
    const bool databaseThere = std::filesystem::exists(locations.database, error);
    const bool settingsThere = std::filesystem::exists(locations.settingsFile, error);
    return command + " (ポムランLite) " + programVersion() + "\n" +
           "draw database: " + locations.database +
           (databaseThere ? "" : " (not there yet: the first start makes an empty one)") + "\n" +
           "settings file: " + locations.settingsFile +
           (settingsThere ? "" : " (not there yet: written when the program exits)") + "\n";
}

std::string programHelp(const DataLocations& locations)
{
    return "Usage: pomuran [--help | --version]\n"
           "Opens the ポムランLite main window: statistics and suggestions for the 5-of-31 number\n"
           "lottery (in Japanese). pomuran-cli gives scripts the same results.\n"
           "\n"
           "  -h, --help     print this help\n"
           "  -v, --version  print the version and the files in use\n"
           "\n" +
           versionReport("pomuran", locations) +
           "\n"
           "A Pomuran.mdb beside the executable is used when there is one, with ポムラン.ini in "
           "the\n"
           "current folder. Otherwise the database is the one in the player's data folder (made\n"
           "empty at the first start), and ポムラン.ini the one in the current folder if there is\n"
           "one, else the one in the player's config folder.\n";
}
