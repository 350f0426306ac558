#include "app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include <array>
#include <utility>

#include "analyses/analysis_catalog.h"
#include "analyses/analysis_window.h"
#include "app/help_viewer.h"
#include "app/version_window.h"
#include "app/window_arrangement.h"
#include "backtest/backtest_window.h"
#include "draws/connection_string.h"
#include "draws/draw_database.h"
#include "draws/program_folder.h"
#include "grid/units.h"
#include "maintenance/draw_update_dialog.h"
#include "maintenance/entry_window.h"
#include "prediction/prediction_window.h"
#include "tickets/combination_window.h"
#include "tickets/ticket_register_window.h"
#include "stats/statistics_window.h"
#include "ui/busy_pointer.h"

namespace {

// The analysis commands of "データ分析(&S)" in menu order. Items that share a sub-menu follow
// each other; the menu caption is not always the window's caption (回数別出現分析).
struct AnalysisMenuEntry {
    const char* menuName;  // sub-menu object name, nullptr for an item directly in the menu
    const char* menuCaption;
    const char* itemName;
    const char* itemCaption;
    const char* windowName;
};

constexpr std::array<AnalysisMenuEntry, 17> kAnalysisMenu = {{
    {"mnuHindo", "頻度分析", "mnuSyutugenHindo", "出現頻度分析", "出現頻度分析"},
    {"mnuHindo", "頻度分析", "mnuSyutugenKaisu", "回数別出現分析", "回数別出現分析"},
    {"mnuKankaku", "間隔分析", "mnuSyutugenKankaku", "出現間隔分析", "出現間隔分析"},
    {"mnuKankaku", "間隔分析", "mnuNumberKankaku", "数字間隔分析", "数字間隔分析"},
    {nullptr, nullptr, "mnuZenkaiSyutugen", "出現回数分析", "出現回数分析"},
    {nullptr, nullptr, "mnuBaratsuki", "バラツキ分析", "バラツキ分析"},
    {nullptr, nullptr, "mnuHippari", "引っ張り分析", "引っ張り分析"},
    {nullptr, nullptr, "mnuRenbanTobiishi", "連番・飛び石分析", "連番飛び石分析"},
    {nullptr, nullptr, "mnuHonsuji", "数字合計分析", "数字合計分析"},
    {"mnuPattern", "組合せパターン分析", "mnuLowHightPattern", "低数字・高数字の組合せパターン分析",
     "低数字高数字の組合せパターン分析"},
    {"mnuPattern", "組合せパターン分析", "mnuKisuGusuPattern", "偶数・奇数の組合せパターン分析",
     "偶数奇数の組合せパターン分析"},
    {nullptr, nullptr, "mnu5BunkatsuKeiko", "4分割傾向分析", "分割4傾向分析"},
    {"mnuBunkatsuData", "分割データ分析", "mnu6BunkatsuData", "6分割データ分析", "分割6データ分析"},
    {"mnuBunkatsuData", "分割データ分析", "mnu7BunkatsuData", "7分割データ分析", "分割7データ分析"},
    {"mnuBunkatsuData", "分割データ分析", "mnu11BunkatsuData", "10分割データ分析",
     "分割10データ分析"},
    {nullptr, nullptr, "mnuLastChar", "下一桁出現傾向分析", "下一桁出現傾向分析"},
    {nullptr, nullptr, "mnuLastCharRenzoku", "下一桁連続出現回数分析", "下一桁連続出現回数分析"},
}};

QAction* makeAction(QObject* parent, const char* name, const QString& caption)
{
    auto* action = new QAction(caption, parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu* makeMenu(QWidget* parent, const char* name, const QString& caption)
{
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

}  // namespace

MainFrm::MainFrm(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent),
      m_programFolder(programFolder.isEmpty() ? QString::fromStdString(::programFolder())
                                              : programFolder),
      m_ticketFile(QString::fromStdString(defaultTicketFile()))
{
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(kMainTitle);
    setAttribute(Qt::WA_QuitOnClose);

    m_mdiArea = new QMdiArea(this);
    // Analysis windows are taller than the client area: the client area scrolls to reach them.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);

    createActions();
    createMenus();

    // The designed size is the client area's: add the menu bar above it.
    resize(twipsToPixels(kClientWidthTwips),
           twipsToPixels(kClientHeightTwips) + menuBar()->sizeHint().height());
}

MainFrm::~MainFrm()
{
    // The child windows go first, while the snapshot they show and the table that tracks them
    // still exist.
    delete m_mdiArea;
}

void MainFrm::createActions()
{
    m_endAction = makeAction(this, "mnuEnd", QStringLiteral("終了(&X)"));
    connect(m_endAction, &QAction::triggered, this, &MainFrm::close);

    m_predictionAction = makeAction(this, "mnuYoso", QStringLiteral("一発ボボーン予想(&D)"));
    connect(m_predictionAction, &QAction::triggered, this, &MainFrm::openPrediction);
    m_combinationAction = makeAction(this, "mnuCombination", QStringLiteral("組合せ作成(&C)"));
    connect(m_combinationAction, &QAction::triggered, this, &MainFrm::openCombinationBuilder);
    m_ticketRegisterAction = makeAction(this, "mnuTicketRegister", QStringLiteral("購入記録(&T)"));
    connect(m_ticketRegisterAction, &QAction::triggered, this, &MainFrm::openTicketRegister);
    m_backtestAction = makeAction(this, "mnuYosoKensyo", QStringLiteral("予想の検証(&B)"));
    connect(m_backtestAction, &QAction::triggered, this, &MainFrm::openBacktest);

    for (const AnalysisMenuEntry& entry : kAnalysisMenu) {
        QAction* action = makeAction(this, entry.itemName, QString::fromUtf8(entry.itemCaption));
        const QString windowName = QString::fromUtf8(entry.windowName);
        action->setData(windowName);
        connect(action, &QAction::triggered, this,
                [this, windowName] { openAnalysis(windowName); });
        m_analysisActions.append(action);
    }
    m_statisticsAction = makeAction(this, "mnuStatistics", QStringLiteral("統計グラフ(&G)"));
    connect(m_statisticsAction, &QAction::triggered, this, &MainFrm::openStatistics);

    m_updateAction = makeAction(this, "mnuMasterUpdate", QStringLiteral("当選データ最新化(&U)"));
    connect(m_updateAction, &QAction::triggered, this, &MainFrm::updateDrawData);
    m_inputAction = makeAction(this, "mnuMasterInput", QStringLiteral("当選データ入力(&I)"));
    connect(m_inputAction, &QAction::triggered, this, &MainFrm::enterDrawData);

    m_tileHorizontalAction =
        makeAction(this, "mnuWindowHorizontal", QStringLiteral("上下に並べて表示(&H)"));
    connect(m_tileHorizontalAction, &QAction::triggered, this, &MainFrm::tileOneAboveTheOther);
    m_tileVerticalAction =
        makeAction(this, "mnuWindowVertical", QStringLiteral("左右に並べて表示(&V)"));
    connect(m_tileVerticalAction, &QAction::triggered, this, &MainFrm::tileSideBySide);
    m_cascadeAction = makeAction(this, "mnuWindowCascade", QStringLiteral("重ねて表示(&C)"));
    connect(m_cascadeAction, &QAction::triggered, this, &MainFrm::cascade);
    m_arrangeIconsAction =
        makeAction(this, "mnuWindowArrangeIcon", QStringLiteral("アイコンの整列(&A)"));
    connect(m_arrangeIconsAction, &QAction::triggered, this, &MainFrm::arrangeIcons);

    m_helpFileAction = makeAction(this, "mnuHelpFile", QStringLiteral("ヘルプ(&H)"));
    connect(m_helpFileAction, &QAction::triggered, this, &MainFrm::showHelp);
    m_aboutAction = makeAction(this, "mnuAbout", QStringLiteral("バージョン情報(&A)"));
    connect(m_aboutAction, &QAction::triggered, this, &MainFrm::showVersion);
}

void MainFrm::createMenus()
{
    // 終了 is a command directly on the menu bar, without a drop-down.
    menuBar()->addAction(m_endAction);
    // 一発ボボーン予想 stays a command directly on the menu bar, as it always was; what builds on
    // its suggestions (their backtest and the tickets) has a menu of its own beside it.
    menuBar()->addAction(m_predictionAction);
    auto* suggestionMenu = makeMenu(this, "mnuYosoKatsuyo", QStringLiteral("予想の活用(&K)"));
    suggestionMenu->addAction(m_backtestAction);
    suggestionMenu->addSeparator();
    suggestionMenu->addAction(m_combinationAction);
    suggestionMenu->addAction(m_ticketRegisterAction);
    menuBar()->addMenu(suggestionMenu);

    QMenu* analysisMenu = makeMenu(this, "mnuMain", QStringLiteral("データ分析(&S)"));
    QMenu* subMenu = nullptr;
    for (std::size_t i = 0; i < kAnalysisMenu.size(); ++i) {
        const AnalysisMenuEntry& entry = kAnalysisMenu[i];
        QMenu* target = analysisMenu;
        if (entry.menuName) {
            if (!subMenu || subMenu->objectName() != QLatin1String(entry.menuName)) {
                subMenu =
                    makeMenu(analysisMenu, entry.menuName, QString::fromUtf8(entry.menuCaption));
                analysisMenu->addMenu(subMenu);
            }
            target = subMenu;
        } else {
            subMenu = nullptr;
        }
        target->addAction(m_analysisActions[static_cast<int>(i)]);
    }
    analysisMenu->addSeparator();
    analysisMenu->addAction(m_statisticsAction);
    menuBar()->addMenu(analysisMenu);

    QMenu* maintenanceMenu = makeMenu(this, "mnuHosyu", QStringLiteral("データ管理(&M)"));
    maintenanceMenu->addAction(m_updateAction);
    maintenanceMenu->addAction(m_inputAction);
    menuBar()->addMenu(maintenanceMenu);

    // No list of open windows: the menu holds the four arrangements only.
    QMenu* windowMenu = makeMenu(this, "mnuWindow", QStringLiteral("ウィンドウ(&W)"));
    windowMenu->addAction(m_tileHorizontalAction);
    windowMenu->addAction(m_tileVerticalAction);
    windowMenu->addAction(m_cascadeAction);
    windowMenu->addAction(m_arrangeIconsAction);
    menuBar()->addMenu(windowMenu);

    QMenu* helpMenu = makeMenu(this, "mnuHelp", QStringLiteral("ヘルプ(&H)"));
    helpMenu->addAction(m_helpFileAction);
    helpMenu->addAction(m_aboutAction);
    menuBar()->addMenu(helpMenu);
}

bool MainFrm::load(QString* error)
{
    // The options are read before anything else, so they are there even if the database fails.
    ReadInitFile(m_options, m_settingsFile);
    BusyPointer busy;
    m_connectString = buildDbConnectString(m_programFolder.toStdString());
    Result<DrawHistory> history = loadDrawHistory(m_connectString);
    if (!history) {
        if (error) *error = QString::fromStdString(history.error());
        return false;
    }
    m_history = std::move(history.value());
    m_tables = LoadDrawTables(m_history);
    refreshStatisticsWindow();
    return true;
}

bool MainFrm::start()
{
    QString error;
    if (load(&error)) return true;
    QMessageBox::critical(nullptr, kMessageTitle, error, QMessageBox::Ok);
    return false;
}

QMdiSubWindow* MainFrm::childWindow(const QString& kind) const
{
    // A closed window leaves the area's list at once, before its deferred deletion.
    for (QMdiSubWindow* window : m_mdiArea->subWindowList())
        if (window->objectName() == kind) return window;
    return nullptr;
}

bool MainFrm::propEnd() const
{
    return m_mdiArea->subWindowList().isEmpty();
}

QMdiSubWindow* MainFrm::showChildWindow(const QString& kind,
                                        const std::function<QWidget*()>& create, int widthTwips,
                                        int heightTwips, bool fixedFrame)
{
    if (QMdiSubWindow* open = childWindow(kind)) {
        if (open->isMinimized()) open->showNormal();
        m_mdiArea->setActiveSubWindow(open);
        open->raise();
        return open;
    }
    // The busy pointer lets pending events run, and an activation among them may ask for the
    // window being built: that request is dropped rather than building a second one.
    if (m_building.contains(kind)) return nullptr;

    QWidget* content = nullptr;
    {
        m_building.insert(kind);
        BusyPointer busy;
        content = create ? create() : nullptr;
        m_building.remove(kind);
    }
    if (!content) return nullptr;

    auto* frame = new QMdiSubWindow;
    frame->setObjectName(kind);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWidget(content);
    frame->setWindowTitle(content->windowTitle());
    connect(content, &QWidget::windowTitleChanged, frame, &QWidget::setWindowTitle);
    Qt::WindowFlags flags = Qt::SubWindow;
    if (fixedFrame)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint;
    m_mdiArea->addSubWindow(frame, flags);

    // Sizes are the window's outer size, title bar and frame included.
    const QSize size(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    if (fixedFrame)
        frame->setFixedSize(size);
    else
        frame->resize(size);
    frame->move(0, 0);
    frame->show();
    m_mdiArea->setActiveSubWindow(frame);
    return frame;
}

HelpViewer* MainFrm::helpViewer() const
{
    return m_helpViewer.data();
}

VersionWindow* MainFrm::versionWindow() const
{
    return m_versionWindow.data();
}

void MainFrm::openAnalysis(const QString& windowName)
{
    const AnalysisDescriptor* descriptor = findAnalysis(windowName.toStdString());
    if (!descriptor || !descriptor->build) {
        showNotAvailable(kAnalysisNotAvailable);
        return;
    }
    showChildWindow(
        windowName,
        [this, descriptor] {
            return new AnalysisWindow(*descriptor, m_history, m_tables, nullptr);
        },
        descriptor->widthTwips, descriptor->heightTwips,
        descriptor->frame == FrameKind::FixedDialog);
}

void MainFrm::openBacktest()
{
    showChildWindow(
        QString::fromUtf8(kBacktestWindowName),
        [this] { return new BacktestWindow(m_history, m_options.enabledCount()); },
        kBacktestWidthTwips, kBacktestHeightTwips, false);
}

void MainFrm::openPrediction()
{
    showChildWindow(
        QString::fromUtf8(kPredictionWindowName),
        [this] {
            auto* window = new PredictionWindow(m_options, m_history, m_tables);
            connect(window, &PredictionWindow::combinationRequested, this,
                    &MainFrm::openCombinationBuilder);
            return window;
        },
        kPredictionWidthTwips, kPredictionHeightTwips, true);
}

void MainFrm::openCombinationBuilder()
{
    showChildWindow(
        QString::fromUtf8(kCombinationWindowName),
        [this] {
            auto* window = new CombinationWindow(m_history, m_tables.LatestDrawNo,
                                                 m_options.enabledCount(), m_ticketFile);
            // An open register shows the new tickets at once.
            connect(window, &CombinationWindow::ticketsAdded, this, [this] {
                if (QMdiSubWindow* open = childWindow(QString::fromUtf8(kTicketRegisterWindowName)))
                    if (auto* view = qobject_cast<TicketRegisterWindow*>(open->widget()))
                        view->reload();
            });
            return window;
        },
        kCombinationWidthTwips, kCombinationHeightTwips, false);
}

void MainFrm::openTicketRegister()
{
    showChildWindow(
        QString::fromUtf8(kTicketRegisterWindowName),
        [this] { return new TicketRegisterWindow(m_connectString, m_history, m_ticketFile); },
        kTicketRegisterWidthTwips, kTicketRegisterHeightTwips, false);
}

void MainFrm::openStatistics()
{
    showChildWindow(
        QString::fromUtf8(kStatisticsWindowName),
        [this] { return new StatisticsWindow(m_history); }, kStatisticsWidthTwips,
        kStatisticsHeightTwips, false);
}

void MainFrm::refreshStatisticsWindow()
{
    QMdiSubWindow* frame = childWindow(QString::fromUtf8(kStatisticsWindowName));
    if (auto* window = frame ? qobject_cast<StatisticsWindow*>(frame->widget()) : nullptr)
        window->rebuild(m_history);
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
    QMdiSubWindow* frame = showChildWindow(
        kEntryWindowName,
        [this, &error]() -> QWidget* { return EntryWindow::create(m_connectString, &error); },
        kEntryClientWidthTwips, kEntryClientHeightTwips, true);
    if (!frame) {
        if (!error.isEmpty()) QMessageBox::critical(this, kMessageTitle, error, QMessageBox::Ok);
        return;
    }
    // The entry window's design gives its client area: the frame's title bar and borders go
    // around it.
    const QMargins margins = frame->contentsMargins();
    frame->setFixedSize(twipsToPixels(kEntryClientWidthTwips) + margins.left() + margins.right(),
                        twipsToPixels(kEntryClientHeightTwips) + margins.top() + margins.bottom());
}

void MainFrm::updateDrawData()
{
    UpdateOptions options;
    if (!m_downloadServer.isEmpty()) options.server = m_downloadServer.toStdString();
    // The database this program reads at its next start, never a fixed installation path.
    options.destination =
        QDir(m_programFolder).filePath(QString::fromUtf8(kDatabaseFileName)).toStdString();

    // The snapshot stays as loaded: the new data is read at the next start.
    runDrawUpdate(this, std::move(options));
}

void MainFrm::showNotAvailable(const QString& text)
{
    QMessageBox::information(this, kMainTitle, text, QMessageBox::Ok);
}

void MainFrm::tileOneAboveTheOther()
{
    ::tileOneAboveTheOther(*m_mdiArea);
}

void MainFrm::tileSideBySide()
{
    ::tileSideBySide(*m_mdiArea);
}

void MainFrm::cascade()
{
    m_mdiArea->cascadeSubWindows();
}

void MainFrm::arrangeIcons()
{
    ::arrangeIcons(*m_mdiArea);
}

void MainFrm::showHelp()
{
    BusyPointer busy;
    if (!m_helpViewer) {
        m_helpViewer = new HelpViewer(this);
        m_helpViewer->setAttribute(Qt::WA_DeleteOnClose);
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

void MainFrm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (!isActiveWindow()) {
        // Coming back from a message box is not a return to the main window: the command that
        // showed it has just run.
        m_returningFromMessage =
            qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
        return;
    }
    if (std::exchange(m_returningFromMessage, false) || m_exiting) return;
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
    // The options would be lost silently otherwise: the player learns why before the program ends.
    if (const Status saved = WriteInitFile(m_options, m_settingsFile); !saved)
        QMessageBox::warning(this, kMainTitle,
                             QStringLiteral("予想オプションの設定を保存できませんでした。\n") +
                                 QString::fromStdString(saved.error()),
                             QMessageBox::Ok);
    m_history = DrawHistory();
    {
        BusyPointer busy;
    }
    event->accept();
}
