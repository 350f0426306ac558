#include <gtest/gtest.h>

#include "grid/grid_export.h"

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
