#include <gtest/gtest.h>

#include "core/analyses/analysis_builders.h"
#include "test_support.h"

namespace {

ResultGrid build(const DrawHistory& history)
{
    return buildNumberInterval(history, LoadDrawTables(history));
}

constexpr Rgb kFall = rgb(255, 200, 255);

std::vector<std::string> differences(const ResultGrid& grid, int row)
{
    std::vector<std::string> texts;
    for (int col = 3; col <= 13; col += 2)
        texts.push_back(grid.text(col, row));
    return texts;
}

void expectHeadingBlock(const ResultGrid& grid, int groupRow, int headingRow)
{
    EXPECT_EQ(grid.text(6, groupRow), std::string(4, ' ') + "本 数 字");
    EXPECT_EQ(grid.cell(6, groupRow).hAlign, HAlign::Left);
    EXPECT_EQ(grid.text(12, groupRow), std::string(5, ' ') + "ボ数字" + std::string(3, ' ') +
                                           "\u3000" + std::string(3, ' '));
    EXPECT_EQ(grid.cell(12, groupRow).hAlign, HAlign::Left);
    const std::vector<std::string> headings = {
        "回数",    "第1数字", "差分",    "第2数字", "差分",   "第3数字", "差分",
        "第4数字", "差分",    "第5数字", "差分",    "ボ数字", "差分"};
    for (int col = 1; col <= 13; ++col)
        EXPECT_EQ(grid.text(col, headingRow), headings[col - 1]);
    EXPECT_EQ(grid.cell(7, groupRow).bg, rgb(255, 200, 200));
    EXPECT_EQ(grid.cell(7, headingRow).bg, rgb(255, 200, 200));
    // On the group row only the bonus pair is boxed: a line left of 12 and right of 13.
    const auto shown = [&](int col, Side side) {
        return grid.cell(col, groupRow).border(side).shown;
    };
    for (int col = 2; col <= 11; ++col)
        for (Side side : {Side::Left, Side::Top, Side::Right, Side::Bottom})
            EXPECT_FALSE(shown(col, side)) << col;
    EXPECT_TRUE(shown(12, Side::Left));
    EXPECT_FALSE(shown(12, Side::Right));
    EXPECT_FALSE(shown(12, Side::Top));
    EXPECT_TRUE(shown(13, Side::Right));
    EXPECT_FALSE(shown(13, Side::Left));
    EXPECT_TRUE(shown(1, Side::Right));
}

}  // namespace

TEST(NumberIntervalAnalysis, HeadingBlocksFrameTheDrawsAndTheDrawNumberColumnIsYellow)
{
    const ResultGrid grid =
        build(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {7, 8, 9, 10, 11, 12}),
                         drawRow(3, {7, 8, 9, 10, 11, 12})}));
    ASSERT_EQ(grid.columnCount(), 13);
    ASSERT_EQ(grid.rowCount(), 7);
    EXPECT_EQ(grid.shownRows(), 52);
    EXPECT_EQ(grid.frozenRows(), 2);
    EXPECT_EQ(grid.scrollBars(), ScrollBars::Vertical);
    EXPECT_EQ(grid.rowHeight(1), 15);
    EXPECT_EQ(grid.rowHeight(2), 12);
    EXPECT_EQ(grid.rowHeight(7), 10);
    expectHeadingBlock(grid, 1, 2);
    expectHeadingBlock(grid, 7, 6);
    EXPECT_EQ(grid.text(1, 5), "3");
    for (int row = 1; row <= 7; ++row) {
        EXPECT_EQ(grid.cell(1, row).bg, rgb(255, 255, 200));
        EXPECT_EQ(grid.cell(1, row).fg, rgb(255, 0, 0));
    }
}

TEST(NumberIntervalAnalysis, ShowsRisesWithAPlusSignAndHighlightsFalls)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {3, 10, 15, 20, 25, 7}),
        drawRow(2, {8, 10, 12, 22, 31, 2}),
        // Bonus 8 equals the previous 第1数字 but is compared with the previous bonus only.
        drawRow(3, {1, 12, 13, 14, 15, 8}),
    }));
    EXPECT_EQ(differences(grid, 3), std::vector<std::string>(6, ""));
    EXPECT_EQ(differences(grid, 4), (std::vector<std::string>{"+5", "0", "-3", "+2", "+6", "-5"}));
    EXPECT_EQ(differences(grid, 5),
              (std::vector<std::string>{"-7", "+2", "+1", "-8", "-16", "+6"}));
    EXPECT_EQ(grid.cell(3, 4).bg, kWhite);
    EXPECT_EQ(grid.cell(5, 4).bg, kWhite);  // unchanged: 0, no highlight
    EXPECT_EQ(grid.cell(7, 4).bg, kFall);
    EXPECT_EQ(grid.cell(13, 4).bg, kFall);
    EXPECT_EQ(grid.cell(13, 5).bg, kWhite);
    EXPECT_EQ(grid.cell(12, 4).bg, kWhite);  // the number beside a fall keeps its colour
    EXPECT_EQ(grid.text(2, 4), "8");
    EXPECT_EQ(grid.text(12, 5), "8");
}

TEST(NumberIntervalAnalysis, IncompleteRowsStayEmptyAndAreSkippedForTheComparison)
{
    // A first row that is incomplete leaves row 3 empty; row 4 is compared with zeros.
    const ResultGrid afterGap = build(historyOf({
        incompleteRow(1),
        drawRow(2, {4, 9, 16, 25, 30, 1}),
        incompleteRow(3),
        drawRow(4, {2, 9, 17, 25, 31, 6}),
    }));
    ASSERT_EQ(afterGap.rowCount(), 8);
    for (int col = 1; col <= 13; ++col)
        EXPECT_EQ(afterGap.text(col, 3), "");
    EXPECT_EQ(differences(afterGap, 4),
              (std::vector<std::string>{"+4", "+9", "+16", "+25", "+30", "+1"}));
    for (int col = 1; col <= 13; ++col)
        EXPECT_EQ(afterGap.text(col, 5), "");
    // Draw 4 is compared with draw 2, the last complete one.
    EXPECT_EQ(differences(afterGap, 6),
              (std::vector<std::string>{"-2", "0", "+1", "0", "+1", "+5"}));
    expectHeadingBlock(afterGap, 8, 7);
}

TEST(NumberIntervalAnalysis, TextWithALeadingZeroIsTheSameNumber)
{
    DrawRow texts = drawRow(2, {9, 10, 11, 12, 13, 14});
    texts.numbers[0] = std::string("05");
    texts.numbers[5] = std::string("07");
    const ResultGrid grid = build(historyOf({drawRow(1, {5, 6, 7, 8, 9, 10}), texts}));
    EXPECT_EQ(grid.text(2, 4), "5");
    EXPECT_EQ(grid.text(3, 4), "0");
    EXPECT_EQ(grid.text(12, 4), "7");
    EXPECT_EQ(grid.text(13, 4), "-3");
}

TEST(NumberIntervalAnalysis, AnEmptyHistoryHasOnlyTheTwoHeadingBlocks)
{
    const ResultGrid grid = build(historyOf({}));
    ASSERT_EQ(grid.rowCount(), 4);
    expectHeadingBlock(grid, 1, 2);
    expectHeadingBlock(grid, 4, 3);
}
