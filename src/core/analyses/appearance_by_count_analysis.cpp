// 回数別出現分析: the numbers 1..31 grouped by how often they were drawn, one row per count that
// occurs, read from the draw tables alone.
#include <algorithm>
#include <string>

#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"

ResultGrid buildAppearanceByCount(const DrawHistory&, const DrawTables& tables)
{
    // Grid set-up: one heading row plus one row per count that occurs (no rows at all for an
    // empty history).
    ResultGrid grid = startAnalysisGrid(GridFrame{.columns = 2,
                                                  .rows = std::max(tables.HitGroupRows, 0),
                                                  .shownColumns = 0,
                                                  .shownRows = 0,
                                                  .scrollBars = ScrollBars::Horizontal,
                                                  .frozenRows = 0,
                                                  .frozenColumns = 0});
    grid.setDefaultRowHeight(10);
    grid.setDefaultColumnWidth(5);
    grid.setColumnWidth(1, 5);
    grid.setColumnWidth(2, 20);
    // A new grid's cells are already centred static text.
    grid.setAllBorders(grid.all());
    const int last = grid.rowCount();
    // Rows 2..last exist whenever the history is not empty (a block with its rows reversed
    // would be flipped).
    const bool hasDataRows = last >= 2;
    if (hasDataRows) grid.setBackground(blockOf(1, 2, 1, last), kCountKeyBack);
    grid.resetActiveCell();

    // Headings.
    grid.setText(1, 1, "出 現");
    grid.setBackground(cellAt(1, 1), kHeadingBack);
    grid.setText(2, 1, "数 字");
    grid.setBackground(cellAt(2, 1), kHeadingBack);
    grid.setOverflow(true);
    if (hasDataRows) {
        grid.setForeground(blockOf(2, 2, 2, last), kNumberText);
        grid.setHAlign(blockOf(2, 2, 2, last), HAlign::Left);
    }

    // Fill: the counts that occur, lowest first, with their numbers.
    const int counts = std::min(tables.MaxHits + 1, static_cast<int>(tables.HitGroups.size()));
    int row = 1;
    for (int k = 0; k < counts; ++k) {
        const std::string& numbers = tables.HitGroups[k];
        if (numbers.empty()) continue;
        ++row;
        grid.setText(1, row, std::to_string(k) + "回");
        grid.setText(2, row, numbers);
    }
    return grid;
}
