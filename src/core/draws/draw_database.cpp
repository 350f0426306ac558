#include "core/draws/draw_database.h"

#include <algorithm>
#include <filesystem>

#include <unistd.h>

#include "core/base/file_replacement.h"
#include "core/base/sql_transaction.h"
#include "core/base/sqlite_statement.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_database_lock.h"

namespace {

// Key derivation rounds. The password only keeps casual readers out, and opening must stay
// instant, so far fewer rounds than the engine's default are used. Files made by this program
// and the files it downloads use the same value.
constexpr int kKdfIterations = 1000;
// Larger pages than the engine's default: a quarter as many pages to authenticate and decrypt
// when the whole history is read at start-up.
constexpr int kCipherPageSize = 4096;

constexpr const char* kSchema =
    "CREATE TABLE 結果マスタ ("
    " 回数 INTEGER, 日付 TEXT, 第1数字 INTEGER, 第2数字 INTEGER, 第3数字 INTEGER,"
    " 第4数字 INTEGER, 第5数字 INTEGER, ボーナス数字 INTEGER);"
    // Rows with equal 回数 come back in the order they were stored.
    "CREATE INDEX 結果マスタ_回数 ON 結果マスタ (回数);"
    "CREATE VIEW 全データ選択クエリ AS SELECT 回数, 日付, 第1数字, 第2数字, 第3数字, 第4数字,"
    " 第5数字, ボーナス数字 FROM 結果マスタ;";

// Beside the draws, never inside the saved query: its seven columns stay what every reader of the
// history relies on. One row per draw number; an empty field is an amount not known.
constexpr const char* kPrizeTable = "当せん金マスタ";
constexpr const char* kPrizeSchema =
    "CREATE TABLE IF NOT EXISTS 当せん金マスタ (回数 INTEGER PRIMARY KEY,"
    " \"1等口数\" INTEGER, \"1等賞金\" INTEGER, \"2等口数\" INTEGER, \"2等賞金\" INTEGER,"
    " \"3等口数\" INTEGER, \"3等賞金\" INTEGER, \"4等口数\" INTEGER, \"4等賞金\" INTEGER,"
    " キャリーオーバー INTEGER);";
static_assert(kPrizeFieldCount == 9, "the prize table's columns follow the prize fields");

// A savepoint nests inside the caller's transaction and is a transaction of its own outside one;
// leaving without release() undoes everything since it was set.
class Savepoint {
public:
    explicit Savepoint(sqlite3* db) : m_db(db)
    {
        m_set = sqlite3_exec(db, "SAVEPOINT prizes;", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~Savepoint()
    {
        if (m_set && !m_released)
            sqlite3_exec(m_db, "ROLLBACK TO prizes; RELEASE prizes;", nullptr, nullptr, nullptr);
    }
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;
    bool set() const { return m_set; }
    bool release()
    {
        m_released = sqlite3_exec(m_db, "RELEASE prizes;", nullptr, nullptr, nullptr) == SQLITE_OK;
        return m_released;
    }

private:
    sqlite3* m_db;
    bool m_set = false;
    bool m_released = false;
};

// One line a player can act on, then the engine's own words.
std::string openFailure(const std::string& path, const std::string& engineText)
{
    return "当選データファイルを開けません：" + path + "（" + engineText + "）";
}

}  // namespace

std::string DrawDatabase::errorText(const std::string& message) const
{
    return m_path + ": " + message;
}

Result<DrawDatabase> DrawDatabase::openFile(const std::string& path, const std::string& password,
                                            int flags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    DrawDatabase database(db, path);
    if (rc != SQLITE_OK)
        return Error{openFailure(path, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc))};
    sqlite3_busy_timeout(db, 2000);
    if (sqlite3_key(db, password.data(), static_cast<int>(password.size())) != SQLITE_OK)
        return Error{openFailure(path, sqlite3_errmsg(db))};
    const std::string kdf = "PRAGMA kdf_iter = " + std::to_string(kKdfIterations) +
                            "; PRAGMA cipher_page_size = " + std::to_string(kCipherPageSize) + ";";
    if (sqlite3_exec(db, kdf.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        return Error{openFailure(path, sqlite3_errmsg(db))};
    // A wrong password or a file that is not a database shows up at the first read; so does a
    // journal of an interrupted write, which a connection for writing rolls back here.
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        if (sqlite3_extended_errcode(db) == SQLITE_READONLY_ROLLBACK)
            return Error{"当選データファイルへの前回の書き込みが途中で止まったままです（" +
                         journalPath(path) +
                         "）。ファイルへの書き込みを許可してもう一度開くと、止まる前の状態に戻り"
                         "ます：" +
                         path};
        if ((sqlite3_errcode(db) & 0xff) == SQLITE_NOTADB)
            return Error{"当選データベースではないか、パスワードが違います：" + path + "（" +
                         sqlite3_errmsg(db) + "）"};
        return Error{openFailure(path, sqlite3_errmsg(db))};
    }
    return database;
}

Result<DrawDatabase> DrawDatabase::open(const std::string& connectString, Access access)
{
    const auto pieces = parseConnectString(connectString);
    if (!pieces) return Error{"接続文字列が正しくありません: " + connectString};
    // Without these checks the engine would report a folder or a missing file only vaguely, and
    // an empty file as a database without the draw table.
    const std::string& path = pieces->dataSource;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status))
        return Error{"当選データファイルではなくフォルダーです：" + path};
    if (!std::filesystem::exists(status)) return Error{"当選データファイルがありません：" + path};
    if (!std::filesystem::is_regular_file(status))
        return Error{"当選データファイルが通常のファイルではありません：" + path};
    if (std::filesystem::file_size(path, error) == 0 && !error)
        return Error{"当選データファイルが空です（0バイト）：" + path};
    if (access == Access::ReadOnly && std::filesystem::exists(journalPath(path), error)) {
        // Left by an interrupted write, unless a writer is at work right now (then it holds the
        // lock and the engine reads past its journal). Rolled back by a connection for writing.
        if (auto lock = DrawDatabaseLock::acquire(path); lock && writeRefusal(path).empty())
            (void)openFile(path, pieces->password, SQLITE_OPEN_READWRITE);
    }
    const int flags = access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    return openFile(pieces->dataSource, pieces->password, flags);
}

