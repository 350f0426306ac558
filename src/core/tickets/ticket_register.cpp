#include "core/tickets/ticket_register.h"

#include <algorithm>

#include "core/draws/draw_database.h"
#include "core/tickets/ticket_grids.h"

namespace {

Result<StoredTicket> ticketFromForm(int drawNo, const std::string& numbers, int count)
{
    auto list = parseNumberList(numbers);
    if (!list) return Error{list.error()};
    auto sorted = ticketNumbers(*list);
    if (!sorted) return Error{sorted.error()};
    StoredTicket ticket;
    ticket.drawNo = drawNo;
    ticket.numbers = *sorted;
    ticket.count = count;
    ticket.source = "手入力";
    if (auto valid = validTicket(ticket); !valid) return Error{valid.error()};
    return ticket;
}

std::string amountName(PrizeTier tier)
{
    return std::string(tierName(tier)) + "の当選金額";
}

}  // namespace

TicketRegister::TicketRegister(std::string connectString, DrawHistory snapshot,
                               const std::string& ticketFile)
    : m_connectString(std::move(connectString)), m_snapshot(std::move(snapshot))
{
    auto store = TicketStore::open(ticketFile);
    if (store)
        m_store.emplace(std::move(store.value()));
    else
        m_storeError = store.error();
    reload();
}

void TicketRegister::reload()
{
    DrawHistory draws = m_snapshot;
    std::vector<DrawPrizes> imported;
    m_drawNote.clear();
    if (!m_connectString.empty()) {
        auto database = DrawDatabase::open(m_connectString);
        Result<std::vector<DrawRow>> rows =
            database ? database->readAllDraws()
                     : Result<std::vector<DrawRow>>(Error{database.error()});
        auto prizes = database ? database->readPrizes()
                               : Result<std::vector<DrawPrizes>>(Error{database.error()});
        if (rows && prizes) {
            draws = DrawHistory(std::move(rows.value()));
            imported = std::move(prizes.value());
        } else {
            m_drawNote = "（当選データを読み直せないため起動時のデータで照合: " +
                         (rows ? prizes.error() : rows.error()) + "）";
        }
    }
    m_lookup = DrawLookup(draws);
    m_latestDrawNo = 0;
    for (const auto& draw : draws.draws())
        if (draw) m_latestDrawNo = std::max(m_latestDrawNo, draw->drawNo);
    m_imported.clear();
    for (const DrawPrizes& draw : imported)
        m_imported[draw.drawNo] = draw;

    std::vector<StoredTicket> tickets;
    m_problem = m_storeError;
    m_typed.clear();
    if (m_store) {
        auto stored = m_store->tickets();
        auto amounts = m_store->prizeAmounts();
        if (stored && amounts) {
            tickets = std::move(stored.value());
            m_typed = std::move(amounts.value());
        } else {
            m_problem = stored ? amounts.error() : stored.error();
        }
    }
    m_prizes = prizeTable(m_typed, imported);
    m_report = checkTickets(tickets, m_lookup, m_prizes);
}

std::string TicketRegister::statusText() const
{
    const TicketTotals& total = m_report.total;
    std::string status = m_problem.empty()
                             ? std::to_string(total.tickets) + " 口　購入額 " +
                                   yenText(total.cost) + " 円　当選金 " + yenText(total.winnings) +
                                   " 円　回収率 " + returnRateText(total)
                             : m_problem;
    if (total.unpriced)
        status += "　当選金額が未入力の当選 " + std::to_string(total.unpriced) + " 口";
    if (total.unchecked) status += "　未抽選 " + std::to_string(total.unchecked) + " 口";
    return status + m_drawNote;
}

std::optional<long long> TicketRegister::typedAmount(int drawNo, int tier) const
{
    const auto found = m_typed.find(drawNo);
    if (found == m_typed.end() || tier < 0 || tier >= kPrizeTierCount) return std::nullopt;
    return found->second[static_cast<std::size_t>(tier)];
}

std::optional<long long> TicketRegister::importedAmount(int drawNo, int tier) const
{
    const auto found = m_imported.find(drawNo);
    if (found == m_imported.end()) return std::nullopt;
    return found->second.paidYen(tier);
}

Status TicketRegister::add(int drawNo, const std::string& numbers, int count)
{
    if (!m_store) return Error{m_storeError};
    auto ticket = ticketFromForm(drawNo, numbers, count);
    if (!ticket) return Error{ticket.error()};
    auto added = m_store->add({*ticket});
    if (!added) return Error{added.error()};
    reload();
    return success();
}

Status TicketRegister::update(long long id, int drawNo, const std::string& numbers, int count)
{
    auto ticket = ticketFromForm(drawNo, numbers, count);
    if (!ticket) return Error{ticket.error()};
    if (!m_store) return Error{m_storeError};
    ticket->id = id;
    // Editing keeps where the ticket came from.
    for (const CheckedTicket& line : m_report.tickets)
        if (line.ticket.id == id) ticket->source = line.ticket.source;
    if (Status done = m_store->update(*ticket); !done) return done;
    reload();
    return success();
}

Status TicketRegister::remove(long long id)
{
    if (!m_store) return Error{m_storeError};
    if (Status done = m_store->remove(id); !done) return done;
    reload();
    return success();
}

Status TicketRegister::setTypedAmount(int drawNo, PrizeTier tier, const std::string& text)
{
    auto amount = typedPrizeAmount(text, amountName(tier));
    if (!amount) return Error{amount.error()};
    if (!m_store) return Error{m_storeError};
    if (Status done = m_store->setPrizeAmount(drawNo, tier, *amount); !done) return done;
    reload();
    return success();
}

Status TicketRegister::setTypedAmounts(int drawNo,
                                       const std::array<std::string, kPrizeTierCount>& texts)
{
    // Every amount first, so that a typing mistake stores none of them.
    PrizeAmounts amounts;
    for (std::size_t t = 0; t < texts.size(); ++t) {
        auto amount = typedPrizeAmount(texts[t], amountName(kPrizeTiers[t]));
        if (!amount) return Error{amount.error()};
        amounts[t] = *amount;
    }
    if (!m_store) return Error{m_storeError};
    Status done = success();
    for (std::size_t t = 0; t < texts.size() && done; ++t)
        done = m_store->setPrizeAmount(drawNo, kPrizeTiers[t], amounts[t]);
    reload();
    return done;
}

std::string tierText(const CheckedTicket& line)
{
    if (!line.check) return "未抽選";
    if (line.check->tier == PrizeTier::None) return "－";
    return tierName(line.check->tier);
}

std::string prizeText(const CheckedTicket& line)
{
    if (line.prize) return yenText(*line.prize);
    if (line.check && line.check->tier != PrizeTier::None) return "金額未入力";
    return {};
}
