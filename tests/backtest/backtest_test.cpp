#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "core/backtest/backtest.h"
#include "core/backtest/backtest_summary.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_tables.h"
#include "test_support.h"

namespace {

// The distinct numbers shown in rows [firstRow, lastRow] of a prediction grid, in grid order.
std::vector<int> shownNumbers(const ResultGrid& grid, int firstRow, int lastRow)
{
    std::vector<int> numbers;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int col = 2; col <= 6; ++col) {
            const std::string text = grid.text(col, row);
            if (text.empty()) continue;
            const int n = std::stoi(text);
            if (std::find(numbers.begin(), numbers.end(), n) == numbers.end()) numbers.push_back(n);
        }
    return numbers;
}

// What the prediction window shows for this history with each option count, read back from its
// four grids.
std::array<SuggestionSets, kOptionCounts> windowSuggestions(const DrawHistory& history)
{
    PredictionEngine engine;
    engine.ScanCycles(history);
    const int latest = LoadDrawTables(history).LatestDrawNo;
    std::array<SuggestionSets, kOptionCounts> all;
    for (int n = 0; n < kOptionCounts; ++n) {
        const PredictionGrids grids = engine.RefreshPrediction(latest, n);
        SuggestionSets& sets = all[n];
        for (int m = 0; m < 4; ++m)
            sets[m] = shownNumbers(grids[kCycleGrid], m + 2, m + 2);
        sets[kEliminationSet] = shownNumbers(grids[kEliminationGrid], 2, 4);
        sets[kMultiShotSet] = shownNumbers(grids[kMultiShotGrid], 2, 3);
        sets[kOneShotSet] = shownNumbers(grids[kOneShotGrid], 2, 2);
    }
    return all;
}

// The history as the database would hold it with only the draws before draw d.
DrawHistory historyBefore(const DrawHistory& history, int d)
{
    std::vector<DrawRow> rows;
    for (std::size_t i = 0; i < history.size(); ++i) {
        const auto& draw = history.draws()[i];
        if (draw && draw->drawNo >= d) break;
        rows.push_back(history.rows()[i]);
    }
    return DrawHistory(std::move(rows));
}

std::array<int, 6> randomDraw(std::mt19937& random)
{
    std::array<int, 31> pool;
    for (int i = 0; i < 31; ++i)
        pool[i] = i + 1;
    std::shuffle(pool.begin(), pool.end(), random);
    return {pool[0], pool[1], pool[2], pool[3], pool[4], pool[5]};
}

// Ascending draw numbers with gaps, a repeated number now and then and rows that are not
// complete draws, as a hand-kept database may hold.
DrawHistory randomHistory(unsigned seed, int count)
{
    std::mt19937 random(seed);
    std::vector<DrawRow> rows;
    int d = 1;
    for (int i = 0; i < count; ++i) {
        if (random() % 29 == 0)
            rows.push_back(incompleteRow(d));
        else
            rows.push_back(drawRow(d, randomDraw(random)));
        const unsigned step = random() % 23;
        d += step == 0 ? 0 : step == 1 ? 3 : 1;
    }
    return DrawHistory(std::move(rows));
}

SetOutcome scored(const std::vector<int>& set, const Draw& target)
{
    SetOutcome outcome;
    for (const int n : set) {
        if (n < 1 || n > 31) continue;
        ++outcome.size;
        for (int k = 0; k < 5; ++k)
            if (target.numbers[k] == n) ++outcome.hits;
        if (target.numbers[5] == n) outcome.bonus = true;
    }
    return outcome;
}

