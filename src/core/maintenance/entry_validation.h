// The check the draw data entry window runs before it closes, whichever way it closes: every
// number cell of every row must be empty or a whole number from 1 to 31, the main numbers of a
// row differ from each other and the bonus from all of them, and a date is a real date.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The cell texts of one grid row: column 0 is 回数, columns 1..5 the main numbers, 6 the bonus,
// 7 the date.
using EntryRowTexts = std::array<std::string, 8>;

inline constexpr int kFirstCheckedColumn = 1;
// The bonus is checked as well: every analysis relies on it holding 1..31 like the main numbers.
inline constexpr int kLastCheckedColumn = 6;
inline constexpr int kDateEntryColumn = 7;
// Days from one draw to the next: a new row proposes the previous draw's date plus this.
inline constexpr int kDaysBetweenDraws = 7;

struct EntryCell {
    std::size_t row = 0;  // 0-based grid row
    int column = 0;       // 0-based grid column
    bool operator==(const EntryCell&) const = default;
};

// True when a number cell's text would be rejected: not empty and holding ".", not a whole
// number, or a value below 1 or above 31.
bool isWrongEntry(std::string_view text);

// True when a date cell's text is neither empty nor a date written YYYY-MM-DD (or YYYY/MM/DD).
bool isWrongDate(std::string_view text);
// The date `days` after the date in `text`, written YYYY-MM-DD; nothing when `text` is no date.
std::optional<std::string> dateAfter(std::string_view text, int days);

// The first wrong cell (a number as above, a number repeated earlier in its row, a date), rows in
// order and columns left to right within a row; every row is checked, however many there are.
std::optional<EntryCell> firstWrongCell(const std::vector<EntryRowTexts>& rows);
