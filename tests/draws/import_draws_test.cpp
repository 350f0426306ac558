#include <gtest/gtest.h>

#include <filesystem>

#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/import_draws.h"
#include "test_support.h"

namespace {

DrawCsv fileOf(std::vector<DrawRow> rows)
{
    DrawCsv file;
    file.rows = std::move(rows);
    return file;
}

std::vector<int> storedDrawNumbers(const std::string& path)
{
    auto database = DrawDatabase::open(connectStringForFile(path));
    EXPECT_TRUE(database) << database.error();
    std::vector<int> numbers;
    if (!database) return numbers;
    const auto rows = database->readAllDraws();
    for (const DrawRow& row : rows.value())
        numbers.push_back(fieldNumber(row.drawNo).value_or(0));
    return numbers;
}

void store(const std::string& path, const std::vector<DrawRow>& rows)
{
    auto created = DrawDatabase::create(path);
    ASSERT_TRUE(created) << created.error();
    ASSERT_TRUE(created->insertDraws(rows));
}

}  // namespace

TEST(ImportDraws, EachModeWritesItsHistoryAndCountsWhatItRemoves)
{
    const std::vector<DrawRow> stored = {
        drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {2, 3, 4, 5, 6, 7}),
        drawRow(2, {2, 3, 4, 5, 6, 7}), drawRow(3, {3, 4, 5, 6, 7, 8})};
    struct Case {
        const char* name;
        std::vector<DrawRow> file;
        MergeMode mode;
        std::vector<int> expected;  // draw numbers stored afterwards
        const char* line;
        bool written;
    };
    const std::vector<Case> cases = {
        {"merge",
         {drawRow(2, {2, 3, 4, 5, 6, 9}), drawRow(4, {4, 5, 6, 7, 8, 9})},
         MergeMode::AddAndReplace,
         {1, 2, 3, 4},
         "1 added, 1 replaced, 0 unchanged, 1 removed, 0 rejected",
         true},
        {"replace",
         {drawRow(3, {3, 4, 5, 6, 7, 8})},
         MergeMode::ReplaceAll,
         {3},
         "0 added, 0 replaced, 1 unchanged, 3 removed, 0 rejected",
         true},
        {"empty merge",
         {},
         MergeMode::AddAndReplace,
         {1, 2, 2, 3},
         "0 added, 0 replaced, 0 unchanged, 0 rejected",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("Pomuran.mdb");
        store(path, stored);
        auto outcome = importDraws(connectStringForFile(path), fileOf(c.file), c.mode);
        ASSERT_TRUE(outcome) << outcome.error();
        EXPECT_EQ(summaryLine(outcome->summary), c.line);
        EXPECT_EQ(outcome->written, c.written);
        EXPECT_EQ(storedDrawNumbers(path), c.expected);
    }
}

TEST(ImportDraws, AFileWithoutDrawsNeverReplacesAHistoryAndAReadOnlyOneIsNeverWritten)
{
    TempDir dir;
    const std::string path = dir.file("Pomuran.mdb");
    store(path, {drawRow(1, {1, 2, 3, 4, 5, 6})});
    const std::string before = readFile(path);
    auto refused =
        importDraws(connectStringForFile(path), fileOf({incompleteRow(1)}), MergeMode::ReplaceAll);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error(), emptyFileRefusal());
    EXPECT_EQ(readFile(path), before);

    // By its mode, even for a process the system would let write.
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    for (MergeMode mode : {MergeMode::AddAndReplace, MergeMode::ReplaceAll}) {
        auto readOnly =
            importDraws(connectStringForFile(path), fileOf({drawRow(2, {1, 2, 3, 4, 5, 7})}), mode);
        ASSERT_FALSE(readOnly);
        EXPECT_NE(readOnly.error().find("読み取り専用"), std::string::npos) << readOnly.error();
    }
    EXPECT_EQ(readFile(path), before);
}

TEST(ImportDraws, ThePreviewHoldsTheLockUntilTheWriteAndAMissingFileIsMadeOnlyByAReplacement)
{
    TempDir dir;
    const std::string path = dir.file("new.mdb");
    auto merge = importDraws(connectStringForFile(path), fileOf({drawRow(1, {1, 2, 3, 4, 5, 6})}),
                             MergeMode::AddAndReplace);
    EXPECT_FALSE(merge);
    EXPECT_FALSE(std::filesystem::exists(path));

    auto prepared = DrawImport::prepare(
        connectStringForFile(path),
        fileOf({drawRow(2, {1, 2, 3, 4, 5, 6}), drawRow(1, {2, 3, 4, 5, 6, 7})}));
    ASSERT_TRUE(prepared) << prepared.error();
    EXPECT_EQ(prepared->plan().plan.added, (std::vector<int>{1, 2}));
    // Between the plan and the write nobody else writes.
    auto second = DrawImport::prepare(connectStringForFile(path), fileOf({}));
    ASSERT_FALSE(second);
    EXPECT_NE(second.error().find("使用中"), std::string::npos);
    auto applied = prepared->apply(MergeMode::ReplaceAll);
    ASSERT_TRUE(applied) << applied.error();
    EXPECT_EQ(storedDrawNumbers(path), (std::vector<int>{1, 2}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2)
        << "only the database and the lock file of the import still in progress";
}
