#include "cli/show_window.h"

#include <algorithm>

#include "analyses/analysis_catalog.h"
#include "draws/draw_tables.h"
#include "ui/grid_export.h"

namespace {

std::string formatGrid(const ResultGrid& grid, const std::string& window, ShowFormat format)
{
    switch (format) {
    case ShowFormat::Csv: return gridCsv(grid);
    case ShowFormat::Text: return gridText(grid);
    case ShowFormat::Json: break;
    }
    return gridJson(grid, window) + '\n';
}

}  // namespace

std::vector<std::string> shownWindowNames()
{
    std::vector<std::string> names;
    for (const AnalysisDescriptor& analysis : analysisCatalog())
        if (analysis.build) names.emplace_back(analysis.windowName);
    return names;
}

bool isShownWindow(const std::string& window)
{
    const auto names = shownWindowNames();
    return std::find(names.begin(), names.end(), window) != names.end();
}

std::string showWindow(const ShowRequest& request, const DrawHistory& history)
{
    const DrawTables tables = LoadDrawTables(history);
    const AnalysisDescriptor* analysis = findAnalysis(request.window);
    return formatGrid(analysis->build(history, tables), request.window, request.format);
}
