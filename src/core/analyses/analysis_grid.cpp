#include "core/analyses/analysis_grid.h"

ResultGrid startAnalysisGrid(const GridFrame& frame)
{
    ResultGrid grid(frame.columns, frame.rows);
    grid.setShownColumns(frame.shownColumns);
    grid.setShownRows(frame.shownRows);
    grid.setHeadersHidden(true);
    grid.setScrollBars(frame.scrollBars, true);
    grid.setFrozenRows(frame.frozenRows);
    grid.setFrozenColumns(frame.frozenColumns);
    grid.setHAlign(grid.all(), HAlign::Center);
    grid.setVAlign(grid.all(), VAlign::Center);
    return grid;
}
