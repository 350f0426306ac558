#include "core/backtest/hit_distribution.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr double kNegligible = 1e-300;

double choose(int n, int r)
{
    if (r < 0 || r > n) return 0.0;
    double c = 1.0;
    for (int i = 1; i <= r; ++i)
        c = c * (n - r + i) / i;
    return c;
}

}  // namespace

std::array<double, kMainDrawn + 1> hitDistribution(int k)
{
    k = std::clamp(k, 0, kLotteryNumbers);
    const double all = choose(kLotteryNumbers, kMainDrawn);
    std::array<double, kMainDrawn + 1> p{};
    for (int x = 0; x <= kMainDrawn; ++x)
        p[x] = choose(k, x) * choose(kLotteryNumbers - k, kMainDrawn - x) / all;
    return p;
}

double expectedHits(int k)
{
    return static_cast<double>(kMainDrawn) * std::clamp(k, 0, kLotteryNumbers) / kLotteryNumbers;
}

double hitVariance(int k)
{
    const double n = kLotteryNumbers;
    const double kk = std::clamp(k, 0, kLotteryNumbers);
    return kMainDrawn * (kk / n) * ((n - kk) / n) * ((n - kMainDrawn) / (n - 1));
}

std::array<double, 4> ticketTierChance()
{
    const double all = choose(kLotteryNumbers, kMainDrawn);
    const double others = kLotteryNumbers - kMainDrawn;  // 26 numbers not in the ticket
    const double fourHits = choose(5, 4) * others / all;
    // With four hits the one missing ticket number is among the 26 left for the bonus.
    return {1.0 / all, fourHits / others, fourHits * (others - 1) / others,
            choose(5, 3) * choose(kLotteryNumbers - 5, 2) / all};
}

TotalHitDistribution::TotalHitDistribution() : m_p{1.0} {}

void TotalHitDistribution::add(int k, int count)
{
    if (count < kSquaringFrom) {
        addOneByOne(k, count);
        return;
    }
    TotalHitDistribution power;
    power.addOneByOne(k, 1);
    for (int left = count;;) {
        if (left & 1) convolveWith(power);
        left >>= 1;
        if (left == 0) break;
        power.convolveWith(power);
    }
}

void TotalHitDistribution::convolveWith(const TotalHitDistribution& other)
{
    // `other` may be this very object (squaring): read it through a copy of its values.
    const std::vector<double> b = other.m_p;
    const int otherOffset = other.m_offset;
    m_scratch.assign(m_p.size() + b.size() - 1, 0.0);
    const std::size_t size = m_p.size();
    const double* a = m_p.data();
    for (std::size_t j = 0; j < b.size(); ++j) {
        double* out = m_scratch.data() + j;
        const double q = b[j];
        for (std::size_t i = 0; i < size; ++i)
            out[i] += q * a[i];
    }
    m_p.swap(m_scratch);
    m_offset += otherOffset;
    trim();
}

void TotalHitDistribution::addOneByOne(int k, int count)
{
    const auto one = hitDistribution(k);
    int first = 0;
    while (one[first] == 0.0)
        ++first;
    int last = kMainDrawn;
    while (one[last] == 0.0)
        --last;
    for (int step = 0; step < count; ++step) {
        m_scratch.assign(m_p.size() + (last - first), 0.0);
        // One pass per hit count keeps the inner loop a plain vectorisable a*x + y.
        const std::size_t size = m_p.size();
        const double* p = m_p.data();
        for (int x = first; x <= last; ++x) {
            double* out = m_scratch.data() + (x - first);
            const double q = one[x];
            for (std::size_t i = 0; i < size; ++i)
                out[i] += q * p[i];
        }
        m_p.swap(m_scratch);
        m_offset += first;
        trim();
    }
}

void TotalHitDistribution::trim()
{
    std::size_t begin = 0;
    while (begin + 1 < m_p.size() && m_p[begin] < kNegligible)
        ++begin;
    std::size_t end = m_p.size();
    while (end > begin + 1 && m_p[end - 1] < kNegligible)
        --end;
    if (begin == 0 && end == m_p.size()) return;
    m_p.erase(m_p.begin() + static_cast<std::ptrdiff_t>(end), m_p.end());
    m_p.erase(m_p.begin(), m_p.begin() + static_cast<std::ptrdiff_t>(begin));
    m_offset += static_cast<int>(begin);
}

double TotalHitDistribution::probability(int hits) const
{
    const long i = static_cast<long>(hits) - m_offset;
    if (i < 0 || i >= static_cast<long>(m_p.size())) return 0.0;
    return m_p[static_cast<std::size_t>(i)];
}

double TotalHitDistribution::atMost(int hits) const
{
    const long i = static_cast<long>(hits) - m_offset;
    if (i < 0) return 0.0;
    const auto end = m_p.begin() + std::min<long>(i + 1, static_cast<long>(m_p.size()));
    return std::min(1.0, std::accumulate(m_p.begin(), end, 0.0));
}

double TotalHitDistribution::atLeast(int hits) const
{
    const long i = static_cast<long>(hits) - m_offset;
    if (i >= static_cast<long>(m_p.size())) return 0.0;
    const auto begin = m_p.begin() + std::max<long>(i, 0);
    return std::min(1.0, std::accumulate(begin, m_p.end(), 0.0));
}

double TotalHitDistribution::twoSidedPValue(int observed) const
{
    return std::min(1.0, 2.0 * std::min(atMost(observed), atLeast(observed)));
}

int TotalHitDistribution::quantile(double q) const
{
    double sum = 0.0;
    for (std::size_t i = 0; i < m_p.size(); ++i) {
        sum += m_p[i];
        if (sum >= q) return m_offset + static_cast<int>(i);
    }
    return m_offset + static_cast<int>(m_p.size()) - 1;
}

double TotalHitDistribution::mean() const
{
    double sum = 0.0;
    for (std::size_t i = 0; i < m_p.size(); ++i)
        sum += m_p[i] * (m_offset + static_cast<double>(i));
    return sum;
}
