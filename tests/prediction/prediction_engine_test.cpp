#include <gtest/gtest.h>

#include <map>
#include <random>

#include "core/draws/draw_tables.h"
#include "core/prediction/prediction_engine.h"
#include "core/prediction/prediction_options.h"
#include "test_support.h"

namespace {

using Numbers = std::vector<int>;

PredictionEngine scanned(const DrawHistory& history)
{
    PredictionEngine engine;
    engine.ScanCycles(history);
    return engine;
}

// The texts of a grid's data cells, row by row (columns 2 to 6 of rows 2 and below).
std::vector<std::string> dataCells(const ResultGrid& grid)
{
    std::vector<std::string> cells;
    for (int row = 2; row <= grid.rowCount(); ++row)
        for (int col = 2; col <= 6; ++col)
            cells.push_back(grid.text(col, row));
    return cells;
}

std::vector<std::string> texts(std::initializer_list<const char*> values)
{
    return {values.begin(), values.end()};
}

// Draws at the given numbers, all holding the same six numbers.
std::vector<DrawRow> repeatedDraws(int from, int to, std::array<int, 6> numbers)
{
    std::vector<DrawRow> rows;
    for (int d = from; d <= to; ++d)
        rows.push_back(drawRow(d, numbers));
    return rows;
}

}  // namespace

// --- elimination -------------------------------------------------------------------------------

TEST(PredictionElimination, WorkedExampleLatest100TwoOptionsRuleZeroReadsDraw97)
{
    auto rows = repeatedDraws(1, 100, {1, 2, 3, 4, 5, 6});
    rows[96] = drawRow(97, {25, 26, 27, 28, 29, 30});
    rows[98] = drawRow(99, {11, 12, 13, 14, 15, 16});
    const PredictionEngine engine = scanned(historyOf(rows));

    EXPECT_EQ(engine.predict(100, 2).EliminationList[0], 4);   // 25 + 10 = 35, wrapped
    EXPECT_EQ(engine.predict(100, 0).EliminationList[0], 21);  // draw 99: 11 + 10
    EXPECT_EQ(engine.predict(100, 2).EliminationList[1], 13);  // draw 97 第2数字: 26 + 18 - 31
}

TEST(PredictionElimination, FifteenRulesInTableOrderEachWrappedOnceRepeatsShownOnce)
{
    // Latest draw 10, no options: the rules read draws 9, 8, 4, 3, 2 and 1.
    const PredictionEngine engine = scanned(historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}),
        drawRow(2, {7, 8, 9, 10, 11, 12}),
        drawRow(3, {13, 14, 15, 16, 17, 18}),
        drawRow(4, {19, 3, 21, 22, 23, 24}),
        drawRow(5, {25, 26, 27, 28, 29, 30}),
        drawRow(8, {2, 4, 6, 8, 10, 12}),
        drawRow(9, {25, 30, 1, 2, 3, 4}),
        drawRow(10, {31, 1, 2, 3, 4, 5}),
    }));
    const PredictionNumbers numbers = engine.predict(10, 0);
    const std::array<int, 15> expected = {4, 17, 2, 5, 18, 29, 16, 28, 1, 14, 27, 3, 5, 3, 23};
    EXPECT_EQ(numbers.EliminationList, expected);
    EXPECT_EQ(numbers.elimination, (Numbers{4, 17, 2, 5, 18, 29, 16, 28, 1, 14, 27, 3, 23}));

    // Rules 12 and 13 repeat 5 and 3: 23 moves up two cells and the last two stay empty.
    const PredictionGrids grids = engine.RefreshPrediction(10, 0);
    EXPECT_EQ(
        dataCells(grids[kEliminationGrid]),
        texts({"4", "17", "2", "5", "18", "29", "16", "28", "1", "14", "27", "3", "23", "", ""}));
}

TEST(PredictionElimination, SourceDrawZeroMissingOrIncompleteReadsAnEmptyRow)
{
    // Latest draw 2: rule 2 and rule 3 read draw 0, which never holds numbers.
    PredictionEngine engine =
        scanned(historyOf({drawRow(0, {9, 9, 9, 9, 9, 9}), drawRow(1, {1, 2, 3, 4, 5, 6}),
                           drawRow(2, {1, 2, 3, 4, 5, 6})}));
    EXPECT_EQ(engine.engineDraw(0, 1), 0);
    EXPECT_EQ(engine.predict(2, 0).EliminationList[2], 31);
    EXPECT_EQ(engine.predict(2, 0).EliminationList[3], 24);

    // Draw 2 is not complete and draw 4 is missing: both read as zeros.
    engine = scanned(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), incompleteRow(2),
                                drawRow(3, {7, 8, 9, 10, 11, 12}), drawRow(5, {1, 2, 3, 4, 5, 6}),
                                drawRow(6, {1, 2, 3, 4, 5, 6})}));
    EXPECT_EQ(engine.predict(3, 0).EliminationList[0], 10);
    EXPECT_EQ(engine.predict(3, 0).EliminationList[1], 18);
    EXPECT_EQ(engine.predict(6, 0).EliminationList[2], 31);  // draw 4
    EXPECT_EQ(engine.predict(6, 0).EliminationList[3], 24);
}

