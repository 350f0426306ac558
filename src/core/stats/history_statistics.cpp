// The history statistics: counts over the chosen draws set against fair-draw expectations.
#include "core/stats/history_statistics.h"

#include <algorithm>
#include <cmath>

#include "core/stats/probability.h"

namespace {

constexpr double kMainShare = 5.0 / kNumberCount;  // chance that a given number is drawn
// Chance that a given pair is among the five: C(29, 3) / C(31, 5) = 20 / 930.
constexpr double kPairShare = (5.0 * 4.0) / (kNumberCount * (kNumberCount - 1.0));
// Expected gap and pair counts below this are left off the end of the table (far below one gap).
constexpr double kNegligibleCount = 0.01;
constexpr std::size_t kPairListLength = 10;

bool isCountable(const Draw& draw)
{
    std::array<bool, kNumberCount + 1> seen{};
    for (int n : draw.numbers) {
        if (!isValidNumber(n) || seen[n]) return false;
        seen[n] = true;
    }
    return true;
}

int pairIndex(int first, int second)
{
    // Pairs (1,2), (1,3) … (1,31), (2,3) …: the rows before `first` hold 31 - a pairs each.
    const int before = (first - 1) * (2 * kNumberCount - first) / 2;
    return before + (second - first - 1);
}

}  // namespace

std::vector<CountedDraw> countedDraws(const DrawHistory& history, int lastCount)
{
    std::vector<CountedDraw> all;
    all.reserve(history.size());
    for (const std::optional<Draw>& draw : history.draws()) {
        if (!draw || !isCountable(*draw)) continue;
        CountedDraw counted;
        std::copy_n(draw->numbers.begin(), 5, counted.main.begin());
        counted.bonus = draw->numbers[kBonusIndex];
        all.push_back(counted);
    }
    if (lastCount > 0 && static_cast<std::size_t>(lastCount) < all.size())
        all.erase(all.begin(), all.end() - lastCount);
    return all;
}

NumberFrequency numberFrequency(const std::vector<CountedDraw>& draws, bool withBonus)
{
    NumberFrequency frequency;
    frequency.draws = static_cast<int>(draws.size());
    frequency.perDraw = withBonus ? 6 : 5;
    const double share = static_cast<double>(frequency.perDraw) / kNumberCount;
    frequency.expected = frequency.draws * share;
    frequency.low = binomialQuantile(frequency.draws, share, 0.025);
    frequency.high = binomialQuantile(frequency.draws, share, 0.975);
    for (const CountedDraw& draw : draws) {
        for (int n : draw.main)
            ++frequency.observed[n - 1];
        if (withBonus) ++frequency.observed[draw.bonus - 1];
    }
    return frequency;
}

ChiSquareTest uniformityTest(const NumberFrequency& frequency)
{
    ChiSquareTest test;
    if (frequency.draws == 0 || frequency.expected <= 0) return test;
    for (int observed : frequency.observed) {
        const double difference = observed - frequency.expected;
        test.pearson += difference * difference / frequency.expected;
    }
    test.statistic = test.pearson * (kNumberCount - 1.0) / (kNumberCount - frequency.perDraw);
    test.pValue = chiSquareUpperTail(test.statistic, test.degreesOfFreedom);
    return test;
}

