// Helpers shared by the core tests: tiny histories written inline, temporary folders, and the
// path of the shared real draw history.
#pragma once

#include <array>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/draws/draw_history.h"

// A complete draw: {drawNo, n1, n2, n3, n4, n5, bonus}.
inline DrawRow drawRow(int drawNo, std::array<int, 6> numbers)
{
    DrawRow row;
    row.drawNo = std::int64_t{drawNo};
    for (std::size_t k = 0; k < 6; ++k)
        row.numbers[k] = std::int64_t{numbers[k]};
    return row;
}

// A row with only 回数 filled in (not a complete draw).
inline DrawRow incompleteRow(int drawNo)
{
    DrawRow row;
    row.drawNo = std::int64_t{drawNo};
    return row;
}

inline DrawHistory historyOf(std::vector<DrawRow> rows)
{
    return DrawHistory(std::move(rows));
}

// Draws 1..count, all complete, with numbers that depend on the draw number.
DrawHistory syntheticHistory(int count);

// The real history shared by the team; nothing when this machine does not have it.
std::optional<std::string> sharedDrawsCsv();
// Skips the calling test, saying why, when the shared history is absent.
#define REQUIRE_SHARED_DRAWS(path)                                                                 \
    const auto path##_opt = sharedDrawsCsv();                                                      \
    if (!path##_opt) GTEST_SKIP() << "the shared draw history ../shared/data/draws.csv is absent"; \
    const std::string path = *path##_opt

// A fresh temporary folder, removed when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
