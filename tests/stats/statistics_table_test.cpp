#include <gtest/gtest.h>

#include "core/stats/statistics_table.h"
#include "test_support.h"

TEST(StatisticsTable, FrequencyCountsOutsideTheBandAreRedAboveAndBlueBelow)
{
    // 31 times {1..5}: 1..5 far above the band, the others far below.
    std::vector<DrawRow> rows;
    for (int d = 1; d <= 31; ++d)
        rows.push_back(drawRow(d, {1, 2, 3, 4, 5, 6}));
    const HistoryStatistics stats = historyStatistics(historyOf(rows), 0);
    const ResultGrid grid = statisticsTable(stats, StatisticsMeasure::Frequency, false);
    ASSERT_EQ(grid.rowCount(), 32);
    EXPECT_EQ(grid.text(1, 2), "1");
    EXPECT_EQ(grid.text(2, 2), "31");
    EXPECT_EQ(grid.text(3, 2), "5.00");
    EXPECT_EQ(grid.cell(2, 2).fg, kRed);
    EXPECT_EQ(grid.cell(2, 8).fg, kBlue);  // 7: never drawn
    const ResultGrid withBonus = statisticsTable(stats, StatisticsMeasure::Frequency, true);
    EXPECT_EQ(withBonus.text(2, 7), "31");  // 6, the bonus each time
}

TEST(StatisticsTable, EveryMeasureHasAHeadingAndOneRowPerValue)
{
    const HistoryStatistics stats = historyStatistics(syntheticHistory(50), 0);
    const HistoryStatistics empty = historyStatistics(DrawHistory(), 0);
    struct Case {
        StatisticsMeasure measure;
        int bodyRows;
        std::string firstLabel;
    };
    const Case cases[] = {
        {StatisticsMeasure::Sum, 131, "15"},         {StatisticsMeasure::OddEven, 6, "奇0・偶5"},
        {StatisticsMeasure::LowHigh, 6, "低0・高5"}, {StatisticsMeasure::Consecutive, 5, "0組"},
        {StatisticsMeasure::LastDigits, 5, "1種類"}, {StatisticsMeasure::Pairs, 10, "1"},
    };
    for (const Case& c : cases) {
        for (const HistoryStatistics* s : {&stats, &empty}) {
            const ResultGrid grid = statisticsTable(*s, c.measure, false);
            EXPECT_EQ(grid.rowCount(), c.bodyRows + 1) << measureCaption(c.measure);
            EXPECT_EQ(grid.text(1, 2), c.firstLabel) << measureCaption(c.measure);
            EXPECT_EQ(grid.cell(1, 1).bg, kHeadingBack);
            EXPECT_FALSE(measureSummary(*s, c.measure, false).empty());
        }
    }
    // Exact figures: the odd/even row "奇3・偶2" holds C(16,3)·C(15,2) = 58,800 sets, 34.61%.
    const ResultGrid oddEven = statisticsTable(stats, StatisticsMeasure::OddEven, false);
    EXPECT_EQ(oddEven.text(4, 5), "58800");
    EXPECT_EQ(oddEven.text(5, 5), "34.61%");
    // Every probability in percent, small ones with enough digits to tell them apart.
    const std::pair<double, const char*> probabilities[] = {
        {1.0 / 169911, "0.00059%"}, {0.3461, "34.61%"}, {1e-4, "0.01%"},
        {2.5e-5, "0.0025%"},        {0, "0.00%"},       {1e-15, "0.00000001%未満"},
    };
    for (const auto& [p, text] : probabilities)
        EXPECT_EQ(probabilityText(p), text) << p;
}
