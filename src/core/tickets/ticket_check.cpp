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

PrizeTable prizeTable(const std::map<int, PrizeAmounts>& typed,
                      const std::vector<DrawPrizes>& imported)
{
    PrizeTable table;
    for (const DrawPrizes& draw : imported) {
        DrawPrizeAmounts& amounts = table[draw.drawNo];
        for (int t = 0; t < kPrizeTierCount; ++t)
            if (const auto yen = draw.paidYen(t)) {
                amounts.yen[static_cast<std::size_t>(t)] = yen;
                amounts.source[static_cast<std::size_t>(t)] = PrizeSource::Imported;
            }
    }
    for (const auto& [drawNo, yen] : typed) {
        DrawPrizeAmounts& amounts = table[drawNo];
        for (std::size_t t = 0; t < yen.size(); ++t)
            if (yen[t]) {
                amounts.yen[t] = yen[t];
                amounts.source[t] = PrizeSource::Typed;
            }
    }
    return table;
}

TicketReport checkTickets(const std::vector<StoredTicket>& tickets, const DrawLookup& draws,
                          const std::map<int, PrizeAmounts>& amounts)
{
    return checkTickets(tickets, draws, prizeTable(amounts, {}));
}

TicketReport checkTickets(const std::vector<StoredTicket>& tickets, const DrawLookup& draws,
                          const PrizeTable& prizes)
{
    TicketReport report;
    report.tickets.reserve(tickets.size());
    for (const StoredTicket& ticket : tickets) {
        CheckedTicket line{ticket, std::nullopt, std::nullopt};
        if (const Draw* draw = draws.find(ticket.drawNo)) {
            line.check = checkTicket(ticket.numbers, *draw);
            const int tier = tierIndex(line.check->tier);
            const auto amounts = prizes.find(ticket.drawNo);
            if (tier >= 0 && amounts != prizes.end())
                if (const auto& yen = amounts->second.yen[static_cast<std::size_t>(tier)]) {
                    line.prize = *yen * ticket.count;
                    line.prizeSource = amounts->second.source[static_cast<std::size_t>(tier)];
                }
        }
        report.byDraw[ticket.drawNo].add(line);
        report.total.add(line);
        report.tickets.push_back(std::move(line));
    }
    return report;
}