// Every target's suggestions equal a from-scratch engine over the draws before it, and the
// backtest scores exactly those suggestions.
void expectWalkEqualsFromScratch(const DrawHistory& history, int from)
{
    const Backtest backtest = runBacktest(history, from);
    SuggestionWalk walk(history);
    std::size_t t = 0;
    for (const auto& draw : history.draws()) {
        if (!draw || draw->drawNo < from) continue;
        walk.advanceTo(draw->drawNo);
        const DrawHistory before = historyBefore(history, draw->drawNo);
        ASSERT_EQ(backtest.targetDrawNos()[t], draw->drawNo);
        const auto window = windowSuggestions(before);
        for (int n = 0; n < kOptionCounts; ++n) {
            const SuggestionSets& expected = window[n];
            ASSERT_EQ(walk.suggestions(n), expected) << "draw " << draw->drawNo << " n=" << n;
            for (int s = 0; s < kSuggestionSetCount; ++s) {
                const SetOutcome want = scored(expected[s], *draw);
                const SetOutcome& got = backtest.outcome(n, s, t);
                ASSERT_EQ(got.size, want.size) << kSuggestionSetNames[s];
                ASSERT_EQ(got.hits, want.hits) << kSuggestionSetNames[s];
                ASSERT_EQ(got.bonus, want.bonus) << kSuggestionSetNames[s];
            }
        }
        ++t;
    }
    EXPECT_EQ(t, backtest.targetCount());
    // The draw after the latest: what the prediction window shows now.
    walk.advanceToEnd();
    const auto window = windowSuggestions(history);
    for (int n = 0; n < kOptionCounts; ++n)
        EXPECT_EQ(walk.suggestions(n), window[n]) << "n=" << n;
}

DrawHistory realHistoryOrNothing()
{
    const auto path = sharedDrawsCsv();
    if (!path) return {};
    auto text = readTextFile(*path);
    if (!text) return {};
    auto rows = parseDrawCsv(text.value(), CsvValues::AsWritten);
    return rows ? DrawHistory(sortedByDrawNo(std::move(rows.value()))) : DrawHistory();
}

}  // namespace

TEST(Backtest, WalkForwardEqualsTheFromScratchEngineOnRandomHistories)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const DrawHistory history = randomHistory(seed, 90 + 20 * seed);
        SCOPED_TRACE(seed);
        expectWalkEqualsFromScratch(history, seed % 2 ? 1 : 30);
    }
}

TEST(Backtest, WalkForwardEqualsTheFromScratchEngineOnTheRealHistory)
{
    const DrawHistory history = realHistoryOrNothing();
    if (history.empty()) GTEST_SKIP() << "the shared draw history is absent";
    expectWalkEqualsFromScratch(history, *defaultFirstTarget(history));
}

TEST(Backtest, SuggestionsForADrawNeverSeeThatDrawOrAnyLaterOne)
{
    const DrawHistory original = randomHistory(11, 150);
    std::mt19937 random(99);
    for (const int d : {25, 60, 61, 140}) {
        std::vector<DrawRow> rows = original.rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto& draw = original.draws()[i];
            if (draw && draw->drawNo >= d) rows[i] = drawRow(draw->drawNo, randomDraw(random));
        }
        const DrawHistory changed(std::move(rows));
        SuggestionWalk before(original), after(changed);
        before.advanceTo(d);
        after.advanceTo(d);
        const Backtest test = runBacktest(changed, d);
        ASSERT_GT(test.targetCount(), 0u);
        ASSERT_EQ(test.targetDrawNos()[0], d);
        const Draw target =
            *changed.draws()[std::find_if(
                                 changed.draws().begin(), changed.draws().end(),
                                 [&](const auto& draw) { return draw && draw->drawNo == d; }) -
                             changed.draws().begin()];
        for (int n = 0; n < kOptionCounts; ++n) {
            const SuggestionSets sets = before.suggestions(n);
            EXPECT_EQ(after.suggestions(n), sets) << "d=" << d << " n=" << n;
            for (int s = 0; s < kSuggestionSetCount; ++s)
                EXPECT_EQ(test.outcome(n, s, 0).hits, scored(sets[s], target).hits);
        }
    }
}

