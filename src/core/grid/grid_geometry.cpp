#include "core/grid/grid_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

int unitsToPixels(double units, double pixelsPerUnit)
{
    if (!(units > 0)) return 0;  // also catches NaN
    // Far beyond any screen; keeps the sums of 32,767 rows inside int.
    const double pixels = std::min(units * pixelsPerUnit, 10000.0);
    return static_cast<int>(std::lround(pixels));
}

// The index i with edges[i] <= v < edges[i + 1], as a 1-based position; 0 outside.
int positionAt(const std::vector<int>& edges, int v)
{
    if (edges.size() < 2 || v < edges.front() || v >= edges.back()) return 0;
    const auto it = std::upper_bound(edges.begin(), edges.end(), v);
    return static_cast<int>(it - edges.begin());
}

constexpr int kMaxRowsWhenUnset = 20;

}  // namespace

int columnWidthToPixels(double units)
{
    return unitsToPixels(units, kPixelsPerWidthUnit);
}
int rowHeightToPixels(double units)
{
    return unitsToPixels(units, kPixelsPerHeightUnit);
}

PixelRect PixelRect::intersected(const PixelRect& other) const
{
    const int left = std::max(x, other.x);
    const int top = std::max(y, other.y);
    const int r = std::min(right(), other.right());
    const int b = std::min(bottom(), other.bottom());
    if (r <= left || b <= top) return {left, top, 0, 0};
    return {left, top, r - left, b - top};
}

GridGeometry::GridGeometry(const ResultGrid& grid)
{
    std::vector<int> columns(static_cast<std::size_t>(std::max(grid.columnCount(), 0)));
    for (int c = 1; c <= grid.columnCount(); ++c)
        columns[c - 1] = columnWidthToPixels(grid.columnWidth(c));
    layOut(grid, columns);
}

GridGeometry::GridGeometry(const ResultGrid& grid, const TextWidths& widths, int padding)
{
    layOut(grid, fittedColumns(grid, widths, padding));
}

std::vector<int> GridGeometry::fittedColumns(const ResultGrid& grid, const TextWidths& widths,
                                             int padding)
{
    const int columns = std::max(grid.columnCount(), 0);
    // Index c - 1 for column c.
    std::vector<int> pixels(static_cast<std::size_t>(columns));
    for (int c = 1; c <= columns; ++c)
        pixels[c - 1] = columnWidthToPixels(grid.columnWidth(c));
    const auto room = [&](int first, int last) {
        int sum = 0;
        for (int c = first; c <= last; ++c)
            sum += pixels[c - 1];
        return sum;
    };
    const bool overflow = grid.overflow();
    for (int r = 1; r <= grid.rowCount(); ++r) {
        for (int c = 1; c <= columns; ++c) {
            const std::string_view text = withoutTrailingSpaces(grid.textView(c, r));
            if (text.empty()) continue;
            const HAlign align = grid.hAlign(c, r);
            const int margins = align == HAlign::Center ? 0 : 2 * kCellTextMargin;
            // A hair below a whole pixel is rounding in the advances, not a clipped text.
            const int needed =
                static_cast<int>(std::ceil(widths(text) - 1e-3)) + margins + std::max(padding, 0);
            int& own = pixels[c - 1];
            if (needed <= own) continue;
            if (!overflow || align == HAlign::Right) {
                own = needed;
            } else if (align == HAlign::Left) {
                const int available = room(c, overflowEnd(grid, c, r, columns));
                if (needed > available) own += needed - available;
            } else {
                // Centred on its own cell, spreading evenly over empty cells on both sides.
                const int eachSide = (needed - own + 1) / 2;
                int left = 0, right = 0;
                for (int k = c - 1; k >= 1 && left < eachSide && grid.textView(k, r).empty(); --k)
                    left += pixels[k - 1];
                for (int k = c + 1; k <= columns && right < eachSide && grid.textView(k, r).empty();
                     ++k)
                    right += pixels[k - 1];
                const int shortfall = std::max(eachSide - left, eachSide - right);
                if (shortfall > 0) own += 2 * shortfall;
            }
        }
    }
    return pixels;
}

void GridGeometry::layOut(const ResultGrid& grid, const std::vector<int>& columnPixels)
{
    const int columns = static_cast<int>(columnPixels.size());
    const int rows = std::max(grid.rowCount(), 0);
    m_columnEdges.assign(static_cast<std::size_t>(columns) + 1, 0);
    for (int c = 1; c <= columns; ++c)
        m_columnEdges[c] = m_columnEdges[c - 1] + columnPixels[c - 1];
    m_rowEdges.assign(static_cast<std::size_t>(rows) + 1, 0);
    for (int r = 1; r <= rows; ++r)
        m_rowEdges[r] = m_rowEdges[r - 1] + rowHeightToPixels(grid.rowHeight(r));
    m_frozenColumns = std::clamp(grid.frozenColumns(), 0, columns);
    m_frozenRows = std::clamp(grid.frozenRows(), 0, rows);

    // columnWidth()/rowHeight() of a position past the end give the default size.
    const int shownColumns = grid.shownColumns() > 0 ? grid.shownColumns() : columns;
    m_shownWidth = columnLeft(std::min(shownColumns, columns) + 1);
    if (shownColumns > columns)
        m_shownWidth += (shownColumns - columns) * columnWidthToPixels(grid.columnWidth(0));
    const int shownRows =
        grid.shownRows() > 0 ? grid.shownRows() : std::min(rows, kMaxRowsWhenUnset);
    m_shownHeight = rowTop(std::min(shownRows, rows) + 1);
    if (shownRows > rows)
        m_shownHeight += (shownRows - rows) * rowHeightToPixels(grid.rowHeight(0));
}