TEST(PredictionElimination, ShortHistoriesAndAnyOptionCountNeverReadBeforeTheFirstDraw)
{
    const std::array<int, 15> offsetsWrapped = {10, 18, 31, 24, 8, 26, 3, 11,
                                                14, 7,  16, 22, 4, 1,  19};
    const PredictionEngine empty = scanned(DrawHistory());
    for (const int latest : {-32768, -1, 0, 5, 20, 32767})
        for (int n = 0; n <= kOptionCount; ++n)
            EXPECT_EQ(empty.predict(latest, n).EliminationList, offsetsWrapped)
                << latest << " " << n;

    // Three draws: rules 0 to 4 read draws 2 and 1, every other rule a draw before draw 1.
    const PredictionEngine shortHistory =
        scanned(historyOf({drawRow(1, {20, 21, 22, 23, 24, 25}), drawRow(2, {5, 6, 7, 8, 9, 10}),
                           drawRow(3, {1, 1, 1, 1, 1, 1})}));
    const std::array<int, 15> expected = {15, 24, 20, 18, 1, 26, 3, 11, 14, 7, 16, 22, 4, 1, 19};
    EXPECT_EQ(shortHistory.predict(3, 0).EliminationList, expected);
    for (int n = 3; n <= kOptionCount; ++n)
        EXPECT_EQ(shortHistory.predict(3, n).EliminationList, offsetsWrapped);
}

TEST(PredictionElimination, EachOptionMovesEveryRuleOneDrawBackWhicheverOptionItIs)
{
    const DrawHistory history = syntheticHistory(60);
    const PredictionEngine engine = scanned(history);
    const int latest = LoadDrawTables(history).LatestDrawNo;
    for (int n = 1; n <= kOptionCount; ++n)
        EXPECT_EQ(engine.predict(latest, n).EliminationList,
                  engine.predict(latest - n, 0).EliminationList);

    PredictionOptions first;
    first.set(0, true);
    const PredictionGrids expected = engine.RefreshPrediction(latest, first.enabledCount());
    EXPECT_NE(dataCells(expected[kEliminationGrid]),
              dataCells(engine.RefreshPrediction(latest, 0)[kEliminationGrid]));
    for (int i = 1; i < kOptionCount; ++i) {
        PredictionOptions one;
        one.set(i, true);
        const PredictionGrids grids = engine.RefreshPrediction(latest, one.enabledCount());
        for (int g = 0; g < kPredictionGridCount; ++g)
            EXPECT_EQ(dataCells(grids[g]), dataCells(expected[g]))
                << "option " << i << " grid " << g;
    }
}

// --- cycle scan --------------------------------------------------------------------------------

TEST(PredictionCycles, TheLaterOfTwoTwelveDrawReturnsAtPositionTwoWins)
{
    std::vector<DrawRow> rows = {
        drawRow(78, {5, 20, 21, 22, 23, 24}),
        drawRow(90, {1, 5, 2, 3, 4, 6}),  // 5 returns after 12 draws
        drawRow(98, {7, 8, 9, 10, 11, 12}),
    };
    EXPECT_EQ(scanned(historyOf(rows)).cycleNumber(3, 2), 5);
    rows.push_back(drawRow(110, {13, 8, 14, 15, 16, 17}));  // 8 returns after 12 draws
    EXPECT_EQ(scanned(historyOf(rows)).cycleNumber(3, 2), 8);

    // An appearance in between (draw 104, bonus) makes the gap of draw 110 six: 8 stays.
    rows.insert(rows.end() - 1, drawRow(104, {25, 26, 27, 28, 29, 8}));
    EXPECT_EQ(scanned(historyOf(rows)).cycleNumber(3, 2), 5);
}