GapDistribution gapDistribution(const std::vector<CountedDraw>& draws)
{
    GapDistribution gaps;
    gaps.draws = static_cast<int>(draws.size());
    std::array<int, kNumberCount> lastSeen;  // index of the number's latest draw, -1 for none
    lastSeen.fill(-1);
    for (int index = 0; index < gaps.draws; ++index) {
        for (int n : draws[index].main) {
            if (lastSeen[n - 1] >= 0) {
                const std::size_t gap = index - lastSeen[n - 1];
                if (gaps.observed.size() <= gap) gaps.observed.resize(gap + 1, 0);
                ++gaps.observed[gap];
            }
            lastSeen[n - 1] = index;
        }
    }

    // A gap of g needs two appearances g draws apart with none between: (draws - g) places,
    // each with chance p · (1 - p)^(g - 1) · p, for each of the 31 numbers.
    const double p = kMainShare;
    for (int g = 1; g < gaps.draws; ++g) {
        const double expected = kNumberCount * (gaps.draws - g) * p * p * std::pow(1.0 - p, g - 1);
        if (expected < kNegligibleCount && static_cast<std::size_t>(g) >= gaps.observed.size())
            break;
        if (gaps.expected.empty()) gaps.expected.push_back(0.0);
        gaps.expected.push_back(expected);
    }
    if (gaps.observed.size() < gaps.expected.size()) gaps.observed.resize(gaps.expected.size(), 0);
    if (gaps.expected.size() < gaps.observed.size()) gaps.expected.resize(gaps.observed.size(), 0);

    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        NumberGap& current = gaps.current[n - 1];
        current.number = n;
        current.gap = lastSeen[n - 1] < 0 ? gaps.draws : gaps.draws - 1 - lastSeen[n - 1];
        current.pAtLeast = std::pow(1.0 - p, current.gap);
    }
    return gaps;
}

double PatternDistribution::probability(std::size_t index) const
{
    if (index >= combinations.size()) return 0.0;
    return static_cast<double>(combinations[index]) / kCombinationCount;
}

double PatternDistribution::expected(std::size_t index) const
{
    return draws * probability(index);
}

ChiSquareTest patternTest(const PatternDistribution& pattern)
{
    constexpr double kLeastExpected = 5.0;
    std::vector<std::pair<double, double>> groups;  // (observed, expected)
    double observed = 0;
    double expected = 0;
    for (std::size_t i = 0; i < pattern.observed.size(); ++i) {
        observed += pattern.observed[i];
        expected += pattern.expected(i);
        if (expected >= kLeastExpected) {
            groups.emplace_back(observed, expected);
            observed = expected = 0;
        }
    }
    // A short tail joins the last group.
    if (expected > 0 || observed > 0) {
        if (groups.empty())
            groups.emplace_back(observed, expected);
        else {
            groups.back().first += observed;
            groups.back().second += expected;
        }
    }
    ChiSquareTest test;
    test.degreesOfFreedom = static_cast<int>(groups.size()) - 1;
    if (test.degreesOfFreedom < 1) {
        test.degreesOfFreedom = 0;
        return test;
    }
    for (const auto& [o, e] : groups)
        test.pearson += (o - e) * (o - e) / e;
    test.statistic = test.pearson;
    test.pValue = chiSquareUpperTail(test.statistic, test.degreesOfFreedom);
    return test;
}

PatternDistribution patternDistribution(const std::vector<CountedDraw>& draws, DrawPatternKind kind)
{
    const ExactDistributions& exact = exactDistributions();
    const ExactCounts* counts = nullptr;
    switch (kind) {
    case DrawPatternKind::Sum:
        counts = &exact.sum;
        break;
    case DrawPatternKind::Odd:
        counts = &exact.odd;
        break;
    case DrawPatternKind::Low:
        counts = &exact.low;
        break;
    case DrawPatternKind::Consecutive:
        counts = &exact.consecutive;
        break;
    case DrawPatternKind::LastDigits:
        counts = &exact.lastDigits;
        break;
    }
    PatternDistribution distribution;
    distribution.draws = static_cast<int>(draws.size());
    distribution.firstKey = counts->firstKey;
    distribution.combinations = counts->combinations;
    distribution.observed.assign(counts->combinations.size(), 0);
    for (const CountedDraw& draw : draws) {
        const DrawPattern pattern = patternOf(draw.main);
        int value = 0;
        switch (kind) {
        case DrawPatternKind::Sum:
            value = pattern.sum;
            break;
        case DrawPatternKind::Odd:
            value = pattern.odd;
            break;
        case DrawPatternKind::Low:
            value = pattern.low;
            break;
        case DrawPatternKind::Consecutive:
            value = pattern.consecutive;
            break;
        case DrawPatternKind::LastDigits:
            value = pattern.lastDigits;
            break;
        }
        const int index = value - distribution.firstKey;
        if (index >= 0 && index < static_cast<int>(distribution.observed.size()))
            ++distribution.observed[index];
    }
    return distribution;
}

