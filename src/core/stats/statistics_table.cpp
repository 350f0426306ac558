// Figures grids of the statistics window: heading row in the analyses' pink, the value column in
// their cyan, counts outside the fair-draw 95% band in red (above) or blue (below).
#include "core/stats/statistics_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

struct Column {
    const char* heading;
    double width;  // grid width units
};

ResultGrid startTable(const std::vector<Column>& columns, int bodyRows)
{
    const int columnCount = static_cast<int>(columns.size());
    ResultGrid grid =
        startAnalysisGrid(GridFrame{columnCount, bodyRows + 1, columnCount,
                                    std::min(bodyRows + 1, 32), ScrollBars::Vertical, 1, 1});
    for (int col = 1; col <= columnCount; ++col) {
        grid.setColumnWidth(col, columns[col - 1].width);
        grid.setText(col, 1, columns[col - 1].heading);
    }
    grid.setRowHeight(1, 12);
    grid.setBackground(grid.row(1), kHeadingBack);
    grid.setBackground(blockOf(1, 2, 1, bodyRows + 1), kFigureBack);
    grid.setHAlign(blockOf(2, 2, columnCount, bodyRows + 1), HAlign::Right);
    grid.setAllBorders(grid.all(), kSummaryRule);
    return grid;
}

const PatternDistribution& patternOf(const HistoryStatistics& statistics, StatisticsMeasure measure)
{
    switch (measure) {
    case StatisticsMeasure::OddEven:
        return statistics.odd;
    case StatisticsMeasure::LowHigh:
        return statistics.low;
    case StatisticsMeasure::Consecutive:
        return statistics.consecutive;
    case StatisticsMeasure::LastDigits:
        return statistics.lastDigits;
    default:
        return statistics.sum;
    }
}

// The row label of a pattern value: "奇3・偶2", "低1・高4", "2組", "4種類" or the sum itself.
std::string patternLabel(StatisticsMeasure measure, int key)
{
    switch (measure) {
    case StatisticsMeasure::OddEven:
        return "奇" + std::to_string(key) + "・偶" + std::to_string(5 - key);
    case StatisticsMeasure::LowHigh:
        return "低" + std::to_string(key) + "・高" + std::to_string(5 - key);
    case StatisticsMeasure::Consecutive:
        return std::to_string(key) + "組";
    case StatisticsMeasure::LastDigits:
        return std::to_string(key) + "種類";
    default:
        return std::to_string(key);
    }
}

// A count against the central 95% of Binomial(draws, p): red above, blue below.
void markAgainstBand(ResultGrid& grid, int col, int row, int observed, std::int64_t low,
                     std::int64_t high)
{
    if (observed > high) grid.setForeground(cellAt(col, row), kRed);
    if (observed < low) grid.setForeground(cellAt(col, row), kBlue);
}

ResultGrid frequencyTable(const NumberFrequency& frequency)
{
    ResultGrid grid =
        startTable({{"数字", 5}, {"出現回数", 8}, {"期待値", 8}, {"95%範囲", 10}}, kNumberCount);
    const std::string band = std::to_string(frequency.low) + "～" + std::to_string(frequency.high);
    for (int n = 1; n <= kNumberCount; ++n) {
        const int row = n + 1;
        const int observed = frequency.observed[n - 1];
        grid.setNumber(1, row, n);
        grid.setNumber(2, row, observed);
        grid.setText(3, row, fixedText(frequency.expected, 2));
        grid.setText(4, row, band);
        if (frequency.draws > 0)
            markAgainstBand(grid, 2, row, observed, frequency.low, frequency.high);
    }
    return grid;
}

