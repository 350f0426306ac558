// Fuzzes the grid exporters (JSON, CSV, text) on grids of any shape and content, written the way
// the analyses write them, including writes outside the grid. The JSON must always parse when the
// texts are valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>
#include <nlohmann/json.hpp>

#include "core/grid/grid_export.h"
#include "core/grid/result_grid.h"

namespace {

bool validUtf8(const std::string& text)
{
    try {
        (void)nlohmann::json(text).dump();
        return true;
    } catch (const nlohmann::json::exception&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    ResultGrid grid(input.ConsumeIntegralInRange(-2, 40), input.ConsumeIntegralInRange(-2, 40));
    grid.setFrozenRows(input.ConsumeIntegralInRange(-3, 50));
    grid.setFrozenColumns(input.ConsumeIntegralInRange(-3, 50));
    bool textsValid = true;
    while (input.remaining_bytes() > 0) {
        const int col = input.ConsumeIntegralInRange(-2, 45);
        const int row = input.ConsumeIntegralInRange(-2, 45);
        const Rgb color{input.ConsumeIntegral<std::uint8_t>(),
                        input.ConsumeIntegral<std::uint8_t>(),
                        input.ConsumeIntegral<std::uint8_t>()};
        switch (input.ConsumeIntegralInRange(0, 4)) {
        case 0: {
            const std::string text = input.ConsumeRandomLengthString(64);
            if (grid.contains(col, row)) textsValid = textsValid && validUtf8(text);
            grid.setText(col, row, text);
            break;
        }
        case 1:
            grid.setNumber(col, row, input.ConsumeIntegral<long long>());
            break;
        case 2:
            grid.setForeground({col, row, col + input.ConsumeIntegralInRange(-1, 5), row}, color);
            break;
        case 3:
            grid.setBackground({col, row, col, row + input.ConsumeIntegralInRange(-1, 5)}, color);
            break;
        default:
            grid.clearText({col, row, col + 1, row + 1});
            break;
        }
    }

    // The writers the command line streams through.
    std::ostringstream jsonOut, csvOut, textOut;
    writeGridJson(jsonOut, grid, "窓");
    writeGridCsv(csvOut, grid);
    writeGridText(textOut, grid);
    const std::string json = jsonOut.str();
    if (!textsValid) return 0;
    const auto parsed = nlohmann::json::parse(json, nullptr, false);
    if (parsed.is_discarded()) std::abort();
    if (parsed["rows"] != grid.rowCount() || parsed["columns"] != grid.columnCount()) std::abort();
    for (const auto& cell : parsed["cells"])
        if (!grid.contains(cell["col"].get<int>(), cell["row"].get<int>())) std::abort();
    return 0;
}
