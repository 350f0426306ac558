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
