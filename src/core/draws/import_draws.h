// importDraws: the one way draws read from a file (a CSV file the player chose, a downloaded
// results file) reach the draw database. The whole import runs under the one-writer lock: a
// journal left by an interrupted write is rolled back first, what is stored is read and compared
// with the file (the plan), and the chosen mode is written in one transaction. A caller that
// shows the plan before writing (the program's preview) prepares, shows, then applies, all
// under the same lock, so nobody's draws written meanwhile are lost to an old preview.
#pragma once

#include <optional>
#include <string>

#include "core/base/result.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"
#include "core/draws/draw_database_lock.h"
#include "core/draws/draw_merge.h"

// What an applied import did: the counts of the mode that was written.
struct ImportOutcome {
    MergeMode mode = MergeMode::AddAndReplace;
    MergeSummary summary;
    std::size_t rows = 0;  // rows of the history now stored
    bool written = false;  // false when the file changed nothing
};

class [[nodiscard]] DrawImport {
public:
    // Takes the lock (refused while another writer holds it), refuses a read-only database,
    // opens it for writing (which rolls back a journal left by an interrupted write), reads what
    // is stored and plans against `file`. A database file that does not exist yet is planned
    // against an empty history and made by a ReplaceAll import; it is never made for a merge.
    // The file's prizes are planned against the stored prize table and written in the same
    // transaction as the draws.
    static Result<DrawImport> prepare(const std::string& connectString, DrawCsv file);
    // The same for a caller that already holds the lock (the update, from download to write).
    static Result<DrawImport> prepare(DrawDatabaseLock heldLock, const std::string& connectString,
                                      DrawCsv file);

    DrawImport(DrawImport&&) noexcept = default;
    DrawImport& operator=(DrawImport&&) noexcept = default;
    DrawImport(const DrawImport&) = delete;
    DrawImport& operator=(const DrawImport&) = delete;

    // What the preview shows: the file's rows (sorted by draw number), its rejected lines, and
    // the plan against what is stored.
    const CsvImport& plan() const { return m_import; }
    const std::string& databasePath() const { return m_path; }

    // Writes `mode` in one transaction (nothing on any failure). A file without draws never
    // replaces a history that holds draws. Call once.
    Result<ImportOutcome> apply(MergeMode mode);

private:
    DrawImport(DrawDatabaseLock lock, std::optional<DrawDatabase> database, std::string path,
               CsvImport import)
        : m_lock(std::move(lock)), m_database(std::move(database)), m_path(std::move(path)),
          m_import(std::move(import))
    {
    }
    Status createWith(const std::vector<DrawRow>& rows, const std::vector<DrawPrizes>& prizes);
    static Status buildIn(const std::string& temporary, const std::vector<DrawRow>& rows,
                          const std::vector<DrawPrizes>& prizes);

    DrawDatabaseLock m_lock;                 // held from reading what is stored to writing
    std::optional<DrawDatabase> m_database;  // nothing while no file exists
    std::string m_path;
    CsvImport m_import;
};

// prepare() and apply() at once, for callers that need no preview.
Result<ImportOutcome> importDraws(const std::string& connectString, DrawCsv file, MergeMode mode);

// "当選データを含まないファイルでは、登録済みの当選データを置き換えません。"
std::string emptyFileRefusal();
