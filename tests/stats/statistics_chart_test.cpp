#include <gtest/gtest.h>

#include <string>

#include "core/stats/statistics_chart.h"
#include "test_support.h"

namespace {

// A digit next to a Western space next to a non-ASCII character, or the other way round: the
// spacing of an English sentence in a Japanese one ("1 数字", "対象 20").
bool hasWesternSpaceAroundNumber(const std::string& text)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const auto wide = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
    for (std::size_t i = 1; i + 1 < text.size(); ++i)
        if (text[i] == ' ' && ((digit(text[i - 1]) && wide(text[i + 1])) ||
                               (wide(text[i - 1]) && digit(text[i + 1]))))
            return true;
    return false;
}

}  // namespace

TEST(StatisticsChart, EveryMeasureHasOneLabelExpectationAndTooltipPerBarInPlainJapanese)
{
    const HistoryStatistics statistics = historyStatistics(syntheticHistory(40), 0);
    for (int m = 0; m < kStatisticsMeasureCount; ++m) {
        const auto measure = static_cast<StatisticsMeasure>(m);
        const StatisticsChart chart = statisticsChart(statistics, measure, false);
        SCOPED_TRACE(measureCaption(measure));
        EXPECT_FALSE(chart.title.empty());
        ASSERT_FALSE(chart.observed.empty());
        EXPECT_EQ(chart.labels.size(), chart.observed.size());
        EXPECT_EQ(chart.expected.size(), chart.observed.size());
        EXPECT_EQ(chart.tooltips.size(), chart.observed.size());
        for (const std::string& tooltip : chart.tooltips) {
            EXPECT_EQ(tooltip.find("e-"), std::string::npos) << tooltip;
            EXPECT_FALSE(hasWesternSpaceAroundNumber(tooltip)) << tooltip;
        }
        EXPECT_FALSE(hasWesternSpaceAroundNumber(measureSummary(statistics, measure, false)))
            << measureSummary(statistics, measure, false);
    }
}

TEST(StatisticsChart, FrequencyShowsTheFairBandAndEachNumbersFigures)
{
    const HistoryStatistics statistics = historyStatistics(syntheticHistory(31), 0);
    for (const bool withBonus : {false, true}) {
        const NumberFrequency& frequency =
            withBonus ? statistics.frequencyWithBonus : statistics.frequency;
        const StatisticsChart chart =
            statisticsChart(statistics, StatisticsMeasure::Frequency, withBonus);
        ASSERT_EQ(chart.observed.size(), 31u);
        // 31 draws of 5 (or 6) numbers: 5 (6) expected per number.
        EXPECT_DOUBLE_EQ(chart.expected[30], withBonus ? 6.0 : 5.0);
        EXPECT_TRUE(chart.band);
        EXPECT_EQ(chart.bandLow, frequency.low);
        EXPECT_EQ(chart.bandHigh, frequency.high);
        EXPECT_EQ(chart.labels[0], "1");
        EXPECT_EQ(chart.observed[0], frequency.observed[0]);
        EXPECT_EQ(chart.tooltips[0].rfind(
                      "数字1\n出現" + std::to_string(frequency.observed[0]) + "回（31回中）", 0),
                  0u)
            << chart.tooltips[0];
    }
    // No draws: no band to show.
    EXPECT_FALSE(
        statisticsChart(historyStatistics(historyOf({}), 0), StatisticsMeasure::Frequency, false)
            .band);
}

TEST(StatisticsChart, TheSumAxisLabelsOnlyRoundTens)
{
    const StatisticsChart chart =
        statisticsChart(historyStatistics(syntheticHistory(10), 0), StatisticsMeasure::Sum, false);
    // Sums of five different numbers run from 15 to 145.
    ASSERT_EQ(chart.labels.size(), 131u);
    EXPECT_EQ(chart.labels[0], "");
    EXPECT_EQ(chart.labels[5], "20");
    EXPECT_EQ(chart.labels[130], "");
    EXPECT_NE(chart.tooltips[0].find("確率0.00059%"), std::string::npos) << chart.tooltips[0];
}
