#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "core/stats/history_statistics.h"
#include "core/stats/probability.h"
#include "test_support.h"

namespace {

// 31 draws {d, d+1, …, d+4} (wrapping past 31): every number comes up exactly 5 times.
DrawHistory evenHistory()
{
    std::vector<DrawRow> rows;
    for (int d = 0; d < 31; ++d) {
        std::array<int, 6> numbers{};
        for (int k = 0; k < 6; ++k)
            numbers[k] = (d + k) % 31 + 1;
        rows.push_back(drawRow(d + 1, numbers));
    }
    return historyOf(rows);
}

}  // namespace

TEST(HistoryStatistics, EmptyHistoryGivesZeroCountsAndNoEvidence)
{
    const HistoryStatistics stats = historyStatistics(DrawHistory(), 0);
    EXPECT_EQ(stats.frequency.draws, 0);
    EXPECT_EQ(stats.frequency.expected, 0.0);
    EXPECT_EQ(stats.frequency.low, 0);
    EXPECT_EQ(stats.frequency.high, 0);
    EXPECT_EQ(stats.chiSquare.pValue, 1.0);
    EXPECT_TRUE(stats.gaps.observed.empty());
    EXPECT_EQ(stats.gaps.current[30].number, 31);
    EXPECT_EQ(stats.gaps.current[30].gap, 0);
    EXPECT_EQ(stats.sum.observed.size(), stats.sum.combinations.size());
    EXPECT_EQ(std::accumulate(stats.sum.observed.begin(), stats.sum.observed.end(), 0), 0);
    EXPECT_EQ(stats.pairs.pairs.size(), 465u);
    ASSERT_EQ(stats.pairs.most.size(), 10u);
    EXPECT_EQ(stats.pairs.most.front().observed, 0);
}

TEST(HistoryStatistics, LastNTakesTheLatestCountableDrawsAndAllWhenNIsLarger)
{
    DrawRow duplicate = drawRow(4, {1, 1, 2, 3, 4, 5});
    DrawRow outOfRange = drawRow(5, {1, 2, 3, 4, 32, 5});
    const DrawHistory history = historyOf({
        drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {7, 8, 9, 10, 11, 12}),
        drawRow(3, {13, 14, 15, 16, 17, 18}), duplicate, outOfRange, incompleteRow(6),
        drawRow(7, {13, 14, 15, 16, 17, 19}),  // a bonus equal to a main number is not a draw
    });
    EXPECT_EQ(countedDraws(history, 0).size(), 4u);
    EXPECT_EQ(countedDraws(history, 1000).size(), 4u);
    const std::vector<CountedDraw> lastTwo = countedDraws(history, 2);
    ASSERT_EQ(lastTwo.size(), 2u);
    EXPECT_EQ(lastTwo[0].main[0], 13);
    EXPECT_EQ(lastTwo[1].bonus, 19);

    const HistoryStatistics all = historyStatistics(history, 0);
    const HistoryStatistics beyond = historyStatistics(history, 1000);
    EXPECT_EQ(beyond.frequency.observed, all.frequency.observed);
    EXPECT_EQ(beyond.sum.observed, all.sum.observed);
    EXPECT_EQ(all.frequency.observed[12], 2);  // 13 in draws 3 and 7
    EXPECT_EQ(all.frequencyWithBonus.observed[5], 1);
}

TEST(HistoryStatistics, FrequencyBandIsTheCentral95PercentOfTheBinomial)
{
    // Binomial(3, 5/31): P(0) = 0.590, P(<=1) = 0.930, P(<=2) = 0.996.
    const HistoryStatistics stats = historyStatistics(
        historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {1, 7, 8, 9, 10, 11}),
                   drawRow(3, {1, 2, 12, 13, 14, 15})}),
        0);
    EXPECT_DOUBLE_EQ(stats.frequency.expected, 15.0 / 31);
    EXPECT_EQ(stats.frequency.low, 0);
    EXPECT_EQ(stats.frequency.high, 2);
    EXPECT_EQ(stats.frequency.observed[0], 3);
    EXPECT_EQ(stats.frequency.observed[1], 2);
    EXPECT_EQ(stats.frequency.observed[5], 0);
    EXPECT_DOUBLE_EQ(stats.frequencyWithBonus.expected, 18.0 / 31);
    EXPECT_EQ(stats.frequencyWithBonus.observed[5], 1);
}

