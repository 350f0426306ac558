#include "ui/result_grid.h"

#include <algorithm>

namespace {
const Cell kBlankCell{};
constexpr double kDefaultSize = -1;
}  // namespace

void ResultGrid::resize(int columns, int rows)
{
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    std::vector<Cell> cells(static_cast<std::size_t>(columns) * rows);
    for (int r = 1; r <= std::min(rows, m_rows); ++r)
        for (int c = 1; c <= std::min(columns, m_columns); ++c)
            cells[static_cast<std::size_t>(r - 1) * columns + (c - 1)] = std::move(at(c, r));
    m_cells = std::move(cells);
    m_columns = columns;
    m_rows = rows;
    m_rowHeights.resize(rows, kDefaultSize);
    m_columnWidths.resize(columns, kDefaultSize);
}

const Cell& ResultGrid::cell(int col, int row) const
{
    return contains(col, row) ? m_cells[index(col, row)] : kBlankCell;
}

void ResultGrid::setText(int col, int row, std::string text)
{
    if (contains(col, row)) at(col, row).text = std::move(text);
}

bool ResultGrid::clip(Block& block) const
{
    // A reversed block (rows 2 to the last row of a one-row grid) is empty, never flipped.
    block.col1 = std::max(block.col1, 1);
    block.row1 = std::max(block.row1, 1);
    block.col2 = std::min(block.col2, m_columns);
    block.row2 = std::min(block.row2, m_rows);
    return block.col1 <= block.col2 && block.row1 <= block.row2;
}

template <typename F> void ResultGrid::forEach(Block block, F&& apply)
{
    if (!clip(block)) return;
    for (int r = block.row1; r <= block.row2; ++r) {
        Cell* cell = &at(block.col1, r);
        for (int c = block.col1; c <= block.col2; ++c, ++cell) apply(*cell);
    }
}

void ResultGrid::clearText(Block block)
{
    forEach(block, [](Cell& cell) { cell.text.clear(); });
}

void ResultGrid::setForeground(Block block, Rgb color)
{
    forEach(block, [color](Cell& cell) { cell.fg = color; });
}

void ResultGrid::setBackground(Block block, Rgb color)
{
    forEach(block, [color](Cell& cell) { cell.bg = color; });
}

void ResultGrid::setColors(Block block, Rgb fg, Rgb bg)
{
    forEach(block, [fg, bg](Cell& cell) {
        cell.fg = fg;
        cell.bg = bg;
    });
}

void ResultGrid::setHAlign(Block block, HAlign align)
{
    forEach(block, [align](Cell& cell) { cell.hAlign = align; });
}

void ResultGrid::setVAlign(Block block, VAlign align)
{
    forEach(block, [align](Cell& cell) { cell.vAlign = align; });
}

void ResultGrid::setEditable(Block block, bool editable)
{
    forEach(block, [editable](Cell& cell) { cell.editable = editable; });
}

void ResultGrid::setBorder(Block block, Side side, Rgb color)
{
    const int s = static_cast<int>(side);
    forEach(block, [s, color](Cell& cell) { cell.borders[s] = Border{true, color}; });
}

void ResultGrid::setAllBorders(Block block, Rgb color)
{
    forEach(block, [color](Cell& cell) { cell.borders.fill(Border{true, color}); });
}

void ResultGrid::setOutline(Block block, Rgb color)
{
    if (!clip(block)) return;
    // Only the sides that lie on the original block's edge get a line; clipping keeps the
    // edges that are inside the grid.
    setBorder({block.col1, block.row1, block.col2, block.row1}, Side::Top, color);
    setBorder({block.col1, block.row2, block.col2, block.row2}, Side::Bottom, color);
    setBorder({block.col1, block.row1, block.col1, block.row2}, Side::Left, color);
    setBorder({block.col2, block.row1, block.col2, block.row2}, Side::Right, color);
}

void ResultGrid::clearBorders(Block block)
{
    forEach(block, [](Cell& cell) { cell.borders.fill(Border{}); });
}

void ResultGrid::clearBorder(Block block, Side side)
{
    const int s = static_cast<int>(side);
    forEach(block, [s](Cell& cell) { cell.borders[s] = Border{}; });
}

void ResultGrid::setDefaultRowHeight(double height)
{
    m_defaultRowHeight = height;
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), kDefaultSize);
}

void ResultGrid::setRowHeight(int row, double height)
{
    if (row >= 1 && row <= m_rows) m_rowHeights[row - 1] = height;
}

double ResultGrid::rowHeight(int row) const
{
    if (row < 1 || row > m_rows || m_rowHeights[row - 1] < 0) return m_defaultRowHeight;
    return m_rowHeights[row - 1];
}

void ResultGrid::setDefaultColumnWidth(double width)
{
    m_defaultColumnWidth = width;
    std::fill(m_columnWidths.begin(), m_columnWidths.end(), kDefaultSize);
}

void ResultGrid::setColumnWidth(int col, double width)
{
    if (col >= 1 && col <= m_columns) m_columnWidths[col - 1] = width;
}

double ResultGrid::columnWidth(int col) const
{
    if (col < 1 || col > m_columns || m_columnWidths[col - 1] < 0) return m_defaultColumnWidth;
    return m_columnWidths[col - 1];
}

void ResultGrid::setActiveCell(int col, int row)
{
    m_activeCol = std::clamp(col, 0, m_columns);
    m_activeRow = std::clamp(row, 0, m_rows);
}
