// 数字合計分析: every complete draw with the sum of its five main numbers and that sum plus the
// bonus number.
#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"

#include <optional>

namespace {

constexpr int kColumns = 9;
constexpr int kFirstDrawRow = 2;
constexpr int kMainSumColumn = 7;
constexpr int kBonusColumn = 8;
constexpr int kTotalColumn = 9;

ResultGrid setUpGrid(int latestDrawNo)
{
    ResultGrid grid = startAnalysisGrid(drawRowsFrame(kColumns, latestDrawNo));

    grid.setDefaultRowHeight(10);
    grid.setRowHeight(1, 20);
    grid.setDefaultColumnWidth(5);
    grid.setColumnWidth(kMainSumColumn, 8);
    grid.setColumnWidth(kBonusColumn, 7);
    grid.setColumnWidth(kTotalColumn, 10);

    const int lastRow = grid.rowCount();
    grid.setColors(blockOf(1, kFirstDrawRow, 1, lastRow), kDrawNoText, kDrawNoBack);
    for (const int col : {kMainSumColumn, kTotalColumn})
        grid.setColors(blockOf(col, kFirstDrawRow, col, lastRow), kFigureText, kFigureBack);
    grid.setAllBorders(grid.all());
    // The active cell stays at the hidden header corner, where a new grid has it.
    return grid;
}

void writeHeadings(ResultGrid& grid)
{
    // The lines between the five main-number headings go; one box runs round columns 2-8.
    grid.clearBorder(blockOf(2, 1, 5, 1), Side::Right);
    grid.clearBorder(blockOf(3, 1, 6, 1), Side::Left);
    grid.setOutline(blockOf(2, 1, kBonusColumn, 1));

    grid.setColors(grid.row(1), kBlack, kHeadingBack);
    grid.setRowHeight(1, 20);

    grid.setOverflow(true);
    grid.setText(4, 1, "本 数 字");
    grid.setHAlign(cellAt(4, 1), HAlign::Left);
    grid.setText(1, 1, "回数");
    grid.setText(kMainSumColumn, 1, "本数字合計");
    grid.setText(kBonusColumn, 1, "ボ数字");
    grid.setText(kTotalColumn, 1, "本数字+ボ数字");
}

}  // namespace

ResultGrid buildNumberSum(const DrawHistory& history, const DrawTables& tables)
{
    ResultGrid grid = setUpGrid(tables.LatestDrawNo);
    writeHeadings(grid);

    int row = kFirstDrawRow;
    for (const std::optional<Draw>& draw : history.draws()) {
        // An incomplete row takes no grid row.
        if (!draw) continue;
        grid.setNumber(1, row, draw->drawNo);
        int mainSum = 0;
        for (int field = 0; field < kMainCount; ++field) {
            grid.setNumber(2 + field, row, draw->numbers[field]);
            mainSum += draw->numbers[field];
        }
        const int bonus = draw->numbers[kBonusIndex];
        grid.setNumber(kMainSumColumn, row, mainSum);
        grid.setNumber(kBonusColumn, row, bonus);
        grid.setNumber(kTotalColumn, row, mainSum + bonus);
        ++row;
    }
    return grid;
}
