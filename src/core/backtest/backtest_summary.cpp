#include "core/backtest/backtest_summary.h"

#include "core/backtest/hit_distribution.h"
#include "core/lottery/lottery_rules.h"

const std::array<const char*, kTierCount> kTierNames = {"1等", "2等", "3等", "4等"};

namespace {

constexpr int kTicketSize = kMainCount;

// The tier a ticket wins (0 for 1等), or -1 for none: 5; 4 and the bonus; 4; 3.
int tierOf(const SetOutcome& outcome)
{
    switch (outcome.hits) {
    case 5:
        return 0;
    case 4:
        return outcome.bonus ? 1 : 2;
    case 3:
        return 3;
    default:
        return -1;
    }
}

}  // namespace

TargetRange allTargets(const Backtest& backtest)
{
    return {0, backtest.targetCount()};
}

TargetRange firstHalf(const Backtest& backtest)
{
    return {0, backtest.targetCount() / 2};
}

TargetRange secondHalf(const Backtest& backtest)
{
    return {backtest.targetCount() / 2, backtest.targetCount()};
}

SetSummary summarizeSet(const Backtest& backtest, int enabledOptionCount, int set,
                        TargetRange range)
{
    SetSummary summary;
    const auto tierChance = ticketTierChance();
    std::array<std::array<double, kMainCount + 1>, kNumberCount + 1> chanceBySize{};
    for (int k = 0; k <= kLotteryNumbers; ++k)
        chanceBySize[k] = hitDistribution(k);
    long sizes = 0;
    for (std::size_t t = range.begin; t < range.end; ++t) {
        const SetOutcome& outcome = backtest.outcome(enabledOptionCount, set, t);
        ++summary.targets;
        sizes += outcome.size;
        ++summary.hitCounts[outcome.hits];
        summary.observedHits += outcome.hits;
        summary.expectedHits += expectedHits(outcome.size);
        if (outcome.bonus) ++summary.bonusHits;
        summary.expectedBonusHits += static_cast<double>(outcome.size) / kLotteryNumbers;
        for (int x = 0; x <= kMainDrawn; ++x)
            summary.expectedCounts[x] += chanceBySize[outcome.size][x];
        if (outcome.size == kTicketSize) {
            ++summary.ticketTargets;
            if (const int tier = tierOf(outcome); tier >= 0) ++summary.tiers[tier];
            for (int i = 0; i < kTierCount; ++i)
                summary.expectedTiers[i] += tierChance[i];
        }
    }
    if (summary.targets > 0) summary.meanSize = static_cast<double>(sizes) / summary.targets;
    return summary;
}

ChanceTest testAgainstChance(const Backtest& backtest, int enabledOptionCount, int set,
                             TargetRange range)
{
    // Targets are grouped by set size, so each size's one-draw distribution is made once.
    std::array<int, kLotteryNumbers + 1> targetsBySize{};
    int observed = 0;
    double expected = 0.0;
    for (std::size_t t = range.begin; t < range.end; ++t) {
        const SetOutcome& outcome = backtest.outcome(enabledOptionCount, set, t);
        ++targetsBySize[outcome.size];
        observed += outcome.hits;
        expected += expectedHits(outcome.size);
    }
    TotalHitDistribution total;
    for (int k = 0; k <= kLotteryNumbers; ++k)
        if (targetsBySize[k] > 0) total.add(k, targetsBySize[k]);

    ChanceTest test;
    test.pValue = total.twoSidedPValue(observed);
    test.excess = observed - expected;
    // Chance spreads the total over [q2.5%, q97.5%]; the same spread around the observed total
    // gives the interval of the excess that the data are consistent with.
    test.excessLow = observed - total.quantile(0.975);
    test.excessHigh = observed - total.quantile(0.025);
    return test;
}

OptionChoice chooseOptionCount(const Backtest& backtest, int set)
{
    OptionChoice choice;
    choice.optionsIrrelevant = set < kCycleMethodCount;
    const TargetRange first = firstHalf(backtest);
    for (int n = 0; n < kOptionCounts; ++n) {
        const SetSummary summary = summarizeSet(backtest, n, set, first);
        const double excess = summary.observedHits - summary.expectedHits;
        if (n == 0 || excess > choice.firstHalfExcess) {
            choice.bestCount = n;
            choice.firstHalfExcess = excess;
        }
    }
    const TargetRange second = secondHalf(backtest);
    const SetSummary later = summarizeSet(backtest, choice.bestCount, set, second);
    choice.secondHalfExcess = later.observedHits - later.expectedHits;
    choice.secondHalf = testAgainstChance(backtest, choice.bestCount, set, second);
    return choice;
}

std::vector<double> cumulativeExcess(const Backtest& backtest, int enabledOptionCount, int set)
{
    std::vector<double> line;
    line.reserve(backtest.targetCount());
    double sum = 0.0;
    for (std::size_t t = 0; t < backtest.targetCount(); ++t) {
        const SetOutcome& outcome = backtest.outcome(enabledOptionCount, set, t);
        sum += outcome.hits - expectedHits(outcome.size);
        line.push_back(sum);
    }
    return line;
}
