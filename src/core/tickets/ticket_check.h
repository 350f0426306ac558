// Checks registered tickets against the draw history: matched numbers and tier of every ticket,
// and per draw and overall the tickets, cost, prizes by tier, winnings and return rate.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <vector>

#include "core/draws/draw_history.h"
#include "core/draws/draw_prizes.h"
#include "core/tickets/ticket_store.h"

// The complete draws by draw number, for looking tickets up; the first complete row of a
// repeated draw number counts.
class DrawLookup {
public:
    explicit DrawLookup(const DrawHistory& history);
    const Draw* find(int drawNo) const;

private:
    std::vector<std::optional<Draw>> m_draws;  // indexed by draw number 0..highest
};

// Where the amount of a tier of a draw comes from. The player's own amount wins over the one
// imported with the draws: a player who typed it knows what the counter paid.
enum class PrizeSource { Unknown, Typed, Imported };
struct DrawPrizeAmounts {
    PrizeAmounts yen;  // per ticket
    std::array<PrizeSource, kPrizeTierCount> source{};
};
using PrizeTable = std::map<int, DrawPrizeAmounts>;  // by draw number
// The amounts the player typed laid over the imported ones; a tier the imported data says had
// no winner is 0 yen.
PrizeTable prizeTable(const std::map<int, PrizeAmounts>& typed,
                      const std::vector<DrawPrizes>& imported);

struct CheckedTicket {
    StoredTicket ticket;
    std::optional<TicketCheck> check;  // nothing while the draw is not in the history
    std::optional<long long> prize;    // yen for the whole line, when the tier's amount is known
    PrizeSource prizeSource = PrizeSource::Unknown;
};

// Every count is in 口 (a line of count 3 is three tickets).
struct TicketTotals {
    long long tickets = 0;
    long long cost = 0;  // yen
    std::array<long long, kPrizeTierCount> byTier{};
    long long winnings = 0;     // yen, from the typed and the imported amounts
    long long unpriced = 0;     // prizes whose amount is not known yet
    long long unchecked = 0;    // tickets whose draw is not in the history
    long long checkedCost = 0;  // cost of the checked tickets: the base of the return rate

    // Winnings per yen spent on checked tickets (1.0 = broke even); nothing before any check.
    std::optional<double> returnRate() const;
    // Whether the return rate is final: no winning ticket is waiting for its amount.
    bool returnRateSettled() const { return unpriced == 0; }
    void add(const CheckedTicket& line);
};

struct TicketReport {
    std::vector<CheckedTicket> tickets;  // in the order given
    std::map<int, TicketTotals> byDraw;
    TicketTotals total;
};

TicketReport checkTickets(const std::vector<StoredTicket>& tickets, const DrawLookup& draws,
                          const PrizeTable& prizes);
// With only the amounts the player typed.
TicketReport checkTickets(const std::vector<StoredTicket>& tickets, const DrawLookup& draws,
                          const std::map<int, PrizeAmounts>& amounts);
