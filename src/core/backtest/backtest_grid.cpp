#include "core/backtest/backtest_grid.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "core/analyses/analysis_grid.h"
#include "core/lottery/lottery_rules.h"

namespace {

constexpr int kColumns = 9;
constexpr int kTitleRows = 3;    // the range, how the suggestions were made, a blank row
constexpr int kTableRows = 6;    // heading, counts, expectations, two tier rows, the difference
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

// A paragraph as the rows it is shown in: one sentence (or clause ending in "：") a row, so no
// row runs past the table and widens its first column.
std::vector<std::string> sentenceRows(const std::string& text)
{
    std::vector<std::string> rows;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t next = std::string::npos;
        std::size_t length = 0;
        for (const std::string_view end : {std::string_view("。"), std::string_view("：")}) {
            const std::size_t found = text.find(end, at);
            if (found < next) next = found, length = end.size();
        }
        if (next == std::string::npos) break;
        at = next + length;
        rows.push_back(text.substr(start, at - start));
        start = at;
    }
    if (start < text.size()) rows.push_back(text.substr(start));
    return rows;
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
    const TargetRange all = allTargets(backtest);
    struct SetRows {
        SetSummary summary;
        ChanceTest test;
        std::vector<std::string> verdict;
        std::vector<std::string> choice;
    };
    std::vector<SetRows> sets;
    int rows = kTitleRows;
    for (int s = 0; s < kSuggestionSetCount; ++s) {
        SetRows set{summarizeSet(backtest, enabledOptionCount, s, all),
                    testAgainstChance(backtest, enabledOptionCount, s, all),
                    {},
                    sentenceRows(optionChoiceText(backtest, chooseOptionCount(backtest, s)))};
        set.verdict = sentenceRows(chanceVerdict(set.summary, set.test));
        // The table, its sentences and a blank row before the next table.
        rows += kTableRows + static_cast<int>(set.verdict.size() + set.choice.size()) + 1;
        sets.push_back(std::move(set));
    }
    ResultGrid grid = startAnalysisGrid(GridFrame{.columns = kColumns,
                                                  .rows = rows,
                                                  .shownColumns = kColumns,
                                                  .shownRows = 30,
                                                  .scrollBars = ScrollBars::Vertical,
                                                  .frozenRows = 0,
                                                  .frozenColumns = 0});
    grid.setOverflow(true);
    grid.setColumnWidth(1, 22);
    for (int col = 2; col <= kColumns; ++col)
        grid.setColumnWidth(col, 8);

    const std::vector<int>& targets = backtest.targetDrawNos();
    std::string title = "オプション数 " + std::to_string(enabledOptionCount) + "　";
    if (targets.empty()) {
        title += "対象となる回がありません";
    } else {
        title += "対象 第" + std::to_string(targets.front()) + "回〜第" +
                 std::to_string(targets.back()) + "回の" + std::to_string(targets.size()) + "回";
        grid.setText(1, 2, "（各回の予想はその回より前のデータだけで求めたもの）");
    }
    grid.setText(1, 1, title);
    grid.setHAlign(blockOf(1, 1, 1, 2), HAlign::Left);

    int top = kTitleRows + 1;
    for (int s = 0; s < kSuggestionSetCount; ++s) {
        const SetSummary& summary = sets[s].summary;
        const ChanceTest& test = sets[s].test;

        grid.setText(1, top,
                     std::string(kSuggestionSetNames[s]) + "（平均" +
                         format("%.1f", summary.meanSize) + "個）");
        for (int x = 0; x <= kMainCount; ++x)
            grid.setText(kHitColumn + x, top, std::to_string(x) + "個");
        grid.setText(kTotalColumn, top, "的中計");
        grid.setText(kBonusColumn, top, "ボーナス");
        grid.setColors(blockOf(1, top, kColumns, top), kHeadingText, kHeadingBack);

        grid.setText(1, top + 1, "実際の回数");
        grid.setText(1, top + 2, "偶然の期待");
        for (int x = 0; x <= kMainCount; ++x) {
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

        int row = top + kTableRows;
        const Rgb verdictColour = test.consistentWithChance() || test.excess < 0 ? kRed : kBlue;
        for (const std::string& line : sets[s].verdict) {
            grid.setText(1, row, line);
            grid.setForeground(cellAt(1, row++), verdictColour);
        }
        for (const std::string& line : sets[s].choice)
            grid.setText(1, row++, line);
        grid.setHAlign(blockOf(1, top + 5, 1, row - 1), HAlign::Left);
        top = row + 1;
    }
    return grid;
}
