// Columns widened to their texts: the rule on small grids, and every window's grid on a history
// whose draw numbers reach the highest the program takes, checked cell by cell against what the
// painter would clip.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/analyses/analysis_catalog.h"
#include "core/backtest/backtest.h"
#include "core/backtest/backtest_grid.h"
#include "core/draws/draw_tables.h"
#include "core/grid/grid_geometry.h"
#include "core/grid/text_width.h"
#include "core/lottery/lottery_rules.h"
#include "core/prediction/prediction_engine.h"
#include "core/stats/statistics_table.h"
#include "core/tickets/ticket_check.h"
#include "core/tickets/ticket_grids.h"
#include "test_support.h"

namespace {

// The part of a cell text the painter cuts off, in pixels (0: shown whole). The painter centres
// text on its own cell and lets it spread over the columns textColumns() gives; left- and
// right-aligned text keeps a margin inside the columns it covers.
double clippedPixels(const ResultGrid& grid, const GridGeometry& geometry, int col, int row)
{
    const std::string_view text = withoutTrailingSpaces(grid.textView(col, row));
    if (text.empty()) return 0;
    const double width = gridFontWidths()(text);
    const auto [first, last] = geometry.textColumns(
        grid, col, row, static_cast<int>(std::ceil(width)), 1, grid.columnCount());
    const int left = geometry.columnLeft(first), right = geometry.columnLeft(last + 1);
    if (grid.hAlign(col, row) != HAlign::Center)
        return std::max(0.0, width - (right - left - 2 * kCellTextMargin));
    const PixelRect own = geometry.cellRect(col, row);
    const double centre = own.x + own.width / 2.0;
    return std::max({0.0, left - (centre - width / 2), centre + width / 2 - right});
}

// "window (col, row) 'text'" of every clipped cell, or nothing.
std::string clippedCells(const std::string& window, const ResultGrid& grid)
{
    const GridGeometry geometry(grid, gridFontWidths());
    std::string found;
    for (int r = 1; r <= grid.rowCount(); ++r)
        for (int c = 1; c <= grid.columnCount(); ++c)
            if (clippedPixels(grid, geometry, c, r) > 1e-3 && found.size() < 2000)
                found += window + " (" + std::to_string(c) + ", " + std::to_string(r) + ") '" +
                         grid.text(c, r) + "'\n";
    return found;
}

}  // namespace

TEST(TextWidths, ModelHasTheGridFontsAdvancesAndOneEmForWideCharacters)
{
    const TextWidths& model = gridFontWidths();
    EXPECT_NEAR(model("1351"), 4 * 7.547, 1e-9);
    EXPECT_NEAR(model("01～09"), 4 * 7.547 + 12, 1e-9);
    EXPECT_NEAR(model("●"), 12, 1e-9);
    EXPECT_NEAR(model("ｱ"), 6, 1e-9);
    EXPECT_NEAR(model(std::string("\xff", 1)), 12, 1e-9);  // a stray byte: one unknown character
    EXPECT_EQ(withoutTrailingSpaces("  Ａ 　 "), "  Ａ");
}

TEST(FittedColumns, WidenOnlyTheColumnsWhoseTextWouldBeClipped)
{
    struct Case {
        const char* name;
        const char* text;
        HAlign align;
        bool overflow;
        bool neighbourFilled;
        int expectedWidth;  // pixels of column 2, set to 3 units (24 px)
    };
    const Case cases[] = {
        {"short number stays", "31", HAlign::Center, false, false, 24},
        {"four-digit draw number widens", "1351", HAlign::Center, false, false, 31},
        {"left-aligned keeps its margins", "1351", HAlign::Left, false, false, 35},
        {"overflow over an empty cell needs nothing", "1351", HAlign::Left, true, false, 24},
        {"overflow stopped by a filled cell widens", "1351", HAlign::Left, true, true, 35},
        {"centred text spreads over empty neighbours", "1351", HAlign::Center, true, false, 24},
        {"trailing spaces take no room", "31      ", HAlign::Center, false, false, 24},
    };
    for (const Case& c : cases) {
        ResultGrid grid(3, 1);
        grid.setDefaultColumnWidth(3);
        grid.setOverflow(c.overflow);
        grid.setText(2, 1, c.text);
        grid.setHAlign(cellAt(2, 1), c.align);
        if (c.neighbourFilled) grid.setText(3, 1, "x");
        EXPECT_EQ(GridGeometry(grid, gridFontWidths()).columnWidth(2), c.expectedWidth) << c.name;
        EXPECT_EQ(GridGeometry(grid).columnWidth(2), 24) << c.name << ": set widths unchanged";
        EXPECT_EQ(clippedCells(c.name, grid), "");
    }
}

TEST(FittedColumns, NoWindowClipsATextOnAHistoryUpToTheHighestDrawNumber)
{
    const DrawHistory history = syntheticHistory(kHighestDrawNo);
    const DrawTables tables = LoadDrawTables(history);
    std::string clipped;
    for (const AnalysisDescriptor& analysis : analysisCatalog())
        if (analysis.build)
            clipped +=
                clippedCells(std::string(analysis.windowName), analysis.build(history, tables));

    PredictionEngine engine;
    engine.ScanCycles(history);
    const PredictionGrids prediction = engine.RefreshPrediction(tables.LatestDrawNo, 12);
    for (int g = 0; g < kPredictionGridCount; ++g)
        clipped += clippedCells("予想 " + std::to_string(g), prediction[g]);

    const HistoryStatistics statistics = historyStatistics(history, 0);
    for (int m = 0; m < kStatisticsMeasureCount; ++m)
        clipped +=
            clippedCells(measureCaption(static_cast<StatisticsMeasure>(m)),
                         statisticsTable(statistics, static_cast<StatisticsMeasure>(m), true));

    clipped +=
        clippedCells("予想の検証", backtestGrid(runBacktest(history, kHighestDrawNo - 2), 0));

    const std::vector<StoredTicket> tickets = {
        {1, kHighestDrawNo, {1, 2, 3, 4, 5}, 999'999, ""},
        {2, kHighestDrawNo - 1, {6, 7, 8, 9, 10}, 3, ""},
    };
    clipped += clippedCells(
        "購入記録", ticketTotalsGrid(checkTickets(tickets, DrawLookup(history), PrizeTable{})));
    EXPECT_EQ(clipped, "");
}
