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

Status DrawDatabase::writeDraws(const std::vector<DrawRow>& rows, bool replacing)
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
