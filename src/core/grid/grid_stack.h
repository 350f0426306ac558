// One grid made of several placed one below the other, for the files of a window that shows
// more than one grid (一発ボボーン).
#pragma once

#include <span>

#include "core/grid/result_grid.h"

// The grids top to bottom with `gap` empty rows between them; each column as wide as the widest
// grid has it. Texts, colours, alignment, borders and row heights are kept; nothing is frozen.
ResultGrid stackGrids(std::span<const ResultGrid> grids, int gap = 1);
