#include "core/tickets/combination_view.h"

#include <algorithm>
#include <cstdio>

#include "core/analyses/analysis_grid.h"
#include "core/grid/palette.h"
#include "core/prediction/prediction_engine.h"
#include "core/tickets/ticket_grids.h"

namespace {

std::string percentText(long long part, long long whole)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f%%",
                  whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
    return text;
}

std::string countText(long long part, long long whole)
{
    return yenText(part) + " 通り（" + percentText(part, whole) + "）";
}

}  // namespace

std::vector<ComboSuggestion> comboSuggestions(const DrawHistory& history, int latestDrawNo,
                                              int enabledOptions)
{
    PredictionEngine engine;
    engine.ScanCycles(history);
    const PredictionNumbers prediction = engine.predict(latestDrawNo, enabledOptions);
    std::vector<ComboSuggestion> suggestions;
    for (int method = 0; method < kCycleMethodCount; ++method) {
        ComboSuggestion row;
        row.name = "周期法" + std::to_string(kCycleLengths[static_cast<std::size_t>(method)]);
        row.cycle = true;
        // The main-number positions, as the cycle grid of 一発ボボーン shows them.
        for (int position = 1; position <= kMainCount; ++position) {
            const auto n = engine.cycleNumber(method, position);
            if (n && isValidNumber(*n) &&
                std::find(row.numbers.begin(), row.numbers.end(), *n) == row.numbers.end())
                row.numbers.push_back(*n);
        }
        suggestions.push_back(row);
    }
    suggestions.push_back({"連発", prediction.multiShot, false});
    suggestions.push_back({"一発", prediction.oneShot, false});
    return suggestions;
}

ResultGrid comboSuggestionGrid(const std::vector<ComboSuggestion>& suggestions)
{
    const int rows = static_cast<int>(suggestions.size());
    ResultGrid grid = startAnalysisGrid({11, rows, 11, rows, ScrollBars::None, 0, 1});
    grid.setColumnWidth(1, 9);
    grid.setDefaultColumnWidth(3.5);
    grid.setColumnWidth(1, 8);
    grid.setColors(grid.column(1), kHeadingText, kHeadingBack);
    for (int r = 0; r < rows; ++r) {
        const ComboSuggestion& row = suggestions[static_cast<std::size_t>(r)];
        grid.setText(1, r + 1, row.name);
        for (std::size_t k = 0; k < row.numbers.size() && k < 10; ++k)
            grid.setNumber(static_cast<int>(k) + 2, r + 1, row.numbers[k]);
        grid.setBackground(blockOf(2, r + 1, static_cast<int>(row.numbers.size()) + 1, r + 1),
                           row.cycle ? kMarkedBack : kDrawNoBack);
    }
    grid.setAllBorders(grid.all());
    return grid;
}

std::vector<std::string> comboSummaryLines(const ComboResult& result, Guarantee guarantee)
{
    const std::string t = std::to_string(guarantee.t);
    const std::string m = std::to_string(guarantee.m);
    std::vector<std::string> lines;
    lines.push_back(yenText(result.count()) + " 口　" + yenText(result.cost()) +
                    " 円（全部買えば " + yenText(result.fullCount()) + " 口 " +
                    yenText(result.fullCount() * kTicketPriceYen) + " 円、" +
                    yenText(result.savedYen()) + " 円の節約）");
    const ComboOdds& odds = result.odds;
    std::string kept = odds.promiseKept == odds.conditionMet
                           ? "そのすべてでどれか1口が" + t + "個以上一致"
                           : "そのうちどれか1口が" + t + "個以上一致するのは " +
                                 countText(odds.promiseKept, odds.draws);
    lines.push_back("全 " + yenText(odds.draws) + " 通りの当選数字のうち、当選数字" + m +
                    "個以上が選んだ数字に入るのは " + countText(odds.conditionMet, odds.draws) +
                    "、" + kept);
    lines.push_back("どれか1口が4等以上になるのは " + countText(odds.fourthOrBetter, odds.draws));
    if (result.cancelled) lines.push_back("探索を中止しました（確認済みの最小の組合せを表示）");
    return lines;
}

std::string comboCsvText(const std::vector<TicketNumbers>& tickets)
{
    std::string text = "No,第1数字,第2数字,第3数字,第4数字,第5数字\n";
    int row = 1;
    for (const TicketNumbers& t : tickets)
        text += std::to_string(row++) + ',' + numbersText(t, ",") + '\n';
    return text;
}

std::string comboClipboardText(const std::vector<TicketNumbers>& tickets)
{
    std::string text;
    for (const TicketNumbers& t : tickets)
        text += numbersText(t, "\t") + '\n';
    return text;
}
