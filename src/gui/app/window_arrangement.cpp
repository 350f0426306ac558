// The window menu's arrangements: their geometry and its application to the client area.
#include "gui/app/window_arrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

std::vector<QRect> stackedRows(const QRect& area, int count)
{
    std::vector<QRect> rows;
    if (count <= 0) return rows;
    const int height = area.height() / count;
    for (int i = 0; i < count; ++i) {
        const int top = area.top() + i * height;
        const int rowHeight = i == count - 1 ? area.bottom() + 1 - top : height;
        rows.emplace_back(area.left(), top, area.width(), rowHeight);
    }
    return rows;
}

std::vector<QRect> sideBySideColumns(const QRect& area, int count)
{
    std::vector<QRect> columns;
    if (count <= 0) return columns;
    const int width = area.width() / count;
    for (int i = 0; i < count; ++i) {
        const int left = area.left() + i * width;
        const int columnWidth = i == count - 1 ? area.right() + 1 - left : width;
        columns.emplace_back(left, area.top(), columnWidth, area.height());
    }
    return columns;
}

std::vector<QPoint> iconPositions(const QRect& area, const QSize& iconSize, int count)
{
    std::vector<QPoint> positions;
    if (count <= 0 || iconSize.width() <= 0 || iconSize.height() <= 0) return positions;
    const int perLine = std::max(1, area.width() / iconSize.width());
    for (int i = 0; i < count; ++i) {
        const int line = i / perLine;
        const int column = i % perLine;
        positions.emplace_back(area.left() + column * iconSize.width(),
                               area.bottom() + 1 - (line + 1) * iconSize.height());
    }
    return positions;
}

namespace {

// The child windows that take part in an arrangement: shown and not minimised, topmost first.
QList<QMdiSubWindow*> arrangedWindows(const QMdiArea& area)
{
    QList<QMdiSubWindow*> windows;
    const QList<QMdiSubWindow*> stacking = area.subWindowList(QMdiArea::StackingOrder);
    for (auto it = stacking.rbegin(); it != stacking.rend(); ++it)
        if ((*it)->isVisible() && !(*it)->isMinimized()) windows.append(*it);
    return windows;
}

QList<QMdiSubWindow*> minimisedWindows(const QMdiArea& area)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder))
        if (window->isVisible() && window->isMinimized()) windows.append(window);
    return windows;
}

QSize iconSizeOf(const QList<QMdiSubWindow*>& icons)
{
    QSize size;
    for (const QMdiSubWindow* icon : icons)
        size = size.expandedTo(icon->size());
    return size;
}

// The client area less the line of icons at its bottom.
QRect areaAboveIcons(const QMdiArea& area)
{
    QRect rect = area.viewport()->rect();
    const QList<QMdiSubWindow*> icons = minimisedWindows(area);
    if (!icons.isEmpty()) rect.setBottom(rect.bottom() - iconSizeOf(icons).height());
    return rect;
}

void placeWindows(const QList<QMdiSubWindow*>& windows, const std::vector<QRect>& places)
{
    for (int i = 0; i < windows.size() && i < static_cast<int>(places.size()); ++i) {
        if (windows[i]->isMaximized()) windows[i]->showNormal();
        windows[i]->setGeometry(places[static_cast<std::size_t>(i)]);
    }
}

}  // namespace

void tileOneAboveTheOther(QMdiArea& area)
{
    const QList<QMdiSubWindow*> windows = arrangedWindows(area);
    placeWindows(windows, stackedRows(areaAboveIcons(area), static_cast<int>(windows.size())));
}

void tileSideBySide(QMdiArea& area)
{
    const QList<QMdiSubWindow*> windows = arrangedWindows(area);
    placeWindows(windows,
                 sideBySideColumns(areaAboveIcons(area), static_cast<int>(windows.size())));
}

void arrangeIcons(QMdiArea& area)
{
    const QList<QMdiSubWindow*> icons = minimisedWindows(area);
    const std::vector<QPoint> positions =
        iconPositions(area.viewport()->rect(), iconSizeOf(icons), static_cast<int>(icons.size()));
    for (int i = 0; i < icons.size() && i < static_cast<int>(positions.size()); ++i)
        icons[i]->move(positions[static_cast<std::size_t>(i)]);
}