TEST(HistoryStatistics, ChiSquareScalesPearsonForFiveDifferentNumbersPerDraw)
{
    const HistoryStatistics even = historyStatistics(evenHistory(), 0);
    EXPECT_EQ(even.chiSquare.statistic, 0.0);
    EXPECT_EQ(even.chiSquare.pValue, 1.0);
    EXPECT_EQ(even.chiSquare.degreesOfFreedom, 30);

    // 31 times {1..5}: expected 5 each; five numbers seen 31 times, 26 never.
    std::vector<DrawRow> rows;
    for (int d = 1; d <= 31; ++d)
        rows.push_back(drawRow(d, {1, 2, 3, 4, 5, 6}));
    const ChiSquareTest same = historyStatistics(historyOf(rows), 0).chiSquare;
    EXPECT_DOUBLE_EQ(same.pearson, 5 * 26.0 * 26 / 5 + 26 * 25.0 / 5);  // 806
    EXPECT_DOUBLE_EQ(same.statistic, 806.0 * 30 / 26);
    EXPECT_LT(same.pValue, 1e-100);
}

TEST(HistoryStatistics, GapsCountDrawsBetweenAppearancesAgainstTheGeometricLaw)
{
    const HistoryStatistics stats = historyStatistics(
        historyOf({drawRow(1, {1, 2, 3, 4, 5, 31}), drawRow(2, {1, 6, 7, 8, 9, 31}),
                   drawRow(3, {10, 11, 12, 13, 14, 31}), drawRow(4, {1, 2, 15, 16, 17, 31})}),
        0);
    const GapDistribution& gaps = stats.gaps;
    // 1: gaps 1 and 2; 2: gap 3.
    ASSERT_GE(gaps.observed.size(), 4u);
    EXPECT_EQ(gaps.observed[1], 1);
    EXPECT_EQ(gaps.observed[2], 1);
    EXPECT_EQ(gaps.observed[3], 1);
    const double p = 5.0 / 31;
    ASSERT_EQ(gaps.expected.size(), gaps.observed.size());
    EXPECT_DOUBLE_EQ(gaps.expected[1], 31 * 3 * p * p);
    EXPECT_DOUBLE_EQ(gaps.expected[3], 31 * 1 * p * p * (1 - p) * (1 - p));
    EXPECT_EQ(gaps.current[0].gap, 0);   // 1 in the latest draw
    EXPECT_EQ(gaps.current[2].gap, 3);   // 3 last in draw 1
    EXPECT_EQ(gaps.current[30].gap, 4);  // 31 only as a bonus: never among the main five
    EXPECT_DOUBLE_EQ(gaps.current[2].pAtLeast, std::pow(26.0 / 31, 3));
}

