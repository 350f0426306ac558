#include <gtest/gtest.h>

#include "core/analyses/analysis_builders.h"
#include "test_support.h"

namespace {

constexpr Rgb kGroup1 = rgb(255, 255, 255);
constexpr Rgb kGroup2 = rgb(200, 255, 255);
constexpr Rgb kGroup3 = rgb(200, 255, 200);
constexpr Rgb kGroup4 = rgb(255, 255, 200);

ResultGrid build(const DrawHistory& history)
{
    return buildFourGroupTrend(history, LoadDrawTables(history));
}

std::string counts(const ResultGrid& grid, int row)
{
    return grid.text(8, row) + "," + grid.text(9, row) + "," + grid.text(10, row) + "," +
           grid.text(11, row);
}

bool isHeadingRow(const ResultGrid& grid, int row)
{
    return grid.text(1, row) == "回数" && grid.text(7, row) == "ボ数" &&
           grid.text(8, row) == "01～09" && grid.text(11, row) == "30～31" &&
           grid.rowHeight(row) == 20 && grid.cell(1, row).bg == rgb(255, 200, 200);
}

}  // namespace

TEST(FourGroupTrend, CountsAndColoursEachNumberByItsGroupBonusIncluded)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {3, 12, 18, 25, 31, 30}),
        drawRow(2, {9, 10, 19, 20, 29, 1}),
    }));
    EXPECT_EQ(grid.text(1, 2), "1");
    EXPECT_EQ(counts(grid, 2), "1,2,1,2");
    EXPECT_EQ(grid.cell(2, 2).bg, kGroup1);
    EXPECT_EQ(grid.cell(3, 2).bg, kGroup2);
    EXPECT_EQ(grid.cell(5, 2).bg, kGroup3);
    EXPECT_EQ(grid.text(6, 2), "31");
    EXPECT_EQ(grid.cell(6, 2).bg, kGroup4);
    EXPECT_EQ(grid.text(7, 2), "30");
    EXPECT_EQ(grid.cell(7, 2).bg, kGroup4);

    // The edges: 9 | 10 and 29 | 30; a bonus in group 1 turns its cell white.
    EXPECT_EQ(counts(grid, 3), "2,2,2,0");
    EXPECT_EQ(grid.cell(2, 3).bg, kGroup1);
    EXPECT_EQ(grid.cell(3, 3).bg, kGroup2);
    EXPECT_EQ(grid.cell(6, 3).bg, kGroup3);
    EXPECT_EQ(grid.cell(7, 3).bg, kGroup1);
}

TEST(FourGroupTrend, ValuesOutsideOneToThirtyOneFallIntoTheLastGroup)
{
    const ResultGrid grid = build(historyOf({drawRow(1, {0, 2, 3, 4, 45, 5})}));
    EXPECT_EQ(counts(grid, 2), "4,0,0,2");
    EXPECT_EQ(grid.cell(2, 2).bg, kGroup4);
    EXPECT_EQ(grid.cell(6, 2).bg, kGroup4);
}

TEST(FourGroupTrend, HeadingRowsRepeatBeforeEveryFiftyDrawsAndCloseTheTable)
{
    {
        const ResultGrid grid = build(syntheticHistory(50));
        ASSERT_EQ(grid.rowCount(), 52);
        EXPECT_TRUE(isHeadingRow(grid, 1));
        EXPECT_EQ(grid.text(1, 51), "50");
        EXPECT_TRUE(isHeadingRow(grid, 52));
    }
    {
        const ResultGrid grid = build(syntheticHistory(51));
        ASSERT_EQ(grid.rowCount(), 54);
        EXPECT_TRUE(isHeadingRow(grid, 52));
        EXPECT_EQ(grid.text(1, 53), "51");
        EXPECT_TRUE(isHeadingRow(grid, 54));
    }
    {
        const ResultGrid grid = build(syntheticHistory(120));
        ASSERT_EQ(grid.rowCount(), 124);
        for (const int row : {1, 52, 103, 124})
            EXPECT_TRUE(isHeadingRow(grid, row)) << row;
        EXPECT_EQ(grid.text(1, 102), "100");
        EXPECT_EQ(grid.text(1, 104), "101");
        EXPECT_EQ(grid.text(1, 123), "120");
        // A repeated heading looks like the first one: one box under the main numbers, draw
        // rows around it keep their colours.
        EXPECT_FALSE(grid.cell(3, 52).border(Side::Top).shown);
        EXPECT_FALSE(grid.cell(3, 52).border(Side::Left).shown);
        EXPECT_TRUE(grid.cell(3, 52).border(Side::Bottom).shown);
        EXPECT_EQ(grid.cell(8, 52).bg, rgb(200, 200, 255));
        EXPECT_EQ(grid.cell(8, 52).fg, rgb(0, 0, 255));
        EXPECT_EQ(grid.cell(1, 53).bg, rgb(255, 255, 200));
        EXPECT_EQ(grid.cell(9, 53).bg, kGroup2);
        // The counts are set off from the numbers by a red line, heading rows included.
        EXPECT_EQ(grid.cell(8, 52).border(Side::Left).color, rgb(255, 0, 0));
        EXPECT_EQ(grid.cell(8, 60).border(Side::Left).color, rgb(255, 0, 0));
    }
}

TEST(FourGroupTrend, EveryRowsCountsAddUpToSix)
{
    const ResultGrid grid = build(syntheticHistory(60));
    for (int row = 2; row < grid.rowCount(); ++row) {
        if (row == 52) continue;
        int sum = 0;
        for (int c = 8; c <= 11; ++c)
            sum += std::stoi(grid.text(c, row));
        EXPECT_EQ(sum, 6) << row;
    }
}

TEST(FourGroupTrend, EmptyHistoryIsASingleHeadingRow)
{
    const ResultGrid grid = build(DrawHistory{});
    ASSERT_EQ(grid.rowCount(), 1);
    EXPECT_TRUE(isHeadingRow(grid, 1));
    EXPECT_EQ(grid.cell(1, 1).fg, kBlack);
}

TEST(FourGroupTrend, SurplusDrawsOverwriteTheClosingHeadingAsTheBuildOrderHas)
{
    // Four complete draws but L = 2: the grid has rows for two, then the closing heading, which
    // the third draw overwrites (headings are written before the fill); the fourth has no row.
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        drawRow(2, {1, 2, 3, 4, 5, 6}),
        drawRow(2, {11, 12, 13, 14, 15, 16}),
        drawRow(2, {21, 22, 23, 24, 25, 26}),
    }));
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.text(1, 4), "2");
    EXPECT_EQ(grid.text(2, 4), "11");
    EXPECT_EQ(grid.cell(2, 4).bg, kGroup2);
    EXPECT_EQ(grid.text(7, 4), "16");
    EXPECT_EQ(counts(grid, 4), "0,6,0,0");
    // What the fill does not write keeps the heading's look.
    EXPECT_EQ(grid.cell(1, 4).bg, rgb(255, 200, 200));
    EXPECT_EQ(grid.rowHeight(4), 20);
}
