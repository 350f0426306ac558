#include <gtest/gtest.h>

#include "core/analyses/analysis_builders.h"
#include "test_support.h"

namespace {

ResultGrid build(const DrawHistory& history)
{
    return buildConsecutive(history, LoadDrawTables(history));
}

constexpr Rgb kYellow = rgb(255, 255, 200);
constexpr Rgb kGrey = rgb(225, 225, 225);
constexpr Rgb kConsecutive = rgb(200, 255, 255);
constexpr Rgb kSteppingStone = rgb(200, 255, 200);

// The columns of one row whose background is the given mark.
std::vector<int> marked(const ResultGrid& grid, int row, Rgb mark)
{
    std::vector<int> cols;
    for (int col = 1; col <= 12; ++col)
        if (grid.cell(col, row).bg == mark) cols.push_back(col);
    return cols;
}

}  // namespace

TEST(ConsecutiveAnalysis, HeadingRowHasTwoBoxedSections)
{
    const ResultGrid grid = build(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6})}));
    ASSERT_EQ(grid.columnCount(), 12);
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.shownColumns(), 12);
    EXPECT_EQ(grid.shownRows(), 51);
    EXPECT_EQ(grid.frozenRows(), 1);
    EXPECT_EQ(grid.frozenColumns(), 0);
    EXPECT_EQ(grid.scrollBars(), ScrollBars::Vertical);
    EXPECT_EQ(grid.rowHeight(1), 10);
    EXPECT_EQ(grid.columnWidth(1), 4);
    EXPECT_EQ(grid.columnWidth(12), 4);
    EXPECT_TRUE(grid.overflow());

    EXPECT_EQ(grid.text(1, 1), "回数");
    EXPECT_EQ(grid.text(7, 1), "回数");
    EXPECT_EQ(grid.text(3, 1), "\u3000\u3000連番(本数字)");
    EXPECT_EQ(grid.text(9, 1), "\u3000飛び石(本数字)");
    EXPECT_EQ(grid.cell(3, 1).hAlign, HAlign::Left);
    EXPECT_EQ(grid.cell(9, 1).hAlign, HAlign::Left);
    EXPECT_EQ(marked(grid, 1, rgb(255, 200, 255)), (std::vector<int>{2, 3, 4, 5, 6}));
    EXPECT_EQ(marked(grid, 1, rgb(255, 200, 200)), (std::vector<int>{8, 9, 10, 11, 12}));
    EXPECT_EQ(marked(grid, 1, kYellow), (std::vector<int>{1, 7}));
    EXPECT_EQ(grid.cell(7, 1).fg, rgb(255, 0, 0));
    EXPECT_EQ(grid.cell(3, 1).fg, kBlack);

    const auto shown = [&](int col, Side side) { return grid.cell(col, 1).border(side).shown; };
    EXPECT_TRUE(shown(2, Side::Left));
    EXPECT_FALSE(shown(2, Side::Right));
    EXPECT_FALSE(shown(4, Side::Left));
    EXPECT_TRUE(shown(4, Side::Top));
    EXPECT_TRUE(shown(4, Side::Bottom));
    EXPECT_TRUE(shown(6, Side::Right));
    EXPECT_TRUE(shown(8, Side::Left));
    EXPECT_FALSE(shown(11, Side::Right));
    EXPECT_TRUE(shown(12, Side::Right));
}

TEST(ConsecutiveAnalysis, MarksNeighbouringPairsOneApartLeftAndTwoApartRight)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {5, 6, 7, 20, 30, 1}),    // two consecutive pairs
        drawRow(2, {5, 7, 9, 20, 30, 1}),    // two stepping-stone pairs
        drawRow(3, {5, 6, 8, 20, 30, 1}),    // one of each
        drawRow(4, {1, 4, 10, 20, 30, 31}),  // none; the bonus never forms a pair
    }));
    EXPECT_EQ(marked(grid, 2, kConsecutive), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(marked(grid, 2, kSteppingStone), std::vector<int>{});
    EXPECT_EQ(grid.cell(1, 2).bg, kYellow);
    EXPECT_EQ(grid.cell(7, 2).bg, kGrey);

    EXPECT_EQ(marked(grid, 3, kConsecutive), std::vector<int>{});
    EXPECT_EQ(marked(grid, 3, kSteppingStone), (std::vector<int>{8, 9, 10}));
    EXPECT_EQ(grid.cell(1, 3).bg, kGrey);
    EXPECT_EQ(grid.cell(7, 3).bg, kYellow);

    EXPECT_EQ(marked(grid, 4, kConsecutive), (std::vector<int>{2, 3}));
    EXPECT_EQ(marked(grid, 4, kSteppingStone), (std::vector<int>{9, 10}));
    EXPECT_EQ(grid.cell(1, 4).bg, kYellow);
    EXPECT_EQ(grid.cell(7, 4).bg, kYellow);

    EXPECT_EQ(marked(grid, 5, kGrey), (std::vector<int>{1, 7}));
    EXPECT_EQ(grid.cell(1, 5).fg, rgb(255, 0, 0));

    // Both sections show the draw number and the five main numbers; the bonus is not shown.
    const std::vector<std::string> left = {"4", "1", "4", "10", "20", "30"};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(grid.text(1 + k, 5), left[k]);
        EXPECT_EQ(grid.text(7 + k, 5), left[k]);
    }
}

TEST(ConsecutiveAnalysis, OnlyNeighbouringFieldsInStoredOrderFormPairs)
{
    const ResultGrid grid = build(historyOf({drawRow(1, {6, 20, 5, 31, 7, 30})}));
    EXPECT_EQ(marked(grid, 2, kConsecutive), std::vector<int>{});
    EXPECT_EQ(marked(grid, 2, kSteppingStone), std::vector<int>{});
    EXPECT_EQ(marked(grid, 2, kGrey), (std::vector<int>{1, 7}));
}

TEST(ConsecutiveAnalysis, IncompleteRowsLeaveNoGapAndTextNumbersCompareAsNumbers)
{
    DrawRow texts = drawRow(3, {1, 2, 9, 20, 30, 7});
    texts.numbers[2] = std::string("07");
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 3, 9, 20, 30, 7}),
        incompleteRow(2),
        texts,
    }));
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.text(1, 3), "3");
    EXPECT_EQ(grid.text(4, 3), "7");
    EXPECT_EQ(marked(grid, 3, kConsecutive), (std::vector<int>{2, 3}));
    for (int col = 1; col <= 12; ++col)
        EXPECT_EQ(grid.text(col, 4), "");
    EXPECT_EQ(grid.cell(1, 4).bg, kYellow);
}

TEST(ConsecutiveAnalysis, AnEmptyHistoryHasOnlyTheHeadingRow)
{
    EXPECT_EQ(build(historyOf({})).rowCount(), 1);
}
