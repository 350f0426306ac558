#include "draws/program_version.h"

#include <filesystem>
#include <system_error>

#include "draws/data_locations.h"

#ifndef POMURAN_VERSION
#error "the build defines POMURAN_VERSION from the project's version"
#endif

const char* programVersion()
{
    return POMURAN_VERSION;
}

std::string versionReport(const DataLocations& locations)
{
    std::error_code error;
    const bool databaseThere = std::filesystem::exists(locations.database, error);
    const bool settingsThere = std::filesystem::exists(locations.settingsFile, error);
    return std::string("ポムランLite ") + programVersion() + "\n" +
           "draw database: " + locations.database +
           (databaseThere ? "" : " (not there yet: the first start makes an empty one)") + "\n" +
           "settings file: " + locations.settingsFile +
           (settingsThere ? "" : " (not there yet: written when the program exits)") + "\n";
}
