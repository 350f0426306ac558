#include "core/maintenance/draw_editor.h"

#include <limits>

#include "core/base/file_replacement.h"
#include "core/base/sql_transaction.h"
#include "core/base/sqlite_statement.h"
#include "core/draws/connection_string.h"
#include "core/lottery/lottery_rules.h"

namespace {

// The table is read rather than the saved query because writing a row back needs its identity
// (rowid); the order is the query's: ascending 回数, rows with equal 回数 in stored order.
constexpr const char* kSelectRows =
    "SELECT rowid, 回数, 日付, 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, ボーナス数字"
    " FROM 結果マスタ ORDER BY 回数, rowid;";
constexpr const char* kSelectOne =
    "SELECT 回数, 日付, 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, ボーナス数字"
    " FROM 結果マスタ WHERE rowid = ?;";
constexpr const char* kUpdateOne =
    "UPDATE 結果マスタ SET 回数 = ?, 日付 = ?, 第1数字 = ?, 第2数字 = ?, 第3数字 = ?,"
    " 第4数字 = ?, 第5数字 = ?, ボーナス数字 = ? WHERE rowid = ?;";
constexpr const char* kInsertOne = "INSERT INTO 結果マスタ (回数, 日付) VALUES (?, ?);";
constexpr const char* kDeleteOne = "DELETE FROM 結果マスタ WHERE rowid = ?;";

// Reads 回数..ボーナス数字 from `first` on.
DrawRow rowValues(sqlite3_stmt* stmt, int first)
{
    DrawRow row;
    row.drawNo = columnValue(stmt, first);
    row.date = columnValue(stmt, first + 1);
    for (int k = 0; k < kDrawNumbers; ++k)
        row.numbers[static_cast<std::size_t>(k)] = columnValue(stmt, first + 2 + k);
    return row;
}

void bindRow(sqlite3_stmt* stmt, const DrawRow& row)
{
    bindValue(stmt, 1, row.drawNo);
    bindValue(stmt, 2, row.date);
    for (int k = 0; k < kDrawNumbers; ++k)
        bindValue(stmt, 3 + k, row.numbers[static_cast<std::size_t>(k)]);
}

bool sameValues(const DrawRow& a, const DrawRow& b)
{
    return a.drawNo == b.drawNo && a.date == b.date && a.numbers == b.numbers;
}

// The engine's error in words a player can act on, followed by the engine's own text.
Error writeError(sqlite3* db, const DrawDatabase& database)
{
    const int code = sqlite3_errcode(db) & 0xff;
    std::string reason;
    switch (code) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        reason = "当選データファイルがほかのプログラムに使用されているため書き込めませんでした。";
        break;
    case SQLITE_FULL:
        reason = "ディスクの空きが足りないため書き込めませんでした。";
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        reason = "当選データファイルに書き込む権限がありません。";
        break;
    default:
        reason = "当選データファイルに書き込めませんでした。";
        break;
    }
    return Error{reason + "（" + database.errorText(sqlite3_errmsg(db)) + "）"};
}

std::string drawNoLabel(const DrawRow& row)
{
    const std::string text = rawText(row.drawNo);
    return text.empty() ? "回数なし" : "回数 " + text;
}

}  // namespace

Result<DrawEditor> DrawEditor::open(const std::string& connectString)
{
    const auto pieces = parseConnectString(connectString);
    if (!pieces) return Error{"接続文字列が正しくありません: " + connectString};
    auto lock = DrawDatabaseLock::acquire(pieces->dataSource);
    if (!lock) return Error{lock.error()};
    if (auto refusal = writeRefusal(pieces->dataSource); !refusal.empty()) return Error{refusal};
    auto database = DrawDatabase::open(connectString, DrawDatabase::Access::ReadWrite);
    if (!database) return Error{database.error()};
    sqlite3* db = database->handle();
    Statement select(db, kSelectRows);
    if (!select.get()) return Error{database->errorText(sqlite3_errmsg(db))};
    std::vector<EditorRow> rows;
    rows.reserve(database->rowCapacityHint());
    int rc;
    while ((rc = sqlite3_step(select.get())) == SQLITE_ROW)
        rows.push_back({sqlite3_column_int64(select.get(), 0), rowValues(select.get(), 1)});
    if (rc != SQLITE_DONE) return Error{database->errorText(sqlite3_errmsg(db))};
    return DrawEditor(std::move(lock.value()), std::move(database.value()), std::move(rows));
}

