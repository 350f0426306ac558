#include <gtest/gtest.h>

#include <map>
#include <random>

#include "core/analyses/analysis_builders.h"
#include "core/draws/draw_csv.h"
#include "test_support.h"

namespace {

ResultGrid build(const DrawHistory& history)
{
    return buildAppearanceInterval(history, LoadDrawTables(history));
}

const std::string kMainGroup = std::string(4, ' ') + "本 数 字" + std::string(5, ' ');
const std::string kBonusGroup =
    std::string(5, ' ') + "ボ数字" + std::string(3, ' ') + "\u3000" + std::string(3, ' ');

// The intervals written beside the six numbers of one grid row.
std::vector<std::string> intervals(const ResultGrid& grid, int row)
{
    std::vector<std::string> texts;
    for (int col = 3; col <= 13; col += 2)
        texts.push_back(grid.text(col, row));
    return texts;
}

void expectHeadingBlock(const ResultGrid& grid, int groupRow, int headingRow)
{
    EXPECT_EQ(grid.text(6, groupRow), kMainGroup);
    EXPECT_EQ(grid.cell(6, groupRow).hAlign, HAlign::Left);
    EXPECT_EQ(grid.text(12, groupRow), kBonusGroup);
    EXPECT_EQ(grid.cell(12, groupRow).hAlign, HAlign::Left);
    const std::vector<std::string> headings = {
        "回数",    "第1数字", "出現",    "第2数字", "出現",   "第3数字", "出現",
        "第4数字", "出現",    "第5数字", "出現",    "ボ数字", "出現"};
    for (int col = 1; col <= 13; ++col)
        EXPECT_EQ(grid.text(col, headingRow), headings[col - 1]);
    for (int row : {groupRow, headingRow}) {
        EXPECT_EQ(grid.cell(2, row).bg, rgb(255, 200, 200));
        EXPECT_EQ(grid.cell(13, row).fg, kBlack);
    }
    // Two boxes on the group row: columns 2-11 and 12-13, no lines inside either.
    const auto shown = [&](int col, Side side) {
        return grid.cell(col, groupRow).border(side).shown;
    };
    EXPECT_TRUE(shown(2, Side::Left));
    EXPECT_FALSE(shown(2, Side::Right));
    EXPECT_FALSE(shown(6, Side::Left));
    EXPECT_TRUE(shown(6, Side::Top));
    EXPECT_TRUE(shown(6, Side::Bottom));
    EXPECT_TRUE(shown(11, Side::Right));
    EXPECT_TRUE(shown(12, Side::Left));
    EXPECT_FALSE(shown(12, Side::Right));
    EXPECT_TRUE(shown(13, Side::Right));
}

}  // namespace

TEST(AppearanceIntervalAnalysis, SetsUpTheGridWithMirroredHeadingBlocks)
{
    const ResultGrid grid =
        build(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {7, 8, 9, 10, 11, 12})}));
    ASSERT_EQ(grid.columnCount(), 13);
    ASSERT_EQ(grid.rowCount(), 6);
    EXPECT_EQ(grid.shownColumns(), 13);
    EXPECT_EQ(grid.shownRows(), 52);
    EXPECT_EQ(grid.frozenRows(), 2);
    EXPECT_EQ(grid.frozenColumns(), 0);
    EXPECT_EQ(grid.scrollBars(), ScrollBars::Vertical);
    EXPECT_TRUE(grid.scrollBarsWhenNeeded());
    EXPECT_TRUE(grid.headersHidden());
    EXPECT_TRUE(grid.overflow());
    EXPECT_EQ(grid.rowHeight(1), 15);
    EXPECT_EQ(grid.rowHeight(2), 12);
    EXPECT_EQ(grid.rowHeight(3), 10);
    EXPECT_EQ(grid.columnWidth(13), 5);
    EXPECT_EQ(grid.activeRow(), 0);
    EXPECT_EQ(grid.activeColumn(), 0);

    // Top block: group row 1 above headings row 2; bottom block mirrored right after the last draw.
    expectHeadingBlock(grid, 1, 2);
    expectHeadingBlock(grid, 6, 5);
    EXPECT_EQ(grid.text(1, 4), "2");

    // The draw-number column is light yellow over the top block and light cyan from row 3 down.
    EXPECT_EQ(grid.cell(1, 2).bg, rgb(255, 255, 200));
    for (int row = 3; row <= 6; ++row) {
        EXPECT_EQ(grid.cell(1, row).bg, rgb(200, 255, 255));
        EXPECT_EQ(grid.cell(1, row).fg, rgb(255, 0, 0));
    }
    EXPECT_EQ(grid.cell(3, 3).bg, kWhite);
    EXPECT_TRUE(grid.cell(7, 4).border(Side::Bottom).shown);
    EXPECT_TRUE(grid.cell(1, 1).border(Side::Right).shown);
}

