#include "ui/grid_view.h"

#include "ui/grid_font.h"
#include "ui/palette_color.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <optional>

namespace {

constexpr int kTextMargin = 2;  // pixels between a cell's edge and left- or right-aligned text

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

GridView::GridView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFont(gridFont());
    setFocusPolicy(Qt::StrongFocus);
    // paintEvent covers every pixel, so Qt need not clear the viewport first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    applyScrollBarPolicy();
    updateScrollBars();
}

void GridView::setGrid(ResultGrid grid)
{
    m_grid = std::move(grid);
    m_geometry = GridGeometry(m_grid);
    m_textCache.clear();
    clearSelection();
    applyScrollBarPolicy();
    updateScrollBars();
    updateGeometry();
    viewport()->update();
}

Block GridView::selection() const
{
    return blockOf(std::min(m_anchorCol, m_cursorCol), std::min(m_anchorRow, m_cursorRow),
                   std::max(m_anchorCol, m_cursorCol), std::max(m_anchorRow, m_cursorRow));
}

void GridView::selectBlock(Block block)
{
    if (m_grid.columnCount() == 0 || m_grid.rowCount() == 0) return clearSelection();
    m_anchorCol = std::clamp(block.col1, 1, m_grid.columnCount());
    m_anchorRow = std::clamp(block.row1, 1, m_grid.rowCount());
    m_cursorCol = std::clamp(block.col2, 1, m_grid.columnCount());
    m_cursorRow = std::clamp(block.row2, 1, m_grid.rowCount());
    viewport()->update();
}

void GridView::clearSelection()
{
    m_anchorCol = m_anchorRow = m_cursorCol = m_cursorRow = 0;
    viewport()->update();
}

QString GridView::selectedText() const
{
    if (!hasSelection()) return {};
    const Block b = selection();
    QString out;
    for (int r = b.row1; r <= b.row2; ++r) {
        if (r > b.row1) out += QLatin1Char('\n');
        for (int c = b.col1; c <= b.col2; ++c) {
            if (c > b.col1) out += QLatin1Char('\t');
            out += QString::fromStdString(m_grid.text(c, r));
        }
    }
    return out;
}

void GridView::copySelection() const
{
    if (hasSelection()) QApplication::clipboard()->setText(selectedText());
}

QSize GridView::sizeHint() const
{
    const int frame = 2 * frameWidth();
    int width = m_geometry.shownWidth() + frame;
    int height = m_geometry.shownHeight() + frame;
    const int barExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const ScrollBars bars = m_grid.scrollBars();
    const bool always = !m_grid.scrollBarsWhenNeeded();
    const bool vertical = bars == ScrollBars::Vertical || bars == ScrollBars::Both;
    const bool horizontal = bars == ScrollBars::Horizontal || bars == ScrollBars::Both;
    if (vertical && (always || m_geometry.totalHeight() > m_geometry.shownHeight()))
        width += barExtent;
    if (horizontal && (always || m_geometry.totalWidth() > m_geometry.shownWidth()))
        height += barExtent;
    return {width, height};
}

void GridView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) m_textCache.clear();
    QAbstractScrollArea::changeEvent(event);
}

void GridView::applyScrollBarPolicy()
{
    const ScrollBars bars = m_grid.scrollBars();
    const Qt::ScrollBarPolicy on =
        m_grid.scrollBarsWhenNeeded() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
    const bool vertical = bars == ScrollBars::Vertical || bars == ScrollBars::Both;
    const bool horizontal = bars == ScrollBars::Horizontal || bars == ScrollBars::Both;
    setHorizontalScrollBarPolicy(horizontal ? on : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? on : Qt::ScrollBarAlwaysOff);
}

void GridView::updateScrollBars()
{
    const QSize size = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, m_geometry.maxScrollX(size.width()));
    h->setPageStep(std::max(1, size.width() - m_geometry.frozenWidth()));
    h->setSingleStep(columnWidthToPixels(2));
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, m_geometry.maxScrollY(size.height()));
    v->setPageStep(std::max(1, size.height() - m_geometry.frozenHeight()));
    v->setSingleStep(rowHeightToPixels(10));
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void GridView::scrollContentsBy(int, int)
{
    // The frozen areas stay while the body moves, so a plain pixel scroll does not fit.
    viewport()->update();
}

