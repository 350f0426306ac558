// The thirteen-column layout shared by 出現間隔分析 and 数字間隔分析: the draw number, then each of
// the six numbers beside a column saying something about it, between two mirrored heading blocks.
#pragma once

#include <string>

#include "core/draws/draw_row.h"
#include "core/grid/result_grid.h"

inline constexpr int kPairedColumns = 13;
inline constexpr int kPairedFirstDrawRow = 3;  // rows 1-2 hold the top heading block

// Column of field k (0 = 第1数字 .. 5 = ボーナス数字) and of the value beside it.
constexpr int pairedNumberColumn(int field)
{
    return 2 * (field + 1);
}
constexpr int pairedValueColumn(int field)
{
    return 2 * (field + 1) + 1;
}

// The two rows of one heading block. The bottom block mirrors the top one so that its group row
// is the outermost row of the grid.
struct PairedHeadingRows {
    int groupRow;
    int headingRow;
};
constexpr PairedHeadingRows pairedTopHeading()
{
    return {1, 2};
}
constexpr PairedHeadingRows pairedBottomHeading(int latestDrawNo)
{
    return {latestDrawNo + 4, latestDrawNo + 3};
}

// Grid set-up: L + 4 rows, column 1 red on light yellow, every cell bordered, the first two rows
// frozen. Column 1 from row 3 down gets drawNoBackground.
ResultGrid setUpPairedNumberGrid(int latestDrawNo, Rgb drawNoBackground);

// Colours and texts of one heading block (its group-row borders are each window's own):
// mainGroupText over the main numbers, the bonus group text, and the column headings with
// valueHeading over every value column.
void writePairedHeadingBlock(ResultGrid& grid, PairedHeadingRows rows,
                             const std::string& mainGroupText, const std::string& valueHeading);

// The draw number and the six numbers of a draw, as decimal text, into one row.
void writePairedDraw(ResultGrid& grid, int row, const Draw& draw);