TEST(AppearanceIntervalAnalysis, CountsDrawsBackToTheLastAppearanceAsMainOrBonus)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        drawRow(2, {2, 6, 10, 11, 12, 13}),  // 2 was a main number, 6 the bonus of draw 1
        drawRow(3, {14, 15, 16, 17, 18, 19}),
        drawRow(4, {1, 13, 20, 21, 22, 2}),  // 1 from draw 1, 13 the bonus of draw 2, bonus 2
    }));
    EXPECT_EQ(intervals(grid, 3), std::vector<std::string>(6, "初回"));
    EXPECT_EQ(intervals(grid, 4),
              (std::vector<std::string>{"1回前", "1回前", "初回", "初回", "初回", "初回"}));
    EXPECT_EQ(intervals(grid, 6),
              (std::vector<std::string>{"3回前", "2回前", "初回", "初回", "初回", "2回前"}));
    // The numbers beside them, as plain decimal text.
    EXPECT_EQ(grid.text(1, 6), "4");
    EXPECT_EQ(grid.text(2, 6), "1");
    EXPECT_EQ(grid.text(12, 6), "2");
}

TEST(AppearanceIntervalAnalysis, AnIncompleteRowKeepsAnEmptyRowAndIsNeverFound)
{
    DrawRow partial = incompleteRow(2);
    for (int k = 0; k < 5; ++k)
        partial.numbers[k] = std::int64_t{7 + k};  // no bonus
    const ResultGrid grid = build(historyOf({
        drawRow(1, {7, 20, 21, 22, 23, 24}),
        partial,
        drawRow(3, {7, 8, 25, 26, 27, 28}),
    }));
    ASSERT_EQ(grid.rowCount(), 7);
    for (int col = 1; col <= 13; ++col)
        EXPECT_EQ(grid.text(col, 4), "") << col;
    EXPECT_EQ(grid.text(1, 5), "3");
    // 7 is found in draw 1, not in the incomplete draw 2; 8 only stood in draw 2.
    EXPECT_EQ(grid.text(3, 5), "2回前");
    EXPECT_EQ(grid.text(5, 5), "初回");
    expectHeadingBlock(grid, 7, 6);
}

TEST(AppearanceIntervalAnalysis, MissingDrawNumbersNeverMatchEvenForAStoredZero)
{
    // Draw 1 is missing: the 0 of draw 2 and the 5 of draw 4 have no earlier appearance there.
    const ResultGrid grid = build(historyOf({
        drawRow(2, {0, 5, 6, 7, 8, 9}),
        drawRow(4, {0, 10, 11, 12, 13, 5}),
    }));
    EXPECT_EQ(grid.text(2, 3), "0");
    EXPECT_EQ(grid.text(3, 3), "初回");
    EXPECT_EQ(grid.text(3, 4), "2回前");   // 0 of draw 2
    EXPECT_EQ(grid.text(13, 4), "2回前");  // bonus 5, a main number of draw 2
}

TEST(AppearanceIntervalAnalysis, ALaterRowWithTheSameDrawNumberReplacesTheEarlierNumbers)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        drawRow(2, {7, 8, 9, 10, 11, 12}),
        drawRow(2, {13, 7, 15, 16, 17, 18}),
        drawRow(5, {8, 13, 7, 1, 20, 21}),
    }));
    ASSERT_EQ(grid.rowCount(), 9);
    EXPECT_EQ(intervals(grid, 5), std::vector<std::string>(6, "初回"));
    // In draw 5, 8 stood only in the replaced row; 13 and 7 are in the row that replaced it.
    EXPECT_EQ(intervals(grid, 6),
              (std::vector<std::string>{"初回", "3回前", "3回前", "4回前", "初回", "初回"}));
}

TEST(AppearanceIntervalAnalysis, DrawNumbersAboveTenThousandWork)
{
    const ResultGrid grid = build(historyOf({
        drawRow(9999, {1, 2, 3, 4, 5, 6}),
        drawRow(10001, {1, 7, 8, 9, 10, 11}),
        drawRow(32767, {7, 1, 12, 13, 14, 15}),
    }));
    ASSERT_EQ(grid.rowCount(), 32767 + 4);
    EXPECT_EQ(grid.text(3, 4), "2回前");
    EXPECT_EQ(grid.text(3, 5), "22766回前");
    EXPECT_EQ(grid.text(5, 5), "22766回前");
    EXPECT_EQ(grid.text(1, 32767 + 3), "回数");
}

