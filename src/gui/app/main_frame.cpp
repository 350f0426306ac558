#include "gui/app/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include "core/analyses/analysis_catalog.h"
#include "core/draws/draw_merge.h"
#include "core/grid/units.h"
#include "core/prediction/prediction_grids.h"
#include "core/session/history_status.h"
#include "core/tickets/ticket_store.h"
#include "gui/analyses/analysis_window.h"
#include "gui/app/activation_rule.h"
#include "gui/app/child_window_host.h"
#include "gui/app/help_viewer.h"
#include "gui/app/main_menu.h"
#include "gui/app/version_window.h"
#include "gui/app/window_arrangement.h"
#include "gui/backtest/backtest_window.h"
#include "gui/maintenance/empty_history_guide.h"
#include "gui/maintenance/entry_window.h"
#include "gui/prediction/prediction_window.h"
#include "gui/session/draw_session.h"
#include "gui/stats/statistics_window.h"
#include "gui/tickets/combination_window.h"
#include "gui/tickets/ticket_register_window.h"
#include "gui/ui/busy_pointer.h"
#include "gui/ui/close_child_window.h"

MainFrm::MainFrm(const QString& programFolder, QWidget* parent)
    : MainFrm(
          [&programFolder] {
              MainFrmSetup setup;
              setup.programFolder = programFolder;
              return setup;
          }(),
          parent)
{
}

MainFrm::MainFrm(MainFrmSetup setup, QWidget* parent)
    : QMainWindow(parent), m_setup(std::move(setup))
{
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(kMainTitle);
    setAttribute(Qt::WA_QuitOnClose);
    if (m_setup.ticketFile.isEmpty())
        m_setup.ticketFile = QString::fromStdString(defaultTicketFile());

    m_mdiArea = new QMdiArea(this);
    addCloseChildWindowKey(*m_mdiArea);
    // Analysis windows may be taller than the client area: the client area scrolls to reach them.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    m_session = new DrawSession(m_setup.programFolder, this);
    m_host = new ChildWindowHost(m_mdiArea, this);
    m_data = new DrawDataCommands(*m_session, *m_host, this, m_setup.downloadServer,
                                  m_setup.importPreview);
    connect(m_data, &DrawDataCommands::typeDrawsRequested, this, &MainFrm::enterDrawData);
    connect(m_session, &DrawSession::historyChanged, this, &MainFrm::showHistoryStatus);
    connect(m_session, &DrawSession::changedOutside, this, &MainFrm::showReloadedOutside);

    buildMainMenu(menuBar(), this,
                  [this](MenuCommand command, const QString& window) { run(command, window); });
    createStatusBar();
    placeAtFirstStart();
    // Which window had the focus tells a return to the main window from a dialog's end.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &MainFrm::noteFocusWindow);
}

MainFrm::~MainFrm()
{
    m_exiting = true;
    // The child windows go first, while the snapshot they show still exists.
    delete m_mdiArea;
}

PredictionOptions& MainFrm::options()
{
    return m_session->options();
}

const DrawHistory& MainFrm::history() const
{
    return m_session->history();
}

const DrawTables& MainFrm::tables() const
{
    return m_session->tables();
}

const std::string& MainFrm::connectString() const
{
    return m_session->connectString();
}

EmptyHistoryGuide* MainFrm::emptyHistoryGuide() const
{
    return m_data->emptyHistoryGuide();
}

HelpViewer* MainFrm::helpViewer() const
{
    return m_helpViewer.data();
}

VersionWindow* MainFrm::versionWindow() const
{
    return m_versionWindow.data();
}

bool MainFrm::propEnd() const
{
    return m_host->propEnd();
}

QMdiSubWindow* MainFrm::childWindow(const QString& kind) const
{
    return m_host->window(kind);
}

