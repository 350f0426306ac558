#include <gtest/gtest.h>

#include "analyses/text_runs.h"
#include "core/analyses/analysis_builders.h"
#include "test_support.h"

namespace {

constexpr Rgb kMainDot = rgb(62, 158, 255);
constexpr Rgb kBonusDot = rgb(255, 128, 192);
constexpr Rgb kGridLine = rgb(136, 196, 255);

ResultGrid build(const DrawHistory& history)
{
    return buildDispersion(history, LoadDrawTables(history));
}

}  // namespace

TEST(Dispersion, ADrawRowHoldsFiveBlueDotsAndOnePinkDot)
{
    const ResultGrid grid = build(historyOf({drawRow(1, {1, 9, 17, 25, 31, 4})}));
    int blue = 0, pink = 0, dots = 0;
    for (int c = 2; c <= 32; ++c) {
        if (grid.text(c, 3) != "●") continue;
        ++dots;
        if (grid.cell(c, 3).fg == kMainDot) ++blue;
        if (grid.cell(c, 3).fg == kBonusDot) ++pink;
    }
    EXPECT_EQ(dots, 6);
    EXPECT_EQ(blue, 5);
    EXPECT_EQ(pink, 1);
    EXPECT_EQ(grid.cell(5, 3).fg, kBonusDot);  // 4 in column 5
    EXPECT_EQ(grid.cell(32, 3).fg, kMainDot);  // 31 in column 32
    EXPECT_EQ(grid.text(1, 3), "1");
    EXPECT_EQ(grid.text(33, 3), "1");
}

TEST(Dispersion, NumbersHaveFixedColumnsUnderTheirHeadings)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        drawRow(2, {2, 3, 4, 5, 6, 7}),
    }));
    ASSERT_EQ(grid.columnCount(), 33);
    ASSERT_EQ(grid.rowCount(), 5);
    for (int n = 1; n <= 31; ++n)
        EXPECT_EQ(grid.text(n + 1, 2), std::to_string(n));
    EXPECT_EQ(grid.text(1, 2), "回");
    EXPECT_EQ(grid.text(33, 2), "回");
    EXPECT_EQ(grid.cell(2, 2).fg, rgb(0, 0, 255));
    EXPECT_EQ(grid.cell(2, 2).bg, rgb(200, 255, 255));
    // 31 was never drawn: its column stays empty below the heading.
    for (int row = 3; row <= 5; ++row)
        EXPECT_EQ(grid.text(32, row), "");
    // The row after the last draw stays empty but is styled like a draw row.
    for (int c = 1; c <= 33; ++c)
        EXPECT_EQ(grid.text(c, 5), "");
    EXPECT_EQ(grid.cell(1, 5).bg, rgb(255, 255, 200));
    EXPECT_EQ(grid.cell(10, 5).border(Side::Bottom).color, kGridLine);
}

TEST(Dispersion, TitleRowAndLayout)
{
    const ResultGrid grid = build(DrawHistory{});
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(textRuns(grid.text(16, 1)), "数,7isp,字");
    EXPECT_EQ(grid.cell(16, 1).fg, rgb(0, 0, 255));
    EXPECT_EQ(grid.cell(16, 1).bg, rgb(222, 254, 253));
    EXPECT_EQ(grid.cell(1, 1).bg, rgb(255, 255, 200));
    EXPECT_EQ(grid.cell(1, 1).border(Side::Right).color, kGridLine);
    EXPECT_TRUE(grid.cell(2, 1).border(Side::Left).shown);
    EXPECT_FALSE(grid.cell(2, 1).border(Side::Right).shown);
    EXPECT_TRUE(grid.cell(32, 1).border(Side::Right).shown);
    EXPECT_EQ(grid.frozenRows(), 2);
    EXPECT_EQ(grid.frozenColumns(), 1);
    EXPECT_EQ(grid.columnWidth(1), 5);
    EXPECT_EQ(grid.columnWidth(2), 2);
    EXPECT_EQ(grid.columnWidth(33), 5);
    EXPECT_EQ(grid.rowHeight(2), 15);
    EXPECT_EQ(grid.rowHeight(3), 10);
}

TEST(Dispersion, IncompleteRowsTakeNoRow)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        incompleteRow(2),
        drawRow(3, {7, 8, 9, 10, 11, 12}),
    }));
    ASSERT_EQ(grid.rowCount(), 6);
    EXPECT_EQ(grid.text(1, 4), "3");
    EXPECT_EQ(grid.text(8, 4), "●");
    EXPECT_EQ(grid.text(1, 5), "");
}

TEST(Dispersion, AStoredValueOutsideOneToThirtyOneMarksNothing)
{
    const ResultGrid grid = build(historyOf({drawRow(4, {0, 2, 3, 4, 5, 32})}));
    EXPECT_EQ(grid.text(1, 3), "4");
    EXPECT_EQ(grid.text(33, 3), "4");
    EXPECT_EQ(grid.cell(1, 3).fg, rgb(255, 0, 0));
    EXPECT_EQ(grid.cell(33, 3).fg, rgb(255, 0, 0));
}
