// SqliteConnection: one open SQLite connection (the draw database, the ticket file), closed when
// its owner goes. Move-only; it converts to the engine's handle for statements and transactions.
#pragma once

#include <string>
#include <utility>

#include <sqlcipher/sqlite3.h>

class SqliteConnection {
public:
    SqliteConnection() = default;
    SqliteConnection(SqliteConnection&& other) noexcept : m_db(std::exchange(other.m_db, nullptr))
    {
    }
    SqliteConnection& operator=(SqliteConnection&& other) noexcept
    {
        if (this != &other) {
            sqlite3_close(m_db);
            m_db = std::exchange(other.m_db, nullptr);
        }
        return *this;
    }
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;
    ~SqliteConnection() { sqlite3_close(m_db); }

    // Opens `path` with `flags` (SQLITE_OPEN_…); a file another connection is writing is waited
    // for up to two seconds. On failure `rc` is the engine's code and the connection, kept open
    // when the engine made one, still gives its message.
    static SqliteConnection open(const std::string& path, int flags, int& rc)
    {
        SqliteConnection connection;
        rc = sqlite3_open_v2(path.c_str(), &connection.m_db, flags, nullptr);
        if (rc == SQLITE_OK) sqlite3_busy_timeout(connection.m_db, 2000);
        return connection;
    }
    // The engine's words for the failure `rc` of open(), or for the last error.
    std::string errorMessage(int rc) const
    {
        return m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
    }

    operator sqlite3*() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};
