// What the window 組合せ作成 shows beside the combinations, built without Qt: the suggestion rows
// taken from the prediction (and their small grid), the lines that say what a reduced set gives
// the player, and the text its copy and CSV buttons write.
#pragma once

#include <string>
#include <vector>

#include "core/draws/draw_history.h"
#include "core/grid/result_grid.h"
#include "core/tickets/combination_builder.h"

struct ComboSuggestion {
    std::string name;          // "周期法7" .. "周期法12", "連発", "一発"
    std::vector<int> numbers;  // may be empty
    bool cycle = false;        // one of the cycle methods (shaded differently)
};
// The four cycle methods' numbers (positions 1..5 without repeats), then 連発 and 一発.
std::vector<ComboSuggestion> comboSuggestions(const DrawHistory& history, int latestDrawNo,
                                              int enabledOptions);
// One row per suggestion: its name, then its numbers.
ResultGrid comboSuggestionGrid(const std::vector<ComboSuggestion>& suggestions);

// For a reduced set: the tickets and cost against the full count it replaces and what it saves,
// then the exact odds over every draw.
std::vector<std::string> comboSummaryLines(const ComboResult& result, Guarantee guarantee);

// "No,第1数字,...": one numbered line per ticket.
std::string comboCsvText(const std::vector<TicketNumbers>& tickets);
// The five numbers tab-separated, one ticket a line.
std::string comboClipboardText(const std::vector<TicketNumbers>& tickets);