PairFrequency pairFrequency(const std::vector<CountedDraw>& draws)
{
    PairFrequency pairs;
    pairs.draws = static_cast<int>(draws.size());
    pairs.expected = pairs.draws * kPairShare;
    pairs.pairs.reserve(kPairCount);
    for (int a = kLowestNumber; a <= kHighestNumber; ++a)
        for (int b = a + 1; b <= kHighestNumber; ++b)
            pairs.pairs.push_back(PairCount{a, b, 0});
    for (const CountedDraw& draw : draws) {
        std::array<int, 5> sorted = draw.main;
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t i = 0; i < sorted.size(); ++i)
            for (std::size_t j = i + 1; j < sorted.size(); ++j)
                ++pairs.pairs[pairIndex(sorted[i], sorted[j])].observed;
    }

    // Stable sorts over the list in number order keep ties in number order.
    std::vector<PairCount> byCount = pairs.pairs;
    std::stable_sort(byCount.begin(), byCount.end(), [](const PairCount& x, const PairCount& y) {
        return x.observed > y.observed;
    });
    pairs.most.assign(byCount.begin(), byCount.begin() + kPairListLength);
    byCount = pairs.pairs;
    std::stable_sort(byCount.begin(), byCount.end(), [](const PairCount& x, const PairCount& y) {
        return x.observed < y.observed;
    });
    pairs.least.assign(byCount.begin(), byCount.begin() + kPairListLength);

    pairs.pairsAtOrAboveMostByChance =
        kPairCount * binomialUpperTail(pairs.draws, kPairShare, pairs.most.front().observed);
    pairs.pairsAtOrBelowLeastByChance =
        kPairCount * binomialLowerTail(pairs.draws, kPairShare, pairs.least.front().observed);

    pairs.pairsByCount.assign(pairs.most.front().observed + 1, 0);
    for (const PairCount& pair : pairs.pairs)
        ++pairs.pairsByCount[pair.observed];
    for (int k = 0; k <= pairs.draws; ++k) {
        const double expected = kPairCount * binomialProbability(pairs.draws, kPairShare, k);
        if (expected < kNegligibleCount && k > pairs.draws * kPairShare &&
            static_cast<std::size_t>(k) >= pairs.pairsByCount.size())
            break;
        pairs.expectedPairsByCount.push_back(expected);
    }
    if (pairs.pairsByCount.size() < pairs.expectedPairsByCount.size())
        pairs.pairsByCount.resize(pairs.expectedPairsByCount.size(), 0);
    if (pairs.expectedPairsByCount.size() < pairs.pairsByCount.size())
        pairs.expectedPairsByCount.resize(pairs.pairsByCount.size(), 0);
    return pairs;
}

HistoryStatistics historyStatistics(const DrawHistory& history, int lastCount)
{
    const std::vector<CountedDraw> draws = countedDraws(history, lastCount);
    HistoryStatistics statistics;
    statistics.lastCount = lastCount;
    statistics.frequency = numberFrequency(draws, false);
    statistics.frequencyWithBonus = numberFrequency(draws, true);
    statistics.chiSquare = uniformityTest(statistics.frequency);
    statistics.gaps = gapDistribution(draws);
    statistics.sum = patternDistribution(draws, DrawPatternKind::Sum);
    statistics.odd = patternDistribution(draws, DrawPatternKind::Odd);
    statistics.low = patternDistribution(draws, DrawPatternKind::Low);
    statistics.consecutive = patternDistribution(draws, DrawPatternKind::Consecutive);
    statistics.lastDigits = patternDistribution(draws, DrawPatternKind::LastDigits);
    statistics.pairs = pairFrequency(draws);
    return statistics;
}
