// The pattern letters "A" to "F" of the odd/even and low/high pattern windows, also used by the
// ticket filters so that a player sees the same letter for the same kind of combination.
#pragma once

#include <array>

#include "core/grid/palette.h"
#include "core/grid/result_grid.h"

struct PatternLetter {
    const char* letter;
    bool coloured;  // "A" keeps the cell's white
    Rgb background;
};

inline constexpr int kPatternLetterCount = 6;

// Indexed by a count 0..5 of main numbers: the odd ones for 偶数奇数, the low ones for
// 低数字高数字.
inline constexpr std::array<PatternLetter, kPatternLetterCount> kPatternLetters = {{
    {"A", false, kLevelBacks[0]},
    {"B", true, kLevelBacks[1]},
    {"C", true, kLevelBacks[2]},
    {"D", true, kLevelBacks[3]},
    {"E", true, kLevelBacks[4]},
    {"F", true, kLevelBacks[5]},
}};

inline bool isEvenNumber(int n)
{
    return n % 2 == 0;
}
// Low numbers are 1..15, high ones 16..31.
inline bool isLowNumber(int n)
{
    return n <= 15;
}

// The letter of five main numbers in the odd/even window: indexed by how many are odd.
template <typename Numbers> char oddEvenLetter(const Numbers& numbers)
{
    int odds = 0;
    for (int n : numbers)
        if (!isEvenNumber(n)) ++odds;
    return static_cast<char>('A' + odds);
}
// The letter in the low/high window: indexed by how many are low.
template <typename Numbers> char lowHighLetter(const Numbers& numbers)
{
    int lows = 0;
    for (int n : numbers)
        if (isLowNumber(n)) ++lows;
    return static_cast<char>('A' + lows);
}