Result<DrawDatabase> DrawDatabase::create(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::exists(path, error)) return Error{path + ": file already exists"};
    return initialise(path);
}

Result<DrawDatabase> DrawDatabase::initialise(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::file_size(path, error) > 0 && !error)
        return Error{path + ": the file is not empty"};
    auto database = openFile(path, databasePassword(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!database) return database;
    if (auto created = database->execute(kSchema); !created) return Error{created.error()};
    return database;
}

DrawDatabase::DrawDatabase(DrawDatabase&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_path(std::move(other.m_path))
{
}

DrawDatabase& DrawDatabase::operator=(DrawDatabase&& other) noexcept
{
    if (this != &other) {
        sqlite3_close(m_db);
        m_db = std::exchange(other.m_db, nullptr);
        m_path = std::move(other.m_path);
    }
    return *this;
}

DrawDatabase::~DrawDatabase()
{
    sqlite3_close(m_db);
}

Status DrawDatabase::execute(const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : sqlite3_errmsg(m_db);
        sqlite3_free(message);
        return Error{errorText(text)};
    }
    return success();
}

std::size_t DrawDatabase::rowCapacityHint() const
{
    // A stored row takes at least about 24 bytes of the file, so this bound is rarely short (a
    // vector simply grows then), and reserved memory that is not used is never touched.
    std::error_code sizeError;
    const auto fileBytes = std::filesystem::file_size(m_path, sizeError);
    return sizeError ? 0
                     : static_cast<std::size_t>(std::min<std::uintmax_t>(fileBytes / 24, 1u << 20));
}

