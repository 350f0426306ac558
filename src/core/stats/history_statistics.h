// Statistics of the draw history against the exact chance of a fair draw: number frequency with
// its binomial band and a chi-square test, gaps against the geometric law, the pattern
// distributions against all 169,911 sets, and pair counts. One function per measure, plain data
// out, no Qt.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/draws/draw_history.h"
#include "core/stats/exact_distributions.h"

inline constexpr int kPairCount = kNumberCount * (kNumberCount - 1) / 2;  // 465

// The draws the statistics read, oldest first: the five main numbers and the bonus.
struct CountedDraw {
    std::array<int, 5> main{};
    int bonus = 0;
};

// The last `lastCount` draws of the history whose six numbers are all in 1..31 and all
// different (every draw when lastCount <= 0 or larger than the history). Rows that are not such
// a draw are left out, so a damaged row never counts as a number.
std::vector<CountedDraw> countedDraws(const DrawHistory& history, int lastCount);

// How often each number came up, against a fair draw's expectation.
struct NumberFrequency {
    int draws = 0;
    int perDraw = 5;        // 5 main numbers, or 6 with the bonus
    double expected = 0;    // draws · perDraw / 31, the same for every number
    std::int64_t low = 0;   // 2.5% quantile of Binomial(draws, perDraw / 31)
    std::int64_t high = 0;  // 97.5% quantile: 95% of fair counts fall in low..high
    std::array<int, kNumberCount> observed{};  // index n - 1 for number n
};
NumberFrequency numberFrequency(const std::vector<CountedDraw>& draws, bool withBonus);

// Pearson's chi-square test that every number is equally likely. Each draw holds k different
// numbers, so the counts are less spread than independent picks and Pearson's sum follows
// (31 - k) / 30 · χ²(30); `statistic` is the sum scaled back by 30 / (31 - k) so that its
// p-value is read from χ²(30) without overstating the evidence.
struct ChiSquareTest {
    double pearson = 0;    // Σ (observed - expected)² / expected
    double statistic = 0;  // pearson · 30 / (31 - k)
    int degreesOfFreedom = kNumberCount - 1;
    double pValue = 1;  // P(χ²(30) >= statistic); 1 with no draws
};
ChiSquareTest uniformityTest(const NumberFrequency& frequency);

// Gaps between a main number's appearances: gap g means it came again g draws later.
struct NumberGap {
    int number = 0;
    int gap = 0;          // draws since it last came up (0: in the latest draw; all the
                          // draws when it never came up)
    double pAtLeast = 1;  // chance of going at least that many draws without it: (26/31)^gap
};
struct GapDistribution {
    int draws = 0;
    std::vector<int> observed;     // index g: gaps of length g seen (index 0 unused)
    std::vector<double> expected;  // index g: expected number of such gaps in `draws` fair
                                   // draws, 31 · (draws - g) · p² · (1 - p)^(g - 1), p = 5/31
    std::array<NumberGap, kNumberCount> current{};
};
GapDistribution gapDistribution(const std::vector<CountedDraw>& draws);

// Observed draws per pattern value against the exact count of sets with that value.
struct PatternDistribution {
    int draws = 0;
    int firstKey = 0;                        // value of index 0
    std::vector<int> observed;               // draws with each value
    std::vector<std::int64_t> combinations;  // sets with each value, summing to 169,911

    int key(std::size_t index) const { return firstKey + static_cast<int>(index); }
    double probability(std::size_t index) const;  // combinations / 169,911
    double expected(std::size_t index) const;     // draws · probability
};
// Pearson's chi-square test of a pattern distribution against its exact probabilities.
// Neighbouring values are pooled until each group expects at least 5 draws (the usual condition
// for the chi-square approximation); df = groups - 1. No test (df 0, p-value 1) with fewer than
// two groups.
ChiSquareTest patternTest(const PatternDistribution& pattern);

enum class DrawPatternKind { Sum, Odd, Low, Consecutive, LastDigits };
PatternDistribution patternDistribution(const std::vector<CountedDraw>& draws,
                                        DrawPatternKind kind);

// How often each of the 465 pairs came up together among the main numbers.
struct PairCount {
    int first = 0;  // first < second
    int second = 0;
    int observed = 0;
};
struct PairFrequency {
    int draws = 0;
    double expected = 0;           // draws · 2/93: a given pair is in 10 of every 465 sets
    std::vector<PairCount> pairs;  // all 465, by first then second number
    std::vector<PairCount> most;   // the 10 most frequent, most first (ties by number)
    std::vector<PairCount> least;  // the 10 least frequent, least first (ties by number)
    // With 465 pairs some look extreme by chance: how many pairs a fair history is expected to
    // have at least as high as the top count, and at least as low as the bottom count.
    double pairsAtOrAboveMostByChance = 0;
    double pairsAtOrBelowLeastByChance = 0;
    // index k: how many pairs came up together k times, and how many a fair history expects
    // (465 · Binomial(draws, 2/93) at k); up to the larger of the top count and the last
    // expectation worth drawing.
    std::vector<int> pairsByCount;
    std::vector<double> expectedPairsByCount;
};
PairFrequency pairFrequency(const std::vector<CountedDraw>& draws);

// Every measure for the last `lastCount` draws (all when <= 0).
struct HistoryStatistics {
    int lastCount = 0;
    NumberFrequency frequency;
    NumberFrequency frequencyWithBonus;
    ChiSquareTest chiSquare;
    GapDistribution gaps;
    PatternDistribution sum;
    PatternDistribution odd;
    PatternDistribution low;
    PatternDistribution consecutive;
    PatternDistribution lastDigits;
    PairFrequency pairs;
};
HistoryStatistics historyStatistics(const DrawHistory& history, int lastCount);
