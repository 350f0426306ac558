#include <gtest/gtest.h>

#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_catalog.h"
#include "test_support.h"

namespace {

constexpr Rgb kMainDot = rgb(62, 158, 255);
constexpr Rgb kBonusDot = rgb(255, 128, 192);
constexpr Rgb kBorderBlue = rgb(136, 196, 255);

ResultGrid build(const DrawHistory& history)
{
    return buildAppearanceFrequency(history, LoadDrawTables(history));
}

// The texts of row `row` from column 2 to the column before the last, joined with '|'.
std::string appearanceRow(const ResultGrid& grid, int row)
{
    std::string out;
    for (int c = 2; c < grid.columnCount(); ++c)
        out += grid.text(c, row) + "|";
    return out;
}

}  // namespace

TEST(AppearanceFrequency, WithNoCompleteDrawTheGridHasOnlyTheTwoNumberColumns)
{
    const ResultGrid grid = build(historyOf({incompleteRow(1), incompleteRow(2)}));
    ASSERT_EQ(grid.columnCount(), 2);
    ASSERT_EQ(grid.rowCount(), 33);
    EXPECT_EQ(grid.text(1, 2), "数字");
    EXPECT_EQ(grid.text(2, 2), "数字");
    for (int n = 1; n <= 31; ++n) {
        EXPECT_EQ(grid.text(1, n + 2), std::to_string(n));
        EXPECT_EQ(grid.text(2, n + 2), std::to_string(n));
    }
    EXPECT_EQ(grid.text(1, 1), "");
    // The title cell lies beyond this narrow grid and is dropped, never written elsewhere.
    EXPECT_EQ(grid.text(2, 1), "");

    const ResultGrid empty = build(DrawHistory{});
    EXPECT_EQ(empty.columnCount(), 2);
    EXPECT_EQ(empty.text(2, 33), "31");
}

TEST(AppearanceFrequency, DotsFollowTheDrawOrderAndTellMainFromBonus)
{
    // Hits: 1 -> 3 (main, main, bonus), 2 -> 2, 31 -> 1 (bonus), 9 -> never.
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        drawRow(2, {2, 1, 7, 8, 10, 31}),
        drawRow(3, {11, 12, 13, 14, 15, 1}),
    }));
    ASSERT_EQ(grid.columnCount(), 5);  // widest row 3 + 2
    EXPECT_EQ(grid.text(5, 2), "数字");
    EXPECT_EQ(grid.text(5, 3), "1");
    EXPECT_EQ(grid.text(5, 33), "31");
    // Appearance headings 1..3 in row 2, red on light yellow.
    EXPECT_EQ(appearanceRow(grid, 2), "1|2|3|");
    EXPECT_EQ(grid.cell(3, 2).fg, rgb(255, 0, 0));
    EXPECT_EQ(grid.cell(3, 2).bg, rgb(255, 255, 200));

    EXPECT_EQ(appearanceRow(grid, 1 + 2), "●|●|●|");
    EXPECT_EQ(grid.cell(2, 3).fg, kMainDot);
    EXPECT_EQ(grid.cell(3, 3).fg, kMainDot);
    EXPECT_EQ(grid.cell(4, 3).fg, kBonusDot);
    EXPECT_EQ(appearanceRow(grid, 2 + 2), "●|●||");
    EXPECT_EQ(appearanceRow(grid, 6 + 2), "●|||");
    EXPECT_EQ(grid.cell(2, 8).fg, kBonusDot);
    // Number 31 counts like any other; a number never drawn has an empty row.
    EXPECT_EQ(appearanceRow(grid, 31 + 2), "●|||");
    EXPECT_EQ(grid.cell(2, 33).fg, kBonusDot);
    EXPECT_EQ(appearanceRow(grid, 9 + 2), "|||");
    EXPECT_EQ(grid.cell(2, 11).fg, kBlack);
}

TEST(AppearanceFrequency, NumberThirtyOneCanSetTheWidestRow)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 31, 5}),
        drawRow(2, {6, 7, 8, 9, 31, 10}),
        drawRow(3, {11, 12, 13, 14, 15, 31}),
    }));
    ASSERT_EQ(grid.columnCount(), 5);
    EXPECT_EQ(appearanceRow(grid, 31 + 2), "●|●|●|");
    EXPECT_EQ(grid.cell(4, 33).fg, kBonusDot);
    EXPECT_EQ(appearanceRow(grid, 2), "1|2|3|");
    EXPECT_EQ(grid.text(5, 33), "31");
}

TEST(AppearanceFrequency, IncompleteDrawsContributeNothing)
{
    DrawRow partial = drawRow(2, {20, 21, 22, 23, 24, 25});
    partial.numbers[3] = RawValue{};  // 第4数字 empty
    const ResultGrid grid = build(historyOf({
        drawRow(1, {20, 2, 3, 4, 5, 6}),
        partial,
        incompleteRow(3),
        drawRow(4, {20, 7, 8, 9, 10, 11}),
    }));
    ASSERT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(appearanceRow(grid, 20 + 2), "●|●|");
    EXPECT_EQ(appearanceRow(grid, 21 + 2), "||");
    EXPECT_EQ(appearanceRow(grid, 25 + 2), "||");
    EXPECT_EQ(appearanceRow(grid, 2), "1|2|");
}

TEST(AppearanceFrequency, NumbersOutsideTheRangeAreNeverUsed)
{
    // A complete draw whose stored values include 0, 32 and -1: only 5 and 6 count.
    const ResultGrid grid = build(historyOf({
        drawRow(1, {0, 32, -1, 5, 6, 32767}),
        drawRow(2, {5, 1, 2, 3, 4, 9}),
    }));
    ASSERT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(appearanceRow(grid, 5 + 2), "●|●|");
    EXPECT_EQ(appearanceRow(grid, 6 + 2), "●||");
    EXPECT_EQ(appearanceRow(grid, 2), "1|2|");
    EXPECT_EQ(grid.rowCount(), 33);
}

