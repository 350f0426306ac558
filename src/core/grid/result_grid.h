// ResultGrid: the content and styling of one result grid as plain data (no pixels, no Qt).
// Columns and rows are counted from 1. Every write outside the grid's extent is ignored.
#pragma once

#include "core/grid/rgb.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class HAlign : std::uint8_t { Left, Right, Center };
enum class VAlign : std::uint8_t { Top, Bottom, Center };
enum class Side : std::uint8_t { Left, Top, Right, Bottom };
enum class ScrollBars : std::uint8_t { None, Horizontal, Vertical, Both };

struct Border {
    bool shown = false;  // a thin solid line
    Rgb color = kBlack;
    friend bool operator==(const Border&, const Border&) = default;
};

struct Cell {
    std::string text;
    Rgb fg = kBlack;
    Rgb bg = kWhite;
    HAlign hAlign = HAlign::Center;
    VAlign vAlign = VAlign::Center;
    std::array<Border, 4> borders{};  // indexed by Side
    const Border& border(Side side) const { return borders[static_cast<int>(side)]; }
};

// A rectangle of cells, both corners inclusive. Parts of it outside the grid are ignored, and a
// block whose last column or row comes before its first is empty.
struct Block {
    int col1 = 1, row1 = 1, col2 = 1, row2 = 1;
};
inline Block cellAt(int col, int row)
{
    return {col, row, col, row};
}
inline Block blockOf(int col1, int row1, int col2, int row2)
{
    return {col1, row1, col2, row2};
}

class ResultGrid {
public:
    ResultGrid() = default;
    ResultGrid(int columns, int rows) { resize(columns, rows); }

    // Extent. Resizing keeps the cells that stay inside and sizes default the new ones.
    void resize(int columns, int rows);
    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    bool contains(int col, int row) const
    {
        return col >= 1 && col <= m_columns && row >= 1 && row <= m_rows;
    }
    Block all() const { return {1, 1, m_columns, m_rows}; }
    Block column(int col) const { return {col, 1, col, m_rows}; }
    Block row(int r) const { return {1, r, m_columns, r}; }

    // Cells. A position outside the grid reads as a blank default cell.
    Cell cell(int col, int row) const;
    std::string text(int col, int row) const { return std::string(textView(col, row)); }
    // Valid until the cell's text is next written.
    std::string_view textView(int col, int row) const;
    Rgb foreground(int col, int row) const;
    Rgb background(int col, int row) const;
    Border border(int col, int row, Side side) const;
    HAlign hAlign(int col, int row) const;
    void setText(int col, int row, std::string_view text);
    void setNumber(int col, int row, long long number)
    {
        setText(col, row, std::to_string(number));
    }
    void clearText(Block block);

    // Block styling: one call styles every cell of the block.
    void setForeground(Block block, Rgb color);
    void setBackground(Block block, Rgb color);
    void setColors(Block block, Rgb fg, Rgb bg);
    void setHAlign(Block block, HAlign align);
    void setVAlign(Block block, VAlign align);
    // A line on the given side of every cell of the block.
    void setBorder(Block block, Side side, Rgb color = kBlack);
    // Lines on all four sides of every cell of the block.
    void setAllBorders(Block block, Rgb color = kBlack);
    // One line around the block as a whole (inner cell sides untouched).
    void setOutline(Block block, Rgb color = kBlack);
    // No line on any side of the cells of the block.
    void clearBorders(Block block);
    void clearBorder(Block block, Side side);

    // Sizes in the grid's own units: heights (default 10) and widths (default 5).
    void setDefaultRowHeight(double height);
    void setRowHeight(int row, double height);
    double rowHeight(int row) const;
    void setDefaultColumnWidth(double width);
    void setColumnWidth(int col, double width);
    double columnWidth(int col) const;

