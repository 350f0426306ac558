#include "gui/app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QTimer>

#include <array>
#include <utility>

#include "core/analyses/analysis_catalog.h"
#include "core/base/cp932.h"
#include "core/base/program_folder.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"
#include "core/draws/draw_database_lock.h"
#include "core/draws/draw_merge.h"
#include "core/draws/import_draws.h"
#include "core/grid/units.h"
#include "core/maintenance/draw_update.h"
#include "core/maintenance/update_source.h"
#include "gui/analyses/analysis_window.h"
#include "gui/app/help_viewer.h"
#include "gui/app/version_window.h"
#include "gui/app/window_arrangement.h"
#include "gui/backtest/backtest_window.h"
#include "gui/maintenance/csv_import_dialog.h"
#include "gui/maintenance/draw_update_dialog.h"
#include "gui/maintenance/empty_history_guide.h"
#include "gui/maintenance/entry_window.h"
#include "gui/maintenance/update_source_dialog.h"
#include "gui/prediction/prediction_window.h"
#include "gui/stats/statistics_window.h"
#include "gui/tickets/combination_window.h"
#include "gui/tickets/ticket_register_window.h"
#include "gui/ui/busy_pointer.h"
#include "gui/ui/close_child_window.h"

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
    addCloseChildWindowKey(*m_mdiArea);
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
    m_exiting = true;
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
    m_csvImportAction =
        makeAction(this, "mnuCsvImport", QStringLiteral("CSVファイルから取り込み(&C)..."));
    connect(m_csvImportAction, &QAction::triggered, this, &MainFrm::importCsv);
    m_csvExportAction =
        makeAction(this, "mnuCsvExport", QStringLiteral("CSVファイルへ書き出し(&X)..."));
    connect(m_csvExportAction, &QAction::triggered, this, &MainFrm::exportCsv);
    m_settingsAction = makeAction(this, "mnuSettings", QStringLiteral("設定(&S)..."));
    connect(m_settingsAction, &QAction::triggered, this, &MainFrm::editSettings);

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
    maintenanceMenu->addSeparator();
    maintenanceMenu->addAction(m_csvImportAction);
    maintenanceMenu->addAction(m_csvExportAction);
    maintenanceMenu->addSeparator();
    maintenanceMenu->addAction(m_settingsAction);
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
    if (load(&error)) {
        // Without a single draw every window is empty: show the ways in once the window is up.
        if (!holdsDraws(m_history.rows()))
            QTimer::singleShot(0, this, &MainFrm::showEmptyHistoryGuide);
        return true;
    }
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
    // What the player typed must reach every window once the entry window is gone.
    connect(frame, &QObject::destroyed, this, [this] {
        if (!m_exiting) QTimer::singleShot(0, this, &MainFrm::reloadAfterEntry);
    });
    // The entry window's design gives its client area: the frame's title bar and borders go
    // around it.
    const QMargins margins = frame->contentsMargins();
    frame->setFixedSize(twipsToPixels(kEntryClientWidthTwips) + margins.left() + margins.right(),
                        twipsToPixels(kEntryClientHeightTwips) + margins.top() + margins.bottom());
}

void MainFrm::updateDrawData()
{
    if (entryWindowOpen()) {
        QMessageBox::critical(this, kMessageTitle, kCloseEntryWindowFirst, QMessageBox::Ok);
        return;
    }
    UpdateOptions options;
    options.server = !m_downloadServer.isEmpty() ? m_downloadServer.toStdString()
                     : m_updateSourceFile.isEmpty()
                         ? loadUpdateSource()
                         : loadUpdateSource(m_updateSourceFile.toStdString());
    // The database this program reads at its next start, never a fixed installation path.
    options.destination =
        QDir(m_programFolder).filePath(QString::fromUtf8(kDatabaseFileName)).toStdString();

    if (m_importPreview)
        options.missingDraws = [this](const CsvImport& preview) {
            const auto mode = m_importPreview(preview, QStringLiteral("ダウンロード"));
            return !mode                            ? MissingDrawsChoice::Cancel
                   : *mode == MergeMode::ReplaceAll ? MissingDrawsChoice::Replace
                                                    : MissingDrawsChoice::Keep;
        };
    const UpdateResult result = runDrawUpdate(this, std::move(options));
    // A CSV source is merged through the same preview as a CSV file; a new database file is
    // read at once.
    if (result.outcome == UpdateOutcome::CsvDownloaded)
        mergeCsv(result.csv, QString::fromStdString(result.message));
    else if (result.outcome == UpdateOutcome::Updated)
        reloadAndReport();
}

