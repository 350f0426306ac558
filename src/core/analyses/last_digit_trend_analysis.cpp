// 下一桁出現傾向分析: for every draw, each last digit 0..9 written once per number of the draw
// that ends in it, the cell coloured by that count.
#include <algorithm>
#include <array>
#include <string>

#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"
#include "core/analyses/last_digit_heading.h"

namespace {

// Background of a digit cell by how many of the draw's six numbers end in that digit.
Rgb digitCountBackground(std::size_t count)
{
    // Two or three of a digit take the first levels; four or more the highest.
    if (count <= 1) return kLevelBacks[0];
    if (count <= 3) return kLevelBacks[count - 1];
    return kLevelBacks.back();
}

}  // namespace

ResultGrid buildLastDigitTrend(const DrawHistory& history, const DrawTables& tables)
{
    const int latest = std::max(tables.LatestDrawNo, 0);
    ResultGrid grid = startLastDigitGrid(latest);
    writeLastDigitHeadingBlock(grid, 1, LastDigitBlockOrder::TitleFirst);
    writeLastDigitHeadingBlock(grid, latest + 3, LastDigitBlockOrder::DigitsFirst);

    // Headings first, then the fill, as every analysis builds: draw rows are rows 3..L + 2, so
    // further complete draws (repeated draw numbers) land on the bottom heading block, and those
    // after it fall outside the grid.
    int row = 3;
    for (const auto& draw : history.draws()) {
        if (!draw) continue;
        if (row > grid.rowCount()) break;
        std::array<std::string, 10> digitTexts;
        grid.setNumber(1, row, draw->drawNo);
        for (const int n : draw->numbers)
            if (const auto digit = lastDigitOf(n))
                digitTexts[*digit] += static_cast<char>('0' + *digit);
        for (int k = 0; k <= 9; ++k) {
            const std::size_t count = digitTexts[k].size();
            grid.setText(k + 2, row, std::move(digitTexts[k]));
            grid.setBackground(cellAt(k + 2, row), digitCountBackground(count));
        }
        ++row;
    }
    return grid;
}
