#include "gui/app/child_windows.h"

#include <QMdiSubWindow>

#include "core/analyses/analysis_catalog.h"
#include "core/prediction/prediction_grids.h"
#include "gui/analyses/analysis_window.h"
#include "gui/app/child_window_host.h"
#include "gui/backtest/backtest_window.h"
#include "gui/maintenance/entry_window.h"
#include "gui/prediction/prediction_window.h"
#include "gui/session/draw_session.h"
#include "gui/stats/statistics_window.h"
#include "gui/tickets/combination_window.h"
#include "gui/tickets/ticket_register_window.h"

ChildWindows::ChildWindows(DrawSession& session, ChildWindowHost& host, QString ticketFile,
                           QObject* parent)
    : QObject(parent), m_session(session), m_host(host), m_ticketFile(std::move(ticketFile))
{
}

template <typename Window, typename Rebuild>
void ChildWindows::followHistory(Window* window, Rebuild rebuild)
{
    // The window is the connection's context: it ends with the window.
    connect(&m_session, &DrawSession::historyChanged, window,
            [this, window, rebuild] { rebuild(*window, m_session); });
}

void ChildWindows::openAnalysis(const QString& windowName)
{
    const AnalysisDescriptor* descriptor = findAnalysis(windowName.toStdString());
    if (!descriptor) return;
    m_host.open(windowName, [this, descriptor] {
        auto* window =
            new AnalysisWindow(*descriptor, m_session.history(), m_session.tables(), nullptr);
        followHistory(window, [](AnalysisWindow& shown, const DrawSession& session) {
            shown.rebuild(session.history(), session.tables());
        });
        return window;
    });
}

void ChildWindows::openBacktest()
{
    m_host.open(QString::fromUtf8(kBacktestWindowName), [this] {
        auto* window = new BacktestWindow(m_session.history(), m_session.options().enabledCount());
        followHistory(window, [](BacktestWindow& shown, const DrawSession& session) {
            shown.rebuild(session.history());
        });
        return window;
    });
}

void ChildWindows::openPrediction()
{
    m_host.open(QString::fromUtf8(kPredictionWindowName), [this] {
        auto* window =
            new PredictionWindow(m_session.options(), m_session.history(), m_session.tables());
        connect(window, &PredictionWindow::combinationRequested, this,
                &ChildWindows::openCombinationBuilder);
        followHistory(window, [](PredictionWindow& shown, const DrawSession& session) {
            shown.refresh(session.history(), session.tables());
        });
        return window;
    });
}

void ChildWindows::openCombinationBuilder()
{
    m_host.open(QString::fromUtf8(kCombinationWindowName), [this] {
        auto* window = new CombinationWindow(m_session.history(), m_session.tables().LatestDrawNo,
                                             m_session.options().enabledCount(), m_ticketFile);
        connect(window, &CombinationWindow::ticketsAdded, this, &ChildWindows::ticketsAdded);
        return window;
    });
}

void ChildWindows::openTicketRegister()
{
    m_host.open(QString::fromUtf8(kTicketRegisterWindowName), [this] {
        auto* window =
            new TicketRegisterWindow(m_session.connectString(), m_session.history(), m_ticketFile);
        followHistory(window,
                      [](TicketRegisterWindow& shown, const DrawSession&) { shown.reload(); });
        connect(this, &ChildWindows::ticketsAdded, window, &TicketRegisterWindow::reload);
        return window;
    });
}

void ChildWindows::openStatistics()
{
    m_host.open(QString::fromUtf8(kStatisticsWindowName), [this] {
        auto* window = new StatisticsWindow(m_session.history());
        followHistory(window, [](StatisticsWindow& shown, const DrawSession& session) {
            shown.rebuild(session.history());
        });
        return window;
    });
}

QMdiSubWindow* ChildWindows::openEntryWindow(QString* error)
{
    QMdiSubWindow* frame = m_host.open(kEntryWindowName, [this, error]() -> QWidget* {
        return EntryWindow::create(m_session.connectString(), error);
    });
    // What the player typed must reach every window once the entry window is gone.
    if (!frame) return nullptr;
    m_session.setOwnWriterOpen(true);
    connect(frame, &QObject::destroyed, this, [this] {
        m_session.setOwnWriterOpen(false);
        emit entryWindowClosed();
    });
    return frame;
}