TEST(AppearanceIntervalAnalysis, TextWithALeadingZeroIsTheSameNumber)
{
    DrawRow texts = drawRow(2, {9, 10, 11, 12, 13, 14});
    texts.numbers[0] = std::string("05");
    const ResultGrid grid = build(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), texts}));
    EXPECT_EQ(grid.text(2, 4), "5");
    EXPECT_EQ(grid.text(3, 4), "1回前");
}

TEST(AppearanceIntervalAnalysis, SurplusRowsAndOddDrawNumbersStayInsideTheGrid)
{
    // Five rows under one draw number: L = 1 gives five grid rows, so the last rows fall away.
    std::vector<DrawRow> rows;
    for (int i = 0; i < 5; ++i)
        rows.push_back(drawRow(1, {1, 2, 3, 4, 5, 6}));
    const ResultGrid crowded = build(historyOf(rows));
    EXPECT_EQ(crowded.rowCount(), 5);
    EXPECT_EQ(crowded.text(3, 3), "初回");

    const ResultGrid negative = build(historyOf({drawRow(-7, {1, 2, 3, 4, 5, 6})}));
    EXPECT_EQ(negative.rowCount(), 0);

    const ResultGrid empty = build(historyOf({}));
    ASSERT_EQ(empty.rowCount(), 4);
    expectHeadingBlock(empty, 1, 2);
    expectHeadingBlock(empty, 4, 3);
}

// The literal walk back over every earlier draw number, for comparison with the lookup the
// analysis uses, on histories with gaps, repeated draw numbers and incomplete rows, in ascending
// order and (every other round) in any order, draw numbers below 1 included.
TEST(AppearanceIntervalAnalysis, MatchesTheWalkBackOverEveryEarlierDrawNumber)
{
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const bool anyOrder = round % 2 == 1;
        std::vector<DrawRow> rows;
        int drawNo = 1;
        for (int i = 0; i < 120; ++i) {
            if (anyOrder)
                drawNo = static_cast<int>(random() % 80) - 5;
            else
                drawNo += static_cast<int>(random() % 3);  // repeats, steps and gaps
            if (random() % 10 == 0) {
                rows.push_back(incompleteRow(drawNo));
                continue;
            }
            std::array<int, 6> numbers;
            for (int& n : numbers)
                n = static_cast<int>(random() % 8) + 1;  // repeats often
            rows.push_back(drawRow(drawNo, numbers));
        }
        // A last draw with a high number makes the grid tall enough for every row.
        rows.push_back(drawRow(1000, {1, 2, 3, 4, 5, 6}));
        const DrawHistory history = historyOf(rows);
        const DrawTables tables = LoadDrawTables(history);
        const ResultGrid grid = buildAppearanceInterval(history, tables);

        std::map<int, std::array<int, 6>> stored;
        int row = 3;
        for (const auto& draw : history.draws()) {
            if (draw) {
                stored[draw->drawNo] = draw->numbers;
                for (int field = 0; field < 6; ++field) {
                    std::string expected = "初回";
                    for (int d = draw->drawNo - 1; d >= 1; --d) {
                        const auto found = stored.find(d);
                        if (found == stored.end()) continue;
                        const auto& numbers = found->second;
                        if (std::find(numbers.begin(), numbers.end(), draw->numbers[field]) !=
                            numbers.end()) {
                            expected = std::to_string(draw->drawNo - d) + "回前";
                            break;
                        }
                    }
                    if (row <= tables.LatestDrawNo + 2) {
                        ASSERT_EQ(grid.text(2 * field + 3, row), expected)
                            << "round " << round << " row " << row;
                    }
                }
            }
            ++row;
        }
    }
}

TEST(AppearanceIntervalAnalysis, RealHistoryFillsEveryRowUpToTheBottomHeadingBlock)
{
    REQUIRE_SHARED_DRAWS(csv);
    const auto text = readTextFile(csv);
    ASSERT_TRUE(text.ok());
    const auto rows = parseDrawCsv(text.value(), CsvValues::AsWritten);
    ASSERT_TRUE(rows.ok());
    const DrawHistory history(sortedByDrawNo(rows.value()));
    const int latest = LoadDrawTables(history).LatestDrawNo;
    const ResultGrid grid = build(history);
    ASSERT_EQ(grid.rowCount(), latest + 4);
    for (int row = 3; row <= latest + 2; ++row) {
        ASSERT_EQ(grid.text(1, row), std::to_string(row - 2));
        for (int col = 3; col <= 13; col += 2)
            ASSERT_FALSE(grid.text(col, row).empty()) << row;
    }
    expectHeadingBlock(grid, latest + 4, latest + 3);
}
