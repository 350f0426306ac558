// 分割6データ分析, 分割7データ分析 and 分割10データ分析: every draw as a row of 31 number
// columns with its numbers marked and the groups it missed shaded grey. One builder serves the
// three windows; a table holds what differs between them.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"
#include "core/analyses/group_division_analysis.h"
#include "core/analyses/text_padding.h"
#include "core/lottery/lottery_rules.h"

namespace {

constexpr int kColumns =
    kNumberCount + 2;  // draw number, the numbers 1..31 in columns 2..32, draw number
constexpr int kFirstNumberColumn = 2;
constexpr int kLastNumberColumn = kNumberCount + 1;
constexpr int kDrawsPerBlock = 50;

std::string isp(int count)
{
    return ideographicSpaces(count);
}

// Title A and title B: 数字 spread out over the middle of the number columns.
std::string titleA()
{
    return spaces(28) + isp(2) + spaces(12) + isp(2) + spaces(1) + isp(2) + spaces(2) + isp(1) +
           "数" + isp(2) + spaces(1) + "字" + spaces(28) + isp(2) + spaces(12) + isp(2) +
           spaces(1) + isp(2) + spaces(2) + isp(2);
}

std::string titleB()
{
    return spaces(28) + isp(2) + spaces(12) + isp(2) + spaces(3) + isp(1) + "数" + isp(2) +
           spaces(1) + "字" + spaces(7) + isp(2) + spaces(21) + isp(2) + spaces(12) + isp(6) +
           spaces(3) + isp(1);
}

// The letter texts of the 10-group window come in three shapes around the letter.
std::string tenGroupLetter(const char* letter, int shape)
{
    const std::string lead = spaces(1) + isp(2) + letter;
    switch (shape) {
    case 0:
        return lead + spaces(1) + isp(2) + spaces(1);
    case 1:
        return lead + spaces(2) + isp(2);
    default:
        return lead + isp(2) + spaces(2);
    }
}

std::vector<GroupDivision::Group> sixGroups()
{
    auto middle = [](const char* letter) { return spaces(9) + letter + spaces(14); };
    return {{1, 5, middle("Ａ"), false},
            {6, 10, middle("Ｂ"), true},
            {11, 15, middle("Ｃ"), false},
            {16, 20, middle("Ｄ"), true},
            {21, 25, middle("Ｅ"), false},
            {26, 31, spaces(2) + isp(1) + spaces(7) + "Ｆ" + spaces(7), true}};
}

std::vector<GroupDivision::Group> sevenGroups()
{
    auto middle = [](const char* letter) { return spaces(7) + letter + spaces(12); };
    return {{1, 4, middle("Ａ"), false},
            {5, 8, middle("Ｂ"), true},
            {9, 12, middle("Ｃ"), false},
            {13, 16, middle("Ｄ"), true},
            {17, 20, middle("Ｅ"), false},
            {21, 24, middle("Ｆ"), true},
            {25, 31, spaces(13) + "Ｇ" + spaces(12), false}};
}

std::vector<GroupDivision::Group> tenGroups()
{
    return {{1, 3, tenGroupLetter("Ａ", 0), false},
            {4, 6, tenGroupLetter("Ｂ", 1), true},
            {7, 9, tenGroupLetter("Ｃ", 2), false},
            {10, 12, tenGroupLetter("Ｄ", 1), true},
            {13, 15, tenGroupLetter("Ｅ", 0), false},
            {16, 18, tenGroupLetter("Ｆ", 0), true},
            {19, 21, tenGroupLetter("Ｇ", 2), false},
            {22, 24, tenGroupLetter("Ｈ", 1), true},
            {25, 27, tenGroupLetter("Ｉ", 2), false},
            {28, 31, spaces(1) + isp(3) + "Ｊ" + isp(1) + spaces(2), true}};
}

int blockCount(int latestDrawNo)
{
    return (latestDrawNo + kDrawsPerBlock - 1) / kDrawsPerBlock;
}

Block groupCells(const GroupDivision::Group& group, int row1, int row2)
{
    return blockOf(group.first + 1, row1, group.last + 1, row2);
}

ResultGrid setUpGrid(const GroupDivision& division, int latestDrawNo)
{
    ResultGrid grid =
        startAnalysisGrid(GridFrame{.columns = kColumns,
                                    .rows = 1 + 2 * blockCount(latestDrawNo) + latestDrawNo,
                                    .shownColumns = kColumns,
                                    .shownRows = 53,
                                    .scrollBars = ScrollBars::Both,
                                    .frozenRows = 3,
                                    .frozenColumns = 0});
    grid.setDefaultRowHeight(division.rowHeight);
    if (division.firstRowHeight > 0) grid.setRowHeight(1, division.firstRowHeight);
    if (division.secondRowHeight > 0) grid.setRowHeight(2, division.secondRowHeight);
    grid.setDefaultColumnWidth(2);
    grid.setColumnWidth(1, 3);
    grid.setColumnWidth(kColumns, 3);
    // A new grid's cells are already centred static text: no pass over every cell is needed.
    // With L = 0 the grid is the title row alone; a block with its rows reversed would be
    // flipped onto it, so the blocks below row 1 are styled only when those rows exist.
    const int last = grid.rowCount();
    const bool hasBlocks = last >= 3;
    if (hasBlocks) grid.setAllBorders(blockOf(1, 3, kColumns, last));
    grid.setOutline(blockOf(kFirstNumberColumn, 1, kLastNumberColumn, 1));
    grid.setOverflow(true);
    grid.setText(kFirstNumberColumn, 1, division.title);
    grid.setHAlign(cellAt(kFirstNumberColumn, 1), HAlign::Left);
    grid.setBackground(cellAt(kFirstNumberColumn, 1), kHeadingBack);
    grid.setColors(grid.column(1), kDrawNoText, kDrawNoBack);
    grid.setColors(grid.column(kColumns), kDrawNoText, kDrawNoBack);
    if (hasBlocks)
        for (const GroupDivision::Group& group : division.groups)
            if (group.shaded) grid.setBackground(groupCells(group, 2, last), kMarkedBack);
    grid.resetActiveCell();
    return grid;
}

void writeHeadingPair(ResultGrid& grid, const GroupDivision& division, int letterRow)
{
    grid.clearBorders(blockOf(kFirstNumberColumn, letterRow, kLastNumberColumn, letterRow));
    for (const GroupDivision::Group& group : division.groups) {
        grid.setOutline(groupCells(group, letterRow, letterRow));
        grid.setText(group.first + 1, letterRow, group.letterText);
        grid.setHAlign(cellAt(group.first + 1, letterRow), HAlign::Left);
    }
    const int numberRow = letterRow + 1;
    grid.setText(1, numberRow, "回");
    for (int n = kLowestNumber; n <= kHighestNumber; ++n)
        grid.setNumber(n + 1, numberRow, n);
    grid.setText(kColumns, numberRow, "回");
    grid.setForeground(blockOf(kFirstNumberColumn, numberRow, kLastNumberColumn, numberRow),
                       kNumberText);
}

}  // namespace

