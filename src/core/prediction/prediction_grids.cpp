#include "core/prediction/prediction_grids.h"

#include "core/grid/palette.h"

namespace {

struct GridShape {
    int rows;
    int labelRow;       // row of a single label in column 1; 0 for the cycle grid
    const char* label;  // that label
};

constexpr std::array<GridShape, kPredictionGridCount> kShapes = {{
    {5, 0, nullptr},
    {4, 3, "消去法"},
    {3, 2, "連発予想"},
    {2, 2, "１発予想"},
}};

constexpr std::array<const char*, 4> kCycleLabels = {" 7回周期法", " 9回周期法", "11回周期法",
                                                     "12回周期法"};

ResultGrid buildGrid(int g)
{
    const GridShape& shape = kShapes[g];
    ResultGrid grid(6, shape.rows);
    // The grid shows all of itself: nothing scrolls and nothing is frozen.
    grid.setShownColumns(6);
    grid.setShownRows(shape.rows);
    grid.setScrollBars(ScrollBars::None);
    grid.setHeadersHidden(true);
    grid.setFrozenRows(0);
    grid.setFrozenColumns(0);

    grid.setDefaultRowHeight(10);
    grid.setDefaultColumnWidth(5);
    grid.setColumnWidth(1, 8);

    grid.setHAlign(grid.all(), HAlign::Center);
    grid.setVAlign(grid.all(), VAlign::Center);

    if (g == kCycleGrid) {
        grid.setBorder(grid.all(), Side::Top);
        grid.setBorder(grid.all(), Side::Bottom);
        grid.setBorder(grid.column(1), Side::Right);
        for (int m = 0; m < 4; ++m)
            grid.setText(1, m + 2, kCycleLabels[m]);
    } else {
        grid.setAllBorders(grid.all());
        grid.setText(1, shape.labelRow, shape.label);
    }

    // The heading band has no inner lines, and the elimination and multi-shot labels stand in
    // one undivided area over their rows.
    grid.clearBorders(blockOf(2, 1, 6, 1));
    if (g == kEliminationGrid || g == kMultiShotGrid)
        grid.clearBorders(blockOf(1, 2, 1, shape.rows));

    grid.setOverflow(true);
    grid.setText(2, 1, kPredictionHeading);
    grid.setHAlign(cellAt(2, 1), HAlign::Left);
    grid.setVAlign(cellAt(2, 1), VAlign::Center);
    grid.setColors(grid.row(1), kHeadingText, kHeadingBack);

    grid.resetActiveCell();
    return grid;
}

}  // namespace

ResultGrid blankPredictionGrid(int g)
{
    // Built once: every refresh starts from copies of these four.
    static const PredictionGrids blanks = {buildGrid(0), buildGrid(1), buildGrid(2), buildGrid(3)};
    if (g < 0 || g >= kPredictionGridCount) return ResultGrid();
    return blanks[g];
}
