#include "gui/report/grid_painter.h"

#include "gui/report/palette_color.h"

#include <QFontMetrics>
#include <QPainter>

#include <optional>

namespace {

QRect toRect(const PixelRect& r)
{
    return QRect(r.x, r.y, r.width, r.height);
}

int alignmentFlags(const Cell& cell)
{
    int flags = 0;
    switch (cell.hAlign) {
    case HAlign::Left:
        flags |= Qt::AlignLeft;
        break;
    case HAlign::Right:
        flags |= Qt::AlignRight;
        break;
    case HAlign::Center:
        flags |= Qt::AlignHCenter;
        break;
    }
    switch (cell.vAlign) {
    case VAlign::Top:
        flags |= Qt::AlignTop;
        break;
    case VAlign::Bottom:
        flags |= Qt::AlignBottom;
        break;
    case VAlign::Center:
        flags |= Qt::AlignVCenter;
        break;
    }
    return flags;
}

// The line on a shared edge: either neighbour's line draws it, this cell's own one first.
std::optional<Border> sharedEdge(const Border& own, const Border& neighbour)
{
    if (own.shown) return own;
    if (neighbour.shown) return neighbour;
    return std::nullopt;
}

}  // namespace

GridPainter::GridPainter(const ResultGrid& grid, const GridGeometry& geometry, const QFont& font)
    : m_grid(grid), m_geometry(geometry), m_font(font)
{
}

void GridPainter::reset(const QFont& font)
{
    m_font = font;
    m_textCache.clear();
}

const GridPainter::ShownText& GridPainter::shownText(const std::string& text)
{
    auto it = m_textCache.find(text);
    if (it == m_textCache.end()) {
        ShownText shown;
        shown.text = QString::fromStdString(text);
        shown.width = QFontMetrics(m_font).horizontalAdvance(shown.text);
        it = m_textCache.emplace(text, std::move(shown)).first;
    }
    return it->second;
}

void GridPainter::paintCells(QPainter& painter, const CellRange& range, const CellRange& area)
{
    painter.setFont(m_font);
    // Backgrounds first, in runs of one colour, so overflowing text is not painted over.
    for (int r = range.row1; r <= range.row2; ++r) {
        const int top = m_geometry.rowTop(r);
        const int height = m_geometry.rowHeight(r);
        int c = range.col1;
        while (c <= range.col2) {
            const Rgb bg = m_grid.background(c, r);
            int end = c;
            while (end < range.col2 && m_grid.background(end + 1, r) == bg)
                ++end;
            const int left = m_geometry.columnLeft(c);
            if (bg != m_paper)
                painter.fillRect(left, top, m_geometry.columnLeft(end + 1) - left, height,
                                 toQColor(bg));
            c = end + 1;
        }
    }

    for (int r = range.row1; r <= range.row2; ++r) {
        for (int c = range.col1; c <= range.col2; ++c)
            if (!m_grid.textView(c, r).empty()) paintText(painter, c, r, area);
        // Text of the nearest filled cell on either side may run on into the painted range
        // (anything farther is stopped by that cell); the clip keeps the rest out.
        if (!m_grid.overflow()) continue;
        for (int c = range.col1 - 1; c >= area.col1; --c)
            if (!m_grid.textView(c, r).empty()) {
                paintText(painter, c, r, area);
                break;
            }
        for (int c = range.col2 + 1; c <= area.col2; ++c)
            if (!m_grid.textView(c, r).empty()) {
                paintText(painter, c, r, area);
                break;
            }
    }

    paintBorders(painter, range);
}

void GridPainter::paintText(QPainter& painter, int col, int row, const CellRange& area)
{
    const Cell cell = m_grid.cell(col, row);
    const ShownText& shown = shownText(cell.text);
    QRect rect = toRect(m_geometry.cellRect(col, row));
    const auto [first, last] =
        m_geometry.textColumns(m_grid, col, row, shown.width, area.col1, area.col2);
    painter.setPen(toQColor(cell.fg));
    if (cell.hAlign == HAlign::Center && (first < col || last > col)) {
        // Centred text spreading over its neighbours: centred on its own cell, clipped to the
        // empty cells it may cover.
        const QRect covered(m_geometry.columnLeft(first), rect.top(),
                            m_geometry.columnLeft(last + 1) - m_geometry.columnLeft(first),
                            rect.height());
        const QRect centred(rect.center().x() - shown.width / 2 - 1, rect.top(), shown.width + 2,
                            rect.height());
        painter.save();
        painter.setClipRect(covered, Qt::IntersectClip);
        painter.drawText(centred, alignmentFlags(cell) | Qt::TextSingleLine | Qt::TextDontClip,
                         shown.text);
        painter.restore();
        return;
    }
    rect.setRight(m_geometry.columnLeft(last + 1) - 1);
    if (cell.hAlign != HAlign::Center) rect.adjust(kCellTextMargin, 0, -kCellTextMargin, 0);
    // Text that fits needs no clipping, which saves a clip per cell on the common path.
    const int flags = alignmentFlags(cell) | Qt::TextSingleLine |
                      (shown.width <= rect.width() ? Qt::TextDontClip : 0);
    painter.drawText(rect, flags, shown.text);
}

void GridPainter::paintBorders(QPainter& painter, const CellRange& range)
{
    // An edge between two cells is the last pixel column (row) of the left (upper) cell; the
    // outer left and top edges of the grid are its first ones.
    const auto verticalLine = [&](int edgeCol, int row, const Border& border) {
        const int x = edgeCol == 1 ? 0 : m_geometry.columnLeft(edgeCol) - 1;
        painter.fillRect(x, m_geometry.rowTop(row), 1, m_geometry.rowHeight(row),
                         toQColor(border.color));
    };
    const auto horizontalLine = [&](int col, int edgeRow, const Border& border) {
        const int y = edgeRow == 1 ? 0 : m_geometry.rowTop(edgeRow) - 1;
        painter.fillRect(m_geometry.columnLeft(col), y, m_geometry.columnWidth(col), 1,
                         toQColor(border.color));
    };
    const auto line = [this](int col, int row, Side side) { return m_grid.border(col, row, side); };
    for (int r = range.row1; r <= range.row2; ++r) {
        for (int c = range.col1; c <= range.col2; ++c) {
            // Outside the grid border() is no line.
            if (const auto b = sharedEdge(line(c, r, Side::Right), line(c + 1, r, Side::Left)))
                verticalLine(c + 1, r, *b);
            if (const auto b = sharedEdge(line(c, r, Side::Bottom), line(c, r + 1, Side::Top)))
                horizontalLine(c, r + 1, *b);
            if (c == range.col1)
                if (const auto b = sharedEdge(line(c, r, Side::Left), line(c - 1, r, Side::Right)))
                    verticalLine(c, r, *b);
            if (r == range.row1)
                if (const auto b = sharedEdge(line(c, r, Side::Top), line(c, r - 1, Side::Bottom)))
                    horizontalLine(c, r, *b);
        }
    }
}
