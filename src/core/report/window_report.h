// WindowReport: what a printed page or saved file of a window holds: its caption, the draws it
// covers, its grid (or, for 一発ボボーン, its grids with their labels) and the options in force.
#pragma once

#include <string>
#include <vector>

#include "core/draws/draw_history.h"
#include "core/grid/result_grid.h"

struct ReportSection {
    std::string title;  // printed above the grid; empty for a window of one grid
    ResultGrid grid;
};

struct WindowReport {
    std::string windowName;  // names the worksheet
    std::string caption;     // the window's title bar
    std::string drawRange;   // "第1回〜第1353回"
    std::vector<ReportSection> sections;
    std::vector<std::string> notes;  // lines printed beside the grids (the options in force)

    // One grid holding every section, for the spreadsheet and picture files.
    ResultGrid combinedGrid() const;
};

// "第F回〜第L回" over the complete draws of the history, or "データなし".
std::string drawRangeText(const DrawHistory& history);
