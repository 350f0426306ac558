// The chance of hitting main numbers with a set of numbers picked without any knowledge: the
// hypergeometric distribution of one draw and the exact distribution of a total over many draws.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "core/lottery/lottery_rules.h"

inline constexpr int kLotteryNumbers = kNumberCount;
inline constexpr int kMainDrawn = kMainCount;

// P(x main numbers of a random draw lie in a set of k numbers), x = 0 to 5: hypergeometric,
// C(k, x) C(31 - k, 5 - x) / C(31, 5). k is clamped to 0..31.
std::array<double, kMainDrawn + 1> hitDistribution(int k);
// 5k / 31: the mean of hitDistribution(k).
double expectedHits(int k);
// The variance of hitDistribution(k).
double hitVariance(int k);

// Chance of the prize tiers 1等 to 4等 for one ticket of five numbers: 5 hits; 4 and the bonus;
// 4 without it; 3. The bonus is drawn from the 26 numbers left after the main numbers.
std::array<double, 4> ticketTierChance();

// The exact distribution of the total main-number hits over draws, each draw scored with its
// own set size k. The draws are independent, so the total is a sum of independent
// hypergeometric variables and its distribution is the convolution of theirs: add() convolves
// one more draw in. Probabilities below 1e-300 at either tail are dropped as they appear (they
// are beneath double precision of any p-value worth printing and would otherwise slow every
// later step down as subnormal numbers).
class TotalHitDistribution {
public:
    TotalHitDistribution();
    // Convolves `count` more draws with set size k into the total.
    void add(int k, int count = 1);

    // P(total = hits); 0 outside the kept range.
    double probability(int hits) const;
    double atMost(int hits) const;   // P(total <= hits)
    double atLeast(int hits) const;  // P(total >= hits)
    // Two-sided p-value of an observed total: twice the smaller tail, at most 1.
    double twoSidedPValue(int observed) const;
    // The smallest total t with P(total <= t) >= q (0 < q < 1).
    int quantile(double q) const;
    double mean() const;

private:
    // Many draws of one size are cheaper by repeated squaring than one by one: the cost falls
    // from (draws x spread) to about spread squared.
    static constexpr int kSquaringFrom = 256;

    void addOneByOne(int k, int count);
    // This distribution convolved with another (both trimmed).
    void convolveWith(const TotalHitDistribution& other);
    void trim();

    int m_offset = 0;  // total of m_p[0]
    std::vector<double> m_p;
    std::vector<double> m_scratch;
};
