#include "core/stats/statistics_chart.h"

#include <cmath>

#include "core/lottery/lottery_rules.h"

namespace {

std::string str(long long value)
{
    return std::to_string(value);
}

StatisticsChart frequencyChart(const NumberFrequency& frequency)
{
    StatisticsChart chart;
    chart.title = frequency.perDraw == kDrawNumbers ? "数字ごとの出現回数（本数字＋ボーナス数字）"
                                                    : "数字ごとの出現回数（本数字）";
    chart.xTitle = "数字";
    chart.yTitle = "回数";
    chart.observedName = "出現回数";
    chart.expectedName = "期待値" + fixedText(frequency.expected, 2);
    chart.band = frequency.draws > 0;
    chart.bandLow = static_cast<double>(frequency.low);
    chart.bandHigh = static_cast<double>(frequency.high);
    const std::string band = str(frequency.low) + "～" + str(frequency.high);
    chart.bandName = "公平な抽せんの95%範囲（" + band + "）";
    for (int n = 1; n <= kNumberCount; ++n) {
        const int observed = frequency.observed[n - 1];
        chart.labels.push_back(str(n));
        chart.observed.push_back(observed);
        chart.expected.push_back(frequency.expected);
        const char* verdict = observed > frequency.high  ? "範囲より多い"
                              : observed < frequency.low ? "範囲より少ない"
                                                         : "範囲内";
        chart.tooltips.push_back("数字" + str(n) + "\n出現" + str(observed) + "回（" +
                                 str(frequency.draws) + "回中）\n期待値" +
                                 fixedText(frequency.expected, 2) + "回\n95%範囲" + band + "回（" +
                                 verdict + "）");
    }
    return chart;
}

StatisticsChart gapChart(const GapDistribution& gaps)
{
    StatisticsChart chart;
    chart.title = "出現間隔の分布（本数字、幾何分布 p=5/31 との比較）";
    chart.xTitle = "間隔（回）";
    chart.yTitle = "間隔の個数";
    chart.observedName = "実績";
    chart.expectedName = "公平な抽せんの期待値";
    // Index 0 of the tables is unused: bar i is the gap i + 1.
    const int count = gaps.observed.empty() ? 0 : static_cast<int>(gaps.observed.size()) - 1;
    chart.labelStep = count > 40 ? 5 : 1;
    const double p = static_cast<double>(kMainCount) / kNumberCount;
    for (int g = 1; g <= count; ++g) {
        chart.labels.push_back(str(g));
        chart.observed.push_back(gaps.observed[g]);
        chart.expected.push_back(gaps.expected[g]);
        chart.tooltips.push_back("間隔" + str(g) + "回\n実績" + str(gaps.observed[g]) +
                                 "個\n期待値" + fixedText(gaps.expected[g], 2) +
                                 "個\n1回の間隔がちょうど" + str(g) + "になる確率" +
                                 probabilityText(p * std::pow(1 - p, g - 1)));
    }
    return chart;
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

StatisticsChart patternChart(const PatternDistribution& pattern, StatisticsMeasure measure)
{
    StatisticsChart chart;
    switch (measure) {
    case StatisticsMeasure::Sum:
        chart.title = "本数字の合計";
        chart.xTitle = "合計";
        break;
    case StatisticsMeasure::OddEven:
        chart.title = "奇数の個数（残りは偶数）";
        chart.xTitle = "奇数の個数";
        break;
    case StatisticsMeasure::LowHigh:
        chart.title = "低数字（1～15）の個数（残りは高数字16～31）";
        chart.xTitle = "低数字の個数";
        break;
    case StatisticsMeasure::Consecutive:
        chart.title = "連番（n と n+1）の組数";
        chart.xTitle = "連番の組数";
        break;
    default:
        chart.title = "下一桁の種類数";
        chart.xTitle = "異なる下一桁の数";
        break;
    }
    chart.yTitle = "回数";
    chart.observedName = "実績";
    chart.expectedName = "期待値（全169,911通りから）";
    const int count = static_cast<int>(pattern.observed.size());
    for (int i = 0; i < count; ++i) {
        const int key = pattern.key(i);
        // The sum axis starts at 15: only the round tens (20, 30, …) are labelled.
        const bool labelled = measure != StatisticsMeasure::Sum || key % 10 == 0;
        chart.labels.push_back(labelled ? str(key) : std::string());
        chart.observed.push_back(pattern.observed[i]);
        chart.expected.push_back(pattern.expected(i));
        chart.tooltips.push_back(chart.xTitle + "：" + str(key) + "\n実績" +
                                 str(pattern.observed[i]) + "回（" + str(pattern.draws) +
                                 "回中）\n期待値" + fixedText(pattern.expected(i), 2) + "回\n" +
                                 str(pattern.combinations[i]) + "通り（169,911通り中）\n確率" +
                                 probabilityText(pattern.probability(i)));
    }
    return chart;
}

StatisticsChart pairChart(const PairFrequency& pairs)
{
    // Pairs named in a tooltip when few enough share the count to be read.
    constexpr std::size_t kMostNamedPairs = 12;
    StatisticsChart chart;
    chart.title = "465ペアの同時出現回数の分布";
    chart.xTitle = "同じ回に出た回数";
    chart.yTitle = "ペアの数";
    chart.observedName = "ペアの数";
    chart.expectedName = "公平な抽せんの期待値";
    const int count = static_cast<int>(pairs.pairsByCount.size());
    chart.labelStep = count > 40 ? 5 : 1;
    std::vector<std::vector<std::string>> names(static_cast<std::size_t>(count));
    for (const PairCount& pair : pairs.pairs)
        if (pair.observed >= 0 && pair.observed < count)
            names[static_cast<std::size_t>(pair.observed)].push_back(str(pair.first) + "-" +
                                                                     str(pair.second));
    for (int k = 0; k < count; ++k) {
        chart.labels.push_back(str(k));
        chart.observed.push_back(pairs.pairsByCount[k]);
        chart.expected.push_back(pairs.expectedPairsByCount[k]);
        std::string text = str(k) + "回出たペア\n実績" + str(pairs.pairsByCount[k]) + "個\n期待値" +
                           fixedText(pairs.expectedPairsByCount[k], 2) + "個";
        const auto& named = names[static_cast<std::size_t>(k)];
        if (!named.empty() && named.size() <= kMostNamedPairs) {
            text += '\n';
            for (std::size_t i = 0; i < named.size(); ++i)
                text += (i ? ", " : "") + named[i];
        }
        chart.tooltips.push_back(std::move(text));
    }
    return chart;
}

}  // namespace

StatisticsChart statisticsChart(const HistoryStatistics& statistics, StatisticsMeasure measure,
                                bool withBonus)
{
    switch (measure) {
    case StatisticsMeasure::Frequency:
        return frequencyChart(withBonus ? statistics.frequencyWithBonus : statistics.frequency);
    case StatisticsMeasure::Gaps:
        return gapChart(statistics.gaps);
    case StatisticsMeasure::Pairs:
        return pairChart(statistics.pairs);
    default:
        return patternChart(patternOf(statistics, measure), measure);
    }
}
