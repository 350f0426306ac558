// The grids the ticket windows show, built without Qt: the combination list of 組合せ作成 and the
// per-draw totals of 購入記録.
#pragma once

#include <vector>

#include "core/grid/result_grid.h"
#include "core/tickets/ticket_check.h"

// Columns of the combination list: No., the five numbers, sum, odd/even and low/high letters.
inline constexpr int kComboListColumns = 9;

// One row per ticket after a heading row, at most `limit` tickets.
ResultGrid comboListGrid(const std::vector<TicketNumbers>& tickets, std::size_t limit);

// One row per draw and a closing 合計 row: tickets, cost, prizes by tier, winnings, prizes
// without an amount, return rate.
ResultGrid ticketTotalsGrid(const TicketReport& report);

// "12.5%"; "－" when nothing is checked yet; "未確定" while a winning ticket has no amount (the
// rate would read too low).
std::string returnRateText(const TicketTotals& totals);
// "1,234,000" for yen.
std::string yenText(long long yen);
