// A prepared statement owned for its scope, and raw field values read from and bound to one.
#pragma once

#include <sqlcipher/sqlite3.h>

#include "core/base/raw_value.h"

class Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    bool prepared() const { return m_rc == SQLITE_OK && m_stmt; }
    sqlite3_stmt* get() const { return m_stmt; }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = SQLITE_OK;
};

// A column of the current row as stored: null, a whole number, or text (anything else, such as
// a real number, as the engine's text of it).
RawValue columnValue(sqlite3_stmt* stmt, int column);
// Binds a raw value as null, integer or text; returns the engine's result code.
int bindValue(sqlite3_stmt* stmt, int index, const RawValue& value);