Result<std::vector<DrawRow>> DrawDatabase::readAllDraws() const
{
    Statement query(m_db, kAllDrawsQuery);
    auto queryFailure = [this](const std::string& engineText) {
        return Error{"当選データファイルの全データ選択クエリを読めません：" + m_path + "（" +
                     engineText + "）"};
    };
    if (!query.prepared()) return queryFailure(sqlite3_errmsg(m_db));
    sqlite3_stmt* stmt = query.get();

    // Columns are read by name, as the saved query may return others too.
    int drawNoColumn = -1, dateColumn = -1;
    std::array<int, 6> numberColumns;
    numberColumns.fill(-1);
    for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
        const std::string name = sqlite3_column_name(stmt, c);
        if (name == kDrawNoColumn) drawNoColumn = c;
        if (name == kDateColumn) dateColumn = c;
        for (std::size_t k = 0; k < kNumberColumns.size(); ++k)
            if (name == kNumberColumns[k]) numberColumns[k] = c;
    }
    if (drawNoColumn < 0) return queryFailure(std::string("no such column: ") + kDrawNoColumn);
    for (std::size_t k = 0; k < kNumberColumns.size(); ++k)
        if (numberColumns[k] < 0)
            return queryFailure(std::string("no such column: ") + kNumberColumns[k]);

    std::vector<DrawRow> rows;
    rows.reserve(rowCapacityHint());
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        DrawRow row;
        row.drawNo = columnValue(stmt, drawNoColumn);
        if (dateColumn >= 0) row.date = columnValue(stmt, dateColumn);
        for (std::size_t k = 0; k < kNumberColumns.size(); ++k)
            row.numbers[k] = columnValue(stmt, numberColumns[k]);
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) return queryFailure(sqlite3_errmsg(m_db));
    return rows;
}

Status DrawDatabase::insertDraws(const std::vector<DrawRow>& rows)
{
    return writeDraws(rows, false);
}

Status DrawDatabase::replaceAllDraws(const std::vector<DrawRow>& rows)
{
    return writeDraws(rows, true);
}

Status DrawDatabase::replaceAllDraws(const std::vector<DrawRow>& rows,
                                     const std::vector<DrawPrizes>& prizes)
{
    return writeDraws(rows, true, &prizes);
}

