// Walks all 169,911 sets of five main numbers once and counts each pattern value.
#include "core/stats/exact_distributions.h"
#include "core/lottery/lottery_rules.h"

#include <algorithm>

DrawPattern patternOf(const std::array<int, 5>& numbers)
{
    std::array<int, 5> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    DrawPattern pattern;
    int digitsSeen = 0;  // bit d set once last digit d has turned up
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const int n = sorted[i];
        pattern.sum += n;
        if (n % 2 != 0) ++pattern.odd;
        if (n <= kHighestLowNumber) ++pattern.low;
        if (i > 0 && n == sorted[i - 1] + 1) ++pattern.consecutive;
        digitsSeen |= 1 << (((n % 10) + 10) % 10);
    }
    for (int d = 0; d < 10; ++d)
        if (digitsSeen & (1 << d)) ++pattern.lastDigits;
    return pattern;
}

namespace {

void count(ExactCounts& counts, int value)
{
    const int index = value - counts.firstKey;
    if (index >= 0 && index < static_cast<int>(counts.combinations.size()))
        ++counts.combinations[index];
}

ExactCounts emptyCounts(int firstKey, int lastKey)
{
    return ExactCounts{firstKey, std::vector<std::int64_t>(lastKey - firstKey + 1, 0)};
}

ExactDistributions countEverySet()
{
    ExactDistributions exact{emptyCounts(kLowestSum, kHighestSum), emptyCounts(0, 5),
                             emptyCounts(0, 5), emptyCounts(0, 4), emptyCounts(1, 5)};
    std::array<int, 5> set{};
    for (set[0] = 1; set[0] <= 27; ++set[0])
        for (set[1] = set[0] + 1; set[1] <= 28; ++set[1])
            for (set[2] = set[1] + 1; set[2] <= 29; ++set[2])
                for (set[3] = set[2] + 1; set[3] <= 30; ++set[3])
                    for (set[4] = set[3] + 1; set[4] <= kHighestNumber; ++set[4]) {
                        const DrawPattern pattern = patternOf(set);
                        count(exact.sum, pattern.sum);
                        count(exact.odd, pattern.odd);
                        count(exact.low, pattern.low);
                        count(exact.consecutive, pattern.consecutive);
                        count(exact.lastDigits, pattern.lastDigits);
                    }
    return exact;
}

}  // namespace

const ExactDistributions& exactDistributions()
{
    // A function-local static: counted once, thread-safe, and never before it is needed.
    static const ExactDistributions exact = countEverySet();
    return exact;
}
