#include <gtest/gtest.h>

#include <filesystem>

#include <sqlcipher/sqlite3.h>

#include <sstream>

#include "cli/cli.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_database.h"
#include "core/maintenance/draw_editor.h"
#include "test_support.h"

namespace {

class DrawEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        makeDatabase({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {7, 8, 9, 10, 11, 12}),
                      drawRow(3, {13, 14, 15, 16, 17, 18})});
    }

    void makeDatabase(const std::vector<DrawRow>& rows)
    {
        std::filesystem::remove(m_path);
        auto database = DrawDatabase::create(m_path);
        ASSERT_TRUE(database) << database.error();
        ASSERT_TRUE(database->insertDraws(rows));
    }
    DrawEditor openEditor()
    {
        auto editor = DrawEditor::open(connectStringForFile(m_path));
        EXPECT_TRUE(editor) << editor.error();
        return std::move(editor.value());
    }
    // What the program reads at its next start.
    std::vector<DrawRow> reread()
    {
        auto history = loadDrawHistory(connectStringForFile(m_path));
        EXPECT_TRUE(history) << history.error();
        return history ? history->rows() : std::vector<DrawRow>{};
    }
    void executeBehindTheEditor(const std::string& sql)
    {
        auto other =
            DrawDatabase::open(connectStringForFile(m_path), DrawDatabase::Access::ReadWrite);
        ASSERT_TRUE(other) << other.error();
        ASSERT_TRUE(other->execute(sql));
    }

    TempDir m_dir;
    std::string m_path = m_dir.file("Pomuran.mdb");
};

RawValue number(std::int64_t n)
{
    return n;
}

}  // namespace

TEST_F(DrawEditorTest, RowsComeInTheProgramsQueryOrderWithTiesInStoredOrder)
{
    DrawRow empty;
    DrawRow tieA = drawRow(2, {1, 1, 1, 1, 1, 1}), tieB = drawRow(2, {2, 2, 2, 2, 2, 2});
    makeDatabase(
        {drawRow(5, {1, 2, 3, 4, 5, 6}), tieA, empty, drawRow(1, {3, 4, 5, 6, 7, 8}), tieB});
    DrawEditor editor = openEditor();
    const std::vector<DrawRow> query = reread();
    ASSERT_EQ(editor.size(), 5u);
    ASSERT_EQ(query.size(), 5u);
    for (std::size_t i = 0; i < query.size(); ++i) {
        EXPECT_EQ(editor.rows()[i].values.drawNo, query[i].drawNo) << i;
        EXPECT_EQ(editor.rows()[i].values.numbers, query[i].numbers) << i;
    }
    EXPECT_EQ(editor.rows()[2].values.numbers[0], number(1));  // tieA before tieB
    EXPECT_EQ(editor.rows()[3].values.numbers[0], number(2));
}

TEST_F(DrawEditorTest, AnEditedRowSurvivesReopening)
{
    DrawEditor editor = openEditor();
    DrawRow edited = editor.rows()[1].values;
    edited.numbers[0] = number(21);
    edited.numbers[5] = std::monostate{};
    ASSERT_TRUE(editor.updateRow(1, edited));
    EXPECT_EQ(editor.rows()[1].values.numbers[0], number(21));

    const auto rows = reread();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].numbers[0], number(21));
    EXPECT_EQ(rows[1].numbers[5], RawValue{});
    EXPECT_EQ(rows[0].numbers[0], number(1));
    // A second write of the same row checks against what this editor wrote, not what it first read.
    edited.numbers[1] = number(22);
    EXPECT_TRUE(editor.updateRow(1, edited));
    {
        DrawEditor closed = std::move(editor);
    }  // one editor at a time holds the file
    EXPECT_EQ(openEditor().rows()[1].values.numbers[1], number(22));
}

TEST_F(DrawEditorTest, AnInsertedRowFollowsItsPredecessorAndTakesTheNextDrawNumber)
{
    makeDatabase({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(3, {7, 8, 9, 10, 11, 12})});
    DrawEditor editor = openEditor();
    auto index = editor.insertRowAfter(0);
    ASSERT_TRUE(index) << index.error();
    EXPECT_EQ(*index, 1u);
    EXPECT_EQ(editor.rows()[1].values.drawNo, number(2));
    EXPECT_EQ(editor.rows()[1].values.numbers[0], RawValue{});

    DrawRow typed = editor.rows()[1].values;
    typed.numbers = {number(3), number(9), number(14), number(20), number(31), number(1)};
    ASSERT_TRUE(editor.updateRow(1, typed));

    const auto rows = reread();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].drawNo, number(2));
    EXPECT_EQ(rows[1].numbers[4], number(31));
    EXPECT_EQ(rows[2].drawNo, number(3));
}

TEST_F(DrawEditorTest, InsertingIntoAnEmptyTableOrAfterAnUnnumberedRowStartsAtOne)
{
    makeDatabase({});
    {
        DrawEditor editor = openEditor();
        EXPECT_EQ(editor.size(), 0u);
        auto index = editor.insertRowAfter(std::nullopt);
        ASSERT_TRUE(index);
        EXPECT_EQ(*index, 0u);
        EXPECT_EQ(editor.rows()[0].values.drawNo, number(1));
    }

    makeDatabase({DrawRow{}});
    DrawEditor unnumbered = openEditor();
    EXPECT_EQ(unnumbered.drawNoAfter(0), 1);
    EXPECT_FALSE(unnumbered.insertRowAfter(5)) << "a row that does not exist";
}

