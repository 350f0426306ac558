#include "gui/app/window_kinds.h"

#include <algorithm>

#include "core/analyses/analysis_catalog.h"
#include "core/grid/units.h"
#include "core/prediction/prediction_grids.h"
#include "gui/backtest/backtest_window.h"
#include "gui/maintenance/entry_window.h"
#include "gui/stats/statistics_window.h"
#include "gui/tickets/combination_window.h"
#include "gui/tickets/ticket_register_window.h"

const std::vector<WindowKind>& windowKinds()
{
    static const std::vector<WindowKind> kinds = [] {
        std::vector<WindowKind> all = {
            {QString::fromUtf8(kPredictionWindowName), 9360, 8244, true},
            {kEntryWindowName, 6240, 12825, true, true},
            {QString::fromUtf8(kBacktestWindowName), 13200, 10800, false},
            {QString::fromUtf8(kCombinationWindowName), 13800, 11100, false},
            {QString::fromUtf8(kTicketRegisterWindowName), 13800, 10500, false},
            {QString::fromUtf8(kStatisticsWindowName), 13500, 9900, false},
        };
        for (const AnalysisDescriptor& analysis : analysisCatalog())
            all.push_back({QString::fromUtf8(analysis.windowName.data(),
                                             static_cast<qsizetype>(analysis.windowName.size())),
                           analysis.widthTwips, analysis.heightTwips,
                           analysis.frame == FrameKind::FixedDialog});
        return all;
    }();
    return kinds;
}

const WindowKind* findWindowKind(const QString& name)
{
    for (const WindowKind& kind : windowKinds())
        if (kind.name == name) return &kind;
    return nullptr;
}

QSize largestWindowSize()
{
    QSize largest;
    for (const WindowKind& kind : windowKinds())
        largest = largest.expandedTo(
            QSize(twipsToPixels(kind.widthTwips), twipsToPixels(kind.heightTwips)));
    return largest;
}
