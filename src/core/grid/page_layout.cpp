#include "core/grid/page_layout.h"

#include <algorithm>

namespace {

// Splits first..last into runs whose sizes (size(i)) add up to at most room each; a run holds
// at least one item.
template <typename Size>
std::vector<std::pair<int, int>> cutRuns(int first, int last, double room, Size size)
{
    std::vector<std::pair<int, int>> runs;
    int start = first;
    while (start <= last) {
        double used = size(start);
        int end = start;
        while (end < last && used + size(end + 1) <= room + 1e-9)
            used += size(++end);
        runs.emplace_back(start, end);
        start = end + 1;
    }
    return runs;
}

}  // namespace

PageLayout layoutPages(const GridGeometry& geometry, const PageSpec& spec)
{
    PageLayout layout;
    layout.frozenRows = geometry.frozenRows();
    layout.frozenColumns = geometry.frozenColumns();
    const double fullScale = spec.unitsPerPixel > 0 ? spec.unitsPerPixel : 0.75;
    const int totalWidth = std::max(1, geometry.totalWidth());
    double scale = std::min(fullScale * std::max(spec.maxScale, 0.01), spec.width / totalWidth);
    scale = std::max(scale, fullScale * std::clamp(spec.minScale, 0.01, 1.0));
    layout.scale = scale;

    const int columns = geometry.columnCount(), rows = geometry.rowCount();
    const int firstBodyCol = layout.frozenColumns + 1, firstBodyRow = layout.frozenRows + 1;
    // Room for the scrolling part, in grid pixels, once the repeated headings are placed.
    const double bodyWidth = spec.width / scale - geometry.frozenWidth();
    const double bodyHeight = spec.height / scale - geometry.frozenHeight();

    auto columnRuns = cutRuns(firstBodyCol, columns, bodyWidth,
                              [&](int c) { return double(geometry.columnWidth(c)); });
    auto rowRuns = cutRuns(firstBodyRow, rows, bodyHeight,
                           [&](int r) { return double(geometry.rowHeight(r)); });
    // A grid that is all headings still prints them once.
    if (columnRuns.empty()) columnRuns.emplace_back(firstBodyCol, columns);
    if (rowRuns.empty()) rowRuns.emplace_back(firstBodyRow, rows);
    for (const auto& [c1, c2] : columnRuns)
        for (const auto& [r1, r2] : rowRuns)
            layout.pages.push_back(
                {CellRange{c1, r1, c2, r2}, static_cast<int>(layout.pages.size()) + 1});
    return layout;
}

bool prefersLandscape(const GridGeometry& geometry)
{
    return geometry.totalWidth() > geometry.totalHeight();
}