bool MainFrm::entryWindowOpen() const
{
    return childWindow(kEntryWindowName) != nullptr;
}

void MainFrm::importCsv()
{
    if (entryWindowOpen()) {
        QMessageBox::critical(this, kMessageTitle, kCloseEntryWindowFirst, QMessageBox::Ok);
        return;
    }
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("取り込む CSV ファイル"), QString(),
        QStringLiteral("CSV ファイル (*.csv *.txt *.tsv);;すべてのファイル (*)"));
    if (!path.isEmpty()) importCsvFile(path);
}

bool MainFrm::importCsvFile(const QString& path)
{
    if (entryWindowOpen()) {
        QMessageBox::critical(this, kMessageTitle, kCloseEntryWindowFirst, QMessageBox::Ok);
        return false;
    }
    Result<std::string> bytes = readTextFile(path.toStdString());
    if (!bytes) {
        QMessageBox::critical(this, kMessageTitle, QString::fromStdString(bytes.error()),
                              QMessageBox::Ok);
        return false;
    }
    return mergeCsv(bytes.value(), QFileInfo(path).fileName());
}

bool MainFrm::mergeCsv(const std::string& bytes, const QString& source)
{
    const auto fail = [this](const QString& text) {
        QMessageBox::critical(this, kMessageTitle, text, QMessageBox::Ok);
        return false;
    };
    std::optional<DrawImport> import;
    {
        BusyPointer busy;
        auto read = readDrawCsv(bytes, CsvValues::StrictNumbers, CsvEncoding::Detect);
        if (!read)
            return fail(source + QStringLiteral(": ") + QString::fromStdString(read.error()));
        // The lock is held from reading what is stored, through the preview, to the write, so
        // that nobody's draws written meanwhile are lost to a preview made before them.
        auto prepared = DrawImport::prepare(m_connectString, std::move(read.value()));
        if (!prepared) return fail(QString::fromStdString(prepared.error()));
        import.emplace(std::move(prepared.value()));
    }
    std::optional<MergeMode> mode;
    if (m_importPreview) {
        mode = m_importPreview(import->plan(), source);
    } else {
        CsvImportDialog preview(import->plan(), source, this);
        if (preview.exec() == QDialog::Accepted) mode = preview.chosenMode();
    }
    if (!mode) return false;
    std::optional<ImportOutcome> outcome;
    {
        // The file is written as one transaction: all of it or, on any failure, nothing.
        BusyPointer busy;
        auto applied = import->apply(*mode);
        if (!applied) return fail(QString::fromStdString(applied.error()));
        outcome = applied.value();
    }
    import.reset();  // lets go of the lock before the windows read the new history
    reloadAndReport();
    const MergeSummary& summary = outcome->summary;
    QString done =
        *mode == MergeMode::ReplaceAll
            ? QStringLiteral("当選データを %1 回分に置き換えました。").arg(outcome->rows)
            : QStringLiteral("当選データを取り込みました（追加 %1、更新 %2、変更なし %3）。")
                  .arg(summary.added)
                  .arg(summary.replaced)
                  .arg(summary.unchanged);
    if (summary.removed > 0) done += QStringLiteral("（%1 行を削除しました）").arg(summary.removed);
    QMessageBox::information(this, kMainTitle, done, QMessageBox::Ok);
    return true;
}

