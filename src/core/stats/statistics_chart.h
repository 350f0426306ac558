// What each statistics chart shows, as plain data: titles, one bar per value with its label and
// tooltip, the fair-draw expectation at each bar and, for the number frequency, the band that
// 95% of fair counts fall in. The window only draws it.
#pragma once

#include <string>
#include <vector>

#include "core/stats/history_statistics.h"
#include "core/stats/statistics_table.h"

struct StatisticsChart {
    std::string title;
    std::string xTitle;
    std::string yTitle;
    // Bar i stands at x = i; an empty label leaves that bar unlabelled. Every labelStep-th bar
    // is labelled (1: every bar).
    std::vector<std::string> labels;
    int labelStep = 1;
    std::vector<double> observed;  // bar heights
    std::vector<double> expected;  // fair-draw expectation at each bar
    std::string observedName;
    std::string expectedName;
    // A constant band bandLow..bandHigh over every bar, when `band` is set.
    bool band = false;
    double bandLow = 0;
    double bandHigh = 0;
    std::string bandName;
    std::vector<std::string> tooltips;  // the exact figures of each bar, lines split by '\n'
};

// The chart of a measure; withBonus picks the frequency with the bonus number.
StatisticsChart statisticsChart(const HistoryStatistics& statistics, StatisticsMeasure measure,
                                bool withBonus);
