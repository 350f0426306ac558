// Fuzzes the draw history CSV reader both ways it is used (import and reading a CSV straight into
// a snapshot), and checks that whatever it accepts survives being written out and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/draws/draw_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const CsvValues values : {CsvValues::StrictNumbers, CsvValues::AsWritten}) {
        auto rows = parseDrawCsv(text, values);
        if (!rows) continue;
        const auto sorted = sortedByDrawNo(rows.value());
        if (sorted.size() != rows->size()) std::abort();
        // What the export writes, any reader of this program must take back, row for row.
        const auto again = parseDrawCsv(drawCsv(sorted), CsvValues::AsWritten);
        if (!again || again->size() != sorted.size()) std::abort();
    }
    return 0;
}
