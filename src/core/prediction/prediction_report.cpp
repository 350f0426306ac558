#include "core/prediction/prediction_report.h"

namespace {

constexpr const char* kSectionTitles[kPredictionGridCount] = {
    "●周期法による予想", "●消去法による予想", "●連発ボボーン予想", "●一発ボボーン予想"};

}  // namespace

WindowReport predictionReport(const PredictionGrids& grids, const std::string& drawRange,
                              const PredictionOptions* options, int enabledCount)
{
    WindowReport report;
    report.windowName = kPredictionWindowName;
    report.caption = kPredictionWindowCaption;
    report.drawRange = drawRange;
    for (int g = 0; g < kPredictionGridCount; ++g)
        report.sections.push_back({kSectionTitles[g], grids[static_cast<std::size_t>(g)]});
    report.notes.push_back("データ分析オプション");
    if (options) {
        for (int i = 0; i < kOptionCount; ++i)
            report.notes.push_back(std::string("  ") +
                                   kPredictionOptions[static_cast<std::size_t>(i)].caption + ": " +
                                   (options->isOn(i) ? "反映する" : "反映しない"));
    } else {
        report.notes.push_back("  反映するオプション: " + std::to_string(enabledCount) + " / " +
                               std::to_string(kOptionCount));
    }
    return report;
}
