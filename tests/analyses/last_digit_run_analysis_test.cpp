#include <gtest/gtest.h>

#include <map>

#include "core/analyses/analysis_builders.h"
#include "core/analyses/last_digit_heading.h"
#include "core/draws/draw_csv.h"
#include "test_support.h"

namespace {

// No number ending in 0, 3, 8 or 9; ends in 1, 2, 4, 5, 6 and 7 once each.
constexpr std::array<int, 6> kPlain = {1, 2, 4, 5, 6, 7};
// The same with one number ending in 3 instead of 2 (digit 1 stays in every draw).
constexpr std::array<int, 6> kOneThree = {1, 3, 4, 5, 6, 7};

ResultGrid build(const DrawHistory& history)
{
    return buildLastDigitRun(history, LoadDrawTables(history));
}

// Draws 1..count, plain unless `with` gives other numbers.
DrawHistory drawsWith(int count, const std::map<int, std::array<int, 6>>& with)
{
    std::vector<DrawRow> rows;
    for (int d = 1; d <= count; ++d) {
        const auto found = with.find(d);
        rows.push_back(drawRow(d, found != with.end() ? found->second : kPlain));
    }
    return historyOf(rows);
}

int digitColumn(int k)
{
    return k + 2;
}
int drawRowOf(int drawNo)
{
    return drawNo + 2;
}

}  // namespace

TEST(LastDigitRun, ARunShowsFromItsSecondDrawAndRestartsAfterAGap)
{
    const ResultGrid grid =
        build(drawsWith(11, {{5, kOneThree}, {6, kOneThree}, {7, kOneThree}, {10, kOneThree}}));
    const int column = digitColumn(3);
    EXPECT_EQ(grid.text(column, drawRowOf(5)), "");
    EXPECT_EQ(grid.text(column, drawRowOf(6)), "1");
    EXPECT_EQ(grid.cell(column, drawRowOf(6)).bg, kWhite);
    EXPECT_EQ(grid.text(column, drawRowOf(7)), "2");
    EXPECT_EQ(grid.cell(column, drawRowOf(7)).bg, rgb(200, 255, 255));
    EXPECT_EQ(grid.text(column, drawRowOf(8)), "");
    EXPECT_EQ(grid.text(column, drawRowOf(10)), "");
    EXPECT_EQ(grid.cell(column, drawRowOf(10)).bg, kWhite);
}

TEST(LastDigitRun, TwoNumbersWithTheSameDigitInOneDrawContinueTheRun)
{
    const ResultGrid grid =
        build(drawsWith(6, {{5, {3, 13, 4, 5, 6, 7}}, {6, {23, 30, 4, 5, 6, 7}}}));
    const int column = digitColumn(3);
    EXPECT_EQ(grid.text(column, drawRowOf(5)), "1");
    EXPECT_EQ(grid.text(column, drawRowOf(6)), "2");
    EXPECT_EQ(grid.cell(column, drawRowOf(6)).bg, rgb(200, 255, 255));
}

TEST(LastDigitRun, EveryAppearanceIsVisitedEvenWhenADigitHasMoreThanLEntries)
{
    // Two draws, six entries for digit 3: the run grows by one per entry after the first.
    const ResultGrid grid = build(historyOf({
        drawRow(1, {3, 13, 23, 1, 2, 4}),
        drawRow(2, {3, 13, 23, 1, 2, 4}),
    }));
    const int column = digitColumn(3);
    EXPECT_EQ(grid.text(column, drawRowOf(1)), "2");  // a later write replaced 1
    EXPECT_EQ(grid.text(column, drawRowOf(2)), "5");
    EXPECT_EQ(grid.cell(column, drawRowOf(2)).bg, rgb(200, 255, 200));
    EXPECT_TRUE(grid.cell(column, drawRowOf(2)).border(Side::Bottom).shown);
}

TEST(LastDigitRun, RunsCarryOnAcrossDrawOneThousand)
{
    const ResultGrid grid =
        build(drawsWith(1001, {{999, kOneThree}, {1000, kOneThree}, {1001, kOneThree}}));
    ASSERT_EQ(grid.rowCount(), 1005);
    const int column = digitColumn(3);
    EXPECT_EQ(grid.text(column, drawRowOf(998)), "");
    EXPECT_EQ(grid.text(column, drawRowOf(999)), "");
    EXPECT_EQ(grid.text(column, drawRowOf(1000)), "1");
    EXPECT_EQ(grid.text(column, drawRowOf(1001)), "2");
    EXPECT_EQ(grid.text(1, drawRowOf(1001)), "1001");
    // Digit 1 comes in every draw: its run reaches 1000 at draw 1001.
    EXPECT_EQ(grid.text(digitColumn(1), drawRowOf(1001)), "1000");
    EXPECT_EQ(grid.text(digitColumn(1), 1004), "1");  // the bottom digit row is untouched
}

