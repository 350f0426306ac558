#include "core/base/sqlite_statement.h"

RawValue columnValue(sqlite3_stmt* stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return static_cast<std::int64_t>(sqlite3_column_int64(stmt, column));
    case SQLITE_NULL:
        return std::monostate{};
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        return std::string(text ? text : "");
    }
    }
}

int bindValue(sqlite3_stmt* stmt, int index, const RawValue& value)
{
    if (const auto* integer = std::get_if<std::int64_t>(&value))
        return sqlite3_bind_int64(stmt, index, *integer);
    if (const auto* text = std::get_if<std::string>(&value))
        return sqlite3_bind_text(stmt, index, text->c_str(), static_cast<int>(text->size()),
                                 SQLITE_TRANSIENT);
    return sqlite3_bind_null(stmt, index);
}
