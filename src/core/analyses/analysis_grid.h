// The frame every analysis grid starts from; the colours are the palette's.
#pragma once

#include "core/grid/palette.h"
#include "core/grid/result_grid.h"

struct GridFrame {
    int columns = 0;
    int rows = 0;
    int shownColumns = 0;  // the grid sizes itself to show this many columns and rows
    int shownRows = 0;
    ScrollBars scrollBars = ScrollBars::Vertical;  // shown only when needed
    int frozenRows = 0;
    int frozenColumns = 0;
};

// The grid with its extent, shown size, hidden headers, scroll bars and frozen rows and
// columns, every cell a centred static text cell with the default sizes (height 10, width 5).
ResultGrid startAnalysisGrid(const GridFrame& frame);
// A heading row over one row per draw up to latestDrawNo, 51 rows shown, the heading frozen.
constexpr GridFrame drawRowsFrame(int columns, int latestDrawNo, int frozenColumns = 0)
{
    return GridFrame{.columns = columns,
                     .rows = latestDrawNo + 1,
                     .shownColumns = columns,
                     .shownRows = 51,
                     .scrollBars = ScrollBars::Vertical,
                     .frozenRows = 1,
                     .frozenColumns = frozenColumns};
}
