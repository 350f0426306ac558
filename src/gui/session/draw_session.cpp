#include "gui/session/draw_session.h"

#include <QCursor>
#include <QFileInfo>

#include "core/base/program_folder.h"
#include "gui/ui/busy_pointer.h"

DrawSession::DrawSession(const QString& programFolder, QObject* parent)
    : QObject(parent),
      m_programFolder(programFolder.isEmpty() ? QString::fromStdString(::programFolder())
                                              : programFolder)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &DrawSession::checkOutside);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DrawSession::fileTouched);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &DrawSession::fileTouched);
}

bool DrawSession::load(QString* error)
{
    m_core.connectToFolder(m_programFolder.toStdString());
    return reload(error);
}

bool DrawSession::reload(QString* error)
{
    BusyPointer busy;
    if (Status loaded = m_core.load(); !loaded) {
        if (error) *error = QString::fromStdString(loaded.error());
        return false;
    }
    // A replacement by rename gives a new file: watch that one.
    watch();
    emit historyChanged();
    return true;
}

bool DrawSession::reloadIfChanged(QString* error)
{
    if (m_core.matchesDatabase()) return true;
    return reload(error);
}

void DrawSession::release()
{
    m_settle.stop();
    if (!m_watcher.files().isEmpty()) m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty()) m_watcher.removePaths(m_watcher.directories());
    m_core.release();
}

void DrawSession::watch()
{
    const QString file = databaseFile();
    if (file.isEmpty()) return;
    // The folder too: a file replaced by rename stops being watched, and the folder says when
    // the new one arrives.
    const QString folder = QFileInfo(file).absolutePath();
    if (!m_watcher.files().contains(file) && QFileInfo::exists(file)) m_watcher.addPath(file);
    if (!m_watcher.directories().contains(folder)) m_watcher.addPath(folder);
}

void DrawSession::fileTouched()
{
    m_retries = 0;
    m_settle.start();
}

void DrawSession::checkOutside()
{
    watch();
    if (m_ownWriterOpen) return;
    // Our own writes (import, entry window) reload at once, so the database already matches.
    if (m_core.matchesDatabase()) return;
    // A database half written or locked by its writer is read again a little later.
    if (Status loaded = m_core.load(); !loaded) {
        if (++m_retries <= kRetries) m_settle.start();
        return;
    }
    m_retries = 0;
    emit historyChanged();
    emit changedOutside();
}
