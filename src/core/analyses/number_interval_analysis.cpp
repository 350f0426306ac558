// 数字間隔分析: beside each number of every draw, its difference from the number in the same field
// of the previous complete draw; rises carry a plus sign, falls are highlighted.
#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "core/analyses/paired_number_grid.h"
#include "core/lottery/lottery_rules.h"

namespace {

void writeHeadingBlock(ResultGrid& grid, PairedHeadingRows rows)
{
    // Only the bonus pair stands in a box of its own on the group row.
    grid.clearBorders(blockOf(2, rows.groupRow, kPairedColumns, rows.groupRow));
    grid.setBorder(cellAt(12, rows.groupRow), Side::Left);
    grid.setBorder(cellAt(13, rows.groupRow), Side::Right);
    // Four spaces, then 本 数 字.
    writePairedHeadingBlock(grid, rows, std::string(4, ' ') + "本 数 字", "差分");
}

void writeDifference(ResultGrid& grid, int difference, int col, int row)
{
    if (difference > 0) {
        std::string rise = "+";
        rise += std::to_string(difference);
        grid.setText(col, row, std::move(rise));
    } else {
        grid.setNumber(col, row, difference);
        if (difference < 0) grid.setBackground(cellAt(col, row), kFallBack);
    }
}

}  // namespace

ResultGrid buildNumberInterval(const DrawHistory& history, const DrawTables& tables)
{
    const int latest = tables.LatestDrawNo;
    ResultGrid grid = setUpPairedNumberGrid(latest, kDrawNoBack);
    writeHeadingBlock(grid, pairedTopHeading());
    writeHeadingBlock(grid, pairedBottomHeading(latest));

    // An incomplete row leaves these alone, so the next complete draw is compared with the last
    // complete one. They start at 0: a first complete draw below an incomplete first row shows
    // six rises.
    std::array<int, 6> previous{};
    int row = kPairedFirstDrawRow;
    for (const std::optional<Draw>& draw : history.draws()) {
        if (draw) {
            writePairedDraw(grid, row, *draw);
            // The first grid row has nothing above it to compare with.
            if (row > kPairedFirstDrawRow)
                for (int field = 0; field < kDrawNumbers; ++field)
                    writeDifference(grid, draw->numbers[field] - previous[field],
                                    pairedValueColumn(field), row);
            previous = draw->numbers;
        }
        ++row;
    }
    return grid;
}