void MainFrm::exportCsv()
{
    const QString utf8Filter = QStringLiteral("CSV ファイル UTF-8 (*.csv)");
    const QString cp932Filter = QStringLiteral("CSV ファイル Shift_JIS・表計算ソフト向け (*.csv)");
    QString chosenFilter = utf8Filter;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("当選データの書き出し先"), QStringLiteral("当選データ.csv"),
        utf8Filter + QStringLiteral(";;") + cp932Filter, &chosenFilter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    auto database = DrawDatabase::open(m_connectString);
    auto rows =
        database ? database->readAllDraws() : Result<std::vector<DrawRow>>(Error{database.error()});
    if (!rows) {
        QMessageBox::critical(this, kMessageTitle, QString::fromStdString(rows.error()),
                              QMessageBox::Ok);
        return;
    }
    std::string text = drawCsv(rows.value());
    if (chosenFilter == cp932Filter) {
        auto converted = utf8ToCp932(text);
        if (!converted) {
            QMessageBox::critical(
                this, kMessageTitle,
                QStringLiteral("Shift_JIS で書けない文字を含む当選データがあります。"),
                QMessageBox::Ok);
            return;
        }
        text = std::move(*converted);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        QMessageBox::critical(
            this, kMessageTitle,
            QStringLiteral("%1 に書き出せませんでした（%2）。").arg(path, file.errorString()),
            QMessageBox::Ok);
        return;
    }
    QMessageBox::information(this, kMainTitle,
                             QStringLiteral("当選データ %1 行を %2 に書き出しました。")
                                 .arg(rows->size())
                                 .arg(QDir::toNativeSeparators(path)),
                             QMessageBox::Ok);
}

void MainFrm::editSettings()
{
    UpdateSourceDialog dialog(m_updateSourceFile.isEmpty()
                                  ? updateSourceFile()
                                  : std::filesystem::path(m_updateSourceFile.toStdString()),
                              this);
    dialog.exec();
}

EmptyHistoryGuide* MainFrm::emptyHistoryGuide() const
{
    return m_guide.data();
}

void MainFrm::showEmptyHistoryGuide()
{
    if (m_exiting || holdsDraws(m_history.rows())) return;
    if (!m_guide) {
        m_guide = new EmptyHistoryGuide(this);
        m_guide->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_guide, &EmptyHistoryGuide::loadCsvRequested, this, &MainFrm::importCsv);
        connect(m_guide, &EmptyHistoryGuide::typeDrawsRequested, this, &MainFrm::enterDrawData);
        connect(m_guide, &EmptyHistoryGuide::updateRequested, this, &MainFrm::updateDrawData);
    }
    m_guide->show();
    m_guide->raise();
}

bool MainFrm::reloadHistory(QString* error)
{
    BusyPointer busy;
    Result<DrawHistory> history = loadDrawHistory(m_connectString);
    if (!history) {
        // The windows go on showing the previous snapshot, which is still whole.
        if (error) *error = QString::fromStdString(history.error());
        return false;
    }
    m_history = std::move(history.value());
    m_tables = LoadDrawTables(m_history);
    for (QMdiSubWindow* frame : m_mdiArea->subWindowList()) {
        if (auto* analysis = qobject_cast<AnalysisWindow*>(frame->widget()))
            analysis->rebuild(m_history, m_tables);
        else if (auto* prediction = qobject_cast<PredictionWindow*>(frame->widget()))
            prediction->refresh(m_history, m_tables);
        else if (auto* statistics = qobject_cast<StatisticsWindow*>(frame->widget()))
            statistics->rebuild(m_history);
        else if (auto* backtest = qobject_cast<BacktestWindow*>(frame->widget()))
            backtest->rebuild(m_history);
        else if (auto* tickets = qobject_cast<TicketRegisterWindow*>(frame->widget()))
            tickets->reload();
    }
    if (m_guide && holdsDraws(m_history.rows())) m_guide->close();
    emit historyChanged();
    return true;
}

void MainFrm::reloadAndReport()
{
    QString error;
    if (reloadHistory(&error)) return;
    QMessageBox::critical(
        this, kMessageTitle,
        QStringLiteral("当選データを読み直せませんでした。前の当選データのまま表示しています。\n%1")
            .arg(error),
        QMessageBox::Ok);
}

void MainFrm::reloadAfterEntry()
{
    if (m_exiting) return;
    auto rows = DrawDatabase::open(m_connectString);
    auto stored = rows ? rows->readAllDraws() : Result<std::vector<DrawRow>>(Error{rows.error()});
    const auto sameRow = [](const DrawRow& a, const DrawRow& b) {
        return a.drawNo == b.drawNo && a.date == b.date && a.numbers == b.numbers;
    };
    if (stored && std::equal(stored->begin(), stored->end(), m_history.rows().begin(),
                             m_history.rows().end(), sameRow))
        return;  // closed without a change
    reloadAndReport();
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
