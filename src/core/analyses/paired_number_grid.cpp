#include "core/analyses/paired_number_grid.h"
#include "core/analyses/analysis_grid.h"
#include "core/lottery/lottery_rules.h"

#include <algorithm>

namespace {

constexpr int kMainGroupColumn = 6;
constexpr int kBonusGroupColumn = 12;

}  // namespace

ResultGrid setUpPairedNumberGrid(int latestDrawNo, Rgb drawNoBackground)
{
    ResultGrid grid = startAnalysisGrid(GridFrame{.columns = kPairedColumns,
                                                  .rows = latestDrawNo + 4,
                                                  .shownColumns = kPairedColumns,
                                                  .shownRows = 52,
                                                  .scrollBars = ScrollBars::Vertical,
                                                  .frozenRows = 2,
                                                  .frozenColumns = 0});

    grid.setDefaultRowHeight(10);
    grid.setRowHeight(1, 15);
    grid.setRowHeight(2, 12);
    grid.setDefaultColumnWidth(5);

    grid.setColors(grid.column(1), kDrawNoText, kDrawNoBack);
    grid.setBackground(blockOf(1, kPairedFirstDrawRow, 1, grid.rowCount()), drawNoBackground);
    grid.setAllBorders(grid.all());
    grid.resetActiveCell();
    return grid;
}

void writePairedHeadingBlock(ResultGrid& grid, PairedHeadingRows rows,
                             const std::string& mainGroupText, const std::string& valueHeading)
{
    // The bottom block has its group row below its heading row.
    const int firstRow = std::min(rows.groupRow, rows.headingRow);
    const int lastRow = std::max(rows.groupRow, rows.headingRow);
    grid.setColors(blockOf(2, firstRow, kPairedColumns, lastRow), kBlack, kHeadingBack);
    grid.setOverflow(true);

    // Left-aligned so that the texts run on over the empty cells of their group.
    grid.setText(kMainGroupColumn, rows.groupRow, mainGroupText);
    grid.setHAlign(cellAt(kMainGroupColumn, rows.groupRow), HAlign::Left);
    // Five spaces, ボ数字, three spaces, an ideographic space, three spaces.
    grid.setText(kBonusGroupColumn, rows.groupRow,
                 std::string(5, ' ') + "ボ数字" + std::string(3, ' ') + "\u3000" +
                     std::string(3, ' '));
    grid.setHAlign(cellAt(kBonusGroupColumn, rows.groupRow), HAlign::Left);

    grid.setText(1, rows.headingRow, "回数");
    static constexpr const char* kNumberHeadings[] = {"第1数字", "第2数字", "第3数字",
                                                      "第4数字", "第5数字", "ボ数字"};
    for (int field = 0; field < kDrawNumbers; ++field) {
        grid.setText(pairedNumberColumn(field), rows.headingRow, kNumberHeadings[field]);
        grid.setText(pairedValueColumn(field), rows.headingRow, valueHeading);
    }
}

void writePairedDraw(ResultGrid& grid, int row, const Draw& draw)
{
    grid.setNumber(1, row, draw.drawNo);
    for (int field = 0; field < kDrawNumbers; ++field)
        grid.setNumber(pairedNumberColumn(field), row, draw.numbers[field]);
}
