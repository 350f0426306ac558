#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

#include <stdlib.h>

DrawHistory syntheticHistory(int count)
{
    std::vector<DrawRow> rows;
    rows.reserve(count);
    std::mt19937 random(12345);
    for (int d = 1; d <= count; ++d) {
        std::array<int, 31> pool;
        for (int i = 0; i < 31; ++i)
            pool[i] = i + 1;
        std::shuffle(pool.begin(), pool.end(), random);
        std::array<int, 6> numbers;
        std::copy_n(pool.begin(), 6, numbers.begin());
        std::sort(numbers.begin(), numbers.begin() + 5);
        rows.push_back(drawRow(d, numbers));
    }
    return DrawHistory(std::move(rows));
}

std::optional<std::string> sharedDrawsCsv()
{
    const std::string path = POMURAN_SHARED_DRAWS_CSV;
    if (!std::filesystem::exists(path)) return std::nullopt;
    return path;
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pomuran-test-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
}

TempDir::~TempDir()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
