#include "core/grid/grid_stack.h"

#include <algorithm>

ResultGrid stackGrids(std::span<const ResultGrid> grids, int gap)
{
    int columns = 0, rows = 0;
    for (const ResultGrid& g : grids) {
        columns = std::max(columns, g.columnCount());
        rows += g.rowCount();
    }
    if (!grids.empty()) rows += gap * static_cast<int>(grids.size() - 1);
    ResultGrid out(columns, rows);
    for (int c = 1; c <= columns; ++c) {
        double width = 0;
        for (const ResultGrid& g : grids)
            if (c <= g.columnCount()) width = std::max(width, g.columnWidth(c));
        out.setColumnWidth(c, width);
    }
    int top = 0;
    for (const ResultGrid& g : grids) {
        for (int r = 1; r <= g.rowCount(); ++r) {
            out.setRowHeight(top + r, g.rowHeight(r));
            for (int c = 1; c <= g.columnCount(); ++c) {
                const Cell cell = g.cell(c, r);
                const Block at = cellAt(c, top + r);
                out.setText(c, top + r, cell.text);
                out.setColors(at, cell.fg, cell.bg);
                out.setHAlign(at, cell.hAlign);
                out.setVAlign(at, cell.vAlign);
                for (const Side side : {Side::Left, Side::Top, Side::Right, Side::Bottom})
                    if (cell.border(side).shown) out.setBorder(at, side, cell.border(side).color);
            }
        }
        top += g.rowCount() + gap;
    }
    out.setOverflow(
        std::any_of(grids.begin(), grids.end(), [](const ResultGrid& g) { return g.overflow(); }));
    return out;
}
