#include <gtest/gtest.h>

#include <filesystem>

#include "core/draws/connection_string.h"
#include "core/draws/data_locations.h"
#include "core/draws/draw_database.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// A program folder, a working directory and the player's two folders, all empty at first.
struct Folders {
    TempDir root;
    DataFolders folders;
    Folders()
    {
        folders = {(root.path() / "bin").string(), (root.path() / "work").string(),
                   (root.path() / "home/.local/share/pomuran").string(),
                   (root.path() / "home/.config/pomuran").string()};
        fs::create_directories(folders.programFolder);
        fs::create_directories(folders.currentFolder);
    }
    std::string in(const std::string& folder, const char* name) const
    {
        return (fs::path(folder) / name).string();
    }
};

}  // namespace

TEST(DataLocations, ChoosesTheFilesFromWhatExists)
{
    struct Case {
        const char* what;
        bool databaseBesideProgram, settingsInCurrentFolder;
        bool expectBeside;
        bool expectCurrentSettings;
    };
    const Case cases[] = {
        {"portable copy, no settings yet", true, false, true, true},
        {"portable copy with settings", true, true, true, true},
        {"installed, first start", false, false, false, false},
        {"installed, settings in the working directory", false, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Folders f;
        if (c.databaseBesideProgram)
            writeFile(f.in(f.folders.programFolder, kDatabaseFileName), "x");
        if (c.settingsInCurrentFolder) writeFile(f.in(f.folders.currentFolder, "ポムラン.ini"), "");
        const DataLocations chosen = chooseDataLocations(f.folders);
        EXPECT_EQ(chosen.besideProgram, c.expectBeside);
        EXPECT_EQ(chosen.database,
                  f.in(c.expectBeside ? f.folders.programFolder : f.folders.dataFolder,
                       kDatabaseFileName));
        EXPECT_EQ(chosen.settingsFile,
                  f.in(c.expectCurrentSettings ? f.folders.currentFolder : f.folders.configFolder,
                       "ポムラン.ini"));
    }
}

TEST(DataLocations, AFolderNamedLikeTheDatabaseBesideTheProgramDoesNotCount)
{
    Folders f;
    fs::create_directories(f.in(f.folders.programFolder, kDatabaseFileName));
    EXPECT_FALSE(chooseDataLocations(f.folders).besideProgram);
}

TEST(DataLocations, FirstStartMakesAnEmptyDrawDatabaseInTheDataFolderOnce)
{
    Folders f;
    const DataLocations chosen = chooseDataLocations(f.folders);
    ASSERT_TRUE(prepareDatabase(chosen)) << prepareDatabase(chosen).error();
    auto database =
        DrawDatabase::open(connectStringForFile(chosen.database), DrawDatabase::Access::ReadWrite);
    ASSERT_TRUE(database) << database.error();
    auto rows = database->readAllDraws();
    ASSERT_TRUE(rows);
    EXPECT_TRUE(rows->empty());
    ASSERT_TRUE(prepareSettingsFolder(chosen));
    EXPECT_TRUE(fs::is_directory(f.folders.configFolder));

    // A second start keeps the database, draws and all; nothing else is left in the folder.
    ASSERT_TRUE(database->insertDraws({drawRow(1, {1, 2, 3, 4, 5, 6})}));
    ASSERT_TRUE(prepareDatabase(chosen));
    EXPECT_EQ(DrawDatabase::open(connectStringForFile(chosen.database))->readAllDraws()->size(),
              1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(f.folders.dataFolder), fs::directory_iterator()),
              1);
}

TEST(DataLocations, ADamagedDatabaseIsLeftAloneForTheOpenToReport)
{
    Folders f;
    const DataLocations chosen = chooseDataLocations(f.folders);
    fs::create_directories(f.folders.dataFolder);
    writeFile(chosen.database, "not a database");
    ASSERT_TRUE(prepareDatabase(chosen));
    EXPECT_EQ(readFile(chosen.database), "not a database");
    EXPECT_FALSE(DrawDatabase::open(connectStringForFile(chosen.database)));
}

TEST(DataLocations, ADataFolderThatCannotBeMadeIsAnErrorNamingIt)
{
    Folders f;
    // A file where a folder of the path should be stops even a process allowed to write anywhere.
    writeFile((f.root.path() / "home").string(), "a file, not a folder");
    const DataLocations chosen = chooseDataLocations(f.folders);
    const Status prepared = prepareDatabase(chosen);
    ASSERT_FALSE(prepared);
    EXPECT_NE(prepared.error().find(f.folders.dataFolder), std::string::npos) << prepared.error();
    EXPECT_EQ(readFile((f.root.path() / "home").string()), "a file, not a folder");
    EXPECT_FALSE(prepareSettingsFolder(chosen));
}

TEST(DataLocations, APortableCopyIsNeverPrepared)
{
    Folders f;
    writeFile(f.in(f.folders.programFolder, kDatabaseFileName), "kept as it is");
    const DataLocations chosen = chooseDataLocations(f.folders);
    ASSERT_TRUE(prepareDatabase(chosen));
    ASSERT_TRUE(prepareSettingsFolder(chosen));
    EXPECT_EQ(readFile(chosen.database), "kept as it is");
    EXPECT_FALSE(fs::exists(f.root.path() / "home"));
}
