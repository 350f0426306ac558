#include "core/base/player_folders.h"

#include <cstdlib>
#include <string>

namespace {

// An XDG base folder: the variable when it holds an absolute path (a relative one is ignored,
// as the XDG rules say), else the fallback below the home folder.
std::filesystem::path baseFolder(const char* variable, const char* fallbackBelowHome)
{
    if (const char* value = std::getenv(variable); value && value[0] == '/')
        return std::filesystem::path(value);
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && home[0] ? home : "/") / fallbackBelowHome;
}

}  // namespace

std::filesystem::path playerDataFolder()
{
    return baseFolder("XDG_DATA_HOME", ".local/share") / kPlayerFolderName;
}

std::filesystem::path playerConfigFolder()
{
    return baseFolder("XDG_CONFIG_HOME", ".config") / kPlayerFolderName;
}