TEST(LastDigitRun, LongerRunsGetStrongerColours)
{
    // Digit 1 comes in every draw, so draw d shows the run d - 1.
    const ResultGrid grid = build(drawsWith(15, {}));
    const std::vector<std::pair<int, Rgb>> expected = {
        {1, kWhite},
        {2, rgb(200, 255, 255)},
        {3, rgb(200, 255, 255)},
        {4, rgb(200, 255, 200)},
        {5, rgb(200, 255, 200)},
        {6, rgb(255, 255, 200)},
        {7, rgb(255, 255, 200)},
        {8, rgb(255, 200, 255)},
        {9, rgb(255, 200, 255)},
        {10, rgb(255, 200, 200)},
        {11, rgb(255, 200, 200)},
        {12, rgb(225, 225, 225)},
        {13, rgb(255, 200, 200)},
        {14, rgb(255, 200, 200)},
    };
    EXPECT_EQ(grid.text(digitColumn(1), drawRowOf(1)), "");
    for (const auto& [run, colour] : expected) {
        const int row = drawRowOf(run + 1);
        EXPECT_EQ(grid.text(digitColumn(1), row), std::to_string(run));
        EXPECT_EQ(grid.cell(digitColumn(1), row).bg, colour) << run;
    }
}

TEST(LastDigitRun, ADigitThatNeverOccursLeavesItsColumnEmpty)
{
    const ResultGrid grid = build(drawsWith(8, {}));
    for (int row = 3; row <= drawRowOf(8); ++row) {
        EXPECT_EQ(grid.text(digitColumn(9), row), "") << row;
        EXPECT_EQ(grid.cell(digitColumn(9), row).bg, kWhite) << row;
    }
}

TEST(LastDigitRun, RowsAreNumberedOneToLWhateverTheHistoryHolds)
{
    const ResultGrid grid = build(historyOf({
        drawRow(1, kOneThree),
        incompleteRow(2),
        drawRow(3, kOneThree),
    }));
    ASSERT_EQ(grid.rowCount(), 7);
    EXPECT_EQ(grid.text(1, 3), "1");
    EXPECT_EQ(grid.text(1, 4), "2");
    EXPECT_EQ(grid.text(1, 5), "3");
    // Draw 2 holds no complete draw: the run of digit 3 is broken.
    EXPECT_EQ(grid.text(digitColumn(3), 5), "");
    EXPECT_EQ(grid.text(2, 7), lastDigitTitleText());
    EXPECT_EQ(grid.text(1, 7), "回数");
}

TEST(LastDigitRun, RunsOfDrawNumbersOutsideOneToLNeverLandOnTheHeadings)
{
    // Draw 0's row D + 2 would be the top digit row: its run is counted but not written there.
    const ResultGrid grid = build(historyOf({
        drawRow(0, {3, 13, 4, 5, 6, 7}),
        drawRow(1, kOneThree),
        drawRow(2, kOneThree),
    }));
    ASSERT_EQ(grid.rowCount(), 6);
    EXPECT_EQ(grid.text(digitColumn(3), 2), "3");
    EXPECT_EQ(grid.text(digitColumn(3), drawRowOf(1)), "2");
    EXPECT_EQ(grid.text(digitColumn(3), drawRowOf(2)), "3");
    EXPECT_EQ(grid.text(digitColumn(3), 5), "3");
}

TEST(LastDigitRun, EmptyHistoryIsTheTwoHeadingBlocks)
{
    const ResultGrid grid = build(DrawHistory{});
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.text(1, 1), "回数");
    EXPECT_EQ(grid.text(2, 1), lastDigitTitleText());
    EXPECT_EQ(grid.text(1, 3), "");
    EXPECT_EQ(grid.text(digitColumn(0), 3), "0");
    EXPECT_EQ(grid.text(digitColumn(9), 2), "9");
    EXPECT_EQ(grid.text(1, 4), "回数");
    EXPECT_TRUE(grid.cell(1, 1).border(Side::Top).shown);
}

TEST(LastDigitRun, OnTheRealHistoryEveryDrawWithADigitAlsoInThePreviousDrawShowsARun)
{
    REQUIRE_SHARED_DRAWS(csv);
    const auto text = readTextFile(csv);
    ASSERT_TRUE(text);
    const auto rows = parseDrawCsv(text.value(), CsvValues::StrictNumbers);
    ASSERT_TRUE(rows);
    const DrawHistory history(sortedByDrawNo(rows.value()));
    const ResultGrid grid = build(history);

    // How many numbers of each draw end in each digit, by draw number.
    std::map<int, std::array<int, 10>> digitsOf;
    for (const auto& draw : history.draws())
        if (draw)
            for (const int n : draw->numbers)
                ++digitsOf[draw->drawNo][n % 10];
    int checked = 0;
    for (const auto& [drawNo, digits] : digitsOf) {
        const auto previous = digitsOf.find(drawNo - 1);
        for (int k = 0; k <= 9; ++k) {
            const std::string& cell = grid.text(digitColumn(k), drawRowOf(drawNo));
            const bool continues =
                digits[k] >= 2 ||
                (digits[k] == 1 && previous != digitsOf.end() && previous->second[k] > 0);
            EXPECT_EQ(!cell.empty(), continues) << "draw " << drawNo << " digit " << k;
            if (drawNo >= 1000 && continues) ++checked;
        }
    }
    EXPECT_GT(checked, 100);  // runs beyond draw 999 were really looked at
}
