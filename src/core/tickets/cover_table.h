// The stored ticket sets of 組合せ作成 (made by tools/cover_generator, kept in
// cover_table_data.inc): for a count of picked numbers v and a guarantee, the smallest set found,
// as masks over positions 0..v-1. They serve when no fixed number or filter narrows the tickets.
#pragma once

#include <span>
#include <vector>

#include "core/tickets/cover_search.h"

struct StoredCover {
    int v = 0;
    Guarantee guarantee;
    std::span<const PositionMask> tickets;
};

// Empty tickets when nothing is stored for (v, guarantee).
std::span<const PositionMask> storedCover(int v, Guarantee guarantee);
// Every stored set, for the tests and the benchmark.
std::vector<StoredCover> storedCovers();
