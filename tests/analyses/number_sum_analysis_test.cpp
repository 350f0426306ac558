#include <gtest/gtest.h>

#include "core/analyses/analysis_builders.h"
#include "test_support.h"

namespace {

ResultGrid build(const DrawHistory& history)
{
    return buildNumberSum(history, LoadDrawTables(history));
}

}  // namespace

TEST(NumberSumAnalysis, HeadingRowAndGridSetUp)
{
    const ResultGrid grid = build(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6})}));
    ASSERT_EQ(grid.columnCount(), 9);
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.shownColumns(), 9);
    EXPECT_EQ(grid.shownRows(), 51);
    EXPECT_EQ(grid.frozenRows(), 1);
    EXPECT_EQ(grid.frozenColumns(), 0);
    EXPECT_EQ(grid.scrollBars(), ScrollBars::Vertical);
    EXPECT_EQ(grid.rowHeight(1), 20);
    EXPECT_EQ(grid.rowHeight(2), 10);
    const std::vector<double> widths = {5, 5, 5, 5, 5, 5, 8, 7, 10};
    for (int col = 1; col <= 9; ++col)
        EXPECT_EQ(grid.columnWidth(col), widths[col - 1]) << col;
    EXPECT_TRUE(grid.overflow());

    const std::vector<std::string> headings = {"回数", "",           "",       "本 数 字",     "",
                                               "",     "本数字合計", "ボ数字", "本数字+ボ数字"};
    for (int col = 1; col <= 9; ++col) {
        EXPECT_EQ(grid.text(col, 1), headings[col - 1]) << col;
        EXPECT_EQ(grid.cell(col, 1).bg, rgb(255, 200, 200));
        EXPECT_EQ(grid.cell(col, 1).fg, kBlack);
    }
    EXPECT_EQ(grid.cell(4, 1).hAlign, HAlign::Left);

    // Below the heading: red on yellow draw numbers, blue on cyan sums, the bonus uncoloured.
    EXPECT_EQ(grid.cell(1, 2).fg, rgb(255, 0, 0));
    EXPECT_EQ(grid.cell(1, 2).bg, rgb(255, 255, 200));
    for (int col : {7, 9}) {
        EXPECT_EQ(grid.cell(col, 2).fg, rgb(0, 0, 255));
        EXPECT_EQ(grid.cell(col, 2).bg, rgb(200, 255, 255));
    }
    EXPECT_EQ(grid.cell(8, 2).bg, kWhite);

    // One box round columns 2-8 of row 1, without lines between the main-number headings.
    const auto shown = [&](int col, Side side) { return grid.cell(col, 1).border(side).shown; };
    EXPECT_TRUE(shown(2, Side::Left));
    EXPECT_FALSE(shown(2, Side::Right));
    EXPECT_FALSE(shown(4, Side::Left));
    EXPECT_TRUE(shown(4, Side::Top));
    EXPECT_TRUE(shown(6, Side::Bottom));
    EXPECT_TRUE(shown(7, Side::Left));
    EXPECT_TRUE(shown(8, Side::Right));
    EXPECT_TRUE(shown(9, Side::Right));
    EXPECT_TRUE(grid.cell(3, 2).border(Side::Right).shown);
}

TEST(NumberSumAnalysis, SumsTheMainNumbersAndAddsTheBonus)
{
    DrawRow texts = drawRow(3, {1, 2, 3, 4, 10, 6});
    texts.numbers[4] = std::string("05");
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        drawRow(2, {27, 28, 29, 30, 31, 26}),
        texts,
    }));
    const std::vector<std::vector<std::string>> expected = {
        {"1", "1", "2", "3", "4", "5", "15", "6", "21"},
        {"2", "27", "28", "29", "30", "31", "145", "26", "171"},
        {"3", "1", "2", "3", "4", "5", "15", "6", "21"},
    };
    for (int r = 0; r < 3; ++r)
        for (int col = 1; col <= 9; ++col)
            EXPECT_EQ(grid.text(col, r + 2), expected[r][col - 1]) << r << ' ' << col;
}

TEST(NumberSumAnalysis, IncompleteRowsTakeNoRowAndLeaveEmptyRowsAtTheBottom)
{
    const ResultGrid grid = build(historyOf({
        incompleteRow(1),
        drawRow(2, {1, 2, 3, 4, 5, 6}),
        incompleteRow(3),
        drawRow(4, {2, 3, 4, 5, 6, 7}),
    }));
    ASSERT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.text(1, 2), "2");
    EXPECT_EQ(grid.text(1, 3), "4");
    EXPECT_EQ(grid.text(7, 3), "20");
    for (int row : {4, 5})
        for (int col = 1; col <= 9; ++col)
            EXPECT_EQ(grid.text(col, row), "");
    EXPECT_EQ(grid.cell(7, 5).bg, rgb(200, 255, 255));
}

TEST(NumberSumAnalysis, AnEmptyHistoryHasOnlyTheHeadingRow)
{
    const ResultGrid grid = build(historyOf({}));
    ASSERT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.text(9, 1), "本数字+ボ数字");
}