TEST_F(DrawEditorTest, InsertingAfterTheLastSixteenBitDrawNumberIsRefusedAndWritesNothing)
{
    makeDatabase({drawRow(32767, {1, 2, 3, 4, 5, 6})});
    DrawEditor editor = openEditor();
    auto index = editor.insertRowAfter(0);
    ASSERT_FALSE(index);
    EXPECT_NE(index.error().find("32767"), std::string::npos);
    EXPECT_EQ(editor.size(), 1u);
    EXPECT_EQ(reread().size(), 1u);
}

TEST_F(DrawEditorTest, ADeletedRowStaysDeletedAfterReopening)
{
    DrawEditor editor = openEditor();
    ASSERT_TRUE(editor.deleteRow(2));
    ASSERT_TRUE(editor.deleteRow(0));
    EXPECT_EQ(editor.size(), 1u);
    const auto rows = reread();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].drawNo, number(2));
    EXPECT_FALSE(editor.deleteRow(1));
}

TEST_F(DrawEditorTest, ARowChangedBehindTheEditorsBackIsReportedNotOverwritten)
{
    DrawEditor editor = openEditor();
    executeBehindTheEditor("UPDATE 結果マスタ SET 第1数字 = 30 WHERE 回数 = 2;");
    DrawRow edited = editor.rows()[1].values;
    edited.numbers[0] = number(21);
    const Status written = editor.updateRow(1, edited);
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().find("変更されていた"), std::string::npos) << written.error();
    EXPECT_EQ(editor.rows()[1].values.numbers[0], number(7)) << "the row as read is kept";
    EXPECT_EQ(reread()[1].numbers[0], number(30));

    const Status removed = editor.deleteRow(1);
    ASSERT_FALSE(removed);
    EXPECT_EQ(reread().size(), 3u);
    EXPECT_EQ(editor.size(), 3u);
}

TEST_F(DrawEditorTest, ARowRemovedBehindTheEditorsBackIsReported)
{
    DrawEditor editor = openEditor();
    executeBehindTheEditor("DELETE FROM 結果マスタ WHERE 回数 = 3;");
    DrawRow edited = editor.rows()[2].values;
    edited.numbers[0] = number(1);
    const Status written = editor.updateRow(2, edited);
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().find("削除されていた"), std::string::npos) << written.error();
    EXPECT_EQ(reread().size(), 2u) << "an update must not bring the row back";
}

TEST_F(DrawEditorTest, ALockedDatabaseFailsTheWriteWithAClearMessage)
{
    DrawEditor editor = openEditor();
    sqlite3_busy_timeout(editor.database().handle(), 50);
    auto other = DrawDatabase::open(connectStringForFile(m_path), DrawDatabase::Access::ReadWrite);
    ASSERT_TRUE(other);
    ASSERT_TRUE(other->execute("BEGIN IMMEDIATE;"));
    DrawRow edited = editor.rows()[0].values;
    edited.numbers[0] = number(9);
    const Status written = editor.updateRow(0, edited);
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().find("使用されている"), std::string::npos) << written.error();
    ASSERT_TRUE(other->execute("ROLLBACK;"));
    // Once the other program lets go, the same write goes through.
    EXPECT_TRUE(editor.updateRow(0, edited));
    EXPECT_EQ(reread()[0].numbers[0], number(9));
}

TEST_F(DrawEditorTest, AFullDiskFailsTheWriteAndLeavesTheFileAsItWas)
{
    DrawEditor editor = openEditor();
    sqlite3* db = editor.database().handle();
    // The engine's page limit stands in for a full disk: the write needs pages it cannot get.
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA max_page_count = 1;", nullptr, nullptr, nullptr), SQLITE_OK);
    DrawRow edited = editor.rows()[0].values;
    edited.date = std::string(200000, 'x');
    const Status written = editor.updateRow(0, edited);
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().find("ディスク"), std::string::npos) << written.error();
    EXPECT_EQ(reread()[0].date, RawValue{});
}

TEST_F(DrawEditorTest, AnOpenEditorKeepsImportsAndOtherEditorsAwayUntilItCloses)
{
    const std::string before = readFile(m_path);
    {
        DrawEditor editor = openEditor();
        auto second = DrawEditor::open(connectStringForFile(m_path));
        ASSERT_FALSE(second);
        EXPECT_NE(second.error().find("使用中"), std::string::npos) << second.error();

        writeFile(
            m_dir.file("draws.csv"),
            "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n9,,1,2,3,4,5,6\n");
        std::ostringstream out, err;
        EXPECT_EQ(runCli({"import", m_dir.file("draws.csv"), "--db", m_path}, out, err), 1);
        EXPECT_NE(err.str().find("使用中"), std::string::npos) << err.str();
        EXPECT_EQ(readFile(m_path), before);
    }
    EXPECT_TRUE(DrawEditor::open(connectStringForFile(m_path)));
    EXPECT_FALSE(std::filesystem::exists(m_path + ".lock")) << "the lock file outlives its holder";
}

TEST_F(DrawEditorTest, AReadOnlyDatabaseIsRefusedBeforeAnythingIsWritten)
{
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_read);
    const std::string before = readFile(m_path);
    auto editor = DrawEditor::open(connectStringForFile(m_path));
    ASSERT_FALSE(editor);
    EXPECT_NE(editor.error().find("読み取り専用"), std::string::npos) << editor.error();
    EXPECT_EQ(readFile(m_path), before);
}