TEST(Backtest, FirstTargetDefaultsToTheFiftiethCompleteDraw)
{
    std::vector<DrawRow> rows{incompleteRow(1)};
    for (int d = 2; d <= 60; ++d)
        rows.push_back(drawRow(d, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(defaultFirstTarget(DrawHistory(rows)), 51);
    rows.resize(40);
    EXPECT_EQ(defaultFirstTarget(DrawHistory(rows)), std::nullopt);
    EXPECT_EQ(runBacktest(DrawHistory(rows), 100).targetCount(), 0u);
}

// A hand-made backtest of four targets: hits 5, 4 with bonus, 4, 0 for a five-number set.
TEST(BacktestSummary, CountsHitsTiersAndChance)
{
    Backtest backtest(1, {1, 2, 3, 4});
    const std::array<SetOutcome, 4> outcomes = {
        {{5, 5, false}, {5, 4, true}, {5, 4, false}, {5, 0, false}}};
    for (std::size_t t = 0; t < 4; ++t)
        backtest.outcome(3, kOneShotSet, t) = outcomes[t];
    const SetSummary summary = summarizeSet(backtest, 3, kOneShotSet, allTargets(backtest));
    EXPECT_EQ(summary.targets, 4);
    EXPECT_DOUBLE_EQ(summary.meanSize, 5.0);
    EXPECT_EQ(summary.hitCounts, (std::array<int, 6>{1, 0, 0, 0, 2, 1}));
    EXPECT_EQ(summary.observedHits, 13);
    EXPECT_DOUBLE_EQ(summary.expectedHits, 4 * 25.0 / 31);
    EXPECT_EQ(summary.bonusHits, 1);
    EXPECT_EQ(summary.ticketTargets, 4);
    EXPECT_EQ(summary.tiers, (std::array<int, 4>{1, 1, 1, 0}));
    EXPECT_DOUBLE_EQ(summary.expectedTiers[3], 4 * 3250.0 / 169911);

    const ChanceTest test = testAgainstChance(backtest, 3, kOneShotSet, allTargets(backtest));
    EXPECT_LT(test.pValue, 1e-6);
    EXPECT_FALSE(test.consistentWithChance());
    EXPECT_NEAR(test.excess, 13 - 4 * 25.0 / 31, 1e-12);
    EXPECT_LE(test.excessLow, test.excess);
    EXPECT_GE(test.excessHigh, test.excess);

    // Option count 0 holds empty sets: no hits, nothing expected, nothing to reject.
    const ChanceTest empty = testAgainstChance(backtest, 0, kOneShotSet, allTargets(backtest));
    EXPECT_DOUBLE_EQ(empty.pValue, 1.0);
    EXPECT_TRUE(empty.consistentWithChance());
}

TEST(BacktestSummary, OptionChoiceIsMadeOnTheFirstHalfAndJudgedOnTheSecond)
{
    Backtest backtest(1, {1, 2, 3, 4, 5, 6});
    for (int n = 0; n < kOptionCounts; ++n)
        for (std::size_t t = 0; t < 6; ++t)
            backtest.outcome(n, kEliminationSet, t) = {15, 2, false};
    // Count 7 shines on the first half only; count 9 ties with it there but is not chosen.
    for (const int n : {7, 9})
        for (std::size_t t = 0; t < 3; ++t)
            backtest.outcome(n, kEliminationSet, t).hits = 5;
    for (std::size_t t = 3; t < 6; ++t)
        backtest.outcome(7, kEliminationSet, t).hits = 0;
    const OptionChoice choice = chooseOptionCount(backtest, kEliminationSet);
    EXPECT_EQ(choice.bestCount, 7);
    EXPECT_NEAR(choice.firstHalfExcess, 15 - 3 * 75.0 / 31, 1e-9);
    EXPECT_NEAR(choice.secondHalfExcess, -3 * 75.0 / 31, 1e-9);
    EXPECT_FALSE(choice.optionsIrrelevant);
    EXPECT_TRUE(chooseOptionCount(backtest, 0).optionsIrrelevant);

    const std::vector<double> line = cumulativeExcess(backtest, 7, kEliminationSet);
    ASSERT_EQ(line.size(), 6u);
    EXPECT_NEAR(line[2], 15 - 3 * 75.0 / 31, 1e-9);
    EXPECT_NEAR(line[5], 15 - 6 * 75.0 / 31, 1e-9);
}
