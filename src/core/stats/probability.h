// Distribution functions the history statistics compare against: the chi-square upper tail
// through the regularized incomplete gamma function, and binomial tails and quantiles.
#pragma once

#include <cstdint>

// P(a, x) = γ(a, x) / Γ(a), the regularized lower incomplete gamma function (a > 0, x >= 0).
double regularizedGammaP(double a, double x);
// Q(a, x) = 1 - P(a, x), computed directly so that small tails keep their precision.
double regularizedGammaQ(double a, double x);

// P(X >= statistic) for X following the chi-square distribution with `degreesOfFreedom`.
double chiSquareUpperTail(double statistic, int degreesOfFreedom);

// P(X = k) for X ~ Binomial(trials, p); 0 outside 0..trials.
double binomialProbability(std::int64_t trials, double p, std::int64_t k);
// P(X >= k) for X ~ Binomial(trials, p).
double binomialUpperTail(std::int64_t trials, double p, std::int64_t k);
// P(X <= k) for X ~ Binomial(trials, p).
double binomialLowerTail(std::int64_t trials, double p, std::int64_t k);
// The smallest k with P(X <= k) >= q, for 0 < q < 1.
std::int64_t binomialQuantile(std::int64_t trials, double p, double q);
