// DrawDatabase: the password-protected draw database file (SQLCipher), behind a small RAII layer.
// Table 結果マスタ holds the draws; the saved query 全データ選択クエリ returns them. Table
// 当せん金マスタ, beside them, holds the prizes of the draws that came with prize data; a file
// made before that table existed opens and reads as one without prizes.
#pragma once

#include <string>
#include <vector>

#include "core/base/result.h"
#include "core/draws/draw_history.h"
#include "core/draws/draw_prizes.h"
#include "core/draws/draw_row.h"

struct sqlite3;

class DrawDatabase {
public:
    enum class Access { ReadOnly, ReadWrite };

    // Opens an existing database from its connection string. Never creates a file; a missing
    // file, a wrong password or a file that is not a database fail with the engine's message.
    // Opening for writing (under the writer's lock) lets the engine roll back what an interrupted
    // write left in the journal. A reader that finds such a journal takes the lock and does the
    // same when nobody writes; where it cannot (a read-only file) it says so in one line.
    static Result<DrawDatabase> open(const std::string& connectString,
                                     Access access = Access::ReadOnly);
    // Creates a new, empty database with the table, its index and the saved query. Fails when a
    // file already exists at the path.
    static Result<DrawDatabase> create(const std::string& path);
    // The same in an existing empty file (a temporary file made exclusively beforehand).
    static Result<DrawDatabase> initialise(const std::string& path);

    DrawDatabase(DrawDatabase&& other) noexcept;
    DrawDatabase& operator=(DrawDatabase&& other) noexcept;
    DrawDatabase(const DrawDatabase&) = delete;
    DrawDatabase& operator=(const DrawDatabase&) = delete;
    ~DrawDatabase();

    // Runs the program's one query, "select * from 全データ選択クエリ order by 回数".
    Result<std::vector<DrawRow>> readAllDraws() const;
    // How many rows to reserve before reading them all: growing a vector of rows row by row
    // costs more than reading them (moves and fresh pages).
    std::size_t rowCapacityHint() const;
    // Appends rows to 結果マスタ in one transaction; nothing is written if any insert fails.
    Status insertDraws(const std::vector<DrawRow>& rows);
    // Makes rows the whole content of 結果マスタ in one transaction: all or nothing.
    Status replaceAllDraws(const std::vector<DrawRow>& rows);
    // The same, with the prize table made exactly `prizes` in the same transaction.
    Status replaceAllDraws(const std::vector<DrawRow>& rows, const std::vector<DrawPrizes>& prizes);
    Status execute(const std::string& sql);

    // The stored prizes by ascending draw number; none when the file has no prize table.
    Result<std::vector<DrawPrizes>> readPrizes() const;
    // Makes `prizes` the whole prize table (creating the table when the file has none). Runs
    // inside the caller's transaction when one is open, else in its own: all or nothing.
    Status writePrizes(const std::vector<DrawPrizes>& prizes);

    const std::string& path() const { return m_path; }
    sqlite3* handle() const { return m_db; }
    // "FILE: MESSAGE" for the engine's last error.
    std::string errorText(const std::string& message) const;

private:
    DrawDatabase(sqlite3* db, std::string path) : m_db(db), m_path(std::move(path)) {}
    Status writeDraws(const std::vector<DrawRow>& rows, bool replacing,
                      const std::vector<DrawPrizes>* prizes = nullptr);
    static Result<DrawDatabase> openFile(const std::string& path, const std::string& password,
                                         int flags);

    sqlite3* m_db = nullptr;
    std::string m_path;
};

// "<database>-journal": where the engine keeps what an unfinished write changed, to roll it back.
std::string journalPath(const std::string& databasePath);
// Before a whole file replaces the database (the update, an import that makes the file): lets
// the engine roll back what an interrupted write left, then removes any journal still there, so
// that none is left beside a file it was not written for. Call with the writer's lock held.
void settleJournalForReplacement(const std::string& connectString);

// Opens the database, reads every row and closes it again: the start-up snapshot.
Result<DrawHistory> loadDrawHistory(const std::string& connectString);
