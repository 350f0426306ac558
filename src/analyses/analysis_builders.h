// The pure functions that build each analysis grid from the snapshot and the draw tables.
// Each is defined in its own source file in this folder.
#pragma once

#include "draws/draw_history.h"
#include "draws/draw_tables.h"
#include "ui/result_grid.h"

// Appearance frequency

// First set: appearance interval, appearance count, number interval, pull, consecutive and
// stepping-stone, number sum

// Second set: patterns, four groups, group division, last digit trend and runs, dispersion,
// appearance by count
