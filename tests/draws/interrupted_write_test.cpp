// A write interrupted after it changed the file leaves a hot journal. Readers, writers and the
// update must all end with the history as it was before that write, and never leave the
// journal beside a file it was not written for.
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

#include "core/draws/connection_string.h"
#include "core/draws/draw_database.h"
#include "core/draws/import_draws.h"
#include "core/maintenance/draw_update.h"
#include "maintenance/http_test_server.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<DrawRow> history(int draws, int offset)
{
    std::vector<DrawRow> rows;
    for (int n = 1; n <= draws; ++n) {
        const int b = (n + offset) % 26;
        rows.push_back(drawRow(n, {b + 1, b + 2, b + 3, b + 4, b + 5, b + 6}));
    }
    return rows;
}

void store(const std::string& path, const std::vector<DrawRow>& rows)
{
    auto created = DrawDatabase::create(path);
    ASSERT_TRUE(created) << created.error();
    ASSERT_TRUE(created->insertDraws(rows));
}

// A child process empties the table with a cache too small to hold the change, so pages reach
// the file, and ends without committing: what a killed writer leaves.
void leaveHotJournal(const std::string& path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        auto database =
            DrawDatabase::open(connectStringForFile(path), DrawDatabase::Access::ReadWrite);
        if (database && database->execute("PRAGMA cache_size = 1; BEGIN IMMEDIATE;") &&
            database->execute("DELETE FROM 結果マスタ; INSERT INTO 結果マスタ (回数) VALUES (1);"))
            ::_exit(0);
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(fs::exists(journalPath(path)));
}

std::size_t storedRows(const std::string& path)
{
    auto loaded = loadDrawHistory(connectStringForFile(path));
    EXPECT_TRUE(loaded) << loaded.error();
    return loaded ? loaded->rows().size() : 0;
}

}  // namespace

TEST(InterruptedWrite, ReadersAndWritersRollTheJournalBackAndAReadOnlyReaderSaysWhy)
{
    TempDir dir;
    const std::string path = dir.file("Pomuran.mdb");
    store(path, history(2000, 0));

    leaveHotJournal(path);
    fs::permissions(path, fs::perms::owner_read);
    auto readOnly = loadDrawHistory(connectStringForFile(path));
    ASSERT_FALSE(readOnly);
    EXPECT_NE(readOnly.error().find("途中で止まったまま"), std::string::npos) << readOnly.error();
    EXPECT_EQ(readOnly.error().find('\n'), std::string::npos);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(storedRows(path), 2000u);  // a reader rolled it back
    EXPECT_FALSE(fs::exists(journalPath(path)));

    leaveHotJournal(path);
    DrawCsv file;
    file.rows = {drawRow(2001, {1, 2, 3, 4, 5, 6})};
    auto merged = importDraws(connectStringForFile(path), file, MergeMode::AddAndReplace);
    ASSERT_TRUE(merged) << merged.error();
    EXPECT_EQ(merged->summary.unchanged, 0);
    EXPECT_EQ(storedRows(path), 2001u);
}

TEST(InterruptedWrite, TheUpdateNeverLeavesTheOldFilesJournalBesideTheNewFile)
{
    TempDir dir;
    const std::string path = dir.file("Pomuran.mdb"), published = dir.file("published.mdb");
    store(published, history(1500, 3));
    HttpTestServer server({HttpTestServer::Behaviour::Answer, 200, readFile(published)});
    store(path, history(2000, 0));
    leaveHotJournal(path);
    // Leftovers of killed runs go once a writer holds the lock; files of others stay.
    for (const char* name : {"Pomuran.mdb.import-a1B2c3", "Pomuran.mdb.download-Zz9Yy8",
                             "Pomuran.mdb.import-keep", "other.mdb.import-a1B2c3"})
        writeFile(dir.file(name), "x");

    UpdateOptions options;
    options.server = server.url() + "/Pomuran.mdb";
    options.destination = path;
    const UpdateResult result = updateDrawDatabase(options);
    ASSERT_EQ(result.outcome, UpdateOutcome::Updated) << result.message;
    EXPECT_FALSE(fs::exists(journalPath(path)));
    EXPECT_EQ(storedRows(path), 1500u);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Pomuran.mdb", "Pomuran.mdb.import-keep",
                                               "other.mdb.import-a1B2c3", "published.mdb"}));
}
