#include "core/draws/draw_row.h"

std::optional<Draw> completeDraw(const DrawRow& row)
{
    Draw draw;
    for (std::size_t k = 0; k < row.numbers.size(); ++k) {
        const auto number = fieldNumber(row.numbers[k]);
        if (!number) return std::nullopt;
        draw.numbers[k] = *number;
    }
    draw.drawNo = fieldNumber(row.drawNo).value_or(0);
    return draw;
}
