#include <gtest/gtest.h>

#include "analyses/text_runs.h"
#include "core/analyses/analysis_builders.h"
#include "test_support.h"

namespace {

constexpr Rgb kMarked = rgb(200, 255, 255);
constexpr Rgb kYellow = rgb(255, 255, 200);

ResultGrid oddEven(const DrawHistory& history)
{
    return buildOddEvenPattern(history, LoadDrawTables(history));
}

ResultGrid lowHigh(const DrawHistory& history)
{
    return buildLowHighPattern(history, LoadDrawTables(history));
}

}  // namespace

TEST(OddEvenPattern, CountsParityOfTheMainNumbersAndNamesThePatternByTheOddCount)
{
    const ResultGrid grid = oddEven(historyOf({
        drawRow(1, {2, 4, 6, 8, 10, 3}),  // five even
        drawRow(2, {1, 3, 5, 7, 9, 2}),   // five odd
        drawRow(3, {2, 4, 5, 7, 9, 11}),  // two even, three odd
    }));
    ASSERT_EQ(grid.rowCount(), 4);

    EXPECT_EQ(grid.text(1, 2), "1");
    EXPECT_EQ(grid.text(8, 2), "5");
    EXPECT_EQ(grid.text(9, 2), "0");
    EXPECT_EQ(grid.text(10, 2), "A");
    EXPECT_EQ(grid.cell(10, 2).bg, kWhite);
    for (int c = 2; c <= 6; ++c)
        EXPECT_EQ(grid.cell(c, 2).bg, kMarked) << c;

    EXPECT_EQ(grid.text(8, 3), "0");
    EXPECT_EQ(grid.text(9, 3), "5");
    EXPECT_EQ(grid.text(10, 3), "F");
    EXPECT_EQ(grid.cell(10, 3).bg, rgb(255, 200, 200));
    for (int c = 2; c <= 6; ++c)
        EXPECT_EQ(grid.cell(c, 3).bg, kWhite) << c;

    EXPECT_EQ(grid.text(8, 4), "2");
    EXPECT_EQ(grid.text(9, 4), "3");
    EXPECT_EQ(grid.text(10, 4), "D");
    EXPECT_EQ(grid.cell(10, 4).bg, rgb(255, 255, 200));

    // The bonus is shown but never classified: an odd or an even bonus keeps the column colour.
    EXPECT_EQ(grid.text(7, 2), "3");
    EXPECT_EQ(grid.cell(7, 2).bg, kYellow);
    EXPECT_EQ(grid.cell(7, 3).bg, kYellow);
}

TEST(OddEvenPattern, EveryLetterHasItsColour)
{
    const std::array<std::pair<const char*, Rgb>, 6> letters = {{
        {"A", kWhite},
        {"B", rgb(200, 255, 255)},
        {"C", rgb(200, 255, 200)},
        {"D", rgb(255, 255, 200)},
        {"E", rgb(255, 200, 255)},
        {"F", rgb(255, 200, 200)},
    }};
    // Draw d + 1 has d odd main numbers.
    std::vector<DrawRow> rows;
    for (int odd = 0; odd <= 5; ++odd) {
        std::array<int, 6> numbers{};
        for (int k = 0; k < 5; ++k)
            numbers[k] = k < odd ? 2 * k + 1 : 2 * k + 12;
        numbers[5] = 31;
        rows.push_back(drawRow(odd + 1, numbers));
    }
    const ResultGrid grid = oddEven(historyOf(rows));
    for (int odd = 0; odd <= 5; ++odd) {
        EXPECT_EQ(grid.text(10, odd + 2), letters[odd].first) << odd;
        EXPECT_EQ(grid.cell(10, odd + 2).bg, letters[odd].second) << odd;
        EXPECT_EQ(grid.text(9, odd + 2), std::to_string(odd));
    }
}

TEST(OddEvenPattern, IncompleteRowsLeaveNoGapAndEmptyRowsAtTheBottom)
{
    const ResultGrid grid = oddEven(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        incompleteRow(2),
        drawRow(3, {1, 2, 3, 4, 5, 6}),
    }));
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.text(1, 3), "3");
    EXPECT_EQ(grid.text(1, 4), "");
    EXPECT_EQ(grid.text(10, 4), "");
    // The empty row is still styled as a draw row.
    EXPECT_EQ(grid.cell(1, 4).fg, rgb(255, 0, 0));
    EXPECT_EQ(grid.cell(8, 4).bg, kMarked);
}

