// DrawEditor: the entry window's updatable result set over the draw table. Every row is read
// with its identity; each write is one transaction that first checks the row still holds what
// was read (optimistic locking), so nobody's change is overwritten unseen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/base/result.h"
#include "core/draws/draw_database.h"
#include "core/draws/draw_database_lock.h"
#include "core/draws/draw_row.h"

struct EditorRow {
    std::int64_t rowId = 0;  // identity of the row in 結果マスタ
    DrawRow values;          // as last read or written by this editor
};

class DrawEditor {
public:
    // Takes the writer's lock on the database (refused while an import or an update writes it),
    // opens the database for writing and reads every row in the order of the program's query
    // (ascending 回数, rows with equal 回数 in stored order).
    static Result<DrawEditor> open(const std::string& connectString);

    const std::vector<EditorRow>& rows() const { return m_rows; }
    std::size_t size() const { return m_rows.size(); }

    // Writes all columns of row `index`. Fails, writing nothing, when the row no longer holds
    // what was read or was removed; the row read stays as it was.
    Status updateRow(std::size_t index, const DrawRow& values);
    // Writes several rows (index, values) in one transaction: all of them or, when any row no
    // longer holds what was read or a write fails, none.
    Status updateRows(const std::vector<std::pair<std::size_t, DrawRow>>& rows);
    // Adds an empty row after row `after` (at the top when nothing is given) holding the draw
    // number that follows that row's and `date`; returns the new row's index.
    Result<std::size_t> insertRowAfter(std::optional<std::size_t> after, const RawValue& date = {});
    // Removes row `index`, unless it no longer holds what was read.
    Status deleteRow(std::size_t index);

    // The draw number a row inserted after row `after` gets (1 at the top or for an empty 回数);
    // nothing when it would leave the 16-bit range.
    std::optional<int> drawNoAfter(std::optional<std::size_t> after) const;

    DrawDatabase& database() { return m_database; }

private:
    DrawEditor(DrawDatabaseLock lock, DrawDatabase database, std::vector<EditorRow> rows)
        : m_lock(std::move(lock)), m_database(std::move(database)), m_rows(std::move(rows))
    {
    }
    Status checkUnchanged(const EditorRow& row);

    // Held while the editor is open: no import or update replaces the file under it.
    DrawDatabaseLock m_lock;
    DrawDatabase m_database;
    std::vector<EditorRow> m_rows;
};
