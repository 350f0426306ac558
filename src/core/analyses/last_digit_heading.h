// The grid set-up and heading block shared by the two last-digit windows, and the last digit
// of a number.
#pragma once

#include <optional>
#include <string>

#include "core/grid/result_grid.h"

// The grid of L + 4 rows and 11 columns: draw numbers in red on light yellow in column 1, lines
// around every cell from row 2 down, the first two rows frozen.
ResultGrid startLastDigitGrid(int latestDrawNo);

// Where the title row stands relative to the block's first row: above the digit row (the top
// block) or below it (the bottom block, which mirrors the top one).
enum class LastDigitBlockOrder { TitleFirst, DigitsFirst };

// The heading band text: "下一桁数字" padded so that it sits over the middle of the ten digit
// columns it runs on across.
std::string lastDigitTitleText();

// Writes the title row and the digit row 0..9 (column k + 2 holds k) at firstRow and firstRow + 1.
void writeLastDigitHeadingBlock(ResultGrid& grid, int firstRow, LastDigitBlockOrder order);

// n modulo 10 (10, 20 and 30 give 0). A negative number has no last digit.
inline std::optional<int> lastDigitOf(int n)
{
    if (n < 0) return std::nullopt;
    return n % 10;
}