ResultGrid gapTable(const GapDistribution& gaps)
{
    // Left: each number's current gap; right: the gap histogram.
    const int histogramRows =
        gaps.observed.empty() ? 0 : static_cast<int>(gaps.observed.size()) - 1;
    const int rows = std::max(kNumberCount, histogramRows);
    ResultGrid grid = startTable({{"数字", 5},
                                  {"現在の間隔", 9},
                                  {"その長さ以上の確率", 15},
                                  {"間隔", 5},
                                  {"実績", 6},
                                  {"期待値", 8}},
                                 rows);
    for (const NumberGap& current : gaps.current) {
        const int row = current.number + 1;
        grid.setNumber(1, row, current.number);
        grid.setNumber(2, row, current.gap);
        grid.setText(3, row, probabilityText(current.pAtLeast));
        if (gaps.draws > 0 && current.pAtLeast < 0.05) grid.setForeground(cellAt(3, row), kRed);
    }
    grid.setBackground(blockOf(1, kNumberCount + 2, 3, rows + 1), kWhite);
    grid.setBackground(blockOf(4, 2, 4, histogramRows + 1), kFigureBack);
    for (int g = 1; g <= histogramRows; ++g) {
        grid.setNumber(4, g + 1, g);
        grid.setNumber(5, g + 1, gaps.observed[g]);
        grid.setText(6, g + 1, fixedText(gaps.expected[g], 2));
    }
    grid.setHAlign(blockOf(4, 2, 4, rows + 1), HAlign::Center);
    return grid;
}

ResultGrid patternTable(const PatternDistribution& pattern, StatisticsMeasure measure)
{
    const int rows = static_cast<int>(pattern.observed.size());
    ResultGrid grid = startTable({{measure == StatisticsMeasure::Sum ? "合計" : "内訳", 8},
                                  {"実績", 6},
                                  {"期待値", 8},
                                  {"組合せ数", 9},
                                  {"確率", 9}},
                                 rows);
    for (int i = 0; i < rows; ++i) {
        const int row = i + 2;
        grid.setText(1, row, patternLabel(measure, pattern.key(i)));
        grid.setNumber(2, row, pattern.observed[i]);
        grid.setText(3, row, fixedText(pattern.expected(i), 2));
        grid.setNumber(4, row, pattern.combinations[i]);
        grid.setText(5, row, probabilityText(pattern.probability(i)));
    }
    return grid;
}

ResultGrid pairTable(const PairFrequency& pairs)
{
    const int rows = static_cast<int>(std::max(pairs.most.size(), pairs.least.size()));
    ResultGrid grid = startTable(
        {{"順位", 4}, {"多いペア", 8}, {"回数", 5}, {"少ないペア", 8}, {"回数", 5}}, rows);
    const auto pairText = [](const PairCount& pair) {
        return std::to_string(pair.first) + "-" + std::to_string(pair.second);
    };
    for (int i = 0; i < rows; ++i) {
        const int row = i + 2;
        grid.setNumber(1, row, i + 1);
        if (i < static_cast<int>(pairs.most.size())) {
            grid.setText(2, row, pairText(pairs.most[i]));
            grid.setNumber(3, row, pairs.most[i].observed);
        }
        if (i < static_cast<int>(pairs.least.size())) {
            grid.setText(4, row, pairText(pairs.least[i]));
            grid.setNumber(5, row, pairs.least[i].observed);
        }
    }
    grid.setHAlign(blockOf(2, 2, 2, rows + 1), HAlign::Center);
    grid.setHAlign(blockOf(4, 2, 4, rows + 1), HAlign::Center);
    return grid;
}

std::string pValueReading(double pValue)
{
    if (pValue < 0.01) return "（偶然とは言いにくい偏り）";
    if (pValue < 0.05) return "（やや偏り: 公平でも20回に1回は起こる程度）";
    return "（偶然の範囲）";
}

}  // namespace

