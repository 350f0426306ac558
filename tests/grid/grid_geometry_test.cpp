#include <gtest/gtest.h>

#include <cmath>

#include "core/grid/grid_geometry.h"

namespace {

// Four columns of widths 5, 2, 2, 5 (40, 16, 16, 40 px) and three rows of heights 15, 10, 10
// (24, 16, 16 px), first column and first row frozen.
ResultGrid smallGrid()
{
    ResultGrid grid(4, 3);
    grid.setDefaultColumnWidth(2);
    grid.setColumnWidth(1, 5);
    grid.setColumnWidth(4, 5);
    grid.setRowHeight(1, 15);
    grid.setFrozenColumns(1);
    grid.setFrozenRows(1);
    return grid;
}

}  // namespace

TEST(GridGeometry, UnitsMapToWholePixels)
{
    EXPECT_EQ(columnWidthToPixels(2), 16);
    EXPECT_EQ(columnWidthToPixels(5), 40);
    EXPECT_EQ(columnWidthToPixels(4.5), 36);
    EXPECT_EQ(columnWidthToPixels(0.3), 2);  // 2.4 rounds down
    EXPECT_EQ(rowHeightToPixels(10), 16);
    EXPECT_EQ(rowHeightToPixels(15), 24);
    EXPECT_EQ(rowHeightToPixels(1), 2);  // 1.6 rounds up
    EXPECT_EQ(columnWidthToPixels(0), 0);
    EXPECT_EQ(columnWidthToPixels(-3), 0);
    EXPECT_EQ(rowHeightToPixels(std::nan("")), 0);
    EXPECT_EQ(rowHeightToPixels(1e300), 10000);
}

TEST(GridGeometry, OffsetsAreCumulativeAndClamped)
{
    const GridGeometry g(smallGrid());
    EXPECT_EQ(g.columnCount(), 4);
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_EQ(g.columnLeft(1), 0);
    EXPECT_EQ(g.columnLeft(2), 40);
    EXPECT_EQ(g.columnLeft(4), 72);
    EXPECT_EQ(g.columnLeft(5), 112);
    EXPECT_EQ(g.totalWidth(), 112);
    EXPECT_EQ(g.columnLeft(99), 112);
    EXPECT_EQ(g.columnLeft(-4), 0);
    EXPECT_EQ(g.columnWidth(4), 40);
    EXPECT_EQ(g.rowTop(2), 24);
    EXPECT_EQ(g.totalHeight(), 56);
    EXPECT_EQ(g.cellRect(2, 3), (PixelRect{40, 40, 16, 16}));
    EXPECT_EQ(g.frozenWidth(), 40);
    EXPECT_EQ(g.frozenHeight(), 24);

    const GridGeometry empty(ResultGrid{});
    EXPECT_EQ(empty.totalWidth(), 0);
    EXPECT_EQ(empty.columnAt(0), 0);
    EXPECT_TRUE(empty.cellsIn({0, 0, 100, 100}).empty());
}

TEST(GridGeometry, FindsTheCellUnderAPoint)
{
    const GridGeometry g(smallGrid());
    EXPECT_EQ(g.columnAt(0), 1);
    EXPECT_EQ(g.columnAt(39), 1);
    EXPECT_EQ(g.columnAt(40), 2);
    EXPECT_EQ(g.columnAt(111), 4);
    EXPECT_EQ(g.columnAt(112), 0);
    EXPECT_EQ(g.columnAt(-1), 0);
    EXPECT_EQ(g.rowAt(23), 1);
    EXPECT_EQ(g.rowAt(24), 2);
    EXPECT_EQ(g.rowAt(55), 3);
    EXPECT_EQ(g.rowAt(56), 0);

    ResultGrid zeroWidth(3, 1);
    zeroWidth.setColumnWidth(2, 0);  // a hidden column is never the one under a point
    const GridGeometry z(zeroWidth);
    EXPECT_EQ(z.columnAt(39), 1);
    EXPECT_EQ(z.columnAt(40), 3);
}