TEST(HistoryStatistics, PatternsAndPairsCountEachDraw)
{
    const HistoryStatistics stats = historyStatistics(
        historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {2, 1, 20, 21, 31, 6})}), 0);
    EXPECT_EQ(stats.sum.observed[15 - stats.sum.firstKey], 1);
    EXPECT_EQ(stats.sum.observed[75 - stats.sum.firstKey], 1);
    EXPECT_DOUBLE_EQ(stats.sum.expected(0), 2.0 / 169911);
    EXPECT_EQ(stats.odd.observed[3], 2);  // 1, 3, 5 and 1, 21, 31
    EXPECT_EQ(stats.low.observed[5], 1);
    EXPECT_EQ(stats.low.observed[2], 1);
    EXPECT_EQ(stats.consecutive.observed[4], 1);  // 1-2-3-4-5
    EXPECT_EQ(stats.consecutive.observed[2], 1);  // 1-2, 20-21

    const PairFrequency& pairs = stats.pairs;
    EXPECT_DOUBLE_EQ(pairs.expected, 2 * 2.0 / 93);
    int total = 0;
    for (const PairCount& pair : pairs.pairs)
        total += pair.observed;
    EXPECT_EQ(total, 20);  // ten pairs in each draw
    EXPECT_EQ(pairs.most.front().first, 1);
    EXPECT_EQ(pairs.most.front().second, 2);
    EXPECT_EQ(pairs.most.front().observed, 2);
    EXPECT_EQ(pairs.most[1].observed, 1);
    EXPECT_EQ(pairs.least.front().observed, 0);
    EXPECT_EQ(pairs.pairs[464].first, 30);
    EXPECT_EQ(pairs.pairs[464].second, 31);
    EXPECT_EQ(pairs.pairs[464].observed, 0);
    ASSERT_GE(pairs.pairsByCount.size(), 3u);
    EXPECT_EQ(pairs.pairsByCount[0], 446);
    EXPECT_EQ(pairs.pairsByCount[1], 18);
    EXPECT_EQ(pairs.pairsByCount[2], 1);
    EXPECT_NEAR(pairs.expectedPairsByCount[0], 465 * (91.0 / 93) * (91.0 / 93), 1e-9);
    // With 465 pairs over 2 draws, a count of 2 is expected of 465 · (2/93)² ≈ 0.2 pairs.
    EXPECT_NEAR(pairs.pairsAtOrAboveMostByChance, 465 * (2.0 / 93) * (2.0 / 93), 1e-12);
}

TEST(HistoryStatistics, PatternTestPoolsValuesUntilFiveDrawsAreExpected)
{
    PatternDistribution odd = historyStatistics(DrawHistory(), 0).odd;
    odd.draws = 100;
    odd.observed = {2, 13, 32, 35, 16, 2};
    // Expected 1.77, 12.85, 32.13, 34.61, 16.07, 2.57: {0, 1}, {2}, {3}, {4, 5}.
    const std::vector<std::pair<double, double>> groups = {{15, odd.expected(0) + odd.expected(1)},
                                                           {32, odd.expected(2)},
                                                           {35, odd.expected(3)},
                                                           {18, odd.expected(4) + odd.expected(5)}};
    double pearson = 0;
    for (const auto& [o, e] : groups)
        pearson += (o - e) * (o - e) / e;
    const ChiSquareTest test = patternTest(odd);
    EXPECT_EQ(test.degreesOfFreedom, 3);
    EXPECT_NEAR(test.statistic, pearson, 1e-12);
    EXPECT_NEAR(test.pValue, chiSquareUpperTail(pearson, 3), 1e-15);

    odd.draws = 10;  // expects under 10 draws in all but one group: no test
    odd.observed = {0, 1, 4, 3, 2, 0};
    EXPECT_EQ(patternTest(odd).degreesOfFreedom, 0);
    EXPECT_EQ(patternTest(odd).pValue, 1.0);
}

TEST(HistoryStatistics, AFairSyntheticHistoryLooksLikeChance)
{
    // Shuffled draws: the measures must agree with their expectations, or a formula is wrong.
    const HistoryStatistics stats = historyStatistics(syntheticHistory(5000), 0);
    EXPECT_GT(stats.chiSquare.pValue, 0.001);
    double observedGaps = 0;
    double expectedGaps = 0;
    for (std::size_t g = 1; g < stats.gaps.observed.size(); ++g) {
        observedGaps += stats.gaps.observed[g];
        expectedGaps += stats.gaps.expected[g];
    }
    EXPECT_NEAR(observedGaps / expectedGaps, 1.0, 0.01);
    double meanSum = 0;
    for (std::size_t i = 0; i < stats.sum.observed.size(); ++i)
        meanSum += static_cast<double>(stats.sum.key(i)) * stats.sum.observed[i] / 5000;
    EXPECT_NEAR(meanSum, 80.0, 1.0);  // standard error about 0.3
    EXPECT_GT(patternTest(stats.sum).pValue, 0.001);
    EXPECT_GT(patternTest(stats.consecutive).pValue, 0.001);
    for (std::size_t k = 0; k < stats.odd.observed.size(); ++k)
        EXPECT_NEAR(stats.odd.observed[k], stats.odd.expected(k),
                    5 * std::sqrt(stats.odd.expected(k)) + 1);
}
