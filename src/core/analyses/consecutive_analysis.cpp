// 連番飛び石分析: every complete draw twice side by side, marking neighbouring main numbers that
// differ by 1 (連番) on the left and by 2 (飛び石) on the right; the bonus number takes no part.
#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"

#include <optional>

namespace {

constexpr int kColumns = 12;
constexpr int kFirstDrawRow = 2;
// Each section: the draw number, then 第1数字..第5数字.
constexpr int kConsecutiveDrawNoColumn = 1;
constexpr int kSteppingStoneDrawNoColumn = 7;

ResultGrid setUpGrid(int latestDrawNo)
{
    ResultGrid grid = startAnalysisGrid(drawRowsFrame(kColumns, latestDrawNo));

    grid.setDefaultRowHeight(10);
    grid.setDefaultColumnWidth(4);

    for (const int col : {kConsecutiveDrawNoColumn, kSteppingStoneDrawNoColumn})
        grid.setColors(grid.column(col), kDrawNoText, kDrawNoBack);
    grid.setAllBorders(grid.all());
    grid.resetActiveCell();
    return grid;
}

void writeHeadings(ResultGrid& grid)
{
    // Each section's five number headings form one box.
    for (const int drawNoCol : {kConsecutiveDrawNoColumn, kSteppingStoneDrawNoColumn}) {
        const Block numbers = blockOf(drawNoCol + 1, 1, drawNoCol + 5, 1);
        grid.clearBorders(numbers);
        grid.setOutline(numbers);
    }
    grid.setBackground(blockOf(2, 1, 6, 1), kConsecutiveHeadingBack);
    grid.setBackground(blockOf(8, 1, 12, 1), kSteppingStoneHeadingBack);

    grid.setText(kConsecutiveDrawNoColumn, 1, "回数");
    grid.setText(kSteppingStoneDrawNoColumn, 1, "回数");

    grid.setOverflow(true);
    // Two and one ideographic spaces lead the texts, which run on over the empty heading cells.
    grid.setText(3, 1, "\u3000\u3000連番(本数字)");
    grid.setHAlign(cellAt(3, 1), HAlign::Left);
    grid.setText(9, 1, "\u3000飛び石(本数字)");
    grid.setHAlign(cellAt(9, 1), HAlign::Left);
}

// One section of a draw's row: its draw number and main numbers, every neighbouring pair of
// fields whose second number is the first plus step marked, and a grey draw number when there
// is no such pair. Only neighbouring fields in stored order are compared.
void writeSection(ResultGrid& grid, int row, int drawNoCol, const Draw& draw, int step,
                  Rgb pairBackground)
{
    grid.setNumber(drawNoCol, row, draw.drawNo);
    for (int field = 0; field < kMainCount; ++field)
        grid.setNumber(drawNoCol + 1 + field, row, draw.numbers[field]);
    int pairs = 0;
    for (int field = 0; field + 1 < kMainCount; ++field) {
        if (draw.numbers[field + 1] != draw.numbers[field] + step) continue;
        ++pairs;
        grid.setBackground(blockOf(drawNoCol + 1 + field, row, drawNoCol + 2 + field, row),
                           pairBackground);
    }
    if (pairs == 0) grid.setBackground(cellAt(drawNoCol, row), kNoPairBack);
}

}  // namespace

ResultGrid buildConsecutive(const DrawHistory& history, const DrawTables& tables)
{
    ResultGrid grid = setUpGrid(tables.LatestDrawNo);
    writeHeadings(grid);

    int row = kFirstDrawRow;
    for (const std::optional<Draw>& draw : history.draws()) {
        // An incomplete row takes no grid row.
        if (!draw) continue;
        writeSection(grid, row, kConsecutiveDrawNoColumn, *draw, 1, kConsecutivePairBack);
        writeSection(grid, row, kSteppingStoneDrawNoColumn, *draw, 2, kSteppingStonePairBack);
        ++row;
    }
    return grid;
}
