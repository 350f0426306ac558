#include "cli/show_window.h"

#include <algorithm>

#include "analyses/analysis_catalog.h"
#include "draws/draw_tables.h"
#include "grid/grid_export.h"
#include "prediction/prediction_engine.h"
#include "prediction/prediction_options.h"

namespace {

std::string formatGrid(const ResultGrid& grid, const std::string& window, ShowFormat format)
{
    switch (format) {
    case ShowFormat::Csv:
        return gridCsv(grid);
    case ShowFormat::Text:
        return gridText(grid);
    case ShowFormat::Json:
        break;
    }
    return gridJson(grid, window) + '\n';
}

// The four prediction grids: one JSON object listing them, or the grids one after another.
std::string formatPrediction(const PredictionGrids& grids, ShowFormat format)
{
    std::string out;
    if (format == ShowFormat::Json) {
        out = "{\"window\": " + jsonString(kPredictionWindowName) + ", \"grids\": [";
        for (int g = 0; g < kPredictionGridCount; ++g)
            out += (g ? ", " : "") + gridJsonObject(grids[g]);
        return out + "]}\n";
    }
    for (int g = 0; g < kPredictionGridCount; ++g) {
        if (g) out += '\n';
        out += format == ShowFormat::Csv ? gridCsv(grids[g]) : gridText(grids[g]);
    }
    return out;
}

std::string showPrediction(const ShowRequest& request, const DrawHistory& history,
                           const DrawTables& tables)
{
    int enabled = 0;
    if (request.enabledOptions) {
        enabled = *request.enabledOptions;
    } else {
        PredictionOptions options;
        ReadInitFile(options);
        enabled = options.enabledCount();
    }
    PredictionEngine engine;
    engine.ScanCycles(history);
    return formatPrediction(engine.RefreshPrediction(tables.LatestDrawNo, enabled), request.format);
}

}  // namespace

std::vector<std::string> shownWindowNames()
{
    std::vector<std::string> names{kPredictionWindowName};
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
    if (request.window == kPredictionWindowName) return showPrediction(request, history, tables);
    const AnalysisDescriptor* analysis = findAnalysis(request.window);
    return formatGrid(analysis->build(history, tables), request.window, request.format);
}
