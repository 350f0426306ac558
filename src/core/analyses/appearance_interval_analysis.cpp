// 出現間隔分析: beside each number of every draw, how many draws earlier that number last came up
// ("3回前"), or "初回" when no earlier draw holds it.
#include "core/analyses/analysis_builders.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/analyses/paired_number_grid.h"
#include "core/grid/palette.h"
#include "core/lottery/lottery_rules.h"

namespace {

// The six numbers stored under each draw number so far, and for every number the ascending list
// of draw numbers whose stored numbers hold it: the latest earlier appearance is then one binary
// search instead of a walk back over every earlier draw. No draw number is out of range, and a
// draw number that never held a complete draw is never found.
class NumberHistory {
public:
    explicit NumberHistory(std::size_t drawCount) { m_stored.reserve(drawCount); }

    // A later draw with the same number replaces what an earlier one stored.
    void store(const Draw& draw)
    {
        auto [entry, isNew] = m_stored.try_emplace(draw.drawNo, draw.numbers);
        if (!isNew) {
            for (int n : entry->second)
                remove(drawsHolding(n), draw.drawNo);
            entry->second = draw.numbers;
        }
        for (int n : draw.numbers)
            insert(drawsHolding(n), draw.drawNo);
    }

    // The largest draw number d with 1 <= d < drawNo whose stored numbers include n.
    std::optional<int> lastAppearanceBefore(int n, int drawNo)
    {
        const std::vector<int>& draws = drawsHolding(n);
        const auto below = std::lower_bound(draws.begin(), draws.end(), drawNo);
        if (below == draws.begin() || *std::prev(below) < 1) return std::nullopt;
        return *std::prev(below);
    }

private:
    std::vector<int>& drawsHolding(int n)
    {
        if (n >= 0 && n <= kHighestNumber) return m_drawsByNumber[n];
        return m_drawsByOtherNumber[n];  // only a damaged history stores such numbers
    }
    // Draws arrive in ascending order, so both normally touch the end of the list only.
    static void insert(std::vector<int>& draws, int drawNo)
    {
        const auto at = std::lower_bound(draws.begin(), draws.end(), drawNo);
        if (at == draws.end() || *at != drawNo) draws.insert(at, drawNo);
    }
    static void remove(std::vector<int>& draws, int drawNo)
    {
        const auto at = std::lower_bound(draws.begin(), draws.end(), drawNo);
        if (at != draws.end() && *at == drawNo) draws.erase(at);
    }

    std::unordered_map<int, std::array<int, 6>> m_stored;
    std::array<std::vector<int>, kHighestNumber + 1> m_drawsByNumber;
    std::unordered_map<int, std::vector<int>> m_drawsByOtherNumber;
};

// 0 is a first appearance, N > 0 reads "N回前", a negative interval writes nothing.
void writeInterval(ResultGrid& grid, int interval, int col, int row)
{
    if (interval == 0)
        grid.setText(col, row, "初回");
    else if (interval > 0)
        grid.setText(col, row, std::to_string(interval) + "回前");
}

void writeHeadingBlock(ResultGrid& grid, PairedHeadingRows rows)
{
    // The group row reads as two boxes: main numbers (columns 2-11) and the bonus pair.
    const Block mainGroup = blockOf(2, rows.groupRow, 11, rows.groupRow);
    const Block bonusGroup = blockOf(12, rows.groupRow, 13, rows.groupRow);
    grid.clearBorders(blockOf(2, rows.groupRow, kPairedColumns, rows.groupRow));
    grid.setOutline(mainGroup);
    grid.setOutline(bonusGroup);
    // Four spaces, 本 数 字, five spaces.
    writePairedHeadingBlock(grid, rows, std::string(4, ' ') + "本 数 字" + std::string(5, ' '),
                            "出現");
}

}  // namespace

ResultGrid buildAppearanceInterval(const DrawHistory& history, const DrawTables& tables)
{
    const int latest = tables.LatestDrawNo;
    ResultGrid grid = setUpPairedNumberGrid(latest, kIntervalDrawNoBack);
    writeHeadingBlock(grid, pairedTopHeading());
    writeHeadingBlock(grid, pairedBottomHeading(latest));

    NumberHistory numberHistory(history.size());
    int row = kPairedFirstDrawRow;
    for (const std::optional<Draw>& draw : history.draws()) {
        // An incomplete row keeps its grid row, empty.
        if (draw) {
            writePairedDraw(grid, row, *draw);
            numberHistory.store(*draw);
            for (int field = 0; field < kDrawNumbers; ++field) {
                const auto earlier =
                    numberHistory.lastAppearanceBefore(draw->numbers[field], draw->drawNo);
                writeInterval(grid, earlier ? draw->drawNo - *earlier : 0, pairedValueColumn(field),
                              row);
            }
        }
        ++row;
    }
    return grid;
}