Result<std::vector<DrawPrizes>> DrawDatabase::readPrizes() const
{
    std::vector<DrawPrizes> prizes;
    {
        Statement exists(m_db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?;");
        if (!exists.prepared()) return Error{errorText(sqlite3_errmsg(m_db))};
        sqlite3_bind_text(exists.get(), 1, kPrizeTable, -1, SQLITE_STATIC);
        const int rc = sqlite3_step(exists.get());
        if (rc == SQLITE_DONE) return prizes;
        if (rc != SQLITE_ROW) return Error{errorText(sqlite3_errmsg(m_db))};
    }
    Statement query(m_db, "SELECT 回数, \"1等口数\", \"1等賞金\", \"2等口数\", \"2等賞金\","
                          " \"3等口数\", \"3等賞金\", \"4等口数\", \"4等賞金\", キャリーオーバー"
                          " FROM 当せん金マスタ ORDER BY 回数;");
    if (!query.prepared())
        return Error{"当せん金マスタを読めません：" + errorText(sqlite3_errmsg(m_db))};
    int rc;
    while ((rc = sqlite3_step(query.get())) == SQLITE_ROW) {
        DrawPrizes draw;
        draw.drawNo = sqlite3_column_int(query.get(), 0);
        for (int p = 0; p < kPrizeFieldCount; ++p)
            // A value that is not a whole number in range was not written by this program:
            // it counts as not known rather than as an amount.
            if (sqlite3_column_type(query.get(), p + 1) == SQLITE_INTEGER) {
                const long long value = sqlite3_column_int64(query.get(), p + 1);
                if (value >= 0 && value <= kMaxPrizeYen) prizeField(draw, p) = value;
            }
        prizes.push_back(draw);
    }
    if (rc != SQLITE_DONE)
        return Error{"当せん金マスタを読めません：" + errorText(sqlite3_errmsg(m_db))};
    return prizes;
}

Status DrawDatabase::writePrizes(const std::vector<DrawPrizes>& prizes)
{
    auto fail = [this]() -> Status { return Error{errorText(sqlite3_errmsg(m_db))}; };
    Savepoint savepoint(m_db);
    if (!savepoint.set()) return fail();
    if (sqlite3_exec(m_db, kPrizeSchema, nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_exec(m_db, "DELETE FROM 当せん金マスタ;", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail();
    Statement insert(
        m_db, "INSERT OR REPLACE INTO 当せん金マスタ VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
    if (!insert.prepared()) return fail();
    for (const DrawPrizes& draw : prizes) {
        if (draw.empty()) continue;
        sqlite3_stmt* stmt = insert.get();
        sqlite3_reset(stmt);
        sqlite3_bind_int(stmt, 1, draw.drawNo);
        for (int p = 0; p < kPrizeFieldCount; ++p) {
            const auto& value = prizeField(draw, p);
            if (value)
                sqlite3_bind_int64(stmt, p + 2, *value);
            else
                sqlite3_bind_null(stmt, p + 2);
        }
        if (sqlite3_step(stmt) != SQLITE_DONE) return fail();
    }
    if (!savepoint.release()) return fail();
    return success();
}

Status DrawDatabase::writeDraws(const std::vector<DrawRow>& rows, bool replacing,
                                const std::vector<DrawPrizes>* prizes)
{
    SqlTransaction transaction(m_db);
    if (!transaction.begun()) return Error{errorText(sqlite3_errmsg(m_db))};
    // Leaving without commit() rolls back: a replacement is all or nothing.
    if (replacing &&
        sqlite3_exec(m_db, "DELETE FROM 結果マスタ;", nullptr, nullptr, nullptr) != SQLITE_OK)
        return Error{errorText(sqlite3_errmsg(m_db))};
    Statement insert(m_db, "INSERT INTO 結果マスタ (回数, 日付, 第1数字, 第2数字, 第3数字, 第4数字,"
                           " 第5数字, ボーナス数字) VALUES (?, ?, ?, ?, ?, ?, ?, ?);");
    auto fail = [this]() -> Status { return Error{errorText(sqlite3_errmsg(m_db))}; };
    if (!insert.prepared()) return fail();
    for (const DrawRow& row : rows) {
        sqlite3_stmt* stmt = insert.get();
        sqlite3_reset(stmt);
        bindValue(stmt, 1, row.drawNo);
        bindValue(stmt, 2, row.date);
        for (std::size_t k = 0; k < row.numbers.size(); ++k)
            bindValue(stmt, static_cast<int>(k) + 3, row.numbers[k]);
        if (sqlite3_step(stmt) != SQLITE_DONE) return fail();
    }
    if (prizes)
        if (Status written = writePrizes(*prizes); !written) return written;
    if (!transaction.commit()) return fail();
    return success();
}

std::string journalPath(const std::string& databasePath)
{
    return databasePath + "-journal";
}

void settleJournalForReplacement(const std::string& connectString)
{
    const auto pieces = parseConnectString(connectString);
    if (!pieces) return;
    const std::string journal = journalPath(pieces->dataSource);
    std::error_code error;
    if (!std::filesystem::exists(journal, error)) return;
    // Rolled back first, so that the old file is whole should the replacement fail after this.
    (void)DrawDatabase::open(connectString, DrawDatabase::Access::ReadWrite);
    // Still there: empty, or the old file cannot be read at all; either way it belongs to no
    // file that will stand at the path.
    ::unlink(journal.c_str());
}

Result<DrawHistory> loadDrawHistory(const std::string& connectString)
{
    auto database = DrawDatabase::open(connectString);
    if (!database) return Error{database.error()};
    auto rows = database->readAllDraws();
    if (!rows) return Error{rows.error()};
    return DrawHistory(std::move(rows.value()));
}
