#include "core/tickets/ticket_store.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "core/base/file_replacement.h"
#include "core/base/player_folders.h"
#include "core/base/sql_transaction.h"
#include "core/base/sqlite_statement.h"

namespace {

constexpr const char* kSchema =
    "CREATE TABLE tickets ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, draw INTEGER NOT NULL,"
    " n1 INTEGER NOT NULL, n2 INTEGER NOT NULL, n3 INTEGER NOT NULL, n4 INTEGER NOT NULL,"
    " n5 INTEGER NOT NULL, count INTEGER NOT NULL DEFAULT 1, source TEXT NOT NULL DEFAULT '');"
    "CREATE INDEX tickets_draw ON tickets (draw);"
    // Yen per ticket; one row per draw and tier (1..4) that the player has typed in.
    "CREATE TABLE prizes (draw INTEGER NOT NULL, tier INTEGER NOT NULL, amount INTEGER NOT NULL,"
    " PRIMARY KEY (draw, tier));";

// The first column of the first row of a query, as text; nothing when the query fails.
std::optional<std::string> scalar(sqlite3* db, const char* sql)
{
    Statement statement(db, sql);
    if (!statement.prepared()) return std::nullopt;
    const int rc = sqlite3_step(statement.get());
    if (rc == SQLITE_DONE) return std::string();
    if (rc != SQLITE_ROW) return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0));
    return std::string(text ? text : "");
}

void bindTicket(sqlite3_stmt* stmt, const StoredTicket& ticket)
{
    sqlite3_bind_int(stmt, 1, ticket.drawNo);
    for (int k = 0; k < kTicketNumbers; ++k)
        sqlite3_bind_int(stmt, 2 + k, ticket.numbers[static_cast<std::size_t>(k)]);
    sqlite3_bind_int(stmt, 7, ticket.count);
    sqlite3_bind_text(stmt, 8, ticket.source.c_str(), static_cast<int>(ticket.source.size()),
                      SQLITE_TRANSIENT);
}

}  // namespace

Status validTicket(const StoredTicket& ticket)
{
    if (auto draw = checkDrawNo(ticket.drawNo); !draw) return draw;
    auto numbers = ticketNumbers({ticket.numbers.begin(), ticket.numbers.end()});
    if (!numbers) return Error{numbers.error()};
    if (ticket.count < 1 || ticket.count > kMaxTicketCount)
        return Error{"口数 " + std::to_string(ticket.count) + " は1から9999の範囲にありません"};
    return success();
}

std::string TicketStore::errorText(const std::string& message) const
{
    return m_path + ": " + message;
}

Status TicketStore::checkWritable() const
{
    // The engine would open a protected file for reading only and refuse the write in English,
    // or (for root) write it anyway.
    if (auto refusal = writeRefusal(m_path); !refusal.empty()) return Error{refusal};
    return success();
}

Result<TicketStore> TicketStore::open(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const bool existed = fs::exists(path, error);
    if (existed && !fs::is_regular_file(path, error))
        return Error{path + ": 購入記録のファイルではありません（フォルダなどです）"};
    if (!existed) {
        const fs::path folder = fs::path(path).parent_path();
        if (!folder.empty()) fs::create_directories(folder, error);
        if (error)
            return Error{folder.string() + ": フォルダを作れません（" + error.message() + "）"};
    }
    sqlite3* db = nullptr;
    // No key: SQLCipher without a key reads and writes a plain SQLite file.
    const int flags = SQLITE_OPEN_READWRITE | (existed ? 0 : SQLITE_OPEN_CREATE);
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    TicketStore store(db, path);
    if (rc != SQLITE_OK)
        return Error{store.errorText(std::string("開けません（") +
                                     (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)) + "）")};
    sqlite3_busy_timeout(db, 2000);

    const auto damaged = [&](const std::string& why) {
        return Error{store.errorText("購入記録のファイルが壊れているか、別の種類のファイルです（" +
                                     why + "）。ファイルは変更していません")};
    };
    // Reading the schema and a quick check write nothing, so a refused file stays as it was.
    const auto version = scalar(db, "PRAGMA user_version;");
    if (!version) return damaged(sqlite3_errmsg(db));
    const auto check = scalar(db, "PRAGMA quick_check;");
    if (!check) return damaged(sqlite3_errmsg(db));
    if (*check != "ok") return damaged(*check);
    const auto tables = scalar(db, "SELECT count(*) FROM sqlite_master;");
    if (!tables) return damaged(sqlite3_errmsg(db));

    const int schemaVersion = std::atoi(version->c_str());
    if (schemaVersion > kTicketSchemaVersion)
        return Error{store.errorText("新しい版のプログラムで作られた購入記録です（版 " + *version +
                                     "）。ファイルは変更していません")};
    if (schemaVersion == kTicketSchemaVersion) return store;
    if (*tables != "0") return damaged("購入記録の表がありません");

    // A new (or empty) file: the schema and its version in one transaction.
    SqlTransaction transaction(db);
    const std::string create = std::string(kSchema) +
                               "PRAGMA user_version = " + std::to_string(kTicketSchemaVersion) +
                               ";";
    if (!transaction.begun() ||
        sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK ||
        !transaction.commit())
        return Error{
            store.errorText(std::string("購入記録を作れません（") + sqlite3_errmsg(db) + "）")};
    return store;
}