void MainFrm::run(MenuCommand command, const QString& window)
{
    switch (command) {
    case MenuCommand::End:
        close();
        return;
    case MenuCommand::Prediction:
        openPrediction();
        return;
    case MenuCommand::Backtest:
        openBacktest();
        return;
    case MenuCommand::Combination:
        openCombinationBuilder();
        return;
    case MenuCommand::TicketRegister:
        openTicketRegister();
        return;
    case MenuCommand::Analysis:
        openAnalysis(window);
        return;
    case MenuCommand::Statistics:
        openStatistics();
        return;
    case MenuCommand::Update:
        m_data->updateDrawData();
        return;
    case MenuCommand::Input:
        enterDrawData();
        return;
    case MenuCommand::CsvImport:
        m_data->importCsv();
        return;
    case MenuCommand::CsvExport:
        m_data->exportCsv();
        return;
    case MenuCommand::Settings:
        m_data->editSettings();
        return;
    case MenuCommand::TileOneAboveTheOther:
        tileOneAboveTheOther(*m_mdiArea);
        return;
    case MenuCommand::TileSideBySide:
        tileSideBySide(*m_mdiArea);
        return;
    case MenuCommand::Cascade:
        m_mdiArea->cascadeSubWindows();
        return;
    case MenuCommand::ArrangeIcons:
        arrangeIcons(*m_mdiArea);
        return;
    case MenuCommand::Help:
        showHelp();
        return;
    case MenuCommand::About:
        showVersion();
        return;
    }
}

bool MainFrm::load(QString* error)
{
    // The options are read before anything else, so they are there even if the database fails.
    ReadInitFile(m_session->options(), m_setup.settingsFile);
    return m_session->load(error);
}

bool MainFrm::start()
{
    QString error;
    if (load(&error)) {
        // Without a single draw every window is empty: show the ways in once the window is up.
        if (!holdsDraws(history().rows()))
            QTimer::singleShot(0, m_data, &DrawDataCommands::showEmptyHistoryGuide);
        return true;
    }
    QMessageBox::critical(nullptr, kMessageTitle, error, QMessageBox::Ok);
    return false;
}

template <typename Window, typename Rebuild>
void MainFrm::followHistory(Window* window, Rebuild rebuild)
{
    // The window is the connection's context: it ends with the window.
    connect(m_session, &DrawSession::historyChanged, window,
            [this, window, rebuild] { rebuild(*window, *m_session); });
}

void MainFrm::openAnalysis(const QString& windowName)
{
    const AnalysisDescriptor* descriptor = findAnalysis(windowName.toStdString());
    if (!descriptor) return;
    m_host->open(windowName, [this, descriptor] {
        auto* window = new AnalysisWindow(*descriptor, history(), tables(), nullptr);
        followHistory(window, [](AnalysisWindow& shown, const DrawSession& session) {
            shown.rebuild(session.history(), session.tables());
        });
        return window;
    });
}

void MainFrm::openBacktest()
{
    m_host->open(QString::fromUtf8(kBacktestWindowName), [this] {
        auto* window = new BacktestWindow(history(), options().enabledCount());
        followHistory(window, [](BacktestWindow& shown, const DrawSession& session) {
            shown.rebuild(session.history());
        });
        return window;
    });
}

void MainFrm::openPrediction()
{
    m_host->open(QString::fromUtf8(kPredictionWindowName), [this] {
        auto* window = new PredictionWindow(options(), history(), tables());
        connect(window, &PredictionWindow::combinationRequested, this,
                &MainFrm::openCombinationBuilder);
        followHistory(window, [](PredictionWindow& shown, const DrawSession& session) {
            shown.refresh(session.history(), session.tables());
        });
        return window;
    });
}

void MainFrm::openCombinationBuilder()
{
    m_host->open(QString::fromUtf8(kCombinationWindowName), [this] {
        auto* window = new CombinationWindow(history(), tables().LatestDrawNo,
                                             options().enabledCount(), m_setup.ticketFile);
        // An open register shows the new tickets at once.
        connect(window, &CombinationWindow::ticketsAdded, this, [this] {
            if (QMdiSubWindow* open = childWindow(QString::fromUtf8(kTicketRegisterWindowName)))
                if (auto* view = qobject_cast<TicketRegisterWindow*>(open->widget()))
                    view->reload();
        });
        return window;
    });
}

