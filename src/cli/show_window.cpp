#include "cli/show_window.h"

#include <algorithm>
#include <ostream>

#include "core/analyses/analysis_catalog.h"
#include "core/draws/draw_tables.h"
#include "core/grid/grid_export.h"
#include "core/prediction/prediction_engine.h"
#include "core/prediction/prediction_options.h"

namespace {

void writeGrid(std::ostream& out, const ResultGrid& grid, const std::string& window,
               ShowFormat format)
{
    switch (format) {
    case ShowFormat::Csv:
        writeGridCsv(out, grid);
        return;
    case ShowFormat::Text:
        writeGridText(out, grid);
        return;
    case ShowFormat::Json:
    default:
        break;
    }
    writeGridJson(out, grid, window);
    out << '\n';
}

// The four prediction grids: one JSON object listing them, or the grids one after another.
void writePrediction(std::ostream& out, const PredictionGrids& grids, ShowFormat format)
{
    if (format == ShowFormat::Json) {
        out << "{\"window\": " << jsonString(kPredictionWindowName) << ", \"grids\": [";
        for (int g = 0; g < kPredictionGridCount; ++g) {
            if (g) out << ", ";
            writeGridJsonObject(out, grids[g]);
        }
        out << "]}\n";
        return;
    }
    for (int g = 0; g < kPredictionGridCount; ++g) {
        if (g) out << '\n';
        if (format == ShowFormat::Csv)
            writeGridCsv(out, grids[g]);
        else
            writeGridText(out, grids[g]);
    }
}

void showPrediction(std::ostream& out, const ShowRequest& request, const DrawHistory& history,
                    const DrawTables& tables)
{
    int enabled = 0;
    if (request.enabledOptions) {
        enabled = *request.enabledOptions;
    } else {
        PredictionOptions options;
        ReadInitFile(options, request.settingsFile.empty() ? std::string(kSettingsFileName)
                                                           : request.settingsFile);
        enabled = options.enabledCount();
    }
    PredictionEngine engine;
    engine.ScanCycles(history);
    writePrediction(out, engine.RefreshPrediction(tables.LatestDrawNo, enabled), request.format);
}

}  // namespace

std::vector<std::string> shownWindowNames()
{
    std::vector<std::string> names{kPredictionWindowName};
    for (const AnalysisDescriptor& analysis : analysisCatalog())
        names.emplace_back(analysis.windowName);
    return names;
}

bool isShownWindow(const std::string& window)
{
    const auto names = shownWindowNames();
    return std::find(names.begin(), names.end(), window) != names.end();
}

void showWindow(std::ostream& out, const ShowRequest& request, const DrawHistory& history)
{
    const DrawTables tables = LoadDrawTables(history);
    if (request.window == kPredictionWindowName) {
        showPrediction(out, request, history, tables);
        return;
    }
    const AnalysisDescriptor* analysis = findAnalysis(request.window);
    writeGrid(out, analysis->build(history, tables), request.window, request.format);
}
