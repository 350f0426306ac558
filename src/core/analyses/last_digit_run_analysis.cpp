// 下一桁連続出現回数分析: for every draw and last digit 0..9, how many times in a row the digit
// has come up, counted from the draw numbers of its appearances.
#include <algorithm>
#include <array>
#include <vector>

#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"
#include "core/analyses/last_digit_heading.h"

namespace {

// For each last digit, the draw number of every appearance in draw order; a draw with two
// numbers ending in the digit appears twice. Draw numbers are kept as numbers, so runs are
// found for any draw number, 1000 and above included.
using AppearanceLists = std::array<std::vector<int>, 10>;

AppearanceLists collectAppearances(const DrawHistory& history)
{
    AppearanceLists lists;
    for (const auto& draw : history.draws()) {
        if (!draw) continue;
        for (const int n : draw->numbers)
            if (const auto digit = lastDigitOf(n)) lists[*digit].push_back(draw->drawNo);
    }
    return lists;
}

Rgb runBackground(int run)
{
    // One level for every two draws of the run: 2-3, 4-5, ... 10-11; exactly 12 stands apart.
    if (run == 12) return kTwelveRunBack;
    const int level = run <= 1 ? 0 : std::min(run / 2, 5);
    return kLevelBacks[static_cast<std::size_t>(level)];
}

// Draw D's row is D + 2. Draw numbers outside 1..L would land on the heading blocks (or outside
// the grid), so their runs are counted but not written.
void writeRun(ResultGrid& grid, int latestDrawNo, int digit, int drawNo, int run)
{
    if (drawNo < 1 || drawNo > latestDrawNo) return;
    const Block cell = cellAt(digit + 2, drawNo + 2);
    grid.setNumber(cell.col1, cell.row1, run);
    grid.setBorder(cell, Side::Bottom);
    grid.setBackground(cell, runBackground(run));
}

}  // namespace

ResultGrid buildLastDigitRun(const DrawHistory& history, const DrawTables& tables)
{
    const int latest = std::max(tables.LatestDrawNo, 0);
    const AppearanceLists lists = collectAppearances(history);
    ResultGrid grid = startLastDigitGrid(latest);
    for (int d = 1; d <= latest; ++d)
        grid.setNumber(1, d + 2, d);
    writeLastDigitHeadingBlock(grid, 1, LastDigitBlockOrder::TitleFirst);
    writeLastDigitHeadingBlock(grid, latest + 3, LastDigitBlockOrder::DigitsFirst);

    for (int digit = 0; digit <= 9; ++digit) {
        const std::vector<int>& drawNos = lists[digit];
        int run = 0;
        // Every neighbouring pair of appearances: the next draw (or the same draw again)
        // continues the run, a gap of at least one draw ends it. A later write to the same cell
        // replaces the earlier one.
        for (std::size_t i = 1; i < drawNos.size(); ++i) {
            const long long prev = drawNos[i - 1];
            const long long cur = drawNos[i];
            if (cur > prev + 1) {
                run = 0;
            } else {
                ++run;
                writeRun(grid, latest, digit, drawNos[i], run);
            }
        }
    }
    return grid;
}