    // How many columns and rows the grid shows at once (it sizes itself to them).
    void setShownColumns(int columns) { m_shownColumns = columns; }
    void setShownRows(int rows) { m_shownRows = rows; }
    int shownColumns() const { return m_shownColumns; }
    int shownRows() const { return m_shownRows; }

    void setFrozenRows(int rows) { m_frozenRows = rows; }
    void setFrozenColumns(int columns) { m_frozenColumns = columns; }
    int frozenRows() const { return m_frozenRows; }
    int frozenColumns() const { return m_frozenColumns; }

    void setScrollBars(ScrollBars bars, bool onlyWhenNeeded = true)
    {
        m_scrollBars = bars;
        m_scrollBarsWhenNeeded = onlyWhenNeeded;
    }
    ScrollBars scrollBars() const { return m_scrollBars; }
    bool scrollBarsWhenNeeded() const { return m_scrollBarsWhenNeeded; }

    void setHeadersHidden(bool hidden) { m_headersHidden = hidden; }
    bool headersHidden() const { return m_headersHidden; }
    void setOverflow(bool on) { m_overflow = on; }
    bool overflow() const { return m_overflow; }

    // The highlighted cell; (0, 0) is the hidden header corner, so no data cell is highlighted.
    void setActiveCell(int col, int row);
    void resetActiveCell() { setActiveCell(0, 0); }
    int activeColumn() const { return m_activeCol; }
    int activeRow() const { return m_activeRow; }

private:
    // One cell in 20 bytes, so that a grid of a million cells stays small and quick to make.
    // Colours are indexes into the grid's palette; texts of up to 12 bytes (numbers, "●",
    // "12回前") are stored in place, longer ones in m_longTexts.
    struct PackedCell {
        static constexpr std::uint8_t kLongText = 0xFF;
        static constexpr std::size_t kInline = 12;
        std::array<char, kInline> text{};
        std::uint8_t textSize = 0;             // kLongText: text holds an index into m_longTexts
        std::uint8_t fg = 0;                   // palette index; 0 is black
        std::uint8_t bg = 1;                   // palette index; 1 is white
        std::array<std::uint8_t, 4> border{};  // palette index + 1 per Side; 0 = no line
        std::uint8_t align = kCentred;         // bits 0-1 HAlign, 2-3 VAlign
        static constexpr std::uint8_t kCentred = static_cast<std::uint8_t>(HAlign::Center) |
                                                 static_cast<std::uint8_t>(VAlign::Center) << 2;
    };

    const PackedCell* find(int col, int row) const
    {
        return contains(col, row) ? &m_cells[index(col, row)] : nullptr;
    }
    PackedCell& at(int col, int row) { return m_cells[index(col, row)]; }
    std::size_t index(int col, int row) const
    {
        return static_cast<std::size_t>(row - 1) * m_columns + (col - 1);
    }
    std::uint8_t paletteIndex(Rgb color);
    // The block clipped to the grid; false when nothing of it is inside.
    bool clip(Block& block) const;
    template <typename F> void forEach(Block block, F&& apply);

    int m_columns = 0;
    int m_rows = 0;
    std::vector<PackedCell> m_cells;
    static std::vector<Rgb> initialPalette();  // black (index 0) and white (index 1)
    std::vector<Rgb> m_palette = initialPalette();
    std::vector<std::string> m_longTexts;
    double m_defaultRowHeight = 10;
    double m_defaultColumnWidth = 5;
    std::vector<double> m_rowHeights;    // index row - 1; negative = default
    std::vector<double> m_columnWidths;  // index col - 1; negative = default
    int m_shownColumns = 0;
    int m_shownRows = 0;
    int m_frozenRows = 0;
    int m_frozenColumns = 0;
    ScrollBars m_scrollBars = ScrollBars::Both;
    bool m_scrollBarsWhenNeeded = true;
    bool m_headersHidden = true;
    bool m_overflow = false;
    int m_activeCol = 0;
    int m_activeRow = 0;
};
