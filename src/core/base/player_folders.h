// The player's own folders for data and settings, by the XDG rules: the same folders that
// QStandardPaths::AppDataLocation and AppConfigLocation give the program (application name
// "pomuran", no organisation), so the command line and the program agree without Qt.
#pragma once

#include <filesystem>

inline constexpr const char* kPlayerFolderName = "pomuran";

// $XDG_DATA_HOME/pomuran, else ~/.local/share/pomuran.
std::filesystem::path playerDataFolder();
// $XDG_CONFIG_HOME/pomuran, else ~/.config/pomuran.
std::filesystem::path playerConfigFolder();