TicketStore::TicketStore(TicketStore&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_path(std::move(other.m_path))
{
}

TicketStore& TicketStore::operator=(TicketStore&& other) noexcept
{
    if (this != &other) {
        sqlite3_close(m_db);
        m_db = std::exchange(other.m_db, nullptr);
        m_path = std::move(other.m_path);
    }
    return *this;
}

TicketStore::~TicketStore()
{
    sqlite3_close(m_db);
}

Result<std::vector<StoredTicket>> TicketStore::tickets() const
{
    Statement select(m_db, "SELECT id, draw, n1, n2, n3, n4, n5, count, source FROM tickets"
                           " ORDER BY draw, id;");
    if (!select.prepared()) return Error{errorText(sqlite3_errmsg(m_db))};
    std::vector<StoredTicket> tickets;
    int rc;
    while ((rc = sqlite3_step(select.get())) == SQLITE_ROW) {
        StoredTicket ticket;
        ticket.id = sqlite3_column_int64(select.get(), 0);
        ticket.drawNo = sqlite3_column_int(select.get(), 1);
        for (int k = 0; k < kTicketNumbers; ++k)
            ticket.numbers[static_cast<std::size_t>(k)] = sqlite3_column_int(select.get(), 2 + k);
        ticket.count = sqlite3_column_int(select.get(), 7);
        const auto* source = reinterpret_cast<const char*>(sqlite3_column_text(select.get(), 8));
        ticket.source = source ? source : "";
        tickets.push_back(std::move(ticket));
    }
    if (rc != SQLITE_DONE) return Error{errorText(sqlite3_errmsg(m_db))};
    return tickets;
}

Result<std::vector<long long>> TicketStore::add(const std::vector<StoredTicket>& tickets)
{
    for (const StoredTicket& ticket : tickets)
        if (auto valid = validTicket(ticket); !valid) return Error{valid.error()};
    if (Status writable = checkWritable(); !writable) return Error{writable.error()};
    SqlTransaction transaction(m_db);
    if (!transaction.begun()) return Error{errorText(sqlite3_errmsg(m_db))};
    Statement insert(m_db, "INSERT INTO tickets (draw, n1, n2, n3, n4, n5, count, source)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?);");
    if (!insert.prepared()) return Error{errorText(sqlite3_errmsg(m_db))};
    std::vector<long long> ids;
    ids.reserve(tickets.size());
    for (StoredTicket ticket : tickets) {
        std::sort(ticket.numbers.begin(), ticket.numbers.end());
        sqlite3_reset(insert.get());
        bindTicket(insert.get(), ticket);
        if (sqlite3_step(insert.get()) != SQLITE_DONE)
            return Error{errorText(std::string("書き込めません（") + sqlite3_errmsg(m_db) + "）")};
        ids.push_back(sqlite3_last_insert_rowid(m_db));
    }
    if (!transaction.commit())
        return Error{errorText(std::string("書き込めません（") + sqlite3_errmsg(m_db) + "）")};
    return ids;
}

Status TicketStore::update(const StoredTicket& ticket)
{
    if (auto valid = validTicket(ticket); !valid) return valid;
    StoredTicket sorted = ticket;
    std::sort(sorted.numbers.begin(), sorted.numbers.end());
    if (Status writable = checkWritable(); !writable) return Error{writable.error()};
    SqlTransaction transaction(m_db);
    if (!transaction.begun()) return Error{errorText(sqlite3_errmsg(m_db))};
    Statement statement(m_db, "UPDATE tickets SET draw = ?, n1 = ?, n2 = ?, n3 = ?, n4 = ?,"
                              " n5 = ?, count = ?, source = ? WHERE id = ?;");
    if (!statement.prepared()) return Error{errorText(sqlite3_errmsg(m_db))};
    bindTicket(statement.get(), sorted);
    sqlite3_bind_int64(statement.get(), 9, ticket.id);
    if (sqlite3_step(statement.get()) != SQLITE_DONE)
        return Error{errorText(std::string("書き込めません（") + sqlite3_errmsg(m_db) + "）")};
    if (sqlite3_changes(m_db) == 0)
        return Error{"番号 " + std::to_string(ticket.id) + " の購入記録はありません"};
    if (!transaction.commit())
        return Error{errorText(std::string("書き込めません（") + sqlite3_errmsg(m_db) + "）")};
    return success();
}

Status TicketStore::remove(long long id)
{
    if (Status writable = checkWritable(); !writable) return Error{writable.error()};
    SqlTransaction transaction(m_db);
    if (!transaction.begun()) return Error{errorText(sqlite3_errmsg(m_db))};
    Statement statement(m_db, "DELETE FROM tickets WHERE id = ?;");
    if (!statement.prepared()) return Error{errorText(sqlite3_errmsg(m_db))};
    sqlite3_bind_int64(statement.get(), 1, id);
    if (sqlite3_step(statement.get()) != SQLITE_DONE)
        return Error{errorText(std::string("書き込めません（") + sqlite3_errmsg(m_db) + "）")};
    if (sqlite3_changes(m_db) == 0)
        return Error{"番号 " + std::to_string(id) + " の購入記録はありません"};
    if (!transaction.commit())
        return Error{errorText(std::string("書き込めません（") + sqlite3_errmsg(m_db) + "）")};
    return success();
}

Result<std::map<int, PrizeAmounts>> TicketStore::prizeAmounts() const
{
    Statement select(m_db, "SELECT draw, tier, amount FROM prizes ORDER BY draw, tier;");
    if (!select.prepared()) return Error{errorText(sqlite3_errmsg(m_db))};
    std::map<int, PrizeAmounts> amounts;
    int rc;
    while ((rc = sqlite3_step(select.get())) == SQLITE_ROW) {
        const int tier = sqlite3_column_int(select.get(), 1);
        if (tier < 1 || tier > kPrizeTierCount) continue;
        amounts[sqlite3_column_int(select.get(), 0)][static_cast<std::size_t>(tier - 1)] =
            sqlite3_column_int64(select.get(), 2);
    }
    if (rc != SQLITE_DONE) return Error{errorText(sqlite3_errmsg(m_db))};
    return amounts;
}

Status TicketStore::setPrizeAmount(int drawNo, PrizeTier tier, std::optional<long long> yen)
{
    if (auto draw = checkDrawNo(drawNo); !draw) return draw;
    if (tier == PrizeTier::None) return Error{"等級を指定してください"};
    if (yen && *yen < 0) return Error{"当選金額は0円以上にしてください"};
    if (Status writable = checkWritable(); !writable) return Error{writable.error()};
    SqlTransaction transaction(m_db);
    if (!transaction.begun()) return Error{errorText(sqlite3_errmsg(m_db))};
    // SQLite 3.15 has no UPSERT: delete, then insert when there is an amount.
    Statement remove(m_db, "DELETE FROM prizes WHERE draw = ? AND tier = ?;");
    Statement insert(m_db, "INSERT INTO prizes (draw, tier, amount) VALUES (?, ?, ?);");
    if (!remove.prepared() || !insert.prepared()) return Error{errorText(sqlite3_errmsg(m_db))};
    sqlite3_bind_int(remove.get(), 1, drawNo);
    sqlite3_bind_int(remove.get(), 2, tierIndex(tier) + 1);
    if (sqlite3_step(remove.get()) != SQLITE_DONE)
        return Error{errorText(std::string("書き込めません（") + sqlite3_errmsg(m_db) + "）")};
    if (yen) {
        sqlite3_bind_int(insert.get(), 1, drawNo);
        sqlite3_bind_int(insert.get(), 2, tierIndex(tier) + 1);
        sqlite3_bind_int64(insert.get(), 3, *yen);
        if (sqlite3_step(insert.get()) != SQLITE_DONE)
            return Error{errorText(std::string("書き込めません（") + sqlite3_errmsg(m_db) + "）")};
    }
    if (!transaction.commit())
        return Error{errorText(std::string("書き込めません（") + sqlite3_errmsg(m_db) + "）")};
    return success();
}

std::string defaultTicketFile()
{
    return (playerDataFolder() / kTicketFileName).string();
}
