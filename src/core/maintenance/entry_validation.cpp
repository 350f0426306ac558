#include "core/maintenance/entry_validation.h"

#include "core/draws/draw_row.h"
#include "core/base/raw_value.h"

bool isWrongEntry(std::string_view text)
{
    if (text.empty()) return false;
    if (text.find('.') != std::string_view::npos) return true;
    // Text that is no whole number at all would count as an empty field in every analysis and
    // so silently make the draw incomplete: it is refused like a number out of range.
    const auto number = parseWholeNumber(text);
    return !number || *number < kLowestNumber || *number > kHighestNumber;
}

std::optional<EntryCell> firstWrongCell(const std::vector<EntryRowTexts>& rows)
{
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = kFirstCheckedColumn; c <= kLastCheckedColumn; ++c)
            if (isWrongEntry(rows[r][static_cast<std::size_t>(c)])) return EntryCell{r, c};
    return std::nullopt;
}
