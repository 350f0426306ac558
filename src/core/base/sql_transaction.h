// SqlTransaction: a write transaction (the draw database, the ticket file) that rolls back unless
// committed, so a write that fails halfway leaves the file as it was.
#pragma once

#include <sqlcipher/sqlite3.h>

class [[nodiscard]] SqlTransaction {
public:
    // IMMEDIATE takes the engine's write lock at once: a second writer is turned away before it
    // changes anything, instead of at its commit.
    explicit SqlTransaction(sqlite3* db) : m_db(db)
    {
        m_begun = sqlite3_exec(db, "BEGIN IMMEDIATE;", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~SqlTransaction()
    {
        if (m_begun && !m_committed) sqlite3_exec(m_db, "ROLLBACK;", nullptr, nullptr, nullptr);
    }
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    [[nodiscard]] bool begun() const { return m_begun; }
    [[nodiscard]] bool commit()
    {
        m_committed = sqlite3_exec(m_db, "COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
        return m_committed;
    }

private:
    sqlite3* m_db;
    bool m_begun = false;
    bool m_committed = false;
};
