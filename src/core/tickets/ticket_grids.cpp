#include "core/tickets/ticket_grids.h"

#include <cstdio>

#include "core/analyses/analysis_grid.h"
#include "core/analyses/pattern_letters.h"

namespace {

void colourLetter(ResultGrid& grid, int col, int row, char letter)
{
    const int index = letter - 'A';
    if (index < 0 || index >= kPatternLetterCount) return;
    const PatternLetter& pattern = kPatternLetters[static_cast<std::size_t>(index)];
    grid.setText(col, row, pattern.letter);
    if (pattern.coloured) grid.setBackground(cellAt(col, row), pattern.background);
}

constexpr int kTotalsColumns = 11;

void writeTotals(ResultGrid& grid, int row, const TicketTotals& totals)
{
    grid.setNumber(2, row, totals.tickets);
    grid.setText(3, row, yenText(totals.cost));
    for (int t = 0; t < kPrizeTierCount; ++t)
        if (totals.byTier[static_cast<std::size_t>(t)])
            grid.setNumber(4 + t, row, totals.byTier[static_cast<std::size_t>(t)]);
    grid.setText(8, row, yenText(totals.winnings));
    if (totals.unpriced) {
        grid.setNumber(9, row, totals.unpriced);
        grid.setForeground(cellAt(9, row), kRed);
    }
    if (totals.unchecked) grid.setNumber(10, row, totals.unchecked);
    grid.setText(11, row, returnRateText(totals));
}

}  // namespace

std::string yenText(long long yen)
{
    std::string digits = std::to_string(yen < 0 ? -yen : yen);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return yen < 0 ? "-" + text : text;
}

std::string returnRateText(const TicketTotals& totals)
{
    const auto rate = totals.returnRate();
    if (!rate) return "－";
    if (!totals.returnRateSettled()) return "未確定";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", *rate * 100.0);
    return text;
}

ResultGrid comboListGrid(const std::vector<TicketNumbers>& tickets, std::size_t limit)
{
    const int shown = static_cast<int>(std::min(tickets.size(), limit));
    ResultGrid grid = startAnalysisGrid(
        {kComboListColumns, shown + 1, kComboListColumns, 20, ScrollBars::Vertical, 1, 0});
    grid.setDefaultColumnWidth(4);
    grid.setColumnWidth(1, 6);
    grid.setColors(grid.row(1), kHeadingText, kHeadingBack);
    const char* headings[] = {"No.", "1", "2", "3", "4", "5", "合計", "偶奇", "低高"};
    for (int c = 0; c < kComboListColumns; ++c)
        grid.setText(c + 1, 1, headings[c]);
    if (shown > 0) {
        grid.setColors(blockOf(1, 2, 1, shown + 1), kDrawNoText, kDrawNoBack);
        grid.setForeground(blockOf(7, 2, 7, shown + 1), kBlue);
    }
    for (int i = 0; i < shown; ++i) {
        const TicketNumbers& t = tickets[static_cast<std::size_t>(i)];
        const int row = i + 2;
        grid.setNumber(1, row, i + 1);
        int sum = 0;
        for (int k = 0; k < kTicketNumbers; ++k) {
            grid.setNumber(k + 2, row, t[static_cast<std::size_t>(k)]);
            sum += t[static_cast<std::size_t>(k)];
        }
        grid.setNumber(7, row, sum);
        colourLetter(grid, 8, row, oddEvenLetter(t));
        colourLetter(grid, 9, row, lowHighLetter(t));
    }
    grid.setAllBorders(grid.all());
    grid.resetActiveCell();
    return grid;
}

ResultGrid ticketTotalsGrid(const TicketReport& report)
{
    const int rows = static_cast<int>(report.byDraw.size()) + 2;
    ResultGrid grid =
        startAnalysisGrid({kTotalsColumns, rows, kTotalsColumns, 8, ScrollBars::Vertical, 1, 0});
    grid.setDefaultColumnWidth(6);
    grid.setColumnWidth(3, 9);
    grid.setColumnWidth(8, 10);
    grid.setColumnWidth(9, 7);
    grid.setColumnWidth(11, 7);
    grid.setColors(grid.row(1), kHeadingText, kHeadingBack);
    const char* headings[] = {"回数", "口数",   "購入額",   "1等",    "2等",   "3等",
                              "4等",  "当選金", "金額未入", "未抽選", "回収率"};
    for (int c = 0; c < kTotalsColumns; ++c)
        grid.setText(c + 1, 1, headings[c]);
    grid.setHAlign(blockOf(3, 2, 3, rows), HAlign::Right);
    grid.setHAlign(blockOf(8, 2, 8, rows), HAlign::Right);
    int row = 2;
    for (const auto& [drawNo, totals] : report.byDraw) {
        grid.setNumber(1, row, drawNo);
        grid.setColors(cellAt(1, row), kDrawNoText, kDrawNoBack);
        writeTotals(grid, row, totals);
        ++row;
    }
    grid.setText(1, row, "合計");
    grid.setBackground(grid.row(row), kTotalRowBack);
    writeTotals(grid, row, report.total);
    grid.setAllBorders(grid.all());
    grid.resetActiveCell();
    return grid;
}
