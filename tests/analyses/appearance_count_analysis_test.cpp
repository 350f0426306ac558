#include <gtest/gtest.h>

#include "core/analyses/analysis_builders.h"
#include "test_support.h"

namespace {

ResultGrid build(const DrawHistory& history)
{
    return buildAppearanceCount(history, LoadDrawTables(history));
}

// The earlier counts beside the six numbers of one grid row.
std::vector<std::string> counts(const ResultGrid& grid, int row)
{
    std::vector<std::string> texts;
    for (int col = 8; col <= 13; ++col)
        texts.push_back(grid.text(col, row));
    return texts;
}

}  // namespace

TEST(AppearanceCountAnalysis, HeadingsFormTwoColouredGroups)
{
    const ResultGrid grid = build(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6})}));
    ASSERT_EQ(grid.columnCount(), 13);
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.shownColumns(), 13);
    EXPECT_EQ(grid.shownRows(), 52);
    EXPECT_EQ(grid.frozenRows(), 2);
    EXPECT_EQ(grid.scrollBars(), ScrollBars::Vertical);
    EXPECT_EQ(grid.rowHeight(1), 20);
    EXPECT_EQ(grid.rowHeight(2), 12);
    EXPECT_EQ(grid.rowHeight(3), 10);
    EXPECT_TRUE(grid.overflow());

    EXPECT_EQ(grid.text(4, 1), std::string(2, ' ') + "当 選 数 字");
    EXPECT_EQ(grid.cell(4, 1).hAlign, HAlign::Left);
    EXPECT_EQ(grid.text(11, 1), "前回までの出現回数合計(回)");
    EXPECT_EQ(grid.cell(11, 1).hAlign, HAlign::Center);
    const std::vector<std::string> numberHeadings = {"第1数字", "第2数字", "第3数字",
                                                     "第4数字", "第5数字", "ボ数字"};
    EXPECT_EQ(grid.text(1, 2), "回数");
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(grid.text(2 + k, 2), numberHeadings[k]);
        EXPECT_EQ(grid.text(8 + k, 2), numberHeadings[k]);
    }

    for (int row : {1, 2}) {
        EXPECT_EQ(grid.cell(2, row).fg, rgb(0, 0, 255));
        EXPECT_EQ(grid.cell(7, row).bg, rgb(200, 255, 255));
        EXPECT_EQ(grid.cell(8, row).fg, rgb(255, 0, 0));
        EXPECT_EQ(grid.cell(13, row).bg, rgb(200, 255, 200));
    }
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(grid.cell(1, row).bg, rgb(255, 255, 200));
    EXPECT_EQ(grid.cell(8, 3).bg, kWhite);

    // Row 1: no lines between the cells of a group; each group keeps its outer lines.
    const auto shown = [&](int col, Side side) { return grid.cell(col, 1).border(side).shown; };
    EXPECT_TRUE(shown(2, Side::Left));
    EXPECT_FALSE(shown(2, Side::Right));
    EXPECT_FALSE(shown(5, Side::Left));
    EXPECT_TRUE(shown(5, Side::Top));
    EXPECT_TRUE(shown(5, Side::Bottom));
    EXPECT_TRUE(shown(7, Side::Right));
    EXPECT_TRUE(shown(8, Side::Left));
    EXPECT_FALSE(shown(10, Side::Right));
    EXPECT_TRUE(shown(13, Side::Right));
    EXPECT_TRUE(grid.cell(3, 2).border(Side::Right).shown);
}

TEST(AppearanceCountAnalysis, CountsEarlierDrawsWithTheNumberAsMainOrBonus)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {1, 7, 8, 9, 10, 2}),
        drawRow(3, {2, 6, 11, 12, 13, 1}),  // 6 was a bonus, 2 a main number and a bonus
    }));
    EXPECT_EQ(counts(grid, 3), std::vector<std::string>(6, "0"));
    EXPECT_EQ(counts(grid, 4), (std::vector<std::string>{"1", "0", "0", "0", "0", "1"}));
    EXPECT_EQ(counts(grid, 5), (std::vector<std::string>{"2", "1", "0", "0", "0", "2"}));
    EXPECT_EQ(grid.text(1, 5), "3");
    EXPECT_EQ(grid.text(7, 5), "1");
}

TEST(AppearanceCountAnalysis, IncompleteRowsTakeNoRowAndLeaveEmptyRowsAtTheBottom)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        incompleteRow(2),
        drawRow(3, {1, 2, 3, 4, 5, 6}),
    }));
    ASSERT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.text(1, 4), "3");
    EXPECT_EQ(counts(grid, 4), std::vector<std::string>(6, "1"));
    for (int col = 1; col <= 13; ++col)
        EXPECT_EQ(grid.text(col, 5), "");
}

TEST(AppearanceCountAnalysis, TextWithALeadingZeroAndOddNumbersAreCounted)
{
    DrawRow texts = drawRow(2, {9, 10, 11, 12, 13, 14});
    texts.numbers[0] = std::string("05");
    const ResultGrid grid = build(historyOf({
        drawRow(1, {5, 0, 99, -3, 20, 21}),
        texts,
        drawRow(3, {5, 0, 99, -3, 22, 23}),
    }));
    EXPECT_EQ(grid.text(2, 4), "5");
    EXPECT_EQ(grid.text(8, 4), "1");
    EXPECT_EQ(counts(grid, 5), (std::vector<std::string>{"2", "1", "1", "1", "0", "0"}));
}

TEST(AppearanceCountAnalysis, AnEmptyHistoryHasOnlyTheHeadingRows)
{
    const ResultGrid grid = build(historyOf({}));
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.text(1, 2), "回数");
}
