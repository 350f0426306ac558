#include "core/report/window_report.h"

#include <algorithm>
#include <climits>

#include "core/grid/grid_stack.h"

ResultGrid WindowReport::combinedGrid() const
{
    if (sections.size() == 1) return sections.front().grid;
    std::vector<ResultGrid> grids;
    grids.reserve(sections.size());
    for (const ReportSection& section : sections)
        grids.push_back(section.grid);
    return stackGrids(grids);
}

std::string drawRangeText(const DrawHistory& history)
{
    int first = INT_MAX, last = INT_MIN;
    for (const auto& draw : history.draws()) {
        if (!draw) continue;
        first = std::min(first, draw->drawNo);
        last = std::max(last, draw->drawNo);
    }
    if (first > last) return "データなし";
    return "第" + std::to_string(first) + "回〜第" + std::to_string(last) + "回";
}
