#include <gtest/gtest.h>

#include "core/analyses/analysis_builders.h"
#include "test_support.h"

namespace {

ResultGrid build(const DrawHistory& history)
{
    return buildPull(history, LoadDrawTables(history));
}

constexpr Rgb kPulled = rgb(200, 255, 255);

// Columns 2-7 of one row whose background marks a pulled number.
std::vector<int> pulledColumns(const ResultGrid& grid, int row)
{
    std::vector<int> cols;
    for (int col = 2; col <= 7; ++col)
        if (grid.cell(col, row).bg == kPulled) cols.push_back(col);
    return cols;
}

}  // namespace

TEST(PullAnalysis, HeadingRowAndGridSetUp)
{
    const ResultGrid grid =
        build(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {7, 8, 9, 10, 11, 12})}));
    ASSERT_EQ(grid.columnCount(), 7);
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.shownColumns(), 7);
    EXPECT_EQ(grid.shownRows(), 51);
    EXPECT_EQ(grid.frozenRows(), 1);
    EXPECT_EQ(grid.frozenColumns(), 1);
    EXPECT_EQ(grid.scrollBars(), ScrollBars::Vertical);
    EXPECT_EQ(grid.rowHeight(1), 15);
    EXPECT_EQ(grid.rowHeight(2), 10);
    EXPECT_EQ(grid.columnWidth(1), 7);
    EXPECT_EQ(grid.columnWidth(6), 7);
    EXPECT_EQ(grid.columnWidth(7), 9);
    EXPECT_TRUE(grid.overflow());

    EXPECT_EQ(grid.text(1, 1), "回数");
    EXPECT_EQ(grid.text(4, 1), " 本 数 字" + std::string(9, ' '));
    EXPECT_EQ(grid.cell(4, 1).hAlign, HAlign::Left);
    EXPECT_EQ(grid.text(7, 1), "ボーナス数字");
    for (int col = 1; col <= 7; ++col) {
        EXPECT_EQ(grid.cell(col, 1).bg, rgb(255, 200, 200));
        EXPECT_EQ(grid.cell(col, 1).fg, kBlack);
    }
    EXPECT_EQ(grid.cell(1, 2).bg, rgb(255, 255, 200));
    EXPECT_EQ(grid.cell(1, 3).fg, rgb(255, 0, 0));
    // The five main-number headings are underlined only.
    for (int col = 2; col <= 6; ++col) {
        EXPECT_TRUE(grid.cell(col, 1).border(Side::Bottom).shown);
        EXPECT_FALSE(grid.cell(col, 1).border(Side::Top).shown);
        EXPECT_FALSE(grid.cell(col, 1).border(Side::Left).shown);
        EXPECT_FALSE(grid.cell(col, 1).border(Side::Right).shown);
    }
    EXPECT_TRUE(grid.cell(7, 1).border(Side::Left).shown);
    EXPECT_TRUE(grid.cell(7, 3).border(Side::Bottom).shown);
}

TEST(PullAnalysis, HighlightsNumbersOfThePreviousDrawWhateverTheirField)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        // 2 and 5 were main numbers elsewhere, 6 was the bonus, bonus 1 was 第1数字.
        drawRow(2, {6, 7, 2, 9, 5, 1}),
        drawRow(3, {3, 10, 11, 12, 13, 1}),  // bonus equal to the previous bonus
        drawRow(4, {14, 15, 16, 17, 18, 19}),
    }));
    EXPECT_TRUE(pulledColumns(grid, 2).empty());
    EXPECT_EQ(pulledColumns(grid, 3), (std::vector<int>{2, 4, 6, 7}));
    EXPECT_EQ(pulledColumns(grid, 4), (std::vector<int>{7}));
    EXPECT_TRUE(pulledColumns(grid, 5).empty());
    EXPECT_EQ(grid.cell(1, 3).bg, rgb(255, 255, 200));
    EXPECT_EQ(grid.text(1, 3), "2");
    EXPECT_EQ(grid.text(7, 3), "1");
}

TEST(PullAnalysis, AnIncompleteRowLeavesNoGapAndIsNotThePreviousDraw)
{
    DrawRow partial = incompleteRow(2);
    for (int k = 0; k < 5; ++k)
        partial.numbers[k] = std::int64_t{20 + k};
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        partial,
        drawRow(3, {20, 21, 3, 22, 23, 24}),
    }));
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.text(1, 3), "3");
    EXPECT_EQ(pulledColumns(grid, 3), (std::vector<int>{4}));
    for (int col = 1; col <= 7; ++col)
        EXPECT_EQ(grid.text(col, 4), "");
}

TEST(PullAnalysis, TextWithALeadingZeroMatchesThePreviousNumber)
{
    DrawRow texts = drawRow(2, {9, 10, 11, 12, 13, 14});
    texts.numbers[3] = std::string("05");
    const ResultGrid grid = build(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), texts}));
    EXPECT_EQ(grid.text(5, 3), "5");
    EXPECT_EQ(pulledColumns(grid, 3), (std::vector<int>{5}));
}

TEST(PullAnalysis, AStoredZeroInTheFirstDrawIsNotPulled)
{
    const ResultGrid grid = build(historyOf({drawRow(1, {0, 2, 3, 4, 5, 6})}));
    EXPECT_EQ(grid.text(2, 2), "0");
    EXPECT_TRUE(pulledColumns(grid, 2).empty());
}

TEST(PullAnalysis, AnEmptyHistoryHasOnlyTheHeadingRow)
{
    const ResultGrid grid = build(historyOf({}));
    ASSERT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.text(7, 1), "ボーナス数字");
}
