// 分割4傾向分析: every draw with its six numbers coloured by tens group (01～09, 10～19, 20～29,
// 30～31) and the count per group; the heading row repeats before every block of 50 draws.
#include <algorithm>
#include <array>

#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"
#include "core/lottery/lottery_rules.h"

namespace {

constexpr int kColumns = 11;  // draw no, 5 main numbers, bonus, counts of groups 1..4
constexpr int kBonusColumn = 7;
constexpr int kFirstCountColumn = 8;
constexpr int kDrawsPerBlock = 50;

struct FourGroup {
    const char* heading;
    Rgb background;
};
constexpr std::array<FourGroup, 4> kGroups = {{
    {"01～09", kLevelBacks[0]},
    {"10～19", kLevelBacks[1]},
    {"20～29", kLevelBacks[2]},
    {"30～31", kLevelBacks[3]},
}};

// 0-based group of a stored value; everything that is not 1..29 falls into the last group.
int groupOf(int n)
{
    if (n >= 1 && n <= 9) return 0;
    if (n >= 10 && n <= 19) return 1;
    if (n >= 20 && n <= 29) return 2;
    return 3;
}

int blockCount(int latestDrawNo)
{
    return (latestDrawNo + kDrawsPerBlock - 1) / kDrawsPerBlock;
}

ResultGrid setUpGrid(int latestDrawNo)
{
    ResultGrid grid =
        startAnalysisGrid(GridFrame{.columns = kColumns,
                                    .rows = latestDrawNo + blockCount(latestDrawNo) + 1,
                                    .shownColumns = kColumns,
                                    .shownRows = 51,
                                    .scrollBars = ScrollBars::Vertical,
                                    .frozenRows = 1,
                                    .frozenColumns = 0});
    grid.setDefaultRowHeight(10);
    grid.setRowHeight(1, 20);
    grid.setDefaultColumnWidth(5);
    grid.setColumnWidth(1, 6);
    // A new grid's cells are already centred static text: no pass over every cell is needed.
    // Rows 2 onwards; none when L is 0 (a block with its rows reversed would be flipped).
    const int last = grid.rowCount();
    if (last >= 2) {
        grid.setColors(blockOf(1, 2, 1, last), kDrawNoText, kDrawNoBack);
        grid.setBackground(blockOf(kBonusColumn, 2, kBonusColumn, last), kBonusColumnBack);
        for (int g = 1; g < 4; ++g)
            grid.setBackground(blockOf(kFirstCountColumn + g, 2, kFirstCountColumn + g, last),
                               kGroups[g].background);
    }
    grid.setAllBorders(grid.all());
    grid.setBorder(grid.column(kFirstCountColumn), Side::Left, kCountRule);
    grid.resetActiveCell();
    return grid;
}

void writeHeadingRow(ResultGrid& grid, int row)
{
    const Block mainNumbers = blockOf(2, row, 6, row);
    grid.clearBorders(mainNumbers);
    grid.setBorder(mainNumbers, Side::Bottom, kBlack);
    grid.setColors(blockOf(1, row, kBonusColumn, row), kBlack, kHeadingBack);
    grid.setColors(blockOf(kFirstCountColumn, row, kColumns, row), kHeadingText, kCountHeadingBack);
    grid.setOverflow(true);
    grid.setText(4, row, "本 数 字");
    grid.setHAlign(cellAt(4, row), HAlign::Left);
    grid.setRowHeight(row, 20);
    grid.setText(1, row, "回数");
    grid.setText(kBonusColumn, row, "ボ数");
    for (int g = 0; g < 4; ++g)
        grid.setText(kFirstCountColumn + g, row, kGroups[g].heading);
}

}  // namespace

ResultGrid buildFourGroupTrend(const DrawHistory& history, const DrawTables& tables)
{
    const int latest = std::max(tables.LatestDrawNo, 0);
    const int blocks = blockCount(latest);
    ResultGrid grid = setUpGrid(latest);
    for (int k = 0; k < blocks; ++k)
        writeHeadingRow(grid, 1 + (kDrawsPerBlock + 1) * k);
    writeHeadingRow(grid, latest + blocks + 1);

    // Headings first, then the fill, as every analysis builds: the grid has rows for L draws,
    // so a further complete draw (a repeated draw number) lands on the closing heading row, and
    // those after it fall outside the grid.
    int index = 0;
    for (const auto& draw : history.draws()) {
        if (!draw) continue;
        const int row = index + 2 + index / kDrawsPerBlock;
        if (row > grid.rowCount()) break;
        std::array<int, 4> counts{};
        grid.setNumber(1, row, draw->drawNo);
        for (int k = 0; k < kDrawNumbers; ++k) {
            const int n = draw->numbers[k];
            const int column = k < kMainCount ? k + 2 : kBonusColumn;
            grid.setNumber(column, row, n);
            grid.setBackground(cellAt(column, row), kGroups[groupOf(n)].background);
        }
        for (const int n : draw->numbers)
            ++counts[groupOf(n)];
        for (int g = 0; g < 4; ++g)
            grid.setNumber(kFirstCountColumn + g, row, counts[g]);
        ++index;
    }
    return grid;
}