Status DrawEditor::checkUnchanged(const EditorRow& row)
{
    sqlite3* db = m_database.handle();
    Statement select(db, kSelectOne);
    if (!select.get()) return writeError(db, m_database);
    sqlite3_bind_int64(select.get(), 1, row.rowId);
    const int rc = sqlite3_step(select.get());
    if (rc == SQLITE_DONE)
        return Error{"この行（" + drawNoLabel(row.values) +
                     "）は読み込んだ後にほかから削除されていたため、書き込みませんでした。"};
    if (rc != SQLITE_ROW) return writeError(db, m_database);
    if (!sameValues(rowValues(select.get(), 0), row.values))
        return Error{"この行（" + drawNoLabel(row.values) +
                     "）は読み込んだ後にほかから変更されていたため、上書きしませんでした。"};
    return success();
}

Status DrawEditor::updateRow(std::size_t index, const DrawRow& values)
{
    if (index >= m_rows.size()) return Error{"行がありません。"};
    sqlite3* db = m_database.handle();
    SqlTransaction transaction(db);
    if (!transaction.begun()) return writeError(db, m_database);
    if (auto unchanged = checkUnchanged(m_rows[index]); !unchanged) return unchanged;
    Statement update(db, kUpdateOne);
    if (!update.get()) return writeError(db, m_database);
    bindRow(update.get(), values);
    sqlite3_bind_int64(update.get(), 9, m_rows[index].rowId);
    if (sqlite3_step(update.get()) != SQLITE_DONE) return writeError(db, m_database);
    if (!transaction.commit()) return writeError(db, m_database);
    m_rows[index].values = values;
    return success();
}

Status DrawEditor::updateRows(const std::vector<std::pair<std::size_t, DrawRow>>& rows)
{
    for (const auto& [index, values] : rows)
        if (index >= m_rows.size()) return Error{"行がありません。"};
    sqlite3* db = m_database.handle();
    SqlTransaction transaction(db);
    if (!transaction.begun()) return writeError(db, m_database);
    Statement update(db, kUpdateOne);
    if (!update.get()) return writeError(db, m_database);
    for (const auto& [index, values] : rows) {
        if (auto unchanged = checkUnchanged(m_rows[index]); !unchanged) return unchanged;
        sqlite3_reset(update.get());
        bindRow(update.get(), values);
        sqlite3_bind_int64(update.get(), 9, m_rows[index].rowId);
        if (sqlite3_step(update.get()) != SQLITE_DONE) return writeError(db, m_database);
    }
    if (!transaction.commit()) return writeError(db, m_database);
    for (const auto& [index, values] : rows)
        m_rows[index].values = values;
    return success();
}

std::optional<int> DrawEditor::drawNoAfter(std::optional<std::size_t> after) const
{
    if (!after || *after >= m_rows.size()) return 1;
    const int previous = fieldNumber(m_rows[*after].values.drawNo).value_or(0);
    if (previous >= std::numeric_limits<std::int16_t>::max()) return std::nullopt;
    return previous + 1;
}

Result<std::size_t> DrawEditor::insertRowAfter(std::optional<std::size_t> after,
                                               const RawValue& date)
{
    if (after && *after >= m_rows.size()) return Error{"行がありません。"};
    const auto drawNo = drawNoAfter(after);
    if (!drawNo) return Error{"回数が32767を超えるため、行を追加できません。"};
    sqlite3* db = m_database.handle();
    SqlTransaction transaction(db);
    if (!transaction.begun()) return writeError(db, m_database);
    Statement insert(db, kInsertOne);
    if (!insert.get()) return writeError(db, m_database);
    sqlite3_bind_int64(insert.get(), 1, *drawNo);
    bindValue(insert.get(), 2, date);
    if (sqlite3_step(insert.get()) != SQLITE_DONE) return writeError(db, m_database);
    const std::int64_t rowId = sqlite3_last_insert_rowid(db);
    if (!transaction.commit()) return writeError(db, m_database);
    EditorRow row;
    row.rowId = rowId;
    row.values.drawNo = std::int64_t{*drawNo};
    row.values.date = date;
    const std::size_t index = after ? *after + 1 : 0;
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(index), std::move(row));
    return index;
}

Status DrawEditor::deleteRow(std::size_t index)
{
    if (index >= m_rows.size()) return Error{"行がありません。"};
    sqlite3* db = m_database.handle();
    SqlTransaction transaction(db);
    if (!transaction.begun()) return writeError(db, m_database);
    if (auto unchanged = checkUnchanged(m_rows[index]); !unchanged) return unchanged;
    Statement remove(db, kDeleteOne);
    if (!remove.get()) return writeError(db, m_database);
    sqlite3_bind_int64(remove.get(), 1, m_rows[index].rowId);
    if (sqlite3_step(remove.get()) != SQLITE_DONE) return writeError(db, m_database);
    if (!transaction.commit()) return writeError(db, m_database);
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(index));
    return success();
}
