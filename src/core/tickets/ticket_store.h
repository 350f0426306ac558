// TicketStore: the player's bought tickets and the prize amounts they typed in, in a plain SQLite
// file of their own (never the draw database, which a data update replaces).
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/base/result.h"
#include "core/tickets/ticket.h"

struct sqlite3;

inline constexpr int kTicketSchemaVersion = 1;
inline constexpr int kMaxTicketCount = 9999;  // 口数 of one register line
inline constexpr const char* kTicketFileName = "tickets.sqlite";

struct StoredTicket {
    long long id = 0;  // given by the store; 0 for a ticket not yet stored
    int drawNo = 0;
    TicketNumbers numbers{};
    int count = 1;       // 口数: identical tickets bought
    std::string source;  // where the numbers came from ("組合せ作成", "手入力", ...)
};

// Yen paid per ticket for each tier of one draw; nothing where the player has not typed it.
using PrizeAmounts = std::array<std::optional<long long>, kPrizeTierCount>;

class TicketStore {
public:
    // Opens the file, creating it (and its folder) when it does not exist. A file that is not a
    // ticket file, is damaged or comes from a newer version is refused and left untouched.
    static Result<TicketStore> open(const std::string& path);

    TicketStore(TicketStore&& other) noexcept;
    TicketStore& operator=(TicketStore&& other) noexcept;
    TicketStore(const TicketStore&) = delete;
    TicketStore& operator=(const TicketStore&) = delete;
    ~TicketStore();

    // Ordered by draw number, then by id.
    Result<std::vector<StoredTicket>> tickets() const;
    // Adds all the tickets in one transaction (all or none); returns their ids.
    Result<std::vector<long long>> add(const std::vector<StoredTicket>& tickets);
    Status update(const StoredTicket& ticket);
    Status remove(long long id);

    Result<std::map<int, PrizeAmounts>> prizeAmounts() const;
    // Sets (or with nothing, clears) the amount of one tier of one draw.
    Status setPrizeAmount(int drawNo, PrizeTier tier, std::optional<long long> yen);

    const std::string& path() const { return m_path; }

private:
    TicketStore(sqlite3* db, std::string path) : m_db(db), m_path(std::move(path)) {}
    std::string errorText(const std::string& message) const;
    Status checkWritable() const;

    sqlite3* m_db = nullptr;
    std::string m_path;
};

// A ticket's draw number, numbers and count as the store accepts them; the message otherwise.
Status validTicket(const StoredTicket& ticket);

// The player's own ticket file: tickets.sqlite in the player's data folder.
std::string defaultTicketFile();
