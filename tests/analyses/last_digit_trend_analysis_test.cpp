#include <gtest/gtest.h>

#include "analyses/text_runs.h"
#include "core/analyses/analysis_builders.h"
#include "core/analyses/last_digit_heading.h"
#include "test_support.h"

namespace {

ResultGrid build(const DrawHistory& history)
{
    return buildLastDigitTrend(history, LoadDrawTables(history));
}

// Column of last digit k.
int digitColumn(int k)
{
    return k + 2;
}

void expectHeadingBlock(const ResultGrid& grid, int titleRow, int digitRow)
{
    EXPECT_EQ(grid.text(1, titleRow), "回数");
    EXPECT_EQ(grid.text(2, titleRow), lastDigitTitleText());
    EXPECT_EQ(grid.cell(2, titleRow).hAlign, HAlign::Left);
    EXPECT_EQ(grid.rowHeight(titleRow), 20);
    EXPECT_EQ(grid.text(1, digitRow), "");
    for (int k = 0; k <= 9; ++k)
        EXPECT_EQ(grid.text(digitColumn(k), digitRow), std::to_string(k));
    EXPECT_EQ(grid.cell(5, titleRow).bg, rgb(255, 200, 200));
    EXPECT_EQ(grid.cell(5, digitRow).fg, rgb(0, 0, 255));
    // The title band is one box: no inner lines.
    EXPECT_FALSE(grid.cell(5, titleRow).border(Side::Left).shown);
    EXPECT_TRUE(grid.cell(5, titleRow).border(Side::Top).shown);
    EXPECT_TRUE(grid.cell(11, titleRow).border(Side::Right).shown);
    EXPECT_TRUE(grid.cell(1, titleRow).border(Side::Left).shown);
}

}  // namespace

TEST(LastDigitTrend, EachDigitIsWrittenOncePerNumberEndingInItBonusIncluded)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {3, 13, 23, 30, 31, 20}),
        drawRow(2, {1, 11, 21, 5, 6, 31}),
        drawRow(3, {1, 2, 3, 4, 5, 6}),
    }));
    EXPECT_EQ(grid.text(1, 3), "1");
    EXPECT_EQ(grid.text(digitColumn(3), 3), "333");
    EXPECT_EQ(grid.cell(digitColumn(3), 3).bg, rgb(200, 255, 200));
    EXPECT_EQ(grid.text(digitColumn(0), 3), "00");
    EXPECT_EQ(grid.cell(digitColumn(0), 3).bg, rgb(200, 255, 255));
    EXPECT_EQ(grid.text(digitColumn(1), 3), "1");
    EXPECT_EQ(grid.cell(digitColumn(1), 3).bg, kWhite);
    for (const int k : {2, 4, 5, 6, 7, 8, 9}) {
        EXPECT_EQ(grid.text(digitColumn(k), 3), "") << k;
        EXPECT_EQ(grid.cell(digitColumn(k), 3).bg, kWhite) << k;
    }

    EXPECT_EQ(grid.text(digitColumn(1), 4), "1111");
    EXPECT_EQ(grid.cell(digitColumn(1), 4).bg, rgb(255, 200, 200));

    // Six different last digits: one character each, all white.
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(grid.text(digitColumn(k), 5), std::to_string(k));
        EXPECT_EQ(grid.cell(digitColumn(k), 5).bg, kWhite);
    }
}

TEST(LastDigitTrend, HeadingBlocksStandAboveAndBelowTheDraws)
{
    const ResultGrid grid =
        build(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {1, 2, 3, 4, 5, 6})}));
    ASSERT_EQ(grid.rowCount(), 6);
    EXPECT_EQ(grid.columnCount(), 11);
    EXPECT_EQ(grid.frozenRows(), 2);
    expectHeadingBlock(grid, 1, 2);
    expectHeadingBlock(grid, 6, 5);
    EXPECT_EQ(grid.cell(1, 3).fg, rgb(255, 0, 0));
    EXPECT_EQ(grid.cell(1, 3).bg, rgb(255, 255, 200));
}

TEST(LastDigitTrend, TitleTextIsSpelledOutExactly)
{
    EXPECT_EQ(textRuns(lastDigitTitleText()), "43sp,下,一,桁,数,字,27sp,3isp,18sp");
    EXPECT_EQ(codePointCount(lastDigitTitleText()), 96);
}

TEST(LastDigitTrend, EmptyHistoryIsTheTwoHeadingBlocks)
{
    const ResultGrid grid = build(DrawHistory{});
    ASSERT_EQ(grid.rowCount(), 4);
    expectHeadingBlock(grid, 1, 2);
    expectHeadingBlock(grid, 4, 3);
}

TEST(LastDigitTrend, SkippedRowsTakeNoRowAndGapsLeaveEmptyRowsAboveTheBottomBlock)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        incompleteRow(2),
        drawRow(4, {7, 8, 9, 10, 11, 12}),
    }));
    ASSERT_EQ(grid.rowCount(), 8);
    EXPECT_EQ(grid.text(1, 4), "4");
    EXPECT_EQ(grid.text(digitColumn(7), 4), "7");
    EXPECT_EQ(grid.text(1, 5), "");
    EXPECT_EQ(grid.text(1, 6), "");
    expectHeadingBlock(grid, 8, 7);
}

TEST(LastDigitTrend, NegativeNumbersHaveNoLastDigit)
{
    const ResultGrid grid = build(historyOf({drawRow(1, {-3, 13, 2, 4, 5, 6})}));
    ASSERT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.text(digitColumn(3), 3), "3");
    expectHeadingBlock(grid, 5, 4);
}

TEST(LastDigitTrend, SurplusDrawsOverwriteTheBottomBlockAsTheBuildOrderHas)
{
    // Four complete draws but L = 1: the second and third land on the bottom heading block,
    // written before the fill; the fourth has no row.
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        drawRow(1, {7, 17, 27, 4, 5, 6}),
        drawRow(1, {9, 19, 2, 4, 5, 6}),
        drawRow(1, {3, 13, 23, 30, 31, 20}),
    }));
    ASSERT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.text(1, 4), "1");
    EXPECT_EQ(grid.text(digitColumn(7), 4), "777");
    EXPECT_EQ(grid.cell(digitColumn(7), 4).bg, rgb(200, 255, 200));
    EXPECT_EQ(grid.text(digitColumn(0), 4), "");
    EXPECT_EQ(grid.text(1, 5), "1");
    EXPECT_EQ(grid.text(digitColumn(9), 5), "99");
    EXPECT_EQ(grid.text(digitColumn(3), 5), "");
}
