// What a backtest says about one suggestion set: observed hits beside chance, the p-value, the
// prize tiers, and whether the best option count of the first half holds up in the second.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "core/backtest/backtest.h"

inline constexpr int kTierCount = 4;  // 1等 to 4等
extern const std::array<const char*, kTierCount> kTierNames;

// A range of targets, [begin, end) in target order.
struct TargetRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};
TargetRange allTargets(const Backtest& backtest);
TargetRange firstHalf(const Backtest& backtest);   // the first targetCount / 2 targets
TargetRange secondHalf(const Backtest& backtest);  // the rest

struct SetSummary {
    int targets = 0;
    double meanSize = 0.0;
    std::array<int, 6> hitCounts{};          // targets with 0 to 5 main hits
    std::array<double, 6> expectedCounts{};  // the same by chance
    int bonusHits = 0;
    double expectedBonusHits = 0.0;  // k / 31 per target
    int observedHits = 0;
    double expectedHits = 0.0;  // 5k / 31 per target
    // Prize tiers of a ticket of exactly the set's numbers, on the targets where it had five.
    int ticketTargets = 0;
    std::array<int, kTierCount> tiers{};
    std::array<double, kTierCount> expectedTiers{};
};

// Observed against chance, from the exact distribution of the total hits.
struct ChanceTest {
    double pValue = 1.0;     // two-sided
    double excess = 0.0;     // observed - expected hits
    double excessLow = 0.0;  // 95% interval of the excess
    double excessHigh = 0.0;
    // The interval holds 0: the set did no better (nor worse) than numbers picked at random.
    bool consistentWithChance() const { return excessLow <= 0.0 && excessHigh >= 0.0; }
};

SetSummary summarizeSet(const Backtest& backtest, int enabledOptionCount, int set,
                        TargetRange range);
// Convolves the targets' exact distributions, so this costs about the number of targets times
// the spread of the total; run it only for what is shown.
ChanceTest testAgainstChance(const Backtest& backtest, int enabledOptionCount, int set,
                             TargetRange range);

// The option count whose excess hits were highest on the first half (the lowest count on a
// tie), and how that same count did on the second half.
struct OptionChoice {
    int bestCount = 0;
    double firstHalfExcess = 0.0;
    double secondHalfExcess = 0.0;
    ChanceTest secondHalf;
    // The set's suggestions do not depend on the option count (the cycle rows).
    bool optionsIrrelevant = false;
};
OptionChoice chooseOptionCount(const Backtest& backtest, int set);

// Hits minus expected hits, cumulated target by target: one value per target.
std::vector<double> cumulativeExcess(const Backtest& backtest, int enabledOptionCount, int set);
