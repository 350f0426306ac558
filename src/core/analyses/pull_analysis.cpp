// 引っ張り分析: every complete draw, with each number that the previous complete draw also held
// (as main or bonus number, in any field) highlighted as pulled over.
#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"
#include "core/lottery/lottery_rules.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace {

constexpr int kColumns = 7;
constexpr int kFirstDrawRow = 2;
constexpr int kBonusColumn = 7;

ResultGrid setUpGrid(int latestDrawNo)
{
    ResultGrid grid = startAnalysisGrid(drawRowsFrame(kColumns, latestDrawNo, 1));

    grid.setDefaultRowHeight(10);
    grid.setRowHeight(1, 15);
    grid.setDefaultColumnWidth(7);
    grid.setColumnWidth(kBonusColumn, 9);

    grid.setColors(grid.column(1), kDrawNoText, kDrawNoBack);
    grid.setAllBorders(grid.all());
    grid.resetActiveCell();
    return grid;
}

void writeHeadings(ResultGrid& grid)
{
    grid.setRowHeight(1, 15);
    // The five main-number headings read as one, underlined.
    const Block mainHeadings = blockOf(2, 1, 6, 1);
    grid.clearBorders(mainHeadings);
    grid.setBorder(mainHeadings, Side::Bottom);
    grid.setColors(grid.row(1), kBlack, kHeadingBack);

    grid.setText(1, 1, "回数");
    grid.setOverflow(true);
    // One space, 本 数 字, nine spaces; left-aligned to run on over the empty heading cells.
    grid.setText(4, 1, " 本 数 字" + std::string(9, ' '));
    grid.setHAlign(cellAt(4, 1), HAlign::Left);
    grid.setText(kBonusColumn, 1, "ボーナス数字");
}

}  // namespace

ResultGrid buildPull(const DrawHistory& history, const DrawTables& tables)
{
    ResultGrid grid = setUpGrid(tables.LatestDrawNo);
    writeHeadings(grid);

    // The six numbers of the last complete draw written; none before the first, so that even a
    // stored 0 in the first draw is not taken for a pulled number.
    std::optional<std::array<int, 6>> previous;
    int row = kFirstDrawRow;
    for (const std::optional<Draw>& draw : history.draws()) {
        // An incomplete row takes no grid row and leaves the previous numbers alone.
        if (!draw) continue;
        grid.setNumber(1, row, draw->drawNo);
        for (int field = 0; field < kDrawNumbers; ++field) {
            const int n = draw->numbers[field];
            const int col = field + 2;  // main numbers in columns 2-6, the bonus in column 7
            grid.setNumber(col, row, n);
            if (previous && std::find(previous->begin(), previous->end(), n) != previous->end())
                grid.setBackground(cellAt(col, row), kMarkedBack);
        }
        previous = draw->numbers;
        ++row;
    }
    return grid;
}
