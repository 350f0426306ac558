// The window menu's arrangements that QMdiArea lacks: tiling one above the other, tiling side by
// side and lining up the icons of minimised windows. The geometry is pure arithmetic on
// rectangles in the client area's pixel coordinates; the three commands apply it to an area.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

class QMdiArea;

// count full-width rows, top to bottom; the last row takes the pixels left over by rounding.
std::vector<QRect> stackedRows(const QRect& area, int count);
// count full-height columns, left to right; the last column takes the pixels left over.
std::vector<QRect> sideBySideColumns(const QRect& area, int count);
// Top-left corners for count icons of the given size, left to right along the bottom edge of
// the area, starting a new line above when a line is full (at least one icon per line).
std::vector<QPoint> iconPositions(const QRect& area, const QSize& iconSize, int count);

// The shown, not minimised child windows, topmost first, in full-width rows (or full-height
// columns); a maximised window is restored first. The icons of minimised windows keep their line
// at the bottom.
void tileOneAboveTheOther(QMdiArea& area);
void tileSideBySide(QMdiArea& area);
// The icons of minimised child windows lined up along the bottom edge; other windows stay put.
void arrangeIcons(QMdiArea& area);
