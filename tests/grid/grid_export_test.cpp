#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "core/analyses/analysis_catalog.h"
#include "core/draws/draw_tables.h"
#include "core/grid/grid_export.h"
#include "test_support.h"

TEST(GridExport, JsonListsCellsWithTextOrColourInRowOrder)
{
    ResultGrid grid(2, 2);
    grid.setFrozenRows(1);
    grid.setText(2, 2, "a\"b");
    grid.setBackground(cellAt(1, 2), rgb(255, 200, 200));
    grid.setText(2, 1, "●");
    EXPECT_EQ(
        gridJson(grid, "窓"),
        "{\"window\": \"窓\", \"columns\": 2, \"rows\": 2, \"frozen_rows\": 1, "
        "\"frozen_columns\": 0, \"cells\": ["
        "{\"row\": 1, \"col\": 2, \"text\": \"●\", \"fg\": \"#000000\", \"bg\": \"#ffffff\"}, "
        "{\"row\": 2, \"col\": 1, \"text\": \"\", \"fg\": \"#000000\", \"bg\": \"#ffc8c8\"}, "
        "{\"row\": 2, \"col\": 2, \"text\": \"a\\\"b\", \"fg\": \"#000000\", \"bg\": "
        "\"#ffffff\"}]}");
}

TEST(GridExport, CsvQuotesAndTextDropsTrailingEmptyCells)
{
    ResultGrid grid(3, 1);
    grid.setText(1, 1, "1,2");
    grid.setText(2, 1, "x");
    EXPECT_EQ(gridCsv(grid), "\"1,2\",x,\n");
    EXPECT_EQ(gridText(grid), "1,2\tx\n");
}

// Decoding what the streamed writer produced must give back every cell of every window's grid,
// across the chunk boundaries of a large grid.
TEST(GridExport, StreamedJsonOfEveryWindowDecodesToTheGrid)
{
    for (const int draws : {0, 3, 400}) {
        const DrawHistory history = syntheticHistory(draws);
        const DrawTables tables = LoadDrawTables(history);
        for (const AnalysisDescriptor& analysis : analysisCatalog()) {
            SCOPED_TRACE(std::string(analysis.windowName) + " at " + std::to_string(draws));
            const ResultGrid grid = analysis.build(history, tables);
            std::ostringstream out;
            writeGridJson(out, grid, analysis.windowName);
            const auto json = nlohmann::json::parse(out.str());
            EXPECT_EQ(json["window"], analysis.windowName);
            ASSERT_EQ(json["rows"], grid.rowCount());
            ASSERT_EQ(json["columns"], grid.columnCount());
            std::size_t listed = 0;
            for (int r = 1; r <= grid.rowCount(); ++r) {
                for (int c = 1; c <= grid.columnCount(); ++c) {
                    const Rgb fg = grid.foreground(c, r), bg = grid.background(c, r);
                    if (grid.textView(c, r).empty() && fg == kBlack && bg == kWhite) continue;
                    ASSERT_LT(listed, json["cells"].size());
                    const auto& cell = json["cells"][listed++];
                    ASSERT_EQ(cell["row"], r);
                    ASSERT_EQ(cell["col"], c);
                    ASSERT_EQ(cell["text"], grid.text(c, r));
                    ASSERT_EQ(cell["fg"], colorHex(fg));
                    ASSERT_EQ(cell["bg"], colorHex(bg));
                }
            }
            EXPECT_EQ(listed, json["cells"].size());
        }
    }
}
