#include "cli/show_file.h"

#include <fstream>
#include <sstream>

#include "core/analyses/analysis_catalog.h"
#include "core/base/file_replacement.h"
#include "core/draws/draw_tables.h"
#include "core/grid/xlsx_export.h"
#include "core/prediction/prediction_engine.h"
#include "core/prediction/prediction_report.h"

namespace {

PaintedFileWriter& paintedFileWriter()
{
    static PaintedFileWriter writer;
    return writer;
}

}  // namespace

void setPaintedFileWriter(PaintedFileWriter writer)
{
    paintedFileWriter() = std::move(writer);
}

bool needsPainting(ShowFormat format)
{
    return format == ShowFormat::Pdf || format == ShowFormat::Png;
}

WindowReport shownWindowReport(const ShowRequest& request, const DrawHistory& history)
{
    const DrawTables tables = LoadDrawTables(history);
    if (request.window == kPredictionWindowName) {
        PredictionOptions options;
        const PredictionOptions* shown = nullptr;
        int enabled = 0;
        if (request.enabledOptions) {
            enabled = *request.enabledOptions;
        } else {
            ReadInitFile(options, request.settingsFile.empty() ? std::string(kSettingsFileName)
                                                               : request.settingsFile);
            enabled = options.enabledCount();
            shown = &options;
        }
        PredictionEngine engine;
        engine.ScanCycles(history);
        return predictionReport(engine.RefreshPrediction(tables.LatestDrawNo, enabled),
                                drawRangeText(history), shown, enabled);
    }
    WindowReport report;
    report.windowName = request.window;
    report.drawRange = drawRangeText(history);
    if (const AnalysisDescriptor* analysis = findAnalysis(request.window)) {
        report.caption = analysis->caption;
        report.sections.push_back({"", analysis->build(history, tables)});
    }
    return report;
}

Status saveShownWindow(const ShowRequest& request, const DrawHistory& history,
                       const std::string& destination)
{
    switch (request.format) {
    case ShowFormat::Json:
    case ShowFormat::Text: {
        auto pending = FileReplacement::begin(destination, "save");
        if (!pending) return Error{pending.error()};
        // Written through the replacement, which checks every write (a full disk fails the
        // save and leaves the old file).
        std::ostringstream text;
        showWindow(text, request, history);
        if (Status written = pending->write(text.view()); !written) return written;
        return pending->commit();
    }
    default:
        break;
    }
    const WindowReport report = shownWindowReport(request, history);
    if (request.format == ShowFormat::Xlsx)
        return saveXlsx(report.combinedGrid(), report.windowName, destination);
    if (request.format == ShowFormat::Csv)
        return saveCsvWithBom(report.combinedGrid(), destination);
    if (!paintedFileWriter())
        return Error{"this pomuran-cli was built without Qt: PDF and PNG are not available"};
    return paintedFileWriter()(report, request.format, destination);
}
