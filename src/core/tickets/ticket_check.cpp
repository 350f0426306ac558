#include "core/tickets/ticket_check.h"

DrawLookup::DrawLookup(const DrawHistory& history)
{
    for (const auto& draw : history.draws()) {
        if (!draw || draw->drawNo < 1 || draw->drawNo > kHighestDrawNo) continue;
        const auto index = static_cast<std::size_t>(draw->drawNo);
        if (m_draws.size() <= index) m_draws.resize(index + 1);
        if (!m_draws[index]) m_draws[index] = *draw;
    }
}

const Draw* DrawLookup::find(int drawNo) const
{
    if (drawNo < 0 || static_cast<std::size_t>(drawNo) >= m_draws.size()) return nullptr;
    const auto& draw = m_draws[static_cast<std::size_t>(drawNo)];
    return draw ? &*draw : nullptr;
}

std::optional<double> TicketTotals::returnRate() const
{
    if (checkedCost == 0) return std::nullopt;
    return static_cast<double>(winnings) / static_cast<double>(checkedCost);
}

void TicketTotals::add(const CheckedTicket& line)
{
    const long long count = line.ticket.count;
    tickets += count;
    cost += count * kTicketPriceYen;
    if (!line.check) {
        unchecked += count;
        return;
    }
    checkedCost += count * kTicketPriceYen;
    const int tier = tierIndex(line.check->tier);
    if (tier < 0) return;
    byTier[static_cast<std::size_t>(tier)] += count;
    if (line.prize)
        winnings += *line.prize;
    else
        unpriced += count;
}

TicketReport checkTickets(const std::vector<StoredTicket>& tickets, const DrawLookup& draws,
                          const std::map<int, PrizeAmounts>& amounts)
{
    TicketReport report;
    report.tickets.reserve(tickets.size());
    for (const StoredTicket& ticket : tickets) {
        CheckedTicket line{ticket, std::nullopt, std::nullopt};
        if (const Draw* draw = draws.find(ticket.drawNo)) {
            line.check = checkTicket(ticket.numbers, *draw);
            const int tier = tierIndex(line.check->tier);
            const auto prizes = amounts.find(ticket.drawNo);
            if (tier >= 0 && prizes != amounts.end())
                if (const auto& yen = prizes->second[static_cast<std::size_t>(tier)])
                    line.prize = *yen * ticket.count;
        }
        report.byDraw[ticket.drawNo].add(line);
        report.total.add(line);
        report.tickets.push_back(std::move(line));
    }
    return report;
}
