#include "core/maintenance/entry_validation.h"

#include <chrono>
#include <cstdio>

#include "core/base/raw_value.h"
#include "core/draws/draw_row.h"

bool isWrongEntry(std::string_view text)
{
    if (text.empty()) return false;
    if (text.find('.') != std::string_view::npos) return true;
    // Text that is no whole number at all would count as an empty field in every analysis and
    // so silently make the draw incomplete: it is refused like a number out of range.
    const auto number = parseWholeNumber(text);
    return !number || *number < kLowestNumber || *number > kHighestNumber;
}

namespace {

std::optional<std::chrono::year_month_day> parseDate(std::string_view text)
{
    // YYYY-MM-DD or YYYY/MM/DD, digits only between the separators.
    if (text.size() != 10 || text[4] != text[7] || (text[4] != '-' && text[4] != '/'))
        return std::nullopt;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
    const auto digits = [text](std::size_t at, std::size_t count) {
        int value = 0;
        for (std::size_t i = at; i < at + count; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    const std::chrono::year_month_day date{std::chrono::year(digits(0, 4)),
                                           std::chrono::month(static_cast<unsigned>(digits(5, 2))),
                                           std::chrono::day(static_cast<unsigned>(digits(8, 2)))};
    if (!date.ok()) return std::nullopt;
    return date;
}

}  // namespace

bool isWrongDate(std::string_view text)
{
    return !text.empty() && !parseDate(text);
}

std::optional<std::string> dateAfter(std::string_view text, int days)
{
    const auto date = parseDate(text);
    if (!date) return std::nullopt;
    const std::chrono::year_month_day next{std::chrono::sys_days(*date) + std::chrono::days(days)};
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(next.year()),
                  static_cast<unsigned>(next.month()), static_cast<unsigned>(next.day()));
    return std::string(buffer);
}

std::optional<EntryCell> firstWrongCell(const std::vector<EntryRowTexts>& rows)
{
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const EntryRowTexts& row = rows[r];
        std::array<std::optional<std::int64_t>, kLastCheckedColumn + 1> numbers;
        for (int c = kFirstCheckedColumn; c <= kLastCheckedColumn; ++c) {
            const std::string& text = row[static_cast<std::size_t>(c)];
            if (isWrongEntry(text)) return EntryCell{r, c};
            if (text.empty()) continue;
            const auto number = parseWholeNumber(text);
            // A main number twice, or the bonus equal to a main number, is no draw.
            for (int earlier = kFirstCheckedColumn; earlier < c; ++earlier)
                if (numbers[static_cast<std::size_t>(earlier)] == number) return EntryCell{r, c};
            numbers[static_cast<std::size_t>(c)] = number;
        }
        if (isWrongDate(row[kDateEntryColumn])) return EntryCell{r, kDateEntryColumn};
    }
    return std::nullopt;
}