TEST(OddEvenPattern, HeadingRowAndLayout)
{
    const ResultGrid grid = oddEven(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6})}));
    EXPECT_EQ(grid.columnCount(), 10);
    EXPECT_EQ(grid.frozenRows(), 1);
    EXPECT_EQ(grid.rowHeight(1), 20);
    EXPECT_EQ(grid.columnWidth(1), 6);
    EXPECT_EQ(grid.columnWidth(10), 7);
    EXPECT_EQ(grid.columnWidth(5), 5);
    EXPECT_EQ(textRuns(grid.text(3, 1)), "10sp,本,1sp,数,1sp,字,6sp");
    EXPECT_EQ(grid.cell(3, 1).hAlign, HAlign::Left);
    EXPECT_TRUE(grid.overflow());
    EXPECT_EQ(grid.text(8, 1), "偶数");
    EXPECT_EQ(grid.text(9, 1), "奇数");
    EXPECT_EQ(grid.text(10, 1), "パターン");
    EXPECT_EQ(grid.cell(1, 1).fg, rgb(0, 0, 255));
    EXPECT_EQ(grid.cell(1, 1).bg, rgb(255, 200, 200));
    // The main-number headings read as one box.
    EXPECT_TRUE(grid.cell(2, 1).border(Side::Left).shown);
    EXPECT_FALSE(grid.cell(2, 1).border(Side::Right).shown);
    EXPECT_TRUE(grid.cell(6, 1).border(Side::Right).shown);
    EXPECT_TRUE(grid.cell(7, 1).border(Side::Left).shown);
}

TEST(OddEvenPattern, EmptyHistoryIsTheHeadingRowAlone)
{
    const ResultGrid grid = oddEven(DrawHistory{});
    ASSERT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.text(1, 1), "回数");
    // Draw-row styling does not leak into the heading row.
    EXPECT_EQ(grid.cell(1, 1).fg, rgb(0, 0, 255));
    EXPECT_EQ(grid.cell(8, 1).bg, rgb(255, 200, 200));
}

TEST(LowHighPattern, FifteenIsLowAndSixteenIsHigh)
{
    const ResultGrid grid = lowHigh(historyOf({
        drawRow(1, {1, 2, 3, 4, 15, 16}),
        drawRow(2, {16, 20, 25, 30, 31, 15}),
    }));
    // Five low main numbers: pattern F; a high bonus keeps the column colour.
    EXPECT_EQ(grid.text(8, 2), "5");
    EXPECT_EQ(grid.text(9, 2), "0");
    EXPECT_EQ(grid.text(10, 2), "F");
    EXPECT_EQ(grid.cell(10, 2).bg, rgb(255, 200, 200));
    EXPECT_EQ(grid.cell(6, 2).bg, kMarked);
    EXPECT_EQ(grid.cell(7, 2).bg, kYellow);

    // Five high main numbers: pattern A on white, no main cell coloured; the low bonus is
    // coloured but changes neither count nor pattern.
    EXPECT_EQ(grid.text(8, 3), "0");
    EXPECT_EQ(grid.text(9, 3), "5");
    EXPECT_EQ(grid.text(10, 3), "A");
    EXPECT_EQ(grid.cell(10, 3).bg, kWhite);
    for (int c = 2; c <= 6; ++c)
        EXPECT_EQ(grid.cell(c, 3).bg, kWhite) << c;
    EXPECT_EQ(grid.text(7, 3), "15");
    EXPECT_EQ(grid.cell(7, 3).bg, kMarked);
}

TEST(LowHighPattern, NamesThePatternByTheLowCountAndHasItsOwnHeadings)
{
    const ResultGrid grid = lowHigh(historyOf({drawRow(1, {1, 2, 20, 21, 22, 1})}));
    EXPECT_EQ(grid.text(8, 2), "2");
    EXPECT_EQ(grid.text(9, 2), "3");
    EXPECT_EQ(grid.text(10, 2), "C");
    EXPECT_EQ(grid.cell(10, 2).bg, rgb(200, 255, 200));
    EXPECT_EQ(textRuns(grid.text(3, 1)), "10sp,本,1sp,数,1sp,字");
    EXPECT_EQ(grid.text(8, 1), "低数字");
    EXPECT_EQ(grid.text(9, 1), "高数字");
    EXPECT_EQ(grid.text(10, 1), "パターン");
    EXPECT_EQ(grid.rowHeight(1), 20);
}
