// 偶数奇数の組合せパターン分析 and 低数字高数字の組合せパターン分析: every draw with its main
// numbers classified two ways, the two counts and a pattern letter. Both windows share the grid
// set-up, the heading row and the pattern letter table.
#include <algorithm>
#include <array>
#include <string>

#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"
#include "core/analyses/pattern_letters.h"
#include "core/analyses/text_padding.h"

namespace {

constexpr int kColumns = 10;  // draw no, 5 main numbers, bonus, first count, second count, letter
constexpr int kBonusColumn = 7;
constexpr int kFirstCountColumn = 8;
constexpr int kSecondCountColumn = 9;
constexpr int kPatternColumn = 10;

struct PatternHeadings {
    std::string mainNumbers;  // column 3, runs on over columns 3..6
    const char* firstCount;
    const char* secondCount;
};

ResultGrid setUpGrid(int latestDrawNo)
{
    ResultGrid grid = startAnalysisGrid(drawRowsFrame(kColumns, latestDrawNo));
    grid.setDefaultRowHeight(10);
    grid.setRowHeight(1, 20);
    grid.setDefaultColumnWidth(5);
    grid.setColumnWidth(1, 6);
    grid.setColumnWidth(kPatternColumn, 7);
    // A new grid's cells are already centred static text: no pass over every cell is needed.
    // Draw rows 2..L + 1; none when L is 0 (a block with its rows reversed would be flipped).
    const int last = grid.rowCount();
    if (last >= 2) {
        grid.setColors(blockOf(1, 2, 1, last), kDrawNoText, kDrawNoBack);
        grid.setBackground(blockOf(kBonusColumn, 2, kBonusColumn, last), kBonusColumnBack);
        grid.setColors(blockOf(kFirstCountColumn, 2, kFirstCountColumn, last), kFigureText,
                       kMarkedBack);
        grid.setColors(blockOf(kSecondCountColumn, 2, kSecondCountColumn, last), kFigureText,
                       kWhite);
    }
    grid.setAllBorders(grid.all());
    grid.resetActiveCell();
    return grid;
}

void writeHeadingRow(ResultGrid& grid, const PatternHeadings& headings)
{
    const Block mainNumbers = blockOf(2, 1, 6, 1);
    grid.clearBorders(mainNumbers);
    grid.setOutline(mainNumbers);
    grid.setColors(grid.row(1), kHeadingText, kHeadingBack);
    grid.setOverflow(true);
    grid.setText(3, 1, headings.mainNumbers);
    grid.setHAlign(cellAt(3, 1), HAlign::Left);
    grid.setRowHeight(1, 20);
    grid.setText(1, 1, "回数");
    grid.setText(kBonusColumn, 1, "ボ数");
    grid.setText(kFirstCountColumn, 1, headings.firstCount);
    grid.setText(kSecondCountColumn, 1, headings.secondCount);
    grid.setText(kPatternColumn, 1, "パターン");
}

ResultGrid patternGrid(const DrawTables& tables, const PatternHeadings& headings)
{
    ResultGrid grid = setUpGrid(std::max(tables.LatestDrawNo, 0));
    writeHeadingRow(grid, headings);
    return grid;
}

void writeCountsAndLetter(ResultGrid& grid, int row, int firstCount, int letterCount)
{
    grid.setNumber(kFirstCountColumn, row, firstCount);
    grid.setNumber(kSecondCountColumn, row, kMainCount - firstCount);
    const PatternLetter& pattern = kPatternLetters[letterCount];
    grid.setText(kPatternColumn, row, pattern.letter);
    if (pattern.coloured) grid.setBackground(cellAt(kPatternColumn, row), pattern.background);
}

}  // namespace

ResultGrid buildOddEvenPattern(const DrawHistory& history, const DrawTables& tables)
{
    ResultGrid grid = patternGrid(tables, {spaces(10) + "本 数 字" + spaces(6), "偶数", "奇数"});
    int row = 2;
    for (const auto& draw : history.draws()) {
        if (!draw) continue;
        grid.setNumber(1, row, draw->drawNo);
        int evens = 0;
        for (int k = 0; k < kMainCount; ++k) {
            const int n = draw->numbers[k];
            grid.setNumber(k + 2, row, n);
            grid.setBackground(cellAt(k + 2, row), isEvenNumber(n) ? kMarkedBack : kWhite);
            if (isEvenNumber(n)) ++evens;
        }
        grid.setNumber(kBonusColumn, row, draw->numbers[kBonusIndex]);
        writeCountsAndLetter(grid, row, evens, kMainCount - evens);
        ++row;
    }
    return grid;
}

ResultGrid buildLowHighPattern(const DrawHistory& history, const DrawTables& tables)
{
    ResultGrid grid = patternGrid(tables, {spaces(10) + "本 数 字", "低数字", "高数字"});
    int row = 2;
    for (const auto& draw : history.draws()) {
        if (!draw) continue;
        grid.setNumber(1, row, draw->drawNo);
        int lows = 0;
        for (int k = 0; k < kMainCount; ++k) {
            const int n = draw->numbers[k];
            grid.setNumber(k + 2, row, n);
            if (isLowNumber(n)) {
                grid.setBackground(cellAt(k + 2, row), kMarkedBack);
                ++lows;
            }
        }
        const int bonus = draw->numbers[kBonusIndex];
        grid.setNumber(kBonusColumn, row, bonus);
        if (isLowNumber(bonus)) grid.setBackground(cellAt(kBonusColumn, row), kMarkedBack);
        writeCountsAndLetter(grid, row, lows, lows);
        ++row;
    }
    return grid;
}
