#include <gtest/gtest.h>

#include "core/draws/connection_string.h"
#include "core/draws/draw_database.h"
#include "test_support.h"

namespace {
std::string makeDatabase(const TempDir& dir, const std::vector<DrawRow>& rows)
{
    const std::string path = dir.file(kDatabaseFileName);
    auto database = DrawDatabase::create(path);
    EXPECT_TRUE(database) << database.error();
    EXPECT_TRUE(database->insertDraws(rows));
    return path;
}
}  // namespace

TEST(ConnectString, IsBuiltFromItsSixPiecesAndParsedBack)
{
    const std::string connect = buildDbConnectString("/opt/pomuran/");
    EXPECT_EQ(connect, "Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=" +
                           databasePassword() + ";Data Source=/opt/pomuran/Pomuran.mdb");
    EXPECT_EQ(databasePassword().size(), 6u);
    const auto pieces = parseConnectString(connect);
    ASSERT_TRUE(pieces);
    EXPECT_EQ(pieces->password, databasePassword());
    EXPECT_EQ(pieces->dataSource, "/opt/pomuran/Pomuran.mdb");
    EXPECT_FALSE(parseConnectString("Data Source=x"));
}

TEST(DrawDatabase, ReturnsRowsOrderedByDrawNumberWithNullsFirstAndTiesInStoredOrder)
{
    TempDir dir;
    DrawRow second = drawRow(5, {1, 2, 3, 4, 5, 6});
    second.date = std::string("2000-01-01");
    DrawRow tie = drawRow(5, {7, 8, 9, 10, 11, 12});
    DrawRow noNumber;
    noNumber.numbers[0] = std::int64_t{9};
    const std::string path =
        makeDatabase(dir, {drawRow(9, {1, 2, 3, 4, 5, 6}), second, tie, noNumber});

    const auto history = loadDrawHistory(connectStringForFile(path));
    ASSERT_TRUE(history) << history.error();
    ASSERT_EQ(history->size(), 4u);
    EXPECT_TRUE(isEmptyField(history->rows()[0].drawNo));
    EXPECT_EQ(std::get<std::string>(history->rows()[1].date), "2000-01-01");
    EXPECT_EQ(fieldNumber(history->rows()[2].numbers[0]), 7);
    EXPECT_EQ(fieldNumber(history->rows()[3].drawNo), 9);
}

TEST(DrawDatabase, TheFileIsEncrypted)
{
    TempDir dir;
    const std::string path = makeDatabase(dir, {drawRow(1, {1, 2, 3, 4, 5, 6})});
    EXPECT_NE(readFile(path).substr(0, 15), "SQLite format 3");
}

TEST(DrawDatabase, FailedOpensNameTheFileAndTheEngineErrorAndChangeNothing)
{
    TempDir dir;
    const std::string missing = dir.file("missing.mdb");
    auto result = DrawDatabase::open(connectStringForFile(missing));
    ASSERT_FALSE(result);
    EXPECT_NE(result.error().find(missing), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(missing));

    const std::string path = makeDatabase(dir, {drawRow(1, {1, 2, 3, 4, 5, 6})});
    const std::string before = readFile(path);
    const std::string wrongPassword =
        "Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=111111;Data Source=" + path;
    result = DrawDatabase::open(wrongPassword);
    ASSERT_FALSE(result);
    EXPECT_NE(result.error().find("file is encrypted or is not a database"), std::string::npos);
    EXPECT_EQ(readFile(path), before);

    const std::string text = dir.file("notes.mdb");
    writeFile(text, "these are not draws, just some text long enough to be a page header......");
    result = DrawDatabase::open(connectStringForFile(text));
    ASSERT_FALSE(result);
    EXPECT_NE(result.error().find(text), std::string::npos);
}

TEST(DrawDatabase, AMissingSavedQueryFailsTheLoad)
{
    TempDir dir;
    const std::string path = makeDatabase(dir, {});
    {
        auto database =
            DrawDatabase::open(connectStringForFile(path), DrawDatabase::Access::ReadWrite);
        ASSERT_TRUE(database);
        ASSERT_TRUE(database->execute("DROP VIEW 全データ選択クエリ;"));
    }
    const auto history = loadDrawHistory(connectStringForFile(path));
    ASSERT_FALSE(history);
    EXPECT_NE(history.error().find("全データ選択クエリ"), std::string::npos);
}

TEST(DrawDatabase, TheSnapshotDoesNotSeeLaterReplacementOfTheFile)
{
    TempDir dir;
    const std::string path = makeDatabase(dir, {drawRow(1, {1, 2, 3, 4, 5, 6})});
    const auto history = loadDrawHistory(connectStringForFile(path));
    ASSERT_TRUE(history);
    std::filesystem::remove(path);
    makeDatabase(dir, {drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {1, 2, 3, 4, 5, 6})});
    EXPECT_EQ(history->size(), 1u);
}
