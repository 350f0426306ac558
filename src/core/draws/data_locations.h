// Which draw database and which settings file the program, pomuran-cli and the update use: the
// files beside a portable copy, or the player's own folders for an installed program.
#pragma once

#include <string>

#include "core/base/result.h"

// The prediction options file; read and written by the prediction options code.
inline constexpr const char* kSettingsFileName = "ポムラン.ini";

// The folders the choice is made from.
struct DataFolders {
    std::string programFolder;  // the running executable's folder
    std::string currentFolder;  // the working directory
    std::string dataFolder;     // the player's data folder (~/.local/share/pomuran)
    std::string configFolder;   // the player's config folder (~/.config/pomuran)
};

struct DataLocations {
    std::string database;      // the Pomuran.mdb in use
    std::string settingsFile;  // the ポムラン.ini in use
    // True when the database lies beside the executable (a build folder or a portable copy):
    // then the settings file is always the one in the working directory.
    bool besideProgram = false;
};

// A Pomuran.mdb beside the executable wins, with ポムラン.ini in the working directory. Otherwise
// the database is the one in the data folder, and the settings file the one in the working
// directory if it exists, else the one in the config folder.
DataLocations chooseDataLocations(const DataFolders& folders);
// The running program's folders and the choice made from them.
DataFolders currentDataFolders();
DataLocations currentDataLocations();

// Before the first start from the data folder: makes the folder and an empty database in it.
// Does nothing when the database exists (even a damaged one, whose open then fails as usual)
// or lies beside the executable. A folder or file that cannot be made is an error naming it.
Status prepareDatabase(const DataLocations& locations);
// Makes the settings file's folder, so the options can be written at exit.
Status prepareSettingsFolder(const DataLocations& locations);
