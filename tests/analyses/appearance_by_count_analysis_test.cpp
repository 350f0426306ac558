#include <gtest/gtest.h>

#include "core/analyses/analysis_builders.h"
#include "test_support.h"

namespace {

ResultGrid build(const DrawHistory& history)
{
    return buildAppearanceByCount(history, LoadDrawTables(history));
}

}  // namespace

TEST(AppearanceByCount, ListsTheOccurringCountsLowestFirstWithTheirNumbers)
{
    // 1..5 twice, 6 and 7 once, 8..31 never.
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        drawRow(2, {1, 2, 3, 4, 5, 7}),
    }));
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.columnCount(), 2);
    EXPECT_EQ(grid.text(1, 1), "出 現");
    EXPECT_EQ(grid.text(2, 1), "数 字");
    EXPECT_EQ(grid.text(1, 2), "0回");
    EXPECT_EQ(grid.text(2, 2),
              "8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31");
    EXPECT_EQ(grid.text(1, 3), "1回");
    EXPECT_EQ(grid.text(2, 3), "6,7");
    EXPECT_EQ(grid.text(1, 4), "2回");
    EXPECT_EQ(grid.text(2, 4), "1,2,3,4,5");

    EXPECT_EQ(grid.cell(1, 1).bg, rgb(255, 200, 200));
    EXPECT_EQ(grid.cell(2, 1).bg, rgb(255, 200, 200));
    EXPECT_EQ(grid.cell(2, 1).hAlign, HAlign::Center);
    EXPECT_EQ(grid.cell(1, 3).bg, rgb(255, 255, 200));
    EXPECT_EQ(grid.cell(2, 3).fg, rgb(0, 0, 255));
    EXPECT_EQ(grid.cell(2, 3).hAlign, HAlign::Left);
    EXPECT_TRUE(grid.cell(2, 4).border(Side::Bottom).shown);
    EXPECT_EQ(grid.columnWidth(2), 20);
    EXPECT_TRUE(grid.overflow());
}

TEST(AppearanceByCount, WithEveryNumberDrawnTheFirstRowIsTheLowestCount)
{
    // Every number once; 1 a second time as a bonus.
    std::vector<DrawRow> rows;
    for (int d = 0; d < 5; ++d)
        rows.push_back(
            drawRow(d + 1, {6 * d + 1, 6 * d + 2, 6 * d + 3, 6 * d + 4, 6 * d + 5, 6 * d + 6}));
    rows.push_back(drawRow(6, {31, 1, 2, 3, 4, 1}));
    const ResultGrid grid = build(historyOf(rows));
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.text(1, 2), "1回");
    EXPECT_EQ(grid.text(1, 3), "2回");
    EXPECT_EQ(grid.text(2, 3), "2,3,4");
    EXPECT_EQ(grid.text(1, 4), "3回");
    EXPECT_EQ(grid.text(2, 4), "1");
}

TEST(AppearanceByCount, OnlyIncompleteRowsListAllNumbersUnderZero)
{
    const ResultGrid grid = build(historyOf({incompleteRow(1)}));
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.text(1, 2), "0回");
    EXPECT_EQ(grid.text(2, 2).substr(0, 6), "1,2,3,");
    EXPECT_EQ(grid.text(2, 2).substr(grid.text(2, 2).size() - 5), "30,31");
}

TEST(AppearanceByCount, EmptyHistoryHasNoRows)
{
    const ResultGrid grid = build(DrawHistory{});
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.columnCount(), 2);
}
