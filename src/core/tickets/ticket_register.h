// TicketRegister: what 購入記録 shows and does, without Qt. Reads the tickets and the amounts the
// player typed from the ticket file, the draws and their imported prizes from the draw database,
// checks every ticket, and adds, changes and removes tickets and typed amounts.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/base/result.h"
#include "core/draws/draw_history.h"
#include "core/tickets/ticket_check.h"
#include "core/tickets/ticket_store.h"

class TicketRegister {
public:
    // The draws are read afresh from the draw database (connectString) at every reload, so that
    // a draw typed or imported since start-up is checked; the snapshot stands in when the
    // database cannot be read, or when connectString is empty.
    TicketRegister(std::string connectString, DrawHistory snapshot, const std::string& ticketFile);

    // The store's message when the ticket file could not be opened (nothing can be written).
    const std::string& storeError() const { return m_storeError; }
    bool writable() const { return m_store.has_value(); }

    // Re-reads tickets, typed amounts, draws and imported prizes, and checks again.
    void reload();

    const TicketReport& report() const { return m_report; }
    const DrawLookup& draws() const { return m_lookup; }
    const PrizeTable& prizes() const { return m_prizes; }
    int latestDrawNo() const { return m_latestDrawNo; }
    // One line: tickets, cost, winnings, return rate, what is still open, and any problem.
    std::string statusText() const;

    // Typed by the player, and imported with the draws, for tier index t (0 = 1等).
    std::optional<long long> typedAmount(int drawNo, int tier) const;
    std::optional<long long> importedAmount(int drawNo, int tier) const;
    bool hasImportedPrizes(int drawNo) const { return m_imported.count(drawNo) > 0; }

    // The form's actions: numbers as typed ("1,5,12,20,31"). Each reloads on success.
    Status add(int drawNo, const std::string& numbers, int count);
    Status update(long long id, int drawNo, const std::string& numbers, int count);
    Status remove(long long id);
    // Sets (empty text: clears, so the imported amount counts again) one tier's typed amount.
    Status setTypedAmount(int drawNo, PrizeTier tier, const std::string& text);
    // All tiers of a draw; every text is checked before any is stored.
    Status setTypedAmounts(int drawNo, const std::array<std::string, kPrizeTierCount>& texts);

private:
    std::string m_connectString;
    DrawHistory m_snapshot;
    std::optional<TicketStore> m_store;
    std::string m_storeError;
    std::string m_problem;   // reading the ticket file failed
    std::string m_drawNote;  // the draws came from the snapshot because the database failed
    DrawLookup m_lookup{DrawHistory()};
    int m_latestDrawNo = 0;
    std::map<int, PrizeAmounts> m_typed;
    std::map<int, DrawPrizes> m_imported;
    PrizeTable m_prizes;
    TicketReport m_report;
};

// "未抽選", "－", "1等" … for a checked line.
std::string tierText(const CheckedTicket& line);
// "10,000", "0", "金額未入力" or empty for a line's prize.
std::string prizeText(const CheckedTicket& line);
