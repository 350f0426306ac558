#include "app/window_arrangement.h"

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