TEST(PredictionCycles, ABonusNumberReturningAsAMainNumberCountsAtItsNewPosition)
{
    const PredictionEngine engine = scanned(historyOf({
        drawRow(3, {1, 2, 3, 4, 5, 9}),
        drawRow(10, {20, 21, 9, 22, 23, 24}),
    }));
    EXPECT_EQ(engine.cycleNumber(0, 3), 9);
    EXPECT_EQ(engine.cycleNumber(0, 6), std::nullopt);
    for (int k = 1; k <= 6; ++k)
        if (k != 3) {
            EXPECT_EQ(engine.cycleNumber(0, k), std::nullopt) << k;
        }
}

TEST(PredictionCycles, NoReturnsLeaveCyclesBlankAndOnlyTheEliminationFilled)
{
    // The same six numbers every draw: every return comes after one draw.
    const PredictionEngine engine = scanned(historyOf(repeatedDraws(1, 20, {1, 2, 3, 4, 5, 6})));
    const PredictionGrids grids = engine.RefreshPrediction(20, 0);
    for (const auto& cell : dataCells(grids[kCycleGrid]))
        EXPECT_EQ(cell, "");
    for (const auto& cell : dataCells(grids[kMultiShotGrid]))
        EXPECT_EQ(cell, "");
    for (const auto& cell : dataCells(grids[kOneShotGrid]))
        EXPECT_EQ(cell, "");
    EXPECT_EQ(dataCells(grids[kEliminationGrid]), texts({"11", "20", "1", "30", "13", "28", "4",
                                                         "16", "8", "21", "5", "3", "23", "", ""}));
    EXPECT_EQ(grids[kCycleGrid].text(1, 2), " 7回周期法");
}

TEST(PredictionCycles, IndexedSearchMatchesTheBackwardScanOverShuffledAndRepeatedDraws)
{
    // The scan keeps, per number, the draws that now hold it; check it against the plain walk
    // back over the stored rows, with draws out of order, overwritten by a repeated draw number,
    // incomplete, numbered 0 or below, and holding values outside 1..31.
    std::mt19937 random(7);
    for (int trial = 0; trial < 100; ++trial) {
        std::vector<DrawRow> rows;
        const int count = std::uniform_int_distribution<int>(1, 120)(random);
        std::uniform_int_distribution<int> drawNo(-2, 90), value(0, 33), chance(0, 9);
        for (int i = 0; i < count; ++i) {
            if (chance(random) == 0) {
                rows.push_back(incompleteRow(drawNo(random)));
                continue;
            }
            std::array<int, 6> numbers;
            for (int& n : numbers)
                n = chance(random) < 2 ? value(random) : value(random) % 12 + 1;
            const int d = chance(random) < 7 ? i + 1 : drawNo(random);
            rows.push_back(drawRow(d, numbers));
        }

        std::map<int, std::array<int, 6>> table;
        std::array<std::array<std::optional<int>, 6>, 4> cycles{};
        for (const DrawRow& row : rows) {
            const auto draw = completeDraw(row);
            if (!draw || draw->drawNo < 1) continue;
            const int d = draw->drawNo;
            table[d] = draw->numbers;
            for (int k = 0; k < 6; ++k) {
                for (int e = d - 1; e >= 1; --e) {
                    const auto found = table.find(e);
                    if (found == table.end()) continue;
                    const auto& earlier = found->second;
                    if (std::find(earlier.begin(), earlier.end(), draw->numbers[k]) ==
                        earlier.end())
                        continue;
                    for (int m = 0; m < 4; ++m)
                        if (d - e == kCycleLengths[m]) cycles[m][k] = draw->numbers[k];
                    break;
                }
            }
        }

        const PredictionEngine engine = scanned(historyOf(rows));
        for (int m = 0; m < 4; ++m)
            for (int k = 1; k <= 6; ++k)
                ASSERT_EQ(engine.cycleNumber(m, k), cycles[m][k - 1])
                    << trial << " " << m << " " << k;
        for (int d = -3; d <= 125; ++d)
            for (int p = 1; p <= 6; ++p) {
                const auto found = table.find(d);
                ASSERT_EQ(engine.engineDraw(d, p), found == table.end() ? 0 : found->second[p - 1]);
            }
    }
}

TEST(PredictionCycles, ARescanReplacesEverythingTheEarlierScanFound)
{
    PredictionEngine engine =
        scanned(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(8, {1, 2, 3, 4, 5, 6})}));
    ASSERT_EQ(engine.cycleNumber(0, 1), 1);
    engine.ScanCycles(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6})}));
    EXPECT_EQ(engine.cycleNumber(0, 1), std::nullopt);
    EXPECT_EQ(engine.engineDraw(8, 1), 0);
}

// --- multi-shot and one-shot -------------------------------------------------------------------

