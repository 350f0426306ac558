// The draw session without Qt: the connection string, the snapshot of the draw history, the
// tables computed from it and the prediction options, loaded and reloaded as one.
#pragma once

#include <string>

#include "core/base/result.h"
#include "core/draws/draw_history.h"
#include "core/draws/draw_tables.h"
#include "core/prediction/prediction_options.h"

class HistorySession {
public:
    // Builds the connection string of Pomuran.mdb in programFolder.
    void connectToFolder(const std::string& programFolder);
    const std::string& connectString() const { return m_connectString; }
    // The database file the connection string names.
    std::string databaseFile() const;

    // Reads the whole history and recomputes the tables. On failure the previous snapshot stays
    // (it is still whole) and the engine's message comes back.
    Status load();
    // True when the database holds exactly the snapshot's draws (same 回数, 日付 and numbers);
    // false when it differs or cannot be read.
    bool matchesDatabase() const;
    // Forgets the snapshot (exit).
    void release();

    const DrawHistory& history() const { return m_history; }
    const DrawTables& tables() const { return m_tables; }
    PredictionOptions& options() { return m_options; }
    const PredictionOptions& options() const { return m_options; }

private:
    std::string m_connectString;
    DrawHistory m_history;
    DrawTables m_tables;
    PredictionOptions m_options;
};
