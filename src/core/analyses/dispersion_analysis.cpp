// バラツキ分析: the whole history as a dot matrix, one row per draw and one column per number,
// main numbers in blue and the bonus in pink.
#include <algorithm>

#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"
#include "core/analyses/text_padding.h"
#include "core/lottery/lottery_rules.h"

namespace {

constexpr int kColumns =
    kNumberCount + 2;  // draw number, the numbers 1..31 in columns 2..32, draw number
constexpr int kFirstNumberColumn = 2;
constexpr int kLastNumberColumn = kNumberCount + 1;

ResultGrid setUpGrid(int latestDrawNo)
{
    ResultGrid grid = startAnalysisGrid(GridFrame{.columns = kColumns,
                                                  .rows = latestDrawNo + 3,
                                                  .shownColumns = kColumns,
                                                  .shownRows = 47,
                                                  .scrollBars = ScrollBars::Both,
                                                  .frozenRows = 2,
                                                  .frozenColumns = 1});
    grid.setDefaultRowHeight(10);
    grid.setRowHeight(1, 15);
    grid.setRowHeight(2, 15);
    grid.setDefaultColumnWidth(2);
    grid.setColumnWidth(1, 5);
    grid.setColumnWidth(kColumns, 5);
    // A new grid's cells are already centred static text: no pass over every cell is needed.

    grid.setOutline(blockOf(kFirstNumberColumn, 1, kLastNumberColumn, 1), kDotGridLine);
    grid.setBorder(cellAt(1, 1), Side::Right, kDotGridLine);
    grid.setOverflow(true);
    grid.setText(16, 1, "数" + ideographicSpaces(7) + "字");
    grid.setForeground(cellAt(16, 1), kNumberText);
    grid.setHAlign(cellAt(16, 1), HAlign::Center);
    grid.setBackground(blockOf(kFirstNumberColumn, 1, kLastNumberColumn, 1), kNumberBack);
    grid.setColors(grid.column(1), kDrawNoText, kDrawNoBack);
    grid.setColors(grid.column(kColumns), kDrawNoText, kDrawNoBack);
    grid.setAllBorders(blockOf(1, 2, kColumns, grid.rowCount()), kDotGridLine);
    grid.resetActiveCell();
    return grid;
}

void writeHeadingRow(ResultGrid& grid)
{
    grid.setText(1, 2, "回");
    for (int n = kLowestNumber; n <= kHighestNumber; ++n)
        grid.setNumber(n + 1, 2, n);
    grid.setText(kColumns, 2, "回");
    grid.setColors(blockOf(kFirstNumberColumn, 2, kLastNumberColumn, 2), kNumberText,
                   kNumberRowBack);
}

}  // namespace

ResultGrid buildDispersion(const DrawHistory& history, const DrawTables& tables)
{
    ResultGrid grid = setUpGrid(std::max(tables.LatestDrawNo, 0));
    writeHeadingRow(grid);

    int row = 3;
    for (const auto& draw : history.draws()) {
        if (!draw) continue;
        grid.setNumber(1, row, draw->drawNo);
        grid.setNumber(kColumns, row, draw->drawNo);
        // A stored value outside 1..31 has no column of its own (0 and 32 would mark the
        // draw-number columns), so it gets no dot.
        for (const int n : draw->numbers)
            if (isValidNumber(n)) grid.setText(n + 1, row, "●");
        for (int k = 0; k < kMainCount; ++k)
            if (isValidNumber(draw->numbers[k]))
                grid.setForeground(cellAt(draw->numbers[k] + 1, row), kMainDot);
        if (const int bonus = draw->numbers[kBonusIndex]; isValidNumber(bonus))
            grid.setForeground(cellAt(bonus + 1, row), kBonusDot);
        ++row;
    }
    return grid;
}