TEST(PredictionShots, TenNearOnesFromSevenThirteenAndFourteen)
{
    // Cycle numbers 7, 13 and 14 (7-draw returns); every elimination number but two 10s lies
    // far from them.
    std::vector<DrawRow> rows = {drawRow(1, {7, 13, 14, 2, 3, 4}),
                                 drawRow(8, {7, 13, 14, 5, 6, 9})};
    const auto filler = repeatedDraws(21, 30, {20, 31, 29, 22, 18, 27});
    rows.insert(rows.end(), filler.begin(), filler.end());
    const PredictionEngine engine = scanned(historyOf(rows));
    const PredictionNumbers numbers = engine.predict(30, 0);
    ASSERT_EQ(numbers.EliminationList,
              (std::array<int, 15>{30, 18, 20, 20, 26, 26, 23, 29, 10, 27, 3, 18, 24, 1, 10}));
    EXPECT_EQ(numbers.multiShot, (Numbers{7, 13}));
    EXPECT_EQ(numbers.oneShot, Numbers{});
}

TEST(PredictionShots, AMethodStopsAtItsFirstEmptyPosition)
{
    // Method 0 holds 1, -, 3, 4, 5, 6: only its first position can be chosen.
    const PredictionEngine gap =
        scanned(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(8, {1, 20, 3, 4, 5, 6})}));
    ASSERT_EQ(gap.cycleNumber(0, 3), 3);
    EXPECT_EQ(gap.predict(8, 0).multiShot, (Numbers{1}));
    EXPECT_EQ(gap.predict(8, 0).oneShot, (Numbers{1}));

    // With position 2 filled every position counts, the bonus (6) included, in visit order.
    const PredictionEngine full =
        scanned(historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(8, {1, 2, 3, 4, 5, 6})}));
    const PredictionNumbers numbers = full.predict(8, 0);
    EXPECT_EQ(numbers.multiShot, (Numbers{5, 6, 1, 2, 3, 4}));
    EXPECT_EQ(numbers.oneShot, (Numbers{6, 2, 3, 4, 5}));
    const PredictionGrids grids = full.RefreshPrediction(8, 0);
    EXPECT_EQ(dataCells(grids[kCycleGrid]), texts({"1", "2", "3", "4", "5", "", "", "", "", "",
                                                   "",  "",  "",  "",  "",  "", "", "", "", ""}));
    EXPECT_EQ(dataCells(grids[kMultiShotGrid]),
              texts({"5", "6", "1", "2", "3", "4", "", "", "", ""}));
    EXPECT_EQ(dataCells(grids[kOneShotGrid]), texts({"6", "2", "3", "4", "5"}));
}

TEST(PredictionShots, VisitOrderFillsTenAndFiveCellsAndDropsTheRest)
{
    // Methods 0 to 3 hold 1-6, 7-12, 13-18 and 19-24; every rule reads a missing draw, so the
    // elimination numbers are the wrapped offsets 10, 18, 31, 24, 8, ...
    std::vector<DrawRow> rows;
    for (const auto& [first, second, base] :
         std::array<std::array<int, 3>, 4>{{{1, 8, 1}, {20, 29, 7}, {40, 51, 13}, {60, 72, 19}}}) {
        const std::array<int, 6> numbers = {base, base + 1, base + 2, base + 3, base + 4, base + 5};
        rows.push_back(drawRow(first, numbers));
        rows.push_back(drawRow(second, numbers));
    }
    const PredictionEngine engine = scanned(historyOf(rows));
    ASSERT_EQ(engine.cycleNumber(3, 6), 24);
    const PredictionNumbers numbers = engine.predict(72, 0);
    EXPECT_EQ(numbers.multiShot, (Numbers{7, 8, 9, 10, 11, 12, 13, 15, 16, 17}));
    EXPECT_EQ(numbers.oneShot, (Numbers{8, 9, 10, 11, 12}));

    const PredictionGrids grids = engine.RefreshPrediction(72, 0);
    EXPECT_EQ(grids[kCycleGrid].text(6, 5), "23");
    EXPECT_EQ(grids[kMultiShotGrid].text(6, 3), "17");
}

// --- grids -------------------------------------------------------------------------------------

