// The four small grids of the prediction window (cycle, elimination, multi-shot, one-shot): their
// fixed look and labels, before any prediction is written into their data cells.
#pragma once

#include <array>

#include "core/grid/result_grid.h"

inline constexpr const char* kPredictionWindowName = "一発ボボーン";
inline constexpr const char* kPredictionWindowCaption = "一発ボボーン予想";

// Indices of the grid control array, in the window's order.
inline constexpr int kCycleGrid = 0;
inline constexpr int kEliminationGrid = 1;
inline constexpr int kMultiShotGrid = 2;
inline constexpr int kOneShotGrid = 3;
inline constexpr int kPredictionGridCount = 4;

using PredictionGrids = std::array<ResultGrid, kPredictionGridCount>;

// Data cells lie in columns 2 to 6 of rows 2 and below; column 1 holds the label.
inline constexpr int kFirstDataColumn = 2;
inline constexpr int kDataColumns = 5;
inline constexpr int kFirstDataRow = 2;

// The heading written into column 2 of row 1; it overflows across the data columns.
inline constexpr const char* kPredictionHeading =
    "                   本 数 字                          ";

// Grid g (0 to 3) set up with sizes, borders, labels, heading and colours, data cells empty.
// An index outside 0 to 3 gives an empty grid.
ResultGrid blankPredictionGrid(int g);
