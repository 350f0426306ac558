#include "core/draws/draw_tables.h"

DrawTables LoadDrawTables(const DrawHistory& history)
{
    DrawTables tables;
    // An empty history leaves every table at its initial value, HitGroups without entries.
    if (history.empty()) return tables;

    for (const auto& draw : history.draws()) {
        if (!draw) continue;
        for (const int n : draw->numbers)
            if (isValidNumber(n)) ++tables.NumberHits[n];
        tables.LatestDrawNo = draw->drawNo;
    }

    tables.HitGroups.assign(1, std::string());
    tables.HitGroupRows = 1;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        const int count = tables.NumberHits[n];
        if (count > tables.MaxHits) {
            tables.MaxHits = count;
            tables.HitGroups.resize(count + 1);
        }
        std::string& group = tables.HitGroups[count];
        if (group.empty()) {
            group = std::to_string(n);
            ++tables.HitGroupRows;
        } else {
            group += ',' + std::to_string(n);
        }
    }
    return tables;
}
