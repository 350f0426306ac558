#include "core/backtest/backtest_grid.h"

#include <cstdio>

#include "core/analyses/analysis_grid.h"

namespace {

constexpr int kColumns = 9;
constexpr int kTitleRows = 2;    // the range line and a blank row
constexpr int kRowsPerSet = 9;   // eight rows and a blank one between tables
constexpr int kHitColumn = 2;    // columns 2 to 7: 0 to 5 hits
constexpr int kTotalColumn = 8;  // total hits
constexpr int kBonusColumn = 9;  // bonus hits

std::string format(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string signedOne(double value)
{
    // "-0.0" reads oddly; a value that rounds to zero shows without a sign.
    if (value > -0.05 && value < 0.05) return "0.0";
    return format("%+.1f", value);
}

}  // namespace

std::string formatPValue(double p)
{
    if (p >= 0.001) return format("%.3f", p);
    if (p < 1e-300) return "1e-300未満";
    return format("%.1e", p);
}

std::string chanceVerdict(const SetSummary& summary, const ChanceTest& test)
{
    if (summary.targets == 0) return "対象となる回がありません。";
    if (summary.expectedHits == 0.0) return "数字が一つも出なかったため、比べられません。";
    if (test.consistentWithChance())
        return "偶然より良いとは言えません。無作為に選んだ同じ個数の数字と区別できない当たり方です"
               "（p値 " +
               formatPValue(test.pValue) + "）。";
    if (test.excess < 0)
        return "偶然より良いとは言えません。無作為に選んだ数字より当たりが少なくなっています（p値"
               " " +
               formatPValue(test.pValue) + "）。";
    return "偶然より多く当たっています（p値 " + formatPValue(test.pValue) +
           "）。ただし、この先も続くとは限りません。";
}

std::string optionChoiceText(const Backtest& backtest, const OptionChoice& choice)
{
    if (choice.optionsIrrelevant) return "この予想はオプション数によって変わりません。";
    const TargetRange first = firstHalf(backtest);
    const TargetRange second = secondHalf(backtest);
    if (first.end == first.begin) return "対象の回が少なく、前半と後半に分けられません。";
    std::string text = "前半" + std::to_string(first.end - first.begin) +
                       "回で最も当たったオプション数は" + std::to_string(choice.bestCount) +
                       "（差 " + signedOne(choice.firstHalfExcess) + "）。同じ設定は後半" +
                       std::to_string(second.end - second.begin) + "回で差 " +
                       signedOne(choice.secondHalfExcess) + "、p値 " +
                       formatPValue(choice.secondHalf.pValue) + "：";
    if (choice.secondHalf.consistentWithChance())
        text += "後半では偶然と区別できません。";
    else if (choice.secondHalf.excess > 0)
        text += "後半でも偶然より多く当たっています。";
    else
        text += "後半では偶然より少なくなっています。";
    return text;
}

ResultGrid backtestGrid(const Backtest& backtest, int enabledOptionCount)
{
    const int rows = kTitleRows + kSuggestionSetCount * kRowsPerSet;
    ResultGrid grid = startAnalysisGrid({kColumns, rows, kColumns, 30, ScrollBars::Vertical, 0, 0});
    grid.setOverflow(true);
    grid.setColumnWidth(1, 22);
    for (int col = 2; col <= kColumns; ++col)
        grid.setColumnWidth(col, 8);

    const std::vector<int>& targets = backtest.targetDrawNos();
    std::string title = "オプション数 " + std::to_string(enabledOptionCount) + "　";
    if (targets.empty())
        title += "対象となる回がありません";
    else
        title += "対象 第" + std::to_string(targets.front()) + "回〜第" +
                 std::to_string(targets.back()) + "回の" + std::to_string(targets.size()) +
                 "回（各回の予想はその回より前のデータだけで求めたもの）";
    grid.setText(1, 1, title);
    grid.setHAlign(grid.row(1), HAlign::Left);

    const TargetRange all = allTargets(backtest);
    for (int s = 0; s < kSuggestionSetCount; ++s) {
        const int top = kTitleRows + 1 + s * kRowsPerSet;
        const SetSummary summary = summarizeSet(backtest, enabledOptionCount, s, all);
        const ChanceTest test = testAgainstChance(backtest, enabledOptionCount, s, all);

        grid.setText(1, top,
                     std::string(kSuggestionSetNames[s]) + "（平均" +
                         format("%.1f", summary.meanSize) + "個）");
        for (int x = 0; x <= 5; ++x)
            grid.setText(kHitColumn + x, top, std::to_string(x) + "個");
        grid.setText(kTotalColumn, top, "的中計");
        grid.setText(kBonusColumn, top, "ボーナス");
        grid.setColors(blockOf(1, top, kColumns, top), kHeadingText, kHeadingBack);

        grid.setText(1, top + 1, "実際の回数");
        grid.setText(1, top + 2, "偶然の期待");
        for (int x = 0; x <= 5; ++x) {
            grid.setNumber(kHitColumn + x, top + 1, summary.hitCounts[x]);
            grid.setText(kHitColumn + x, top + 2, format("%.1f", summary.expectedCounts[x]));
        }
        grid.setNumber(kTotalColumn, top + 1, summary.observedHits);
        grid.setText(kTotalColumn, top + 2, format("%.1f", summary.expectedHits));
        grid.setNumber(kBonusColumn, top + 1, summary.bonusHits);
        grid.setText(kBonusColumn, top + 2, format("%.1f", summary.expectedBonusHits));

        grid.setText(1, top + 3, "等級（5個の回 " + std::to_string(summary.ticketTargets) + "）");
        grid.setText(1, top + 4, "等級 偶然の期待");
        for (int i = 0; i < kTierCount; ++i) {
            grid.setText(2 + 2 * i, top + 3, kTierNames[i]);
            grid.setNumber(3 + 2 * i, top + 3, summary.tiers[i]);
            grid.setText(2 + 2 * i, top + 4, kTierNames[i]);
            grid.setText(3 + 2 * i, top + 4, format("%.2f", summary.expectedTiers[i]));
        }
        grid.setAllBorders(blockOf(1, top, kColumns, top + 4));
        grid.setBackground(blockOf(1, top + 1, 1, top + 4), kRowLabelBack);

        grid.setText(1, top + 5, "的中の差（95%区間）");
        grid.setText(2, top + 5,
                     signedOne(test.excess) + "（" + signedOne(test.excessLow) + "〜" +
                         signedOne(test.excessHigh) + "）");
        grid.setHAlign(cellAt(2, top + 5), HAlign::Left);
        grid.setText(kTotalColumn, top + 5, "p値");
        grid.setText(kBonusColumn, top + 5, formatPValue(test.pValue));

        grid.setText(1, top + 6, chanceVerdict(summary, test));
        grid.setForeground(cellAt(1, top + 6),
                           test.consistentWithChance() || test.excess < 0 ? kRed : kBlue);
        grid.setText(1, top + 7, optionChoiceText(backtest, chooseOptionCount(backtest, s)));
        grid.setHAlign(blockOf(1, top + 5, 1, top + 7), HAlign::Left);
    }
    return grid;
}
