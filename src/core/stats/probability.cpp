// Regularized incomplete gamma by its power series below a + 1 and by Lentz's continued fraction
// above, each where it converges fast; binomial terms in log space so that 30,000 trials do not
// underflow.
#include "core/stats/probability.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kMaxIterations = 1000;
constexpr double kEpsilon = 1e-15;
constexpr double kTiny = 1e-300;

// P(a, x) by the series e^-x x^a / Γ(a+1) · Σ x^n / ((a+1)…(a+n)); converges for x < a + 1.
double gammaSeries(double a, double x)
{
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < kMaxIterations; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * kEpsilon) break;
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// Q(a, x) by the continued fraction e^-x x^a / Γ(a) · 1/(x+1-a- 1·(1-a)/(x+3-a- …)), evaluated
// with the modified Lentz method; converges for x >= a + 1.
double gammaContinuedFraction(double a, double x)
{
    double b = x + 1.0 - a;
    double c = 1.0 / kTiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < kMaxIterations; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < kTiny) d = kTiny;
        c = b + an / c;
        if (std::fabs(c) < kTiny) c = kTiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < kEpsilon) break;
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

double logBinomialProbability(std::int64_t trials, double p, std::int64_t k)
{
    const double n = static_cast<double>(trials);
    const double kk = static_cast<double>(k);
    double log = std::lgamma(n + 1) - std::lgamma(kk + 1) - std::lgamma(n - kk + 1);
    // p of exactly 0 or 1 makes one side's log infinite; multiply only when the power is not 0.
    if (k > 0) log += kk * std::log(p);
    if (k < trials) log += (n - kk) * std::log1p(-p);
    return log;
}

}  // namespace

double regularizedGammaP(double a, double x)
{
    if (!(a > 0) || !(x >= 0)) return std::numeric_limits<double>::quiet_NaN();
    if (x == 0) return 0.0;
    if (x < a + 1.0) return gammaSeries(a, x);
    return 1.0 - gammaContinuedFraction(a, x);
}

double regularizedGammaQ(double a, double x)
{
    if (!(a > 0) || !(x >= 0)) return std::numeric_limits<double>::quiet_NaN();
    if (x == 0) return 1.0;
    if (x < a + 1.0) return 1.0 - gammaSeries(a, x);
    return gammaContinuedFraction(a, x);
}

double chiSquareUpperTail(double statistic, int degreesOfFreedom)
{
    if (degreesOfFreedom <= 0) return std::numeric_limits<double>::quiet_NaN();
    if (statistic <= 0) return 1.0;
    return regularizedGammaQ(degreesOfFreedom / 2.0, statistic / 2.0);
}

double binomialProbability(std::int64_t trials, double p, std::int64_t k)
{
    if (trials < 0 || k < 0 || k > trials) return 0.0;
    if (p <= 0) return k == 0 ? 1.0 : 0.0;
    if (p >= 1) return k == trials ? 1.0 : 0.0;
    return std::exp(logBinomialProbability(trials, p, k));
}

double binomialUpperTail(std::int64_t trials, double p, std::int64_t k)
{
    if (k <= 0) return 1.0;
    if (k > trials) return 0.0;
    // Sum from the side that holds fewer terms beyond the mean, where the terms shrink fast.
    const double mean = static_cast<double>(trials) * p;
    if (static_cast<double>(k) > mean) {
        double sum = 0;
        for (std::int64_t j = k; j <= trials; ++j) {
            const double term = binomialProbability(trials, p, j);
            sum += term;
            if (term < sum * 1e-17 && static_cast<double>(j) > mean) break;
        }
        return std::min(sum, 1.0);
    }
    return std::max(0.0, 1.0 - binomialLowerTail(trials, p, k - 1));
}

double binomialLowerTail(std::int64_t trials, double p, std::int64_t k)
{
    if (k < 0) return 0.0;
    if (k >= trials) return 1.0;
    const double mean = static_cast<double>(trials) * p;
    if (static_cast<double>(k) < mean) {
        double sum = 0;
        for (std::int64_t j = k; j >= 0; --j) {
            const double term = binomialProbability(trials, p, j);
            sum += term;
            if (term < sum * 1e-17) break;
        }
        return std::min(sum, 1.0);
    }
    return std::max(0.0, 1.0 - binomialUpperTail(trials, p, k + 1));
}

std::int64_t binomialQuantile(std::int64_t trials, double p, double q)
{
    if (trials <= 0) return 0;
    // The lower tail grows with k: bisect on it, a few dozen tail sums even for 30,000 trials.
    std::int64_t low = 0;
    std::int64_t high = trials;
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (binomialLowerTail(trials, p, middle) >= q)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}