TEST(PredictionGridsLook, SizesLabelsHeadingAndColours)
{
    const std::array<int, 4> rows = {5, 4, 3, 2};
    for (int g = 0; g < kPredictionGridCount; ++g) {
        const ResultGrid grid = blankPredictionGrid(g);
        EXPECT_EQ(grid.columnCount(), 6);
        EXPECT_EQ(grid.rowCount(), rows[g]);
        EXPECT_EQ(grid.shownRows(), rows[g]);
        EXPECT_EQ(grid.scrollBars(), ScrollBars::None);
        EXPECT_EQ(grid.frozenRows() + grid.frozenColumns(), 0);
        EXPECT_EQ(grid.columnWidth(1), 8);
        EXPECT_EQ(grid.columnWidth(6), 5);
        EXPECT_EQ(grid.rowHeight(rows[g]), 10);
        EXPECT_TRUE(grid.overflow());
        EXPECT_EQ(grid.text(2, 1), "                   本 数 字                          ");
        EXPECT_EQ(grid.cell(2, 1).hAlign, HAlign::Left);
        EXPECT_EQ(grid.cell(3, 2).hAlign, HAlign::Center);
        for (int col = 1; col <= 6; ++col) {
            EXPECT_EQ(grid.cell(col, 1).fg, rgb(0, 0, 255));
            EXPECT_EQ(grid.cell(col, 1).bg, rgb(255, 200, 200));
        }
        EXPECT_EQ(grid.cell(2, 2).bg, kWhite);
        EXPECT_FALSE(grid.cell(4, 1).border(Side::Top).shown);
        EXPECT_TRUE(grid.cell(4, 2).border(Side::Top).shown);
        EXPECT_EQ(grid.activeColumn(), 0);
    }
    EXPECT_EQ(blankPredictionGrid(kEliminationGrid).text(1, 3), "消去法");
    EXPECT_EQ(blankPredictionGrid(kMultiShotGrid).text(1, 2), "連発予想");
    EXPECT_EQ(blankPredictionGrid(kOneShotGrid).text(1, 2), "１発予想");
    EXPECT_EQ(blankPredictionGrid(kCycleGrid).text(1, 5), "12回周期法");
    EXPECT_EQ(blankPredictionGrid(7).columnCount(), 0);
}

TEST(PredictionGridsLook, BordersPerGrid)
{
    // Cycle grid: lines above and below, and right of the label column only.
    const ResultGrid cycle = blankPredictionGrid(kCycleGrid);
    EXPECT_TRUE(cycle.cell(3, 3).border(Side::Bottom).shown);
    EXPECT_FALSE(cycle.cell(3, 3).border(Side::Left).shown);
    EXPECT_TRUE(cycle.cell(1, 3).border(Side::Right).shown);
    EXPECT_TRUE(cycle.cell(1, 1).border(Side::Right).shown);
    // Elimination and multi-shot: the label column has no inner lines; one-shot keeps them.
    const ResultGrid elimination = blankPredictionGrid(kEliminationGrid);
    EXPECT_TRUE(elimination.cell(3, 3).border(Side::Left).shown);
    EXPECT_FALSE(elimination.cell(1, 3).border(Side::Top).shown);
    EXPECT_TRUE(elimination.cell(1, 1).border(Side::Bottom).shown);
    EXPECT_FALSE(blankPredictionGrid(kMultiShotGrid).cell(1, 3).border(Side::Top).shown);
    EXPECT_TRUE(blankPredictionGrid(kOneShotGrid).cell(1, 2).border(Side::Left).shown);
}

TEST(PredictionShots, EveryChosenNumberIsACycleNumberNearSomeEliminationNumber)
{
    const DrawHistory history = syntheticHistory(1353);
    const PredictionEngine engine = scanned(history);
    std::vector<int> cycleNumbers;
    for (int m = 0; m < 4; ++m)
        for (int k = 1; k <= 6; ++k)
            if (const auto y = engine.cycleNumber(m, k)) cycleNumbers.push_back(*y);
    ASSERT_FALSE(cycleNumbers.empty());
    const auto chosenWell = [&](const Numbers& chosen, int reach, std::size_t cells,
                                const PredictionNumbers& numbers) {
        EXPECT_LE(chosen.size(), cells);
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            const int y = chosen[i];
            EXPECT_NE(std::find(cycleNumbers.begin(), cycleNumbers.end(), y), cycleNumbers.end());
            EXPECT_TRUE(std::any_of(numbers.EliminationList.begin(), numbers.EliminationList.end(),
                                    [&](int z) { return z >= y - reach && z <= y + reach; }));
            EXPECT_EQ(std::count(chosen.begin(), chosen.end(), y), 1);
        }
    };
    for (int n = 0; n <= kOptionCount; ++n) {
        const PredictionNumbers numbers = engine.predict(1353, n);
        for (const int x : numbers.EliminationList) {
            EXPECT_GE(x, 1);
            EXPECT_LE(x, 31);
        }
        chosenWell(numbers.multiShot, 3, 10, numbers);
        chosenWell(numbers.oneShot, 2, 5, numbers);
    }
}
