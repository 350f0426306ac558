#include <gtest/gtest.h>

#include <cmath>

#include "core/stats/probability.h"

// Upper-tail critical values from the standard chi-square table (to six decimals).
TEST(Probability, ChiSquareUpperTailMatchesTableValues)
{
    struct Case {
        double statistic;
        int df;
        double tail;
    };
    const Case cases[] = {
        {3.841459, 1, 0.05},    {6.634897, 1, 0.01},     {5.991465, 2, 0.05},
        {11.070498, 5, 0.05},   {18.307038, 10, 0.05},   {43.772972, 30, 0.05},
        {50.892181, 30, 0.01},  {29.336030, 30, 0.50},   {18.492661, 30, 0.95},
        {59.703059, 30, 0.001}, {124.342113, 100, 0.05},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(chiSquareUpperTail(c.statistic, c.df), c.tail, 2e-6)
            << c.statistic << " df " << c.df;
}

TEST(Probability, IncompleteGammaHasClosedFormsAndEdges)
{
    // Q(1, x) = e^-x on both sides of the series / continued-fraction switch.
    for (double x : {0.1, 1.0, 1.9, 2.1, 10.0, 50.0})
        EXPECT_NEAR(regularizedGammaQ(1.0, x) / std::exp(-x), 1.0, 1e-12) << x;
    // P(1/2, x) = erf(√x).
    for (double x : {0.01, 0.5, 1.4, 1.6, 8.0})
        EXPECT_NEAR(regularizedGammaP(0.5, x), std::erf(std::sqrt(x)), 1e-13) << x;
    EXPECT_EQ(regularizedGammaP(3.0, 0.0), 0.0);
    EXPECT_EQ(chiSquareUpperTail(0.0, 30), 1.0);
    EXPECT_TRUE(std::isnan(regularizedGammaP(0.0, 1.0)));
    EXPECT_TRUE(std::isnan(regularizedGammaQ(1.0, -1.0)));
}

TEST(Probability, BinomialTailsAndQuantilesOfAFairCoin)
{
    // Binomial(10, 1/2): P(X <= k) = Σ C(10, j) / 1024.
    EXPECT_NEAR(binomialProbability(10, 0.5, 3), 120.0 / 1024, 1e-14);
    EXPECT_NEAR(binomialUpperTail(10, 0.5, 8), 56.0 / 1024, 1e-14);
    EXPECT_NEAR(binomialLowerTail(10, 0.5, 2), 56.0 / 1024, 1e-14);
    EXPECT_NEAR(binomialLowerTail(10, 0.5, 6), 848.0 / 1024, 1e-14);
    EXPECT_EQ(binomialQuantile(10, 0.5, 0.025), 2);  // CDF(1) = 11/1024, CDF(2) = 56/1024
    EXPECT_EQ(binomialQuantile(10, 0.5, 0.975), 8);  // CDF(7) = 968/1024, CDF(8) = 1013/1024
    EXPECT_EQ(binomialUpperTail(10, 0.5, 0), 1.0);
    EXPECT_EQ(binomialUpperTail(10, 0.5, 11), 0.0);
    EXPECT_EQ(binomialQuantile(0, 0.5, 0.975), 0);
}

TEST(Probability, BinomialStaysFiniteForLongHistories)
{
    // 32,767 draws: (26/31)^n underflows, log-space terms must not. The band brackets the mean
    // n·p ≈ 5285 by about two standard deviations (√(n·p·(1-p)) ≈ 66.6).
    const std::int64_t n = 32767;
    const double p = 5.0 / 31;
    const std::int64_t low = binomialQuantile(n, p, 0.025);
    const std::int64_t high = binomialQuantile(n, p, 0.975);
    EXPECT_NEAR(low, n * p - 1.96 * 66.6, 3);
    EXPECT_NEAR(high, n * p + 1.96 * 66.6, 3);
    EXPECT_NEAR(binomialLowerTail(n, p, low - 1) + binomialUpperTail(n, p, low), 1.0, 1e-12);
}
