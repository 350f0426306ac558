// 出現頻度分析: every appearance of each number 1..31 as one dot, in draw order, so that the
// length of a row is the number's frequency and the dot's colour tells main from bonus number.
#include <algorithm>
#include <array>

#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"

namespace {

// Number n is shown in row n + kHeadingOffset; row 2 holds the headings.
constexpr int kHeadingOffset = 2;
constexpr int kRows = kHighestNumber + kHeadingOffset;
constexpr int kShownColumns = 51;
constexpr int kTitleColumn = 26;  // the middle of the 51 shown columns

ResultGrid setUpGrid(int widestRow)
{
    const int lastCol = widestRow + 2;
    ResultGrid grid = startAnalysisGrid(GridFrame{.columns = lastCol,
                                                  .rows = kRows,
                                                  .shownColumns = kShownColumns,
                                                  .shownRows = kRows,
                                                  .scrollBars = ScrollBars::Both,
                                                  .frozenRows = 2,
                                                  .frozenColumns = 1});

    grid.setDefaultRowHeight(10);
    grid.setRowHeight(1, 15);
    grid.setRowHeight(2, 15);
    grid.setDefaultColumnWidth(2);
    grid.setColumnWidth(1, 5);
    grid.setColumnWidth(lastCol, 5);

    grid.setBackground(grid.row(1), kTitleBack);
    grid.setOutline(grid.row(1), kDotGridLine);
    grid.setBorder(cellAt(1, 1), Side::Right, kDotGridLine);
    grid.setBorder(cellAt(widestRow + 1, 1), Side::Right, kDotGridLine);

    grid.setOverflow(true);
    grid.setText(kTitleColumn, 1, "出 　現 　頻 　度（回）");
    grid.setForeground(cellAt(kTitleColumn, 1), kTitleText);
    grid.setHAlign(cellAt(kTitleColumn, 1), HAlign::Left);

    for (int col : {1, lastCol})
        grid.setColors(blockOf(col, 1, col, kRows), kNumberText, kNumberBack);
    grid.setAllBorders(blockOf(1, 2, lastCol, kRows), kDotGridLine);
    grid.setColors(blockOf(2, 2, widestRow + 1, 2), kTitleText, kTitleBack);

    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        grid.setNumber(1, n + kHeadingOffset, n);
        grid.setNumber(lastCol, n + kHeadingOffset, n);
    }
    grid.resetActiveCell();
    return grid;
}

}  // namespace

ResultGrid buildAppearanceFrequency(const DrawHistory& history, const DrawTables& tables)
{
    int widestRow = 0;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n)
        widestRow = std::max(widestRow, tables.NumberHits[n]);

    ResultGrid grid = setUpGrid(widestRow);
    const int lastCol = widestRow + 2;
    grid.setText(1, 2, "数字");
    grid.setText(lastCol, 2, "数字");

    // Counters indexed by number; stored values outside 1..31 are never used as an index.
    std::array<int, kHighestNumber + 1> counters{};
    // The appearance column of number n's next appearance: c(n) + 2. 0 when it would leave the
    // appearance columns, which only tables made from another history can cause; the number
    // columns are never overwritten.
    const auto nextColumn = [&](int n) {
        if (!isValidNumber(n) || counters[n] >= widestRow) return 0;
        return counters[n] + 2;
    };
    for (const std::optional<Draw>& draw : history.draws()) {
        if (!draw) continue;
        const auto& numbers = draw->numbers;
        // A number stored twice in one draw writes into the same column twice, as the counters
        // only move once all six are written.
        for (int n : numbers)
            if (const int col = nextColumn(n)) grid.setNumber(col, 2, col - 1);
        for (int k = 0; k < kMainCount; ++k) {
            const int n = numbers[k];
            if (const int col = nextColumn(n)) {
                grid.setText(col, n + kHeadingOffset, "●");
                grid.setForeground(cellAt(col, n + kHeadingOffset), kMainDot);
            }
        }
        const int bonus = numbers[kBonusIndex];
        if (const int col = nextColumn(bonus)) {
            grid.setText(col, bonus + kHeadingOffset, "●");
            grid.setForeground(cellAt(col, bonus + kHeadingOffset), kBonusDot);
        }
        for (int n : numbers)
            if (isValidNumber(n)) ++counters[n];
    }
    return grid;
}