TEST(GridGeometry, LongGridsUsePrefixSums)
{
    ResultGrid grid(3, 32767);
    grid.setRowHeight(1, 20);  // 32 px
    const GridGeometry g(grid);
    EXPECT_EQ(g.totalHeight(), 32 + 32766 * 16);
    EXPECT_EQ(g.rowTop(30000), 32 + 29998 * 16);
    EXPECT_EQ(g.rowAt(g.rowTop(30000) + 15), 30000);
    EXPECT_EQ(g.rowAt(g.rowTop(30000) + 16), 30001);
    EXPECT_EQ(g.rowAt(g.totalHeight() - 1), 32767);
    const CellRange shown = g.cellsIn({0, g.rowTop(20000) + 5, 10, 40});
    EXPECT_EQ(shown, (CellRange{1, 20000, 1, 20002}));
}

TEST(GridGeometry, CellsInARectangleStayWithinTheAllowedRange)
{
    const GridGeometry g(smallGrid());
    EXPECT_EQ(g.cellsIn({50, 25, 20, 10}), (CellRange{2, 2, 3, 2}));
    EXPECT_EQ(g.cellsIn({50, 35, 20, 10}), (CellRange{2, 2, 3, 3}));
    // Edges are exclusive: a rectangle ending exactly at column 3 does not touch it.
    EXPECT_EQ(g.cellsIn({40, 0, 16, 1}), (CellRange{2, 1, 2, 1}));
    EXPECT_EQ(g.cellsIn({0, 0, 500, 500}), (CellRange{1, 1, 4, 3}));
    EXPECT_EQ(g.cellsIn({0, 0, 500, 500}, {2, 2, 4, 3}), (CellRange{2, 2, 4, 3}));
    EXPECT_TRUE(g.cellsIn({0, 0, 40, 20}, {2, 2, 4, 3}).empty());
    EXPECT_TRUE(g.cellsIn({200, 0, 10, 10}).empty());
    EXPECT_TRUE(g.cellsIn({0, 0, 0, 10}).empty());
}

TEST(GridGeometry, FrozenAreasScrollOnlyAlongTheirFreeAxis)
{
    const GridGeometry g(smallGrid());
    const auto a = g.areas(80, 40, 30, 7);
    EXPECT_EQ(a[0].area, GridArea::Corner);
    EXPECT_EQ(a[0].viewport, (PixelRect{0, 0, 40, 24}));
    EXPECT_EQ(a[0].offsetX, 0);
    EXPECT_EQ(a[0].cells, (CellRange{1, 1, 1, 1}));
    EXPECT_EQ(a[1].viewport, (PixelRect{40, 0, 40, 24}));
    EXPECT_EQ(a[1].offsetX, 30);
    EXPECT_EQ(a[1].offsetY, 0);
    EXPECT_EQ(a[1].cells, (CellRange{2, 1, 4, 1}));
    EXPECT_EQ(a[2].viewport, (PixelRect{0, 24, 40, 16}));
    EXPECT_EQ(a[2].offsetX, 0);
    EXPECT_EQ(a[2].offsetY, 7);
    EXPECT_EQ(a[2].cells, (CellRange{1, 2, 1, 3}));
    EXPECT_EQ(a[3].viewport, (PixelRect{40, 24, 40, 16}));
    EXPECT_EQ(a[3].cells, (CellRange{2, 2, 4, 3}));

    // The body at x = 40 scrolled by 30 shows content x 70: column 3.
    EXPECT_EQ(g.columnAt(g.contentX(40, 30)), 3);
    EXPECT_EQ(g.columnAt(g.contentX(10, 30)), 1);  // frozen column does not move
    EXPECT_EQ(g.rowAt(g.contentY(5, 100)), 1);
    EXPECT_EQ(g.maxScrollX(80), 32);
    EXPECT_EQ(g.maxScrollY(40), 16);
    EXPECT_EQ(g.maxScrollX(500), 0);
    EXPECT_EQ(g.maxScrollX(10), 72);  // a viewport narrower than the frozen part

    // A viewport smaller than the frozen part leaves no room for the body.
    const auto tiny = g.areas(20, 10, 0, 0);
    EXPECT_EQ(tiny[0].viewport, (PixelRect{0, 0, 20, 10}));
    EXPECT_TRUE(tiny[3].viewport.empty());

    ResultGrid tooMany = smallGrid();
    tooMany.setFrozenRows(9);
    tooMany.setFrozenColumns(-2);
    const GridGeometry clamped(tooMany);
    EXPECT_EQ(clamped.frozenRows(), 3);
    EXPECT_EQ(clamped.frozenColumns(), 0);
    EXPECT_TRUE(clamped.areas(100, 100, 0, 0)[3].cells.empty());
}