const GridView::ShownText& GridView::shownText(const std::string& text)
{
    auto it = m_textCache.find(text);
    if (it == m_textCache.end()) {
        ShownText shown;
        shown.text = QString::fromStdString(text);
        shown.width = fontMetrics().horizontalAdvance(shown.text);
        it = m_textCache.emplace(text, std::move(shown)).first;
    }
    return it->second;
}

void GridView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    painter.fillRect(dirty, toQColor(kOutsideGridBack));
    painter.setFont(font());
    const int scrollX = horizontalScrollBar()->value();
    const int scrollY = verticalScrollBar()->value();
    const QSize size = viewport()->size();
    for (const AreaLayout& area : m_geometry.areas(size.width(), size.height(), scrollX, scrollY)) {
        const QRect clip = toRect(area.viewport) & dirty;
        if (clip.isEmpty()) continue;
        const PixelRect content{clip.x() + area.offsetX, clip.y() + area.offsetY, clip.width(),
                                clip.height()};
        const CellRange cells = m_geometry.cellsIn(content, area.cells);
        if (cells.empty()) continue;
        painter.save();
        painter.setClipRect(clip);
        painter.translate(-area.offsetX, -area.offsetY);
        paintCells(painter, cells, area.cells);
        painter.restore();
    }
}

void GridView::paintCells(QPainter& painter, const CellRange& range, const CellRange& area)
{
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

    if (hasSelection()) {
        const Block s = selection();
        const int c1 = std::max(s.col1, range.col1), c2 = std::min(s.col2, range.col2);
        const int r1 = std::max(s.row1, range.row1), r2 = std::min(s.row2, range.row2);
        if (c1 <= c2 && r1 <= r2) {
            QColor shade = palette().color(QPalette::Highlight);
            shade.setAlpha(70);
            const int left = m_geometry.columnLeft(c1), top = m_geometry.rowTop(r1);
            painter.fillRect(left, top, m_geometry.columnLeft(c2 + 1) - left,
                             m_geometry.rowTop(r2 + 1) - top, shade);
        }
    }

    const int activeCol = m_grid.activeColumn(), activeRow = m_grid.activeRow();
    if (activeCol >= range.col1 && activeCol <= range.col2 && activeRow >= range.row1 &&
        activeRow <= range.row2) {
        const QRect cell = toRect(m_geometry.cellRect(activeCol, activeRow));
        painter.setPen(QPen(toQColor(kActiveCellFrame), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(1, 1, -1, -1));
    }
}

void GridView::paintText(QPainter& painter, int col, int row, const CellRange& area)
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
    if (cell.hAlign != HAlign::Center) rect.adjust(kTextMargin, 0, -kTextMargin, 0);
    // Text that fits needs no clipping, which saves a clip per cell on the common path.
    const int flags = alignmentFlags(cell) | Qt::TextSingleLine |
                      (shown.width <= rect.width() ? Qt::TextDontClip : 0);
    painter.drawText(rect, flags, shown.text);
}

void GridView::paintBorders(QPainter& painter, const CellRange& range)
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

bool GridView::cellAtPoint(QPoint point, int& col, int& row) const
{
    if (m_grid.columnCount() == 0 || m_grid.rowCount() == 0) return false;
    const int x = m_geometry.contentX(point.x(), horizontalScrollBar()->value());
    const int y = m_geometry.contentY(point.y(), verticalScrollBar()->value());
    col = m_geometry.columnAt(x);
    if (col == 0) col = x < 0 ? 1 : m_grid.columnCount();
    row = m_geometry.rowAt(y);
    if (row == 0) row = y < 0 ? 1 : m_grid.rowCount();
    return true;
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    int col = 0, row = 0;
    if (!cellAtPoint(event->position().toPoint(), col, row)) return;
    if (event->modifiers() & Qt::ShiftModifier && hasSelection()) {
        m_cursorCol = col;
        m_cursorRow = row;
    } else {
        m_anchorCol = m_cursorCol = col;
        m_anchorRow = m_cursorRow = row;
    }
    viewport()->update();
    event->accept();
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || !hasSelection())
        return QAbstractScrollArea::mouseMoveEvent(event);
    int col = 0, row = 0;
    if (!cellAtPoint(event->position().toPoint(), col, row)) return;
    if (col != m_cursorCol || row != m_cursorRow) {
        m_cursorCol = col;
        m_cursorRow = row;
        viewport()->update();
    }
    event->accept();
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
    event->accept();  // the selection was made while pressing and dragging
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy) {
        copySelection();
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}