std::string fixedText(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string probabilityText(double probability)
{
    // Two decimals from 0.01% up; below, two significant digits ("0.00059%"), down to a
    // millionth of a percent, so that every figure of a table reads in the same unit.
    constexpr int kMostDecimals = 8;
    const double percent = probability * 100;
    int decimals = 2;
    if (percent > 0 && percent < 0.01)
        decimals = std::min(kMostDecimals, static_cast<int>(std::ceil(-std::log10(percent))) + 1);
    char text[64];
    if (percent > 0 && percent < 0.5 * std::pow(10.0, -kMostDecimals))
        std::snprintf(text, sizeof text, "%.*f%%未満", kMostDecimals,
                      std::pow(10.0, -kMostDecimals));
    else
        std::snprintf(text, sizeof text, "%.*f%%", decimals, percent);
    return text;
}

std::string measureCaption(StatisticsMeasure measure)
{
    switch (measure) {
    case StatisticsMeasure::Frequency:
        return "出現頻度";
    case StatisticsMeasure::Gaps:
        return "出現間隔";
    case StatisticsMeasure::Sum:
        return "合計";
    case StatisticsMeasure::OddEven:
        return "奇数・偶数";
    case StatisticsMeasure::LowHigh:
        return "低数字・高数字";
    case StatisticsMeasure::Consecutive:
        return "連番";
    case StatisticsMeasure::LastDigits:
        return "下一桁";
    case StatisticsMeasure::Pairs:
        return "ペア";
    }
    return {};
}

std::string measureSummary(const HistoryStatistics& statistics, StatisticsMeasure measure,
                           bool withBonus)
{
    const std::string draws = "対象" + std::to_string(statistics.frequency.draws) + "回。";
    switch (measure) {
    case StatisticsMeasure::Frequency: {
        const NumberFrequency& frequency =
            withBonus ? statistics.frequencyWithBonus : statistics.frequency;
        const ChiSquareTest test = uniformityTest(frequency);
        return draws + "1数字あたりの期待値" + fixedText(frequency.expected, 2) +
               "回、公平な抽せんなら95%が" + std::to_string(frequency.low) + "～" +
               std::to_string(frequency.high) + "回に入ります。偏りの検定: カイ二乗" +
               fixedText(test.statistic, 2) + "（自由度" + std::to_string(test.degreesOfFreedom) +
               "）、p値" + fixedText(test.pValue, 4) + pValueReading(test.pValue) +
               "。31数字もあれば範囲を外れる数字が1～2個あるのは普通です。";
    }
    case StatisticsMeasure::Gaps:
        return draws +
               "間隔 g = 出てから次に出るまでの回数。期待値は公平な抽せん（1回に出る確率5/31）"
               "での間隔の個数です。現在の間隔の確率5%未満は赤。";
    case StatisticsMeasure::Sum:
    case StatisticsMeasure::OddEven:
    case StatisticsMeasure::LowHigh:
    case StatisticsMeasure::Consecutive:
    case StatisticsMeasure::LastDigits: {
        const ChiSquareTest test = patternTest(patternOf(statistics, measure));
        std::string reading = draws + "確率は本数字5個の全169,911通りを数えた正確な値です" +
                              (measure == StatisticsMeasure::Sum ? "（平均80）。" : "。");
        if (test.degreesOfFreedom > 0)
            reading += "分布の検定: カイ二乗" + fixedText(test.statistic, 2) + "（自由度" +
                       std::to_string(test.degreesOfFreedom) + "）、p値" +
                       fixedText(test.pValue, 4) + pValueReading(test.pValue) + "。";
        return reading;
    }
    case StatisticsMeasure::Pairs: {
        const PairFrequency& pairs = statistics.pairs;
        return draws + "1ペアあたりの期待値" + fixedText(pairs.expected, 2) +
               "回。ペアは465通りあるため、偶然でも極端に見えるペアが出ます: 最多の" +
               std::to_string(pairs.most.front().observed) + "回以上になるペアは偶然でも平均" +
               fixedText(pairs.pairsAtOrAboveMostByChance, 2) + "個、最少の" +
               std::to_string(pairs.least.front().observed) + "回以下は平均" +
               fixedText(pairs.pairsAtOrBelowLeastByChance, 2) + "個あります。";
    }
    }
    return draws;
}

ResultGrid statisticsTable(const HistoryStatistics& statistics, StatisticsMeasure measure,
                           bool withBonus)
{
    switch (measure) {
    case StatisticsMeasure::Frequency:
        return frequencyTable(withBonus ? statistics.frequencyWithBonus : statistics.frequency);
    case StatisticsMeasure::Gaps:
        return gapTable(statistics.gaps);
    case StatisticsMeasure::Pairs:
        return pairTable(statistics.pairs);
    default:
        return patternTable(patternOf(statistics, measure), measure);
    }
}
