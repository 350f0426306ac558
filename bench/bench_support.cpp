#include "bench_support.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <random>

#include <stdlib.h>

#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"

DrawHistory realHistory()
{
    auto text = readTextFile(POMURAN_SHARED_DRAWS_CSV);
    if (!text) return {};
    auto rows = parseDrawCsv(text.value(), CsvValues::StrictNumbers);
    return rows ? DrawHistory(rows.value()) : DrawHistory();
}

namespace {
std::vector<DrawRow> generatedRows(int count)
{
    std::vector<DrawRow> rows;
    rows.reserve(count);
    std::mt19937 random(2024);
    for (int d = 1; d <= count; ++d) {
        std::array<int, 31> pool;
        for (int i = 0; i < 31; ++i)
            pool[i] = i + 1;
        std::shuffle(pool.begin(), pool.end(), random);
        std::sort(pool.begin(), pool.begin() + 5);
        DrawRow row;
        row.drawNo = std::int64_t{d};
        for (int k = 0; k < 6; ++k)
            row.numbers[k] = std::int64_t{pool[k]};
        rows.push_back(std::move(row));
    }
    return rows;
}
}  // namespace

DrawHistory generatedHistory(int count)
{
    return DrawHistory(generatedRows(count));
}

std::string generatedDatabase(int count)
{
    static std::map<int, std::string> made;
    if (const auto found = made.find(count); found != made.end()) return found->second;
    std::string folder = (std::filesystem::temp_directory_path() / "pomuran-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) return {};
    const std::string path = folder + "/Pomuran.mdb";
    auto database = DrawDatabase::create(path);
    if (database) (void)database->insertDraws(generatedRows(count));
    return made[count] = path;
}

std::string shippedDatabase()
{
    return std::string(POMURAN_BIN_DIR) + "/Pomuran.mdb";
}