TEST(AppearanceFrequency, TablesFromAnotherHistoryNeverOverwriteTheNumberColumns)
{
    const DrawHistory history = historyOf({drawRow(1, {1, 2, 3, 4, 5, 6})});
    const ResultGrid grid = buildAppearanceFrequency(history, DrawTables{});
    ASSERT_EQ(grid.columnCount(), 2);
    EXPECT_EQ(grid.text(2, 2), "数字");
    EXPECT_EQ(grid.text(2, 3), "1");
}

TEST(AppearanceFrequency, LayoutTitleColoursAndBorders)
{
    const ResultGrid grid = build(syntheticHistory(150));
    const int last = grid.columnCount();
    ASSERT_GT(last, 30);
    EXPECT_EQ(grid.frozenRows(), 2);
    EXPECT_EQ(grid.frozenColumns(), 1);
    EXPECT_EQ(grid.shownColumns(), 51);
    EXPECT_EQ(grid.shownRows(), 33);
    EXPECT_EQ(grid.scrollBars(), ScrollBars::Both);
    EXPECT_TRUE(grid.scrollBarsWhenNeeded());
    EXPECT_TRUE(grid.headersHidden());
    EXPECT_EQ(grid.activeColumn(), 0);
    EXPECT_EQ(grid.activeRow(), 0);
    EXPECT_EQ(grid.rowHeight(1), 15);
    EXPECT_EQ(grid.rowHeight(2), 15);
    EXPECT_EQ(grid.rowHeight(3), 10);
    EXPECT_EQ(grid.columnWidth(1), 5);
    EXPECT_EQ(grid.columnWidth(2), 2);
    EXPECT_EQ(grid.columnWidth(last), 5);

    EXPECT_TRUE(grid.overflow());
    EXPECT_EQ(grid.text(26, 1), "出 　現 　頻 　度（回）");
    EXPECT_EQ(grid.cell(26, 1).fg, rgb(255, 0, 0));
    EXPECT_EQ(grid.cell(26, 1).hAlign, HAlign::Left);
    EXPECT_EQ(grid.cell(27, 1).hAlign, HAlign::Center);
    EXPECT_EQ(grid.cell(10, 1).bg, rgb(255, 255, 200));

    // Title row: outline plus right-hand lines after column 1 and before the last column.
    EXPECT_TRUE(grid.cell(10, 1).border(Side::Top).shown);
    EXPECT_TRUE(grid.cell(10, 1).border(Side::Bottom).shown);
    EXPECT_FALSE(grid.cell(10, 1).border(Side::Right).shown);
    EXPECT_TRUE(grid.cell(1, 1).border(Side::Right).shown);
    EXPECT_TRUE(grid.cell(last - 1, 1).border(Side::Right).shown);
    EXPECT_EQ(grid.cell(last - 1, 1).border(Side::Right).color, kBorderBlue);
    EXPECT_TRUE(grid.cell(last, 1).border(Side::Right).shown);
    EXPECT_TRUE(grid.cell(1, 1).border(Side::Left).shown);

    // Number columns, and the bordered body from row 2 down.
    for (int col : {1, last}) {
        EXPECT_EQ(grid.cell(col, 1).fg, rgb(0, 0, 255));
        EXPECT_EQ(grid.cell(col, 1).bg, rgb(222, 254, 253));
        EXPECT_EQ(grid.cell(col, 33).bg, rgb(222, 254, 253));
        EXPECT_EQ(grid.cell(col, 2).fg, rgb(0, 0, 255));
    }
    for (Side side : {Side::Left, Side::Top, Side::Right, Side::Bottom}) {
        EXPECT_TRUE(grid.cell(5, 20).border(side).shown);
        EXPECT_EQ(grid.cell(5, 20).border(side).color, kBorderBlue);
    }
    EXPECT_EQ(grid.cell(5, 20).bg, kWhite);
    EXPECT_EQ(grid.cell(5, 20).hAlign, HAlign::Center);
    EXPECT_EQ(grid.cell(5, 20).vAlign, VAlign::Center);
}

TEST(AppearanceFrequency, TheMostFrequentNumberFillsItsRowUpToTheLastNumberColumn)
{
    const DrawHistory history = syntheticHistory(200);
    const DrawTables tables = LoadDrawTables(history);
    const ResultGrid grid = buildAppearanceFrequency(history, tables);
    ASSERT_EQ(grid.columnCount(), tables.MaxHits + 2);
    for (int n = 1; n <= 31; ++n) {
        int dots = 0;
        for (int c = 2; c < grid.columnCount(); ++c)
            dots += grid.text(c, n + 2) == "●";
        EXPECT_EQ(dots, tables.NumberHits[n]) << "number " << n;
        // Dots are contiguous from column 2.
        for (int c = 2; c < 2 + tables.NumberHits[n]; ++c)
            EXPECT_EQ(grid.text(c, n + 2), "●");
    }
    EXPECT_EQ(grid.text(grid.columnCount() - 1, 2), std::to_string(tables.MaxHits));
}

TEST(AppearanceFrequency, IsTheBuildOfItsCatalogRow)
{
    const AnalysisDescriptor* descriptor = findAnalysis("出現頻度分析");
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(descriptor->build, &buildAppearanceFrequency);
    EXPECT_FALSE(descriptor->hasPrintButton);
    EXPECT_EQ(descriptor->legend, Legend::Dots);
}
