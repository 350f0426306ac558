// The per-number tables derived from the draw history at start-up.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/draws/draw_history.h"
#include "core/lottery/lottery_rules.h"

struct DrawTables {
    int LatestDrawNo = 0;  // 回数 of the last complete draw; 0 when there is none
    // Entry n (1..31): appearances of n as main or bonus number.
    std::array<int, kHighestNumber + 1> NumberHits{};
    int MaxHits = 0;                     // highest of NumberHits[1..31]
    std::vector<std::string> HitGroups;  // entry k: the numbers drawn exactly k times, "3,17,25"
    int HitGroupRows = 0;                // distinct counts + 1; 0 for an empty history
};

// Derives the tables from the snapshot in one pass. Stored numbers outside 1..31 are not counted.
DrawTables LoadDrawTables(const DrawHistory& history);
