// The frame every analysis grid starts from, and the colours the analysis windows share.
#pragma once

#include "grid/result_grid.h"

inline constexpr Rgb kRed = rgb(255, 0, 0);
inline constexpr Rgb kBlue = rgb(0, 0, 255);
inline constexpr Rgb kLightYellow = rgb(255, 255, 200);  // the draw-number column
inline constexpr Rgb kHeadingPink = rgb(255, 200, 200);  // heading cells
inline constexpr Rgb kLightCyan = rgb(200, 255, 255);    // number columns and marked cells
inline constexpr Rgb kLightGreen = rgb(200, 255, 200);
inline constexpr Rgb kMainDot = rgb(62, 158, 255);    // "●" of a main number
inline constexpr Rgb kBonusDot = rgb(255, 128, 192);  // "●" of the bonus number

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
