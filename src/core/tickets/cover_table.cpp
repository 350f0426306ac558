#include "core/tickets/cover_table.h"

#include <cstdint>

namespace {

// v, t, m, n, then n masks; v = 0 ends the table.
constexpr std::uint32_t kCoverData[] = {
#include "core/tickets/cover_table_data.inc"
};

}  // namespace

std::vector<StoredCover> storedCovers()
{
    std::vector<StoredCover> covers;
    std::size_t i = 0;
    while (i + 4 <= std::size(kCoverData) && kCoverData[i] != 0) {
        StoredCover cover;
        cover.v = static_cast<int>(kCoverData[i]);
        cover.guarantee = {static_cast<int>(kCoverData[i + 1]),
                           static_cast<int>(kCoverData[i + 2])};
        const std::size_t n = kCoverData[i + 3];
        cover.tickets = std::span<const PositionMask>(kCoverData + i + 4, n);
        covers.push_back(cover);
        i += 4 + n;
    }
    return covers;
}

std::span<const PositionMask> storedCover(int v, Guarantee guarantee)
{
    static const std::vector<StoredCover> covers = storedCovers();
    for (const StoredCover& cover : covers)
        if (cover.v == v && cover.guarantee == guarantee) return cover.tickets;
    return {};
}
