#include "core/grid/result_grid.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
constexpr double kDefaultSize = -1;
// Border indexes store palette index + 1 in a byte, so the palette holds at most 255 colours.
constexpr std::size_t kPaletteLimit = 255;

int distance(Rgb a, Rgb b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}
}  // namespace

std::vector<Rgb> ResultGrid::initialPalette()
{
    return {kBlack, kWhite};
}

void ResultGrid::resize(int columns, int rows)
{
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    if (columns == m_columns) {
        m_cells.resize(static_cast<std::size_t>(columns) * rows);
    } else {
        std::vector<PackedCell> cells(static_cast<std::size_t>(columns) * rows);
        for (int r = 1; r <= std::min(rows, m_rows); ++r)
            for (int c = 1; c <= std::min(columns, m_columns); ++c)
                cells[static_cast<std::size_t>(r - 1) * columns + (c - 1)] = at(c, r);
        m_cells = std::move(cells);
    }
    m_columns = columns;
    m_rows = rows;
    m_rowHeights.resize(rows, kDefaultSize);
    m_columnWidths.resize(columns, kDefaultSize);
    m_activeCol = std::min(m_activeCol, m_columns);
    m_activeRow = std::min(m_activeRow, m_rows);
}

std::uint8_t ResultGrid::paletteIndex(Rgb color)
{
    const auto found = std::find(m_palette.begin(), m_palette.end(), color);
    if (found != m_palette.end()) return static_cast<std::uint8_t>(found - m_palette.begin());
    if (m_palette.size() < kPaletteLimit) {
        m_palette.push_back(color);
        return static_cast<std::uint8_t>(m_palette.size() - 1);
    }
    // More colours than any window uses: the nearest one stands in.
    const auto nearest =
        std::min_element(m_palette.begin(), m_palette.end(),
                         [color](Rgb a, Rgb b) { return distance(a, color) < distance(b, color); });
    return static_cast<std::uint8_t>(nearest - m_palette.begin());
}

Cell ResultGrid::cell(int col, int row) const
{
    Cell cell;
    const PackedCell* packed = find(col, row);
    if (!packed) return cell;
    cell.text = textView(col, row);
    cell.fg = m_palette[packed->fg];
    cell.bg = m_palette[packed->bg];
    cell.hAlign = static_cast<HAlign>(packed->align & 3);
    cell.vAlign = static_cast<VAlign>((packed->align >> 2) & 3);
    for (int s = 0; s < 4; ++s)
        if (packed->border[s]) cell.borders[s] = Border{true, m_palette[packed->border[s] - 1]};
    return cell;
}

std::string_view ResultGrid::textView(int col, int row) const
{
    const PackedCell* packed = find(col, row);
    if (!packed) return {};
    if (packed->textSize != PackedCell::kLongText)
        return std::string_view(packed->text.data(), packed->textSize);
    std::uint32_t slot;
    std::memcpy(&slot, packed->text.data(), sizeof slot);
    return m_longTexts[slot];
}

Rgb ResultGrid::foreground(int col, int row) const
{
    const PackedCell* packed = find(col, row);
    return packed ? m_palette[packed->fg] : kBlack;
}

Rgb ResultGrid::background(int col, int row) const
{
    const PackedCell* packed = find(col, row);
    return packed ? m_palette[packed->bg] : kWhite;
}

Border ResultGrid::border(int col, int row, Side side) const
{
    const PackedCell* packed = find(col, row);
    const std::uint8_t line = packed ? packed->border[static_cast<int>(side)] : 0;
    return line ? Border{true, m_palette[line - 1]} : Border{};
}

HAlign ResultGrid::hAlign(int col, int row) const
{
    const PackedCell* packed = find(col, row);
    return packed ? static_cast<HAlign>(packed->align & 3) : HAlign::Center;
}

void ResultGrid::setText(int col, int row, std::string_view text)
{
    if (!contains(col, row)) return;
    PackedCell& packed = at(col, row);
    if (text.size() <= PackedCell::kInline) {
        // A long text's slot is left unused; grids are written once, so few are ever dropped.
        std::memcpy(packed.text.data(), text.data(), text.size());
        packed.textSize = static_cast<std::uint8_t>(text.size());
        return;
    }
    std::uint32_t slot;
    if (packed.textSize == PackedCell::kLongText) {
        std::memcpy(&slot, packed.text.data(), sizeof slot);
        m_longTexts[slot] = text;
    } else {
        slot = static_cast<std::uint32_t>(m_longTexts.size());
        m_longTexts.emplace_back(text);
        std::memcpy(packed.text.data(), &slot, sizeof slot);
        packed.textSize = PackedCell::kLongText;
    }
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
        PackedCell* cell = &at(block.col1, r);
        for (int c = block.col1; c <= block.col2; ++c, ++cell)
            apply(*cell);
    }
}

void ResultGrid::clearText(Block block)
{
    forEach(block, [](PackedCell& cell) { cell.textSize = 0; });
}

void ResultGrid::setForeground(Block block, Rgb color)
{
    const std::uint8_t index = paletteIndex(color);
    forEach(block, [index](PackedCell& cell) { cell.fg = index; });
}

void ResultGrid::setBackground(Block block, Rgb color)
{
    const std::uint8_t index = paletteIndex(color);
    forEach(block, [index](PackedCell& cell) { cell.bg = index; });
}

void ResultGrid::setColors(Block block, Rgb fg, Rgb bg)
{
    const std::uint8_t fgIndex = paletteIndex(fg), bgIndex = paletteIndex(bg);
    forEach(block, [fgIndex, bgIndex](PackedCell& cell) {
        cell.fg = fgIndex;
        cell.bg = bgIndex;
    });
}

void ResultGrid::setHAlign(Block block, HAlign align)
{
    const auto bits = static_cast<std::uint8_t>(align);
    forEach(block, [bits](PackedCell& cell) { cell.align = (cell.align & ~3) | bits; });
}

void ResultGrid::setVAlign(Block block, VAlign align)
{
    const auto bits = static_cast<std::uint8_t>(static_cast<int>(align) << 2);
    forEach(block, [bits](PackedCell& cell) { cell.align = (cell.align & ~(3 << 2)) | bits; });
}

void ResultGrid::setBorder(Block block, Side side, Rgb color)
{
    const int s = static_cast<int>(side);
    const std::uint8_t line = paletteIndex(color) + 1;
    forEach(block, [s, line](PackedCell& cell) { cell.border[s] = line; });
}

void ResultGrid::setAllBorders(Block block, Rgb color)
{
    const std::uint8_t line = paletteIndex(color) + 1;
    forEach(block, [line](PackedCell& cell) { cell.border.fill(line); });
}

void ResultGrid::setOutline(Block block, Rgb color)
{
    if (!clip(block)) return;
    // Clipping keeps the edges that are inside the grid.
    setBorder({block.col1, block.row1, block.col2, block.row1}, Side::Top, color);
    setBorder({block.col1, block.row2, block.col2, block.row2}, Side::Bottom, color);
    setBorder({block.col1, block.row1, block.col1, block.row2}, Side::Left, color);
    setBorder({block.col2, block.row1, block.col2, block.row2}, Side::Right, color);
}

void ResultGrid::clearBorders(Block block)
{
    forEach(block, [](PackedCell& cell) { cell.border.fill(0); });
}

void ResultGrid::clearBorder(Block block, Side side)
{
    const int s = static_cast<int>(side);
    forEach(block, [s](PackedCell& cell) { cell.border[s] = 0; });
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
