// 出現回数分析: every complete draw with its six numbers and, beside them, how many earlier
// complete draws held each of those numbers as a main or bonus number.
#include "core/analyses/analysis_builders.h"
#include "core/analyses/analysis_grid.h"
#include "core/lottery/lottery_rules.h"

#include <array>
#include <optional>
#include <unordered_map>

namespace {

constexpr int kColumns = 13;
constexpr int kFirstDrawRow = 3;
constexpr int kFirstNumberColumn = 2;  // 第1数字 .. ボ数字 in columns 2-7
constexpr int kFirstCountColumn = 8;   // their earlier counts in columns 8-13

// Running appearance counts (NumberWork). Any stored value can be counted: 0..31 in a table,
// anything else (possible only in a damaged history) beside it.
class NumberCounts {
public:
    int count(int n) const
    {
        if (n >= 0 && n <= kHighestNumber) return m_small[n];
        const auto found = m_other.find(n);
        return found == m_other.end() ? 0 : found->second;
    }
    void add(int n)
    {
        if (n >= 0 && n <= kHighestNumber)
            ++m_small[n];
        else
            ++m_other[n];
    }

private:
    std::array<int, kHighestNumber + 1> m_small{};
    std::unordered_map<int, int> m_other;
};

ResultGrid setUpGrid(int latestDrawNo)
{
    ResultGrid grid = startAnalysisGrid(GridFrame{.columns = kColumns,
                                                  .rows = latestDrawNo + 2,
                                                  .shownColumns = kColumns,
                                                  .shownRows = 52,
                                                  .scrollBars = ScrollBars::Vertical,
                                                  .frozenRows = 2,
                                                  .frozenColumns = 0});

    grid.setDefaultRowHeight(10);
    grid.setRowHeight(2, 12);
    grid.setRowHeight(1, 20);
    grid.setDefaultColumnWidth(5);

    grid.setColors(grid.column(1), kDrawNoText, kDrawNoBack);
    grid.setAllBorders(grid.all());
    grid.resetActiveCell();
    return grid;
}

void writeHeadings(ResultGrid& grid)
{
    grid.setColors(blockOf(2, 1, 7, 2), kFigureText, kFigureBack);
    grid.setColors(blockOf(8, 1, 13, 2), kOtherFigureText, kOtherFigureBack);

    // Row 1 holds two group boxes: the lines between the cells of each group go, its outer
    // lines stay.
    for (const int first : {2, 8}) {
        grid.clearBorder(blockOf(first, 1, first + 4, 1), Side::Right);
        grid.clearBorder(blockOf(first + 1, 1, first + 5, 1), Side::Left);
    }

    grid.setOverflow(true);
    // Two spaces, then 当 選 数 字.
    grid.setText(4, 1, std::string(2, ' ') + "当 選 数 字");
    grid.setHAlign(cellAt(4, 1), HAlign::Left);
    grid.setText(11, 1, "前回までの出現回数合計(回)");
    grid.setHAlign(cellAt(11, 1), HAlign::Center);

    grid.setText(1, 2, "回数");
    static constexpr const char* kNumberHeadings[] = {"第1数字", "第2数字", "第3数字",
                                                      "第4数字", "第5数字", "ボ数字"};
    for (int field = 0; field < kDrawNumbers; ++field) {
        grid.setText(kFirstNumberColumn + field, 2, kNumberHeadings[field]);
        grid.setText(kFirstCountColumn + field, 2, kNumberHeadings[field]);
    }
}

}  // namespace

ResultGrid buildAppearanceCount(const DrawHistory& history, const DrawTables& tables)
{
    ResultGrid grid = setUpGrid(tables.LatestDrawNo);
    writeHeadings(grid);

    NumberCounts counts;
    int row = kFirstDrawRow;
    for (const std::optional<Draw>& draw : history.draws()) {
        // An incomplete row takes no grid row and changes no count.
        if (!draw) continue;
        grid.setNumber(1, row, draw->drawNo);
        for (int field = 0; field < kDrawNumbers; ++field) {
            const int n = draw->numbers[field];
            grid.setNumber(kFirstNumberColumn + field, row, n);
            // Counted before this draw is added, so its own appearance is not included.
            grid.setNumber(kFirstCountColumn + field, row, counts.count(n));
        }
        for (int n : draw->numbers)
            counts.add(n);
        ++row;
    }
    return grid;
}
