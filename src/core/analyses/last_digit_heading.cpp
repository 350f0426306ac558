#include "core/analyses/last_digit_heading.h"

#include "core/analyses/analysis_grid.h"
#include "core/analyses/text_padding.h"

namespace {
constexpr int kFirstDigitColumn = 2;
constexpr int kLastDigitColumn = 11;
}  // namespace

ResultGrid startLastDigitGrid(int latestDrawNo)
{
    ResultGrid grid = startAnalysisGrid(GridFrame{.columns = kLastDigitColumn,
                                                  .rows = latestDrawNo + 4,
                                                  .shownColumns = 29,
                                                  .shownRows = 52,
                                                  .scrollBars = ScrollBars::Vertical,
                                                  .frozenRows = 2,
                                                  .frozenColumns = 0});
    grid.setColors(grid.column(1), kDrawNoText, kDrawNoBack);
    grid.setAllBorders(blockOf(1, 2, kLastDigitColumn, grid.rowCount()));
    grid.resetActiveCell();
    return grid;
}

std::string lastDigitTitleText()
{
    return spaces(43) + "下一桁数字" + spaces(27) + ideographicSpaces(3) + spaces(18);
}

void writeLastDigitHeadingBlock(ResultGrid& grid, int firstRow, LastDigitBlockOrder order)
{
    const int titleRow = order == LastDigitBlockOrder::TitleFirst ? firstRow : firstRow + 1;
    const int digitRow = order == LastDigitBlockOrder::TitleFirst ? firstRow + 1 : firstRow;

    grid.setColors(blockOf(kFirstDigitColumn, firstRow, kLastDigitColumn, firstRow + 1),
                   kHeadingText, kHeadingBack);
    // The trend window outlines column 1 of the title row, the run window column 1 of the first
    // row; outlining both gives either window its look, since the other cell of the bottom
    // block is already boxed by the grid set-up.
    grid.setOutline(cellAt(1, firstRow));
    grid.setOutline(cellAt(1, titleRow));
    grid.setOutline(blockOf(kFirstDigitColumn, digitRow, kLastDigitColumn, digitRow));
    const Block band = blockOf(kFirstDigitColumn, titleRow, kLastDigitColumn, titleRow);
    grid.clearBorders(band);
    grid.setOutline(band);

    grid.setText(1, titleRow, "回数");
    grid.setOverflow(true);
    grid.setText(kFirstDigitColumn, titleRow, lastDigitTitleText());
    grid.setHAlign(cellAt(kFirstDigitColumn, titleRow), HAlign::Left);
    grid.setVAlign(cellAt(kFirstDigitColumn, titleRow), VAlign::Center);
    grid.setRowHeight(titleRow, 20);

    for (int k = 0; k <= 9; ++k)
        grid.setNumber(k + kFirstDigitColumn, digitRow, k);
}