int GridGeometry::columnLeft(int col) const
{
    const int i = std::clamp(col, 1, columnCount() + 1) - 1;
    return m_columnEdges[i];
}

int GridGeometry::rowTop(int row) const
{
    const int i = std::clamp(row, 1, rowCount() + 1) - 1;
    return m_rowEdges[i];
}

PixelRect GridGeometry::cellRect(int col, int row) const
{
    return {columnLeft(col), rowTop(row), columnWidth(col), rowHeight(row)};
}

int GridGeometry::columnAt(int x) const
{
    return positionAt(m_columnEdges, x);
}
int GridGeometry::rowAt(int y) const
{
    return positionAt(m_rowEdges, y);
}

CellRange GridGeometry::cellsIn(const PixelRect& content, const CellRange& within) const
{
    if (content.empty() || within.empty()) return {};
    const int col1 = std::max(within.col1, 1);
    const int row1 = std::max(within.row1, 1);
    const int col2 = std::min(within.col2, columnCount());
    const int row2 = std::min(within.row2, rowCount());
    if (col1 > col2 || row1 > row2) return {};
    // The part of the rectangle that lies over the allowed cells.
    const PixelRect allowed{columnLeft(col1), rowTop(row1), columnLeft(col2 + 1) - columnLeft(col1),
                            rowTop(row2 + 1) - rowTop(row1)};
    const PixelRect r = content.intersected(allowed);
    if (r.empty()) return {};
    return {columnAt(r.x), rowAt(r.y), columnAt(r.right() - 1), rowAt(r.bottom() - 1)};
}

CellRange GridGeometry::cellsIn(const PixelRect& content) const
{
    return cellsIn(content, {1, 1, columnCount(), rowCount()});
}

std::array<AreaLayout, 4> GridGeometry::areas(int viewportWidth, int viewportHeight, int scrollX,
                                              int scrollY) const
{
    viewportWidth = std::max(viewportWidth, 0);
    viewportHeight = std::max(viewportHeight, 0);
    const int fw = std::min(frozenWidth(), viewportWidth);
    const int fh = std::min(frozenHeight(), viewportHeight);
    const int restW = viewportWidth - fw;
    const int restH = viewportHeight - fh;
    const int fc = m_frozenColumns, fr = m_frozenRows;
    const int cols = columnCount(), rows = rowCount();
    // The body starts right after the frozen part, so a viewport x >= fw shows content
    // x + scrollX (content x = frozenWidth() + scrollX at the body's left edge).
    return {{
        {GridArea::Corner, {0, 0, fw, fh}, 0, 0, {1, 1, fc, fr}},
        {GridArea::FrozenRows, {fw, 0, restW, fh}, scrollX, 0, {fc + 1, 1, cols, fr}},
        {GridArea::FrozenColumns, {0, fh, fw, restH}, 0, scrollY, {1, fr + 1, fc, rows}},
        {GridArea::Body, {fw, fh, restW, restH}, scrollX, scrollY, {fc + 1, fr + 1, cols, rows}},
    }};
}

int GridGeometry::contentX(int viewportX, int scrollX) const
{
    return viewportX < frozenWidth() ? viewportX : viewportX + scrollX;
}

int GridGeometry::contentY(int viewportY, int scrollY) const
{
    return viewportY < frozenHeight() ? viewportY : viewportY + scrollY;
}

int GridGeometry::maxScrollX(int viewportWidth) const
{
    return std::max(0, totalWidth() - std::max(viewportWidth, frozenWidth()));
}

int GridGeometry::maxScrollY(int viewportHeight) const
{
    return std::max(0, totalHeight() - std::max(viewportHeight, frozenHeight()));
}

int GridGeometry::overflowEnd(const ResultGrid& grid, int col, int row, int lastCol)
{
    lastCol = std::min(lastCol, grid.columnCount());
    int end = col;
    while (end < lastCol && grid.textView(end + 1, row).empty())
        ++end;
    return end;
}

std::pair<int, int> GridGeometry::textColumns(const ResultGrid& grid, int col, int row,
                                              int textWidth, int firstCol, int lastCol) const
{
    if (!grid.overflow() || !grid.contains(col, row)) return {col, col};
    firstCol = std::max(firstCol, 1);
    lastCol = std::min(lastCol, grid.columnCount());
    switch (grid.hAlign(col, row)) {
    case HAlign::Left:
        return {col, overflowEnd(grid, col, row, lastCol)};
    case HAlign::Right:
        return {col, col};
    case HAlign::Center:
        break;
    }
    const int extra = textWidth - columnWidth(col);
    if (extra <= 0) return {col, col};
    const int eachSide = (extra + 1) / 2;
    int first = col, last = col;
    for (int covered = 0;
         covered < eachSide && first > firstCol && grid.textView(first - 1, row).empty();)
        covered += columnWidth(--first);
    for (int covered = 0;
         covered < eachSide && last < lastCol && grid.textView(last + 1, row).empty();)
        covered += columnWidth(++last);
    return {first, last};
}
