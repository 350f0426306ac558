#include "gui/ui/grid_view.h"

#include "gui/report/grid_font.h"
#include "gui/report/palette_color.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <optional>

namespace {

QRect toRect(const PixelRect& r)
{
    return QRect(r.x, r.y, r.width, r.height);
}

std::unique_ptr<TextWidths> screenTextWidths(const QFont& font)
{
    return std::make_unique<TextWidths>([metrics = QFontMetricsF(font)](char32_t c) {
        return metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
    });
}

}  // namespace

GridView::GridView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFont(gridFont());
    m_textWidths = screenTextWidths(font());
    m_painter.reset(font());
    setFocusPolicy(Qt::StrongFocus);
    // paintEvent covers every pixel, so Qt need not clear the viewport first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    applyScrollBarPolicy();
    updateScrollBars();
}

void GridView::setGrid(ResultGrid grid)
{
    m_grid = std::move(grid);
    clearSelection();
    applyScrollBarPolicy();
    layOut();
}

void GridView::layOut()
{
    m_geometry = GridGeometry(m_grid, *m_textWidths);
    m_painter.reset(font());
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
    if (event->type() == QEvent::FontChange) {
        m_textWidths = screenTextWidths(font());
        layOut();
    }
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

void GridView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    painter.fillRect(dirty, toQColor(kOutsideGridBack));
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
    m_painter.paintCells(painter, range, area);

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

void GridView::scrollToCell(int col, int row)
{
    const QSize size = viewport()->size();
    const PixelRect cell = m_geometry.cellRect(col, row);
    // The body starts after the frozen part: content x shows at viewport x - scroll there.
    // A frozen cell is always in view; going to one brings the body back to its start, as a
    // spreadsheet does for Ctrl+Home.
    if (col <= m_geometry.frozenColumns()) horizontalScrollBar()->setValue(0);
    if (row <= m_geometry.frozenRows()) verticalScrollBar()->setValue(0);
    if (col > m_geometry.frozenColumns()) {
        QScrollBar* h = horizontalScrollBar();
        const int room = std::max(0, size.width() - m_geometry.frozenWidth());
        const int left = cell.x - m_geometry.frozenWidth();
        if (left < h->value())
            h->setValue(left);
        else if (left + cell.width > h->value() + room)
            h->setValue(std::min(left, left + cell.width - room));
    }
    if (row > m_geometry.frozenRows()) {
        QScrollBar* v = verticalScrollBar();
        const int room = std::max(0, size.height() - m_geometry.frozenHeight());
        const int top = cell.y - m_geometry.frozenHeight();
        if (top < v->value())
            v->setValue(top);
        else if (top + cell.height > v->value() + room)
            v->setValue(std::min(top, top + cell.height - room));
    }
}

void GridView::moveCursor(int col, int row, bool extend)
{
    if (m_grid.columnCount() == 0 || m_grid.rowCount() == 0) return;
    m_cursorCol = std::clamp(col, 1, m_grid.columnCount());
    m_cursorRow = std::clamp(row, 1, m_grid.rowCount());
    if (!extend || !hasSelection()) {
        m_anchorCol = m_cursorCol;
        m_anchorRow = m_cursorRow;
    }
    scrollToCell(m_cursorCol, m_cursorRow);
    viewport()->update();
}

int GridView::pageRow(int row, int direction) const
{
    const int room =
        std::max(1, viewport()->height() - m_geometry.frozenHeight() - m_geometry.rowHeight(row));
    if (direction > 0) {
        const int target = m_geometry.rowAt(m_geometry.rowTop(row) + room);
        return target == 0 ? m_grid.rowCount() : std::max(target, row + 1);
    }
    const int target = m_geometry.rowAt(std::max(0, m_geometry.rowTop(row) - room));
    return std::min(std::max(target, m_geometry.frozenRows() + 1), std::max(row - 1, 1));
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy) {
        copySelection();
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool extend = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;
    // Before any cell is chosen the keys start from the first cell.
    const int col = std::max(m_cursorCol, 1), row = std::max(m_cursorRow, 1);
    const int lastCol = m_grid.columnCount(), lastRow = m_grid.rowCount();
    switch (event->key()) {
    case Qt::Key_Left:
        moveCursor(control ? 1 : col - 1, row, extend);
        break;
    case Qt::Key_Right:
        moveCursor(control ? lastCol : col + 1, row, extend);
        break;
    case Qt::Key_Up:
        moveCursor(col, control ? 1 : row - 1, extend);
        break;
    case Qt::Key_Down:
        moveCursor(col, control ? lastRow : row + 1, extend);
        break;
    case Qt::Key_Home:
        moveCursor(1, control ? 1 : row, extend);
        break;
    case Qt::Key_End:
        moveCursor(lastCol, control ? lastRow : row, extend);
        break;
    case Qt::Key_PageUp:
        moveCursor(col, pageRow(row, -1), extend);
        break;
    case Qt::Key_PageDown:
        moveCursor(col, pageRow(row, +1), extend);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}
