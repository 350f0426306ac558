// DrawSession: the program's one draw session. Owns the connection string, the snapshot of the
// draw history, its tables and the prediction options; every window that shows the history
// reads them here and rebuilds on historyChanged(). Notices when another program (pomuran-cli
// import, a second copy of the program) replaces or writes the database, and reloads.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include "core/session/history_session.h"

class DrawSession : public QObject {
    Q_OBJECT
public:
    // programFolder is where Pomuran.mdb is; empty means the folder of the running executable.
    explicit DrawSession(const QString& programFolder = QString(), QObject* parent = nullptr);

    // Start-up: builds the connection string and loads the snapshot and tables, then watches
    // the file. False, with the engine's message in *error, when the database cannot be read.
    bool load(QString* error = nullptr);
    // Reads the history again; on success emits historyChanged(). On failure the previous
    // snapshot stays and *error says why.
    bool reload(QString* error = nullptr);
    // reload() only when the database no longer holds the snapshot's draws.
    bool reloadIfChanged(QString* error = nullptr);
    // While the program's own writer (当選データ入力) is open, changes of the file are its own and
    // no reload of someone else's: the writer reloads when it closes.
    void setOwnWriterOpen(bool open) { m_ownWriterOpen = open; }
    // Exit: forgets the snapshot and stops watching.
    void release();

    const QString& programFolder() const { return m_programFolder; }
    const std::string& connectString() const { return m_core.connectString(); }
    QString databaseFile() const { return QString::fromStdString(m_core.databaseFile()); }
    const DrawHistory& history() const { return m_core.history(); }
    const DrawTables& tables() const { return m_core.tables(); }
    PredictionOptions& options() { return m_core.options(); }
    const PredictionOptions& options() const { return m_core.options(); }

    // How long file notifications are gathered before the database is read (milliseconds): a
    // replacement by rename and a transaction each arrive as several notifications.
    static constexpr int kSettleMilliseconds = 400;

signals:
    // The snapshot and tables were replaced.
    void historyChanged();
    // The snapshot was reloaded because someone else changed the database.
    void changedOutside();

private:
    void watch();
    void fileTouched();
    void checkOutside();

    QString m_programFolder;
    HistorySession m_core;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    // Reads of a changed file that failed in a row; it is given up after kRetries.
    static constexpr int kRetries = 5;
    int m_retries = 0;
    bool m_ownWriterOpen = false;
};
