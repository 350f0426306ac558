// PageLayout: how a grid is cut into printed pages. Pure arithmetic over the grid's geometry:
// the scale that fits the columns to the page width, and which columns and rows each page
// holds. Frozen rows and columns repeat on every page; no page cuts a row or a column.
#pragma once

#include <vector>

#include "core/grid/grid_geometry.h"

struct PageSpec {
    // The room the grid has on one page, in device units (points for a PDF).
    double width = 0;
    double height = 0;
    // Device units per grid pixel at the grid's screen size.
    double unitsPerPixel = 0.75;
    // A narrow grid grows to fill the page width, up to this fraction of its screen size.
    double maxScale = 1.4;
    // The smallest fraction of full size the columns shrink to in order to fit the page
    // width; a grid wider than that is cut between columns into several page columns.
    double minScale = 0.45;
};

struct PageCells {
    // The scrolling (non-frozen) part each page shows; frozen rows and columns come on top
    // and to the left of it on every page.
    CellRange body;
    int number = 0;  // 1-based, in printing order (down, then across)
};

struct PageLayout {
    double scale = 1;  // device units per grid pixel
    int frozenRows = 0;
    int frozenColumns = 0;
    std::vector<PageCells> pages;
    int pageCount() const { return static_cast<int>(pages.size()); }
};

// Cuts the grid into pages. An empty grid gives one empty page, so that a print has a header.
// A row (column) bigger than a whole page gets a page of its own and is clipped there.
PageLayout layoutPages(const GridGeometry& geometry, const PageSpec& spec);

// Whether the grid prints on landscape pages by default: it is wider than tall.
bool prefersLandscape(const GridGeometry& geometry);
