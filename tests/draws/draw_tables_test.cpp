#include <gtest/gtest.h>

#include "core/draws/draw_tables.h"
#include "test_support.h"

TEST(LoadDrawTables, EmptyHistoryLeavesEveryTableAtItsStart)
{
    const DrawTables tables = LoadDrawTables(DrawHistory());
    EXPECT_EQ(tables.LatestDrawNo, 0);
    EXPECT_EQ(tables.MaxHits, 0);
    EXPECT_EQ(tables.HitGroupRows, 0);
    EXPECT_TRUE(tables.HitGroups.empty());
    for (const int hits : tables.NumberHits)
        EXPECT_EQ(hits, 0);
}

TEST(LoadDrawTables, OnlyIncompleteRowsListEveryNumberUnderCountZero)
{
    const DrawTables tables = LoadDrawTables(historyOf({incompleteRow(1), incompleteRow(2)}));
    EXPECT_EQ(tables.LatestDrawNo, 0);
    EXPECT_EQ(tables.MaxHits, 0);
    EXPECT_EQ(tables.HitGroupRows, 2);
    ASSERT_EQ(tables.HitGroups.size(), 1u);
    EXPECT_EQ(
        tables.HitGroups[0],
        "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31");
}

TEST(LoadDrawTables, CountsMainAndBonusAlikeAndSkipsIncompleteRows)
{
    const DrawTables tables = LoadDrawTables(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {6, 7, 8, 9, 10, 1}),
        incompleteRow(3),  // a last row with only 回数 is skipped
    }));
    EXPECT_EQ(tables.LatestDrawNo, 2);
    EXPECT_EQ(tables.NumberHits[1], 2);  // once main, once bonus
    EXPECT_EQ(tables.NumberHits[6], 2);
    EXPECT_EQ(tables.NumberHits[2], 1);
    EXPECT_EQ(tables.NumberHits[31], 0);
    EXPECT_EQ(tables.MaxHits, 2);
    ASSERT_EQ(tables.HitGroups.size(), 3u);
    EXPECT_EQ(tables.HitGroups[2], "1,6");
    EXPECT_EQ(tables.HitGroups[1], "2,3,4,5,7,8,9,10");
    EXPECT_EQ(tables.HitGroupRows, 4);
}

TEST(LoadDrawTables, DuplicateDrawNumbersAreBothCountedAndTextIsReadAsNumber)
{
    DrawRow textual = drawRow(7, {1, 2, 3, 4, 5, 6});
    textual.numbers[0] = std::string("05");
    const DrawTables tables = LoadDrawTables(historyOf({drawRow(7, {1, 2, 3, 4, 5, 6}), textual}));
    EXPECT_EQ(tables.LatestDrawNo, 7);
    EXPECT_EQ(tables.NumberHits[5], 3);  // "05" in the second row, 5 in both
    EXPECT_EQ(tables.NumberHits[1], 1);
}

TEST(LoadDrawTables, StoredValuesOutsideOneToThirtyOneAreNeverIndexed)
{
    const DrawTables tables =
        LoadDrawTables(historyOf({drawRow(12000, {0, 32, 3000, -5, 32767, 31})}));
    EXPECT_EQ(tables.LatestDrawNo, 12000);
    EXPECT_EQ(tables.NumberHits[31], 1);
    EXPECT_EQ(tables.MaxHits, 1);
    EXPECT_EQ(tables.HitGroups[1], "31");
}

TEST(LoadDrawTables, AllEqualCountsGiveTwoRowsAndAllDifferentGiveThirtyTwo)
{
    // 31 numbers, each drawn once per history of draws covering 1..31 evenly is hard with six
    // per draw; build counts directly: number n appears n times as the bonus of a filler draw.
    std::vector<DrawRow> rows;
    int drawNo = 0;
    for (int n = 1; n <= 31; ++n)
        for (int i = 0; i < n; ++i) {
            DrawRow row = drawRow(++drawNo, {0, 0, 0, 0, 0, n});  // 0 is never counted
            rows.push_back(row);
        }
    const DrawTables different = LoadDrawTables(historyOf(rows));
    EXPECT_EQ(different.HitGroupRows, 32);
    EXPECT_EQ(different.MaxHits, 31);
    EXPECT_EQ(different.HitGroups[0], "");

    std::vector<DrawRow> even;
    for (int n = 1; n <= 31; ++n)
        even.push_back(drawRow(n, {0, 0, 0, 0, 0, n}));
    const DrawTables equal = LoadDrawTables(historyOf(even));
    EXPECT_EQ(equal.HitGroupRows, 2);
    EXPECT_EQ(equal.HitGroups[equal.MaxHits].substr(0, 6), "1,2,3,");
}