const std::array<GroupDivision, 3>& groupDivisions()
{
    static const std::array<GroupDivision, 3> divisions = {{
        {"分割6データ分析", 9, 15, 12, titleA(), sixGroups()},
        {"分割7データ分析", 9, 0, 0, titleB(), sevenGroups()},
        {"分割10データ分析", 9, 0, 0, titleA(), tenGroups()},
    }};
    return divisions;
}

ResultGrid buildGroupDivision(const GroupDivision& division, const DrawHistory& history,
                              const DrawTables& tables)
{
    const int latest = std::max(tables.LatestDrawNo, 0);
    ResultGrid grid = setUpGrid(division, latest);
    const int blocks = blockCount(latest);
    for (int k = 0; k < blocks; ++k)
        writeHeadingPair(grid, division, 2 + (kDrawsPerBlock + 2) * k);

    // Group of each number 1..31, as an index into division.groups.
    std::array<int, kHighestNumber + 1> groupOf{};
    for (std::size_t g = 0; g < division.groups.size(); ++g)
        for (int n = division.groups[g].first; n <= division.groups[g].last; ++n)
            if (isValidNumber(n)) groupOf[n] = static_cast<int>(g);

    std::vector<int> counts(division.groups.size());
    int index = 0;
    for (const auto& draw : history.draws()) {
        if (!draw) continue;
        const int row = 4 + index + 2 * (index / kDrawsPerBlock);
        std::fill(counts.begin(), counts.end(), 0);
        grid.setNumber(1, row, draw->drawNo);
        grid.setNumber(kColumns, row, draw->drawNo);
        // A stored value outside 1..31 has no column and no group: it is neither marked nor
        // counted (0 and 32 would mark the draw-number columns).
        for (const int n : draw->numbers) {
            if (!isValidNumber(n)) continue;
            grid.setText(n + 1, row, "●");
            ++counts[groupOf[n]];
        }
        for (std::size_t g = 0; g < counts.size(); ++g)
            if (counts[g] == 0)
                grid.setBackground(groupCells(division.groups[g], row, row), kNoHitBack);
        for (int k = 0; k < kMainCount; ++k)
            if (isValidNumber(draw->numbers[k]))
                grid.setForeground(cellAt(draw->numbers[k] + 1, row), kMainDot);
        if (const int bonus = draw->numbers[kBonusIndex]; isValidNumber(bonus))
            grid.setForeground(cellAt(bonus + 1, row), kBonusDot);
        ++index;
    }
    return grid;
}

ResultGrid buildSixGroupDivision(const DrawHistory& history, const DrawTables& tables)
{
    return buildGroupDivision(groupDivisions()[0], history, tables);
}

ResultGrid buildSevenGroupDivision(const DrawHistory& history, const DrawTables& tables)
{
    return buildGroupDivision(groupDivisions()[1], history, tables);
}

ResultGrid buildTenGroupDivision(const DrawHistory& history, const DrawTables& tables)
{
    return buildGroupDivision(groupDivisions()[2], history, tables);
}
