// How current the draw history is, in one line for the main window's status bar.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "core/draws/draw_history.h"

// Draws are weekly: a latest draw older than this suggests newer results are out.
inline constexpr int kStaleAfterDays = 7;

struct HistoryStatus {
    std::size_t draws = 0;  // complete draws in the history
    int latestDrawNo = 0;   // 回数 of the last complete draw; 0 without one
    std::optional<std::chrono::year_month_day> latestDate;  // its 日付, when it reads as a date
    std::optional<int> daysOld;                             // days from that date to today
    bool probablyBehind = false;                            // daysOld > kStaleAfterDays
};

// A stored 日付 as a date: "2025-11-25", "2025/11/25" (a time of day after it is ignored) or
// "2025年11月25日"; nothing for anything else.
std::optional<std::chrono::year_month_day> parseDrawDate(const RawValue& value);

HistoryStatus historyStatus(const DrawHistory& history, std::chrono::sys_days today);

// "当選データ1353回分　最新は第1353回（2025年11月25日）"
std::string historyStatusText(const HistoryStatus& status);
// "最新の当選日から9日たっています。新しい当選データが出ているかもしれません。" when the history is
// probably behind; empty otherwise.
std::string historyStaleHint(const HistoryStatus& status);
