#include <gtest/gtest.h>

#include "core/grid/result_grid.h"

TEST(ResultGrid, WritesAndStylesOutsideTheExtentAreIgnored)
{
    ResultGrid grid(3, 2);
    grid.setText(4, 1, "x");
    grid.setText(0, 1, "x");
    grid.setText(1, 3, "x");
    grid.setText(-5, -5, "x");
    grid.setBackground(blockOf(2, 2, 10, 10), rgb(1, 2, 3));
    grid.setAllBorders(blockOf(-3, -3, 0, 0));
    EXPECT_EQ(grid.text(4, 1), "");
    EXPECT_EQ(grid.cell(3, 2).bg, rgb(1, 2, 3));
    EXPECT_EQ(grid.cell(2, 1).bg, kWhite);
    EXPECT_FALSE(grid.cell(1, 1).border(Side::Left).shown);

    ResultGrid empty(0, 0);
    empty.setText(1, 1, "x");
    empty.setAllBorders(empty.all());
    EXPECT_EQ(empty.text(1, 1), "");
}

TEST(ResultGrid, OutlineDrawsOnlyTheOuterSidesOfTheBlock)
{
    ResultGrid grid(4, 3);
    grid.setOutline(blockOf(2, 1, 3, 2), rgb(9, 9, 9));
    EXPECT_TRUE(grid.cell(2, 1).border(Side::Left).shown);
    EXPECT_FALSE(grid.cell(2, 1).border(Side::Right).shown);
    EXPECT_TRUE(grid.cell(3, 1).border(Side::Right).shown);
    EXPECT_TRUE(grid.cell(3, 1).border(Side::Top).shown);
    EXPECT_FALSE(grid.cell(3, 1).border(Side::Bottom).shown);
    EXPECT_TRUE(grid.cell(3, 2).border(Side::Bottom).shown);
    EXPECT_EQ(grid.cell(3, 2).border(Side::Bottom).color, rgb(9, 9, 9));
    EXPECT_FALSE(grid.cell(1, 1).border(Side::Right).shown);

    grid.clearBorders(grid.all());
    EXPECT_FALSE(grid.cell(2, 1).border(Side::Left).shown);
}

TEST(ResultGrid, SizesFallBackToTheDefaultsAndDefaultsResetIndividualSizes)
{
    ResultGrid grid(3, 3);
    grid.setColumnWidth(2, 9);
    grid.setRowHeight(1, 15);
    EXPECT_EQ(grid.columnWidth(1), 5);
    EXPECT_EQ(grid.columnWidth(2), 9);
    EXPECT_EQ(grid.rowHeight(1), 15);
    EXPECT_EQ(grid.rowHeight(99), 10);
    grid.setDefaultRowHeight(12);
    EXPECT_EQ(grid.rowHeight(1), 12);
}

TEST(ResultGrid, ResizeKeepsCellsThatStayInside)
{
    ResultGrid grid(2, 2);
    grid.setText(2, 2, "keep");
    grid.setText(1, 1, "a");
    grid.resize(3, 4);
    EXPECT_EQ(grid.text(2, 2), "keep");
    EXPECT_EQ(grid.text(1, 1), "a");
    grid.resize(1, 1);
    EXPECT_EQ(grid.text(1, 1), "a");
    EXPECT_EQ(grid.text(2, 2), "");
}

TEST(ResultGrid, ActiveCellStaysWithinTheGridOrTheHeaderCorner)
{
    ResultGrid grid(3, 3);
    grid.setActiveCell(2, 3);
    EXPECT_EQ(grid.activeColumn(), 2);
    grid.setActiveCell(9, -1);
    EXPECT_EQ(grid.activeColumn(), 3);
    EXPECT_EQ(grid.activeRow(), 0);
}

TEST(ResultGrid, AReversedBlockStylesNothing)
{
    ResultGrid grid(3, 1);
    grid.setBackground(blockOf(1, 2, 3, 1), rgb(1, 1, 1));  // rows 2..last of a one-row grid
    grid.setAllBorders(blockOf(3, 1, 2, 1));
    EXPECT_EQ(grid.cell(1, 1).bg, kWhite);
    EXPECT_FALSE(grid.cell(3, 1).border(Side::Top).shown);
}
