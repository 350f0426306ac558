#include <gtest/gtest.h>

#include <numeric>

#include "core/stats/exact_distributions.h"

namespace {

std::int64_t choose(int n, int k)
{
    if (k < 0 || k > n) return 0;
    std::int64_t result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i;
    return result;
}

std::int64_t total(const ExactCounts& counts)
{
    return std::accumulate(counts.combinations.begin(), counts.combinations.end(), std::int64_t{0});
}

}  // namespace

TEST(ExactDistributions, EveryTableCountsEverySetOnce)
{
    const ExactDistributions& exact = exactDistributions();
    EXPECT_EQ(choose(31, 5), kCombinationCount);
    for (const ExactCounts* counts :
         {&exact.sum, &exact.odd, &exact.low, &exact.consecutive, &exact.lastDigits})
        EXPECT_EQ(total(*counts), kCombinationCount);
    EXPECT_EQ(&exactDistributions(), &exact);  // counted once
}

TEST(ExactDistributions, SumRunsFrom15To145AroundMean80)
{
    const ExactCounts& sum = exactDistributions().sum;
    ASSERT_EQ(sum.firstKey, 15);
    ASSERT_EQ(sum.combinations.size(), 131u);
    std::int64_t weighted = 0;
    for (std::size_t i = 0; i < sum.combinations.size(); ++i) {
        weighted += (sum.firstKey + static_cast<std::int64_t>(i)) * sum.combinations[i];
        // n -> 32 - n maps a set of sum s to one of sum 160 - s.
        EXPECT_EQ(sum.combinations[i], sum.combinations[sum.combinations.size() - 1 - i]);
    }
    EXPECT_EQ(weighted, 80 * kCombinationCount);
    EXPECT_EQ(sum.combinations.front(), 1);  // only 1+2+3+4+5
    EXPECT_EQ(sum.combinations[1], 1);       // only 1+2+3+4+6
    EXPECT_EQ(sum.combinations[2], 2);       // 1+2+3+4+7, 1+2+3+5+6
}

TEST(ExactDistributions, CountsAgreeWithChoosingFromEachGroup)
{
    const ExactDistributions& exact = exactDistributions();
    for (int k = 0; k <= 5; ++k) {
        // 16 odd and 15 even numbers; 15 low (1..15) and 16 high (16..31).
        EXPECT_EQ(exact.odd.combinations[k], choose(16, k) * choose(15, 5 - k)) << k;
        EXPECT_EQ(exact.low.combinations[k], choose(15, k) * choose(16, 5 - k)) << k;
    }
    // Sets with no two consecutive numbers: C(31 - 5 + 1, 5); all five in a row: 27 sets.
    EXPECT_EQ(exact.consecutive.combinations[0], choose(27, 5));
    EXPECT_EQ(exact.consecutive.combinations[4], 27);
    // Five different last digits: choose 5 of the digits, then one number for each (digits 1
    // and 0..9 otherwise have 4 and 3 numbers: 1, 11, 21, 31 and e.g. 2, 12, 22).
    std::int64_t allDifferent = 0;
    for (int withDigitOne = 0; withDigitOne <= 1; ++withDigitOne) {
        const std::int64_t others = choose(9, 5 - withDigitOne);
        std::int64_t ways = others;
        for (int i = 0; i < 5 - withDigitOne; ++i)
            ways *= 3;
        allDifferent += ways * (withDigitOne ? 4 : 1);
    }
    EXPECT_EQ(exact.lastDigits.combinations[5 - exact.lastDigits.firstKey], allDifferent);
    EXPECT_EQ(exact.lastDigits.combinations[1 - exact.lastDigits.firstKey], 0);
}

TEST(ExactDistributions, PatternOfOneSet)
{
    const DrawPattern pattern = patternOf({31, 2, 3, 4, 11});
    EXPECT_EQ(pattern.sum, 51);
    EXPECT_EQ(pattern.odd, 3);
    EXPECT_EQ(pattern.low, 4);
    EXPECT_EQ(pattern.consecutive, 2);  // 2-3 and 3-4
    EXPECT_EQ(pattern.lastDigits, 4);   // 1 (11, 31), 2, 3, 4
}
