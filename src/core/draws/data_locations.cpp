#include "core/draws/data_locations.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "core/base/player_folders.h"
#include "core/base/program_folder.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_database.h"

namespace fs = std::filesystem;

namespace {

bool isFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

Status makeFolder(const fs::path& folder)
{
    if (folder.empty()) return Error{"データフォルダが分かりません（HOME が設定されていません）。"};
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder, error))
        return Error{"フォルダ「" + folder.string() + "」を作れませんでした（" +
                     (error ? error.message() : "not a directory") + "）。"};
    return success();
}

}  // namespace

DataLocations chooseDataLocations(const DataFolders& folders)
{
    DataLocations locations;
    const fs::path beside = fs::path(folders.programFolder) / kDatabaseFileName;
    const fs::path currentSettings = fs::path(folders.currentFolder) / kSettingsFileName;
    if (!folders.programFolder.empty() && isFile(beside)) {
        locations.database = beside.string();
        locations.settingsFile = currentSettings.string();
        locations.besideProgram = true;
        return locations;
    }
    locations.database = (fs::path(folders.dataFolder) / kDatabaseFileName).string();
    locations.settingsFile = isFile(currentSettings) || folders.configFolder.empty()
                                 ? currentSettings.string()
                                 : (fs::path(folders.configFolder) / kSettingsFileName).string();
    return locations;
}

DataFolders currentDataFolders()
{
    DataFolders folders;
    folders.programFolder = programFolder();
    std::error_code error;
    const fs::path current = fs::current_path(error);
    // A working directory that has gone still resolves a bare file name the old way.
    folders.currentFolder = error ? std::string() : current.string();
    folders.dataFolder = playerDataFolder().string();
    folders.configFolder = playerConfigFolder().string();
    return folders;
}

DataLocations currentDataLocations()
{
    return chooseDataLocations(currentDataFolders());
}

Status prepareDatabase(const DataLocations& locations)
{
    if (locations.besideProgram) return success();
    const fs::path database(locations.database);
    std::error_code error;
    // Anything already there, even a damaged file, is left for the open to report.
    if (fs::exists(fs::symlink_status(database, error))) return success();
    if (Status folder = makeFolder(database.parent_path()); !folder) return folder;

    // Made aside and linked into place: an interrupted first start leaves no half-made file,
    // and a database that appeared meanwhile (another first start, an import) is kept.
    const fs::path temporary =
        database.string() + ".new-" + std::to_string(static_cast<long>(::getpid()));
    fs::remove(temporary, error);
    {
        auto created = DrawDatabase::create(temporary.string());
        if (!created) {
            fs::remove(temporary, error);
            return Error{"データベース「" + database.string() + "」を作れませんでした（" +
                         created.error() + "）。"};
        }
    }
    fs::create_hard_link(temporary, database, error);
    if (error && error != std::errc::file_exists) {
        // A file system without hard links: a plain rename.
        error.clear();
        fs::rename(temporary, database, error);
    } else {
        error.clear();
    }
    std::error_code ignored;
    fs::remove(temporary, ignored);
    if (error)
        return Error{"データベース「" + database.string() + "」を作れませんでした（" +
                     error.message() + "）。"};
    return success();
}

Status prepareSettingsFolder(const DataLocations& locations)
{
    if (locations.besideProgram) return success();
    return makeFolder(fs::path(locations.settingsFile).parent_path());
}