void MainFrm::openTicketRegister()
{
    m_host->open(QString::fromUtf8(kTicketRegisterWindowName), [this] {
        auto* window = new TicketRegisterWindow(connectString(), history(), m_setup.ticketFile);
        followHistory(window,
                      [](TicketRegisterWindow& shown, const DrawSession&) { shown.reload(); });
        return window;
    });
}

void MainFrm::openStatistics()
{
    m_host->open(QString::fromUtf8(kStatisticsWindowName), [this] {
        auto* window = new StatisticsWindow(history());
        followHistory(window, [](StatisticsWindow& shown, const DrawSession& session) {
            shown.rebuild(session.history());
        });
        return window;
    });
}

void MainFrm::enterDrawData()
{
    // The entry window writes to the database the other windows were computed from, so it only
    // opens while nothing else is shown.
    if (!propEnd()) {
        QMessageBox::critical(this, kMessageTitle, kCloseWindowsFirst, QMessageBox::Ok);
        return;
    }
    openEntryWindow();
}

void MainFrm::openEntryWindow()
{
    QString error;
    QMdiSubWindow* frame = m_host->open(kEntryWindowName, [this, &error]() -> QWidget* {
        return EntryWindow::create(connectString(), &error);
    });
    if (!frame) {
        if (!error.isEmpty()) QMessageBox::critical(this, kMessageTitle, error, QMessageBox::Ok);
        return;
    }
    // What the player typed must reach every window once the entry window is gone.
    connect(frame, &QObject::destroyed, this, [this] {
        if (!m_exiting) QTimer::singleShot(0, m_data, &DrawDataCommands::reloadAfterEntry);
    });
}

void MainFrm::showHelp()
{
    BusyPointer busy;
    if (!m_helpViewer) {
        m_helpViewer = new HelpViewer(this);
        m_helpViewer->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_helpViewer, &QObject::destroyed, this, &MainFrm::noteOwnWindowClosed);
    }
    m_helpViewer->show();
    m_helpViewer->raise();
    m_helpViewer->activateWindow();
    m_helpViewer->showKeyword(kHelpKeyword);
}

void MainFrm::showVersion()
{
    BusyPointer busy;
    if (!m_versionWindow) {
        m_versionWindow = new VersionWindow(this);
        m_versionWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_versionWindow, &QObject::destroyed, this, &MainFrm::noteOwnWindowClosed);
    }
    m_versionWindow->show();
    m_versionWindow->raise();
    m_versionWindow->activateWindow();
}

void MainFrm::onActivated()
{
    // The prediction window opens by itself at start-up and comes forward whenever the player
    // returns to the main window.
    openPrediction();
}

void MainFrm::noteFocusWindow(QWindow* window)
{
    if (!window || window == windowHandle()) return;
    QWidget* widget = nullptr;
    for (QWidget* topLevel : QApplication::topLevelWidgets())
        if (topLevel->windowHandle() == window) widget = topLevel;
    // A message box of the version window is still a transient between two own windows.
    const ActivationBetween between = activationBetween(widget);
    if (m_between != ActivationBetween::Transient) m_between = between;
}

void MainFrm::noteOwnWindowClosed()
{
    // Closing the version window or the help hands the activation back to this window.
    if (m_between != ActivationBetween::Transient) m_between = ActivationBetween::OwnWindow;
}

void MainFrm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (!isActiveWindow()) {
        // A command's message box, file dialog, print preview or menu takes the activation
        // while it runs; it is known here, before it is shown to the player.
        if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
            m_between = ActivationBetween::Transient;
        return;
    }
    const ActivationBetween between = std::exchange(m_between, ActivationBetween::Nothing);
    const bool first = !std::exchange(m_activatedOnce, true);
    if (m_exiting || !activationRunsPrediction(first, between)) return;
    emit activated();
    onActivated();
}

