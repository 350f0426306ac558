// GridGeometry: where the cells of a ResultGrid lie in pixels. Pure arithmetic (no Qt): the
// unit-to-pixel mapping, cumulative row and column offsets, the frozen areas, which cells a
// rectangle shows and the size of "shows N columns and M rows".
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "core/grid/result_grid.h"
#include "core/grid/text_width.h"

// Grid units to screen pixels. One width unit is 8 px and one height unit 1.6 px, so that the
// analysis windows' sizes in twips fit the grids they show, vertical scroll bar included: the
// appearance frequency window, 13750 x 9530 twips (917 x 635 px), shows one column of width 5
// and fifty of width 2 (840 px) and 31 rows of height 10 below two of 15 (544 px); the last digit
// windows, 7370 twips (491 px) wide, show eleven columns of width 5 (440 px) beside the bar.
inline constexpr double kPixelsPerWidthUnit = 8.0;
inline constexpr double kPixelsPerHeightUnit = 1.6;
int columnWidthToPixels(double units);  // never negative
int rowHeightToPixels(double units);    // never negative

// Pixels between a cell's edge and left- or right-aligned text; centred text may use the whole
// cell.
inline constexpr int kCellTextMargin = 2;

// A rectangle in pixels; right() and bottom() are one past the last pixel.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool empty() const { return width <= 0 || height <= 0; }
    PixelRect intersected(const PixelRect& other) const;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Columns col1..col2 and rows row1..row2 (1-based, inclusive); empty when either is reversed.
struct CellRange {
    int col1 = 1, row1 = 1, col2 = 0, row2 = 0;
    bool empty() const { return col1 > col2 || row1 > row2; }
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

enum class GridArea { Corner, FrozenRows, FrozenColumns, Body };

// One of the four parts of the viewport. A viewport point p shows the content point
// p + (offsetX, offsetY); the area may only show the cells of `cells`.
struct AreaLayout {
    GridArea area = GridArea::Body;
    PixelRect viewport;
    int offsetX = 0, offsetY = 0;
    CellRange cells;
};

class GridGeometry {
public:
    GridGeometry() = default;
    // The grid's own widths, as set.
    explicit GridGeometry(const ResultGrid& grid);
    // The grid's widths, each column widened where a text of its cells would be clipped: a cell
    // text (without its trailing spaces) must fit the columns it may cover (textColumns()) with
    // its margins and `padding` more pixels. Text running on over empty cells that still lacks
    // room widens its own column. So a draw number longer than its column's set width widens
    // that column to the widest one, on screen as on paper.
    GridGeometry(const ResultGrid& grid, const TextWidths& widths, int padding = 0);

    int columnCount() const { return static_cast<int>(m_columnEdges.size()) - 1; }
    int rowCount() const { return static_cast<int>(m_rowEdges.size()) - 1; }
    // Frozen counts clamped to the grid's extent.
    int frozenColumns() const { return m_frozenColumns; }
    int frozenRows() const { return m_frozenRows; }

    // Content coordinates: column c spans [columnLeft(c), columnLeft(c + 1)). Positions outside
    // 1..count + 1 are clamped.
    int columnLeft(int col) const;
    int columnWidth(int col) const { return columnLeft(col + 1) - columnLeft(col); }
    int rowTop(int row) const;
    int rowHeight(int row) const { return rowTop(row + 1) - rowTop(row); }
    int totalWidth() const { return m_columnEdges.back(); }
    int totalHeight() const { return m_rowEdges.back(); }
    PixelRect cellRect(int col, int row) const;
    // Width of the frozen columns, height of the frozen rows.
    int frozenWidth() const { return columnLeft(m_frozenColumns + 1); }
    int frozenHeight() const { return rowTop(m_frozenRows + 1); }

    // The column (row) holding content x (y); 0 when outside the grid. Binary search.
    int columnAt(int x) const;
    int rowAt(int y) const;
    // The cells a content rectangle touches, within the given range.
    CellRange cellsIn(const PixelRect& content, const CellRange& within) const;
    CellRange cellsIn(const PixelRect& content) const;

    // The four areas of a viewport of the given size scrolled by (scrollX, scrollY) pixels:
    // frozen corner, frozen rows (scrolled in x only), frozen columns (scrolled in y only) and
    // the body. Areas with no room are empty.
    std::array<AreaLayout, 4> areas(int viewportWidth, int viewportHeight, int scrollX,
                                    int scrollY) const;
    // The content point a viewport point shows.
    int contentX(int viewportX, int scrollX) const;
    int contentY(int viewportY, int scrollY) const;
    // How far the body can scroll in a viewport of that size.
    int maxScrollX(int viewportWidth) const;
    int maxScrollY(int viewportHeight) const;

    // Size of "shows N columns and M rows": the first N columns and M rows; columns or rows
    // beyond the grid count at the default size. N or M of 0 mean all (at most 20 rows, so a
    // long grid does not ask for a screen-high widget).
    int shownWidth() const { return m_shownWidth; }
    int shownHeight() const { return m_shownHeight; }

    // Overflow: the last column whose cell text of (col, row) may run into, stopping at the
    // first non-empty cell, at lastCol, or at the grid's end. col itself when the next is not
    // empty.
    static int overflowEnd(const ResultGrid& grid, int col, int row, int lastCol);
    // The columns the text of (col, row), textWidth pixels wide, may cover. With overflow on,
    // left-aligned text runs on over the empty cells to its right; centred text wider than its
    // cell spreads evenly over empty cells on both sides, as far as it needs. Never beyond
    // firstCol..lastCol; the cell alone otherwise.
    std::pair<int, int> textColumns(const ResultGrid& grid, int col, int row, int textWidth,
                                    int firstCol, int lastCol) const;

private:
    void layOut(const ResultGrid& grid, const std::vector<int>& columnPixels);
    // The column widths in pixels that keep every text of the grid unclipped.
    static std::vector<int> fittedColumns(const ResultGrid& grid, const TextWidths& widths,
                                          int padding);

    std::vector<int> m_columnEdges{0};  // m_columnEdges[c - 1] = columnLeft(c); size count + 1
    std::vector<int> m_rowEdges{0};
    int m_frozenColumns = 0;
    int m_frozenRows = 0;
    int m_shownWidth = 0;
    int m_shownHeight = 0;
};
