#include "gui/app/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include "core/draws/draw_merge.h"
#include "core/tickets/ticket_store.h"
#include "gui/app/child_windows.h"
#include "gui/app/help_viewer.h"
#include "gui/app/history_status_bar.h"
#include "gui/app/main_menu.h"
#include "gui/app/version_window.h"
#include "gui/app/window_arrangement.h"
#include "gui/maintenance/empty_history_guide.h"
#include "gui/maintenance/entry_window.h"
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
    m_windows = new ChildWindows(*m_session, *m_host, m_setup.ticketFile, this);
    m_data = new DrawDataCommands(
        *m_session, [this] { return childWindow(kEntryWindowName) != nullptr; }, this,
        m_setup.downloadServer, m_setup.importPreview);
    connect(m_data, &DrawDataCommands::typeDrawsRequested, this, &MainFrm::enterDrawData);
    connect(m_windows, &ChildWindows::entryWindowClosed, this, [this] {
        if (!m_exiting) QTimer::singleShot(0, m_data, &DrawDataCommands::reloadAfterEntry);
    });

    buildMainMenu(menuBar(), this,
                  [this](MenuCommand command, const QString& window) { run(command, window); });
    auto* status = new HistoryStatusBar(*statusBar(), *m_session);
    connect(status, &HistoryStatusBar::updateRequested, m_data, &DrawDataCommands::updateDrawData);
    placeMainWindow(*this, *m_mdiArea, m_setup.windowStateFile);
    // Which window had the focus tells a return to the main window from a dialog's end.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &MainFrm::noteFocusWindow);
}

MainFrm::~MainFrm()
{
    m_exiting = true;
    // The child windows go first, while the snapshot they show still exists; the help and version
    // windows too, while their closing can still reach this frame.
    delete m_mdiArea;
    delete m_helpViewer;
    delete m_versionWindow;
}

HelpViewer* MainFrm::helpViewer() const
{
    return m_helpViewer.data();
}

VersionWindow* MainFrm::versionWindow() const
{
    return m_versionWindow.data();
}

void MainFrm::run(MenuCommand command, const QString& window)
{
    switch (command) {
    case MenuCommand::End:
        close();
        return;
    case MenuCommand::Prediction:
        m_windows->openPrediction();
        return;
    case MenuCommand::Backtest:
        m_windows->openBacktest();
        return;
    case MenuCommand::Combination:
        m_windows->openCombinationBuilder();
        return;
    case MenuCommand::TicketRegister:
        m_windows->openTicketRegister();
        return;
    case MenuCommand::Analysis:
        m_windows->openAnalysis(window);
        return;
    case MenuCommand::Statistics:
        m_windows->openStatistics();
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
    if (!m_windows->openEntryWindow(&error) && !error.isEmpty())
        QMessageBox::critical(this, kMessageTitle, error, QMessageBox::Ok);
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
    m_windows->openPrediction();
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
    rememberMainWindow(*this, m_setup.windowStateFile);
    // The options would be lost silently otherwise: the player learns why before the program ends.
    if (const Status saved = WriteInitFile(options(), m_setup.settingsFile); !saved)
        QMessageBox::warning(this, kMainTitle,
                             QStringLiteral("予想オプションの設定を保存できませんでした。\n") +
                                 QString::fromStdString(saved.error()),
                             QMessageBox::Ok);
    m_session->release();
    event->accept();
}
