// The figures beside each statistics chart, as a result grid in the analysis windows' colours:
// observed counts, fair-draw expectations and exact probabilities, one row per value.
#pragma once

#include <string>

#include "core/analyses/analysis_grid.h"
#include "core/stats/history_statistics.h"

// The measures the statistics window shows, one tab each, in tab order.
enum class StatisticsMeasure {
    Frequency,
    Gaps,
    Sum,
    OddEven,
    LowHigh,
    Consecutive,
    LastDigits,
    Pairs,
};
inline constexpr int kStatisticsMeasureCount = 8;

// Tab caption of a measure ("出現頻度", "出現間隔", …).
std::string measureCaption(StatisticsMeasure measure);
// The one-paragraph reading of a measure: draws counted, the test result or the note on chance.
std::string measureSummary(const HistoryStatistics& statistics, StatisticsMeasure measure,
                           bool withBonus);
// The figures of a measure; withBonus picks the frequency with the bonus number.
ResultGrid statisticsTable(const HistoryStatistics& statistics, StatisticsMeasure measure,
                           bool withBonus);

// Fixed-point text with `decimals` digits ("12.35"); used by the tooltips too.
std::string fixedText(double value, int decimals);
// A probability as a percentage: 2 decimals, or 2 significant digits below 0.01% ("0.00059%"),
// never in e-notation.
std::string probabilityText(double probability);
