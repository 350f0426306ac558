#include <gtest/gtest.h>

#include <algorithm>

#include "core/grid/page_layout.h"

namespace {

// `columns` columns of width 5 (40 px) and `rows` rows of height 10 (16 px); the first column
// and the first two rows (height 15: 24 px each) are frozen headings.
ResultGrid headedGrid(int columns, int rows)
{
    ResultGrid grid(columns, rows);
    grid.setRowHeight(1, 15);
    grid.setRowHeight(2, 15);
    grid.setFrozenRows(2);
    grid.setFrozenColumns(1);
    return grid;
}

PageSpec pageOf(double width, double height, double minScale = 0.5)
{
    PageSpec spec;
    spec.width = width;
    spec.height = height;
    spec.unitsPerPixel = 1;  // device units are grid pixels at full size
    spec.maxScale = 1;
    spec.minScale = minScale;
    return spec;
}

// Every body row and column is on exactly one page of each band, no page holds more than fits
// below (beside) the repeated headings, and pages come down first, then across.
void expectSoundLayout(const GridGeometry& geometry, const PageSpec& spec, const PageLayout& layout)
{
    const double room = spec.height / layout.scale - geometry.frozenHeight();
    const double across = spec.width / layout.scale - geometry.frozenWidth();
    std::vector<int> rowSeen(geometry.rowCount() + 1), colSeen(geometry.columnCount() + 1);
    int expectedNumber = 1;
    for (const PageCells& page : layout.pages) {
        EXPECT_EQ(page.number, expectedNumber++);
        const CellRange& b = page.body;
        ASSERT_FALSE(b.empty());
        const int height = geometry.rowTop(b.row2 + 1) - geometry.rowTop(b.row1);
        const int width = geometry.columnLeft(b.col2 + 1) - geometry.columnLeft(b.col1);
        if (b.row1 != b.row2) {
            EXPECT_LE(height, room) << "rows " << b.row1 << "-" << b.row2;
        }
        if (b.col1 != b.col2) {
            EXPECT_LE(width, across) << "cols " << b.col1 << "-" << b.col2;
        }
        EXPECT_GT(b.row1, layout.frozenRows);  // headings are repeated, never part of the body
        EXPECT_GT(b.col1, layout.frozenColumns);
        for (int r = b.row1; r <= b.row2; ++r)
            ++rowSeen[r];
        if (b.row1 == layout.frozenRows + 1)
            for (int c = b.col1; c <= b.col2; ++c)
                ++colSeen[c];
    }
    const auto bands =
        std::count_if(layout.pages.begin(), layout.pages.end(),
                      [&](const PageCells& p) { return p.body.row1 == layout.frozenRows + 1; });
    for (int r = layout.frozenRows + 1; r <= geometry.rowCount(); ++r)
        EXPECT_EQ(rowSeen[r], bands) << "row " << r;
    for (int c = layout.frozenColumns + 1; c <= geometry.columnCount(); ++c)
        EXPECT_EQ(colSeen[c], 1) << "column " << c;
}

}  // namespace

TEST(PageLayout, PagesNeverSplitARowOrAColumnAndLeaveTheHeadingsToBeRepeated)
{
    struct Case {
        const char* name;
        int columns, rows;
        double width, height, minScale;
        int pages;
        double scale;
    };
    // Headings: 48 px high, 40 px wide. Body rows 16 px, body columns 40 px.
    const Case cases[] = {
        // 3 rows fit exactly under the headings (48 + 48 = 96): 10 body rows -> 3 + 3 + 3 + 1.
        {"exact fit", 4, 12, 160, 96, 0.5, 4, 1},
        // One pixel short of a fourth row: still three rows a page, never a cut one.
        {"one short", 4, 12, 160, 111, 0.5, 4, 1},
        // Twice as wide as the page: the scale halves the page, so twice the rows fit.
        {"scaled", 8, 30, 160, 96, 0.5, 4, 0.5},
        // Too wide even at the smallest scale: bands of whole columns, each repeating column 1.
        {"bands", 40, 12, 400, 200, 0.5, 3, 0.5},
        // Only headings: one page, nothing below them.
        {"headings only", 3, 2, 200, 200, 0.5, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GridGeometry geometry(headedGrid(c.columns, c.rows));
        const PageSpec spec = pageOf(c.width, c.height, c.minScale);
        const PageLayout layout = layoutPages(geometry, spec);
        EXPECT_EQ(layout.pageCount(), c.pages);
        EXPECT_DOUBLE_EQ(layout.scale, c.scale);
        EXPECT_EQ(layout.frozenRows, 2);
        EXPECT_EQ(layout.frozenColumns, 1);
        if (c.rows > 2) expectSoundLayout(geometry, spec, layout);
    }
}

TEST(PageLayout, UnevenRowsAndARowTallerThanThePageStayWhole)
{
    ResultGrid grid = headedGrid(3, 40);
    for (int r = 3; r <= 40; r += 3)
        grid.setRowHeight(r, 25);  // 40 px rows among 16 px ones
    grid.setRowHeight(20, 200);    // 320 px: more than a page holds
    const GridGeometry geometry(grid);
    const PageSpec spec = pageOf(120, 200);
    const PageLayout layout = layoutPages(geometry, spec);
    expectSoundLayout(geometry, spec, layout);
    const auto alone = std::find_if(layout.pages.begin(), layout.pages.end(),
                                    [](const PageCells& p) { return p.body.row1 == 20; });
    ASSERT_NE(alone, layout.pages.end());
    EXPECT_EQ(alone->body.row2, 20);
}

TEST(PageLayout, NarrowGridsGrowToThePageWidthUpToTheirLimitAndWideOnesPreferLandscape)
{
    const GridGeometry narrow(headedGrid(3, 50));  // 120 px wide, 880 px tall
    PageSpec spec = pageOf(240, 1000);
    spec.maxScale = 1.5;
    EXPECT_DOUBLE_EQ(layoutPages(narrow, spec).scale, 1.5);
    spec.maxScale = 4;
    EXPECT_DOUBLE_EQ(layoutPages(narrow, spec).scale, 2);
    EXPECT_FALSE(prefersLandscape(narrow));
    EXPECT_TRUE(prefersLandscape(GridGeometry(headedGrid(30, 10))));

    const PageLayout empty = layoutPages(GridGeometry(ResultGrid{}), spec);
    EXPECT_EQ(empty.pageCount(), 1);  // a header and nothing else
}
