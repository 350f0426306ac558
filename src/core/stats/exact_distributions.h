// The exact chance of each draw pattern, counted over every possible set of five main numbers.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/lottery/lottery_rules.h"

// Lowest and highest sum of the main numbers of one draw: the smallest numbers and the largest.
inline constexpr int kLowestSum = kMainCount * kLowestNumber + kMainCount * (kMainCount - 1) / 2;
inline constexpr int kHighestSum = kMainCount * kHighestNumber - kMainCount * (kMainCount - 1) / 2;

// What the pattern charts count in one set of five main numbers.
struct DrawPattern {
    int sum = 0;
    int odd = 0;          // odd numbers among the five
    int low = 0;          // numbers in 1..15
    int consecutive = 0;  // pairs n, n+1 among the five (1, 2, 3 holds two)
    int lastDigits = 0;   // different last digits among the five
};

// The pattern of five different numbers in 1..31, in any order.
DrawPattern patternOf(const std::array<int, 5>& numbers);

// How many of the 169,911 sets have each value; index i stands for the value firstKey + i.
struct ExactCounts {
    int firstKey = 0;
    std::vector<std::int64_t> combinations;
};

struct ExactDistributions {
    ExactCounts sum;          // 15..145
    ExactCounts odd;          // 0..5
    ExactCounts low;          // 0..5
    ExactCounts consecutive;  // 0..4
    ExactCounts lastDigits;   // 1..5
};

// Counted once, on first use, by walking every set; later calls return the same tables.
const ExactDistributions& exactDistributions();