void MainFrm::closeEvent(QCloseEvent* event)
{
    // Closing the version window hands activation back to this window, which would open the
    // prediction window again: activations are ignored from here on.
    m_exiting = true;
    if (m_versionWindow) m_versionWindow->close();
    if (m_helpViewer) m_helpViewer->close();
    // Child windows close without a question. The one exception: the entry window could not
    // write what the player typed and the player chose to keep it, so the program stays open
    // rather than lose a draw.
    m_mdiArea->closeAllSubWindows();
    if (!m_mdiArea->subWindowList().isEmpty()) {
        m_exiting = false;
        event->ignore();
        return;
    }
    if (!m_setup.windowStateFile.isEmpty()) {
        QSettings state(m_setup.windowStateFile, QSettings::IniFormat);
        state.setValue(QStringLiteral("MainFrm/geometry"), saveGeometry());
        state.setValue(QStringLiteral("MainFrm/state"), saveState());
    }
    // The options would be lost silently otherwise: the player learns why before the program ends.
    if (const Status saved = WriteInitFile(options(), m_setup.settingsFile); !saved)
        QMessageBox::warning(this, kMainTitle,
                             QStringLiteral("予想オプションの設定を保存できませんでした。\n") +
                                 QString::fromStdString(saved.error()),
                             QMessageBox::Ok);
    m_session->release();
    {
        BusyPointer busy;
    }
    event->accept();
}

void MainFrm::placeAtFirstStart()
{
    if (!m_setup.windowStateFile.isEmpty()) {
        QSettings state(m_setup.windowStateFile, QSettings::IniFormat);
        if (restoreGeometry(state.value(QStringLiteral("MainFrm/geometry")).toByteArray())) {
            restoreState(state.value(QStringLiteral("MainFrm/state")).toByteArray());
            return;
        }
    }
    // Room for the largest child window, its scroll bars and buttons in view.
    const int border = 2 * m_mdiArea->frameWidth();
    const QSize client = QSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips))
                             .expandedTo(largestWindowSize() + QSize(border, border));
    const QSize outer(client.width(), client.height() + menuBar()->sizeHint().height() +
                                          statusBar()->sizeHint().height());
    resize(outer);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && (outer.width() > screen->availableSize().width() ||
                   outer.height() > screen->availableSize().height()))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainFrm::createStatusBar()
{
    m_historyStatus = new QLabel(this);
    m_historyStatus->setObjectName(QStringLiteral("historyStatus"));
    m_historyHint = new QLabel(this);
    m_historyHint->setObjectName(QStringLiteral("historyHint"));
    m_updateButton = new QPushButton(QStringLiteral("当選データ最新化"), this);
    m_updateButton->setObjectName(QStringLiteral("historyUpdate"));
    m_updateButton->setFlat(true);
    connect(m_updateButton, &QPushButton::clicked, m_data, &DrawDataCommands::updateDrawData);
    m_reloadNotice = new QLabel(this);
    m_reloadNotice->setObjectName(QStringLiteral("reloadNotice"));
    statusBar()->addWidget(m_historyStatus);
    statusBar()->addWidget(m_historyHint);
    statusBar()->addWidget(m_updateButton);
    statusBar()->addWidget(m_reloadNotice, 1);
    m_historyHint->hide();
    m_updateButton->hide();
}

void MainFrm::showHistoryStatus()
{
    const QDate today = QDate::currentDate();
    const std::chrono::sys_days day{std::chrono::year_month_day{
        std::chrono::year(today.year()), std::chrono::month(static_cast<unsigned>(today.month())),
        std::chrono::day(static_cast<unsigned>(today.day()))}};
    const HistoryStatus status = historyStatus(history(), day);
    m_historyStatus->setText(QString::fromStdString(historyStatusText(status)));
    m_historyHint->setText(QString::fromStdString(historyStaleHint(status)));
    m_historyHint->setVisible(status.probablyBehind);
    m_updateButton->setVisible(status.probablyBehind);
}

void MainFrm::showReloadedOutside()
{
    m_reloadNotice->setText(
        QStringLiteral("当選データを読み直しました（第%1回まで）").arg(tables().LatestDrawNo));
    QTimer::singleShot(15000, m_reloadNotice, &QLabel::clear);
}
