#include <gtest/gtest.h>

#include <random>

#include "core/backtest/hit_distribution.h"

TEST(HitDistribution, OneDrawIsHypergeometricWithMeanFiveKOverThirtyOne)
{
    for (int k = 0; k <= kLotteryNumbers; ++k) {
        const auto p = hitDistribution(k);
        double sum = 0.0, mean = 0.0, square = 0.0;
        for (int x = 0; x <= kMainDrawn; ++x) {
            sum += p[x];
            mean += x * p[x];
            square += x * x * p[x];
        }
        EXPECT_NEAR(sum, 1.0, 1e-12) << "k=" << k;
        EXPECT_NEAR(mean, 5.0 * k / 31.0, 1e-12) << "k=" << k;
        EXPECT_NEAR(mean, expectedHits(k), 1e-12) << "k=" << k;
        EXPECT_NEAR(square - mean * mean, hitVariance(k), 1e-12) << "k=" << k;
    }
    // Worked by hand: C(31,5) = 169911.
    struct Case {
        int k, x;
        double p;
    };
    for (const Case& c : {Case{0, 0, 1.0}, Case{1, 1, 5.0 / 31}, Case{5, 5, 1.0 / 169911},
                          Case{5, 3, 10.0 * 325 / 169911}, Case{15, 0, 4368.0 / 169911},
                          Case{27, 0, 0.0}, Case{31, 5, 1.0}})
        EXPECT_NEAR(hitDistribution(c.k)[c.x], c.p, 1e-15) << "k=" << c.k << " x=" << c.x;
}

TEST(HitDistribution, TicketTiersFollowTheFiveOfThirtyOneRules)
{
    const auto tiers = ticketTierChance();
    EXPECT_DOUBLE_EQ(tiers[0], 1.0 / 169911);
    EXPECT_DOUBLE_EQ(tiers[1], 5.0 / 169911);
    EXPECT_DOUBLE_EQ(tiers[2], 125.0 / 169911);
    EXPECT_DOUBLE_EQ(tiers[3], 3250.0 / 169911);
}

TEST(TotalHitDistribution, EqualsBruteForceSumOverIndependentDraws)
{
    std::mt19937 random(7);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<int> ks(1 + random() % 4);
        for (int& k : ks)
            k = static_cast<int>(random() % 32);
        // Enumerate every combination of per-draw hits.
        std::vector<double> brute(1, 1.0);
        TotalHitDistribution total;
        for (const int k : ks) {
            const auto one = hitDistribution(k);
            std::vector<double> next(brute.size() + 5, 0.0);
            for (std::size_t i = 0; i < brute.size(); ++i)
                for (int x = 0; x <= 5; ++x)
                    next[i + x] += brute[i] * one[x];
            brute = next;
            total.add(k);
        }
        double mean = 0.0;
        for (const int k : ks)
            mean += expectedHits(k);
        EXPECT_NEAR(total.mean(), mean, 1e-9);
        for (int s = -1; s <= static_cast<int>(brute.size()); ++s) {
            const double p = s >= 0 && s < static_cast<int>(brute.size()) ? brute[s] : 0.0;
            EXPECT_NEAR(total.probability(s), p, 1e-14) << "total " << s;
            double below = 0.0, above = 0.0;
            for (int i = 0; i < static_cast<int>(brute.size()); ++i)
                (i <= s ? below : above) += brute[i];
            EXPECT_NEAR(total.atMost(s), below, 1e-12);
            EXPECT_NEAR(total.atLeast(s), above + p, 1e-12);
        }
    }
}

TEST(TotalHitDistribution, ManyDrawsAtOnceEqualThemOneByOne)
{
    for (const int k : {5, 15, 28}) {
        TotalHitDistribution atOnce, oneByOne;
        atOnce.add(3, 7);
        oneByOne.add(3, 7);
        atOnce.add(k, 1000);
        for (int i = 0; i < 1000; ++i)
            oneByOne.add(k);
        EXPECT_NEAR(atOnce.mean(), oneByOne.mean(), 1e-8);
        for (int s = 0; s <= 5 * 1007; s += 7) {
            const double p = oneByOne.probability(s);
            EXPECT_NEAR(atOnce.probability(s), p, 1e-12 + 1e-9 * p) << "k=" << k << " s=" << s;
        }
    }
}

TEST(TotalHitDistribution, PValueAndQuantilesOfSmallCases)
{
    TotalHitDistribution one;
    one.add(1);  // P(0) = 26/31, P(1) = 5/31
    EXPECT_DOUBLE_EQ(one.twoSidedPValue(1), 10.0 / 31);
    EXPECT_DOUBLE_EQ(one.twoSidedPValue(0), 1.0);
    EXPECT_EQ(one.quantile(0.5), 0);
    EXPECT_EQ(one.quantile(0.9), 1);

    // Many draws: the total is nearly normal, so the 95% range is about mean +- 1.96 sd.
    TotalHitDistribution many;
    many.add(5, 2000);
    const double sd = std::sqrt(2000 * hitVariance(5));
    EXPECT_NEAR(many.mean(), 2000 * 25.0 / 31, 1e-6);
    EXPECT_NEAR(many.quantile(0.975) - many.mean(), 1.96 * sd, 2.0);
    EXPECT_NEAR(many.twoSidedPValue(static_cast<int>(std::lround(many.mean() + 3 * sd))), 0.0027,
                0.0008);
    // Far out in the tail the p-value is tiny but not negative or NaN.
    const double far = many.twoSidedPValue(2000 * 5);
    EXPECT_GE(far, 0.0);
    EXPECT_LT(far, 1e-100);
}