TEST(GridGeometry, ShownSizeCountsTheFirstColumnsAndRows)
{
    ResultGrid grid = smallGrid();
    grid.setShownColumns(2);
    grid.setShownRows(2);
    EXPECT_EQ(GridGeometry(grid).shownWidth(), 56);
    EXPECT_EQ(GridGeometry(grid).shownHeight(), 40);
    // More shown than exist: the rest at the default size (width 2 = 16 px, height 10 = 16 px).
    grid.setShownColumns(51);
    grid.setShownRows(5);
    EXPECT_EQ(GridGeometry(grid).shownWidth(), 112 + 47 * 16);
    EXPECT_EQ(GridGeometry(grid).shownHeight(), 56 + 2 * 16);
    // Unset: every column, and at most 20 rows.
    ResultGrid tall(2, 500);
    EXPECT_EQ(GridGeometry(tall).shownWidth(), 2 * 40);
    EXPECT_EQ(GridGeometry(tall).shownHeight(), 20 * 16);
}

TEST(GridGeometry, OverflowRunsAcrossEmptyCellsOnly)
{
    ResultGrid grid(8, 2);
    grid.setText(2, 1, "long title");
    grid.setHAlign(cellAt(2, 1), HAlign::Left);
    grid.setText(6, 1, "x");
    EXPECT_EQ(GridGeometry::overflowEnd(grid, 2, 1, 8), 5);
    EXPECT_EQ(GridGeometry::overflowEnd(grid, 2, 1, 3), 3);
    EXPECT_EQ(GridGeometry::overflowEnd(grid, 6, 1, 8), 8);
    EXPECT_EQ(GridGeometry::overflowEnd(grid, 5, 1, 8), 5);

    grid.setOverflow(true);
    const GridGeometry g(grid);  // eight columns of 40 px
    EXPECT_EQ(g.textColumns(grid, 2, 1, 200, 1, 8), (std::pair{2, 5}));
    EXPECT_EQ(g.textColumns(grid, 2, 1, 200, 1, 4), (std::pair{2, 4}));  // not past lastCol
    grid.setOverflow(false);
    EXPECT_EQ(g.textColumns(grid, 2, 1, 200, 1, 8), (std::pair{2, 2}));
}

TEST(GridGeometry, CentredTextSpreadsEvenlyOverEmptyNeighboursAsFarAsItNeeds)
{
    ResultGrid grid(9, 1);
    grid.setOverflow(true);
    grid.setText(5, 1, "wide centred title");
    grid.setText(1, 1, "x");
    const GridGeometry g(grid);                                          // 40 px columns
    EXPECT_EQ(g.textColumns(grid, 5, 1, 30, 1, 9), (std::pair{5, 5}));   // fits its cell
    EXPECT_EQ(g.textColumns(grid, 5, 1, 100, 1, 9), (std::pair{4, 6}));  // 30 px each side
    EXPECT_EQ(g.textColumns(grid, 5, 1, 200, 1, 9), (std::pair{3, 7}));  // 80 px each side
    EXPECT_EQ(g.textColumns(grid, 5, 1, 400, 1, 9), (std::pair{2, 9}));  // stops at "x"
    EXPECT_EQ(g.textColumns(grid, 5, 1, 400, 4, 6), (std::pair{4, 6}));  // within the area
    grid.setHAlign(cellAt(5, 1), HAlign::Right);
    EXPECT_EQ(g.textColumns(grid, 5, 1, 400, 1, 9), (std::pair{5, 5}));
}
