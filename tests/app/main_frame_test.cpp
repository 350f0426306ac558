// Window tests of the main window: menu tree, start-up and its failure, child windows (one per
// kind, propEnd, size and place), the refusal of the entry command, the window arrangements,
// activation, help, the version window and exit. Every test runs in its own temporary current
// folder, where the settings file is read and written.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>
#include <set>

#include "core/analyses/analysis_catalog.h"
#include "core/base/player_folders.h"
#include "core/draws/draw_database.h"
#include "core/grid/units.h"
#include "gui/analyses/analysis_window.h"
#include "gui/app/activation_rule.h"
#include "gui/app/child_window_host.h"
#include "gui/app/help_viewer.h"
#include "gui/app/main_frame.h"
#include "gui/app/version_window.h"
#include "gui/app/window_arrangement.h"
#include "gui/app/window_kinds.h"
#include "gui/report/grid_font.h"
#include "gui/stats/statistics_window.h"
#include "gui_support/main_frame_seam.h"
#include "gui_support/message_box_watcher.h"
#include "test_support.h"

namespace {

QStringList menuLines(const QList<QAction*>& actions, const QString& indent = QString())
{
    QStringList lines;
    for (const QAction* action : actions) {
        if (action->isSeparator()) continue;
        if (QMenu* menu = action->menu()) {
            lines << indent + action->text() + QStringLiteral(" [") + menu->objectName() + "]";
            lines << menuLines(menu->actions(), indent + "  ");
        } else {
            lines << indent + action->text() + QStringLiteral(" [") + action->objectName() + "]";
        }
    }
    return lines;
}

QMdiSubWindow* showChild(MainFrm& frame, const QString& kind, const ChildWindowHost::Create& create,
                         int widthTwips, int heightTwips, bool fixed)
{
    return frame.host().open(WindowKind{kind, widthTwips, heightTwips, fixed}, create);
}

QMdiSubWindow* openPlain(MainFrm& frame, const QString& kind, bool fixed = false)
{
    return showChild(
        frame, kind,
        [kind] {
            auto* widget = new QWidget;
            widget->setWindowTitle(kind);
            return widget;
        },
        4500, 3000, fixed);
}

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menuTreeHasEveryCaptionInOrder();
    void analysisItemsNameCatalogWindows();
    void startUpLoadsOptionsAndDraws();
    void startUpFailureReportsEngineError();
    void childWindowsAreOneInstancePerKind();
    void childWindowOpensAtTopLeftWithItsSize();
    void mainWindowFitsAndRemembersItsGeometry();
    void activationRuleIgnoresACommandsOwnWindows();
    void fixedFrameCannotBeResized();
    void childWindowIsBuiltUnderBusyPointer();
    void propEndFollowsOpenChildWindows();
    void propEndSurvivesReopenBeforeDeletion();
    void entryCommandRefusedWhileAChildIsOpen();
    void everyAnalysisCommandOpensItsWindow();
    void frequencyWindowFromMenu();
    void statisticsWindowFromMenuFollowsAReload();
    void arrangementGeometry();
    void tilingOneAboveTheOther();
    void tilingSideBySide();
    void cascadeMovesWindows();
    void arrangeIconsLinesUpMinimisedWindows();
    void activationRunsOnActivatedButNotAfterAMessage();
    void versionWindowShowsNameAndVersion();
    void helpShowsTheAboutKeyword();
    void helpIndexPointsAtExistingPages();
    void exitClosesChildrenAndWritesSettings();
    void settingsFileInUseIsReadAndWritten();
    void playerFoldersAreTheStandardPaths_data();
    void playerFoldersAreTheStandardPaths();

private:
    std::unique_ptr<MainFrm> loadedFrame();
    // Loaded, shown and active, with the windows its activation opened closed again.
    std::unique_ptr<MainFrm> shownFrame();

    QTemporaryDir m_databaseFolder;
    std::unique_ptr<QTemporaryDir> m_workFolder;
    QString m_startFolder;
};

void MainFrameTest::initTestCase()
{
    installGridFontSubstitution();
    QVERIFY(m_databaseFolder.isValid());
    auto database = DrawDatabase::create(
        (m_databaseFolder.path() + QStringLiteral("/Pomuran.mdb")).toStdString());
    QVERIFY2(database.ok(), database.ok() ? "" : database.error().c_str());
    // Three complete draws and a trailing row with only 回数: LatestDrawNo is 3.
    const auto inserted =
        database->insertDraws({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {1, 7, 8, 9, 10, 11}),
                               drawRow(3, {1, 2, 12, 13, 14, 31}), incompleteRow(4)});
    QVERIFY(inserted.ok());
    m_startFolder = QDir::currentPath();
}

void MainFrameTest::init()
{
    m_workFolder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_workFolder->isValid());
    QVERIFY(QDir::setCurrent(m_workFolder->path()));
}

void MainFrameTest::cleanup()
{
    processDeferredDeletes();
    QDir::setCurrent(m_startFolder);
    m_workFolder.reset();
}

std::unique_ptr<MainFrm> MainFrameTest::loadedFrame()
{
    auto frame = std::make_unique<MainFrm>(m_databaseFolder.path());
    QString error;
    if (!frame->load(&error)) qWarning() << "load failed:" << error;
    return frame;
}

std::unique_ptr<MainFrm> MainFrameTest::shownFrame()
{
    auto frame = loadedFrame();
    frame->show();
    frame->activateWindow();
    if (!QTest::qWaitForWindowActive(frame.get())) qWarning() << "the main window is not active";
    frame->mdiArea()->closeAllSubWindows();
    processDeferredDeletes();
    return frame;
}

void MainFrameTest::menuTreeHasEveryCaptionInOrder()
{
    MainFrm frame(m_databaseFolder.path());
    const QStringList expected = {
        "終了(&X) [mnuEnd]",
        "一発ボボーン予想(&D) [mnuYoso]",
        "予想の活用(&K) [mnuYosoKatsuyo]",
        "  予想の検証(&B) [mnuYosoKensyo]",
        "  組合せ作成(&C) [mnuCombination]",
        "  購入記録(&T) [mnuTicketRegister]",
        "データ分析(&S) [mnuMain]",
        "  頻度分析 [mnuHindo]",
        "    出現頻度分析 [mnuSyutugenHindo]",
        "    回数別出現分析 [mnuSyutugenKaisu]",
        "  間隔分析 [mnuKankaku]",
        "    出現間隔分析 [mnuSyutugenKankaku]",
        "    数字間隔分析 [mnuNumberKankaku]",
        "  出現回数分析 [mnuZenkaiSyutugen]",
        "  バラツキ分析 [mnuBaratsuki]",
        "  引っ張り分析 [mnuHippari]",
        "  連番・飛び石分析 [mnuRenbanTobiishi]",
        "  数字合計分析 [mnuHonsuji]",
        "  組合せパターン分析 [mnuPattern]",
        "    低数字・高数字の組合せパターン分析 [mnuLowHightPattern]",
        "    偶数・奇数の組合せパターン分析 [mnuKisuGusuPattern]",
        "  4分割傾向分析 [mnu5BunkatsuKeiko]",
        "  分割データ分析 [mnuBunkatsuData]",
        "    6分割データ分析 [mnu6BunkatsuData]",
        "    7分割データ分析 [mnu7BunkatsuData]",
        "    10分割データ分析 [mnu11BunkatsuData]",
        "  下一桁出現傾向分析 [mnuLastChar]",
        "  下一桁連続出現回数分析 [mnuLastCharRenzoku]",
        "  統計グラフ(&G) [mnuStatistics]",
        "データ管理(&M) [mnuHosyu]",
        "  当選データ最新化(&U) [mnuMasterUpdate]",
        "  当選データ入力(&I) [mnuMasterInput]",
        "  CSVファイルから取り込み(&C)... [mnuCsvImport]",
        "  CSVファイルへ書き出し(&X)... [mnuCsvExport]",
        "  設定(&S)... [mnuSettings]",
        "ウィンドウ(&W) [mnuWindow]",
        "  上下に並べて表示(&H) [mnuWindowHorizontal]",
        "  左右に並べて表示(&V) [mnuWindowVertical]",
        "  重ねて表示(&C) [mnuWindowCascade]",
        "  アイコンの整列(&A) [mnuWindowArrangeIcon]",
        "ヘルプ(&H) [mnuHelp]",
        "  ヘルプ(&H) [mnuHelpFile]",
        "  バージョン情報(&A) [mnuAbout]",
    };
    QCOMPARE(menuLines(frame.menuBar()->actions()), expected);
    QCOMPARE(frame.windowTitle(), QStringLiteral("ポムランLite"));
    QCOMPARE(frame.centralWidget(), frame.mdiArea());
}

void MainFrameTest::analysisItemsNameCatalogWindows()
{
    // Each of the seventeen analysis items carries the window name it opens; together they
    // cover the whole catalogue once.
    MainFrm frame(m_databaseFolder.path());
    const QStringList items = {"mnuSyutugenHindo",   "mnuSyutugenKaisu",   "mnuSyutugenKankaku",
                               "mnuNumberKankaku",   "mnuZenkaiSyutugen",  "mnuBaratsuki",
                               "mnuHippari",         "mnuRenbanTobiishi",  "mnuHonsuji",
                               "mnuLowHightPattern", "mnuKisuGusuPattern", "mnu5BunkatsuKeiko",
                               "mnu6BunkatsuData",   "mnu7BunkatsuData",   "mnu11BunkatsuData",
                               "mnuLastChar",        "mnuLastCharRenzoku"};
    std::set<std::string> names;
    for (const QString& item : items) {
        auto* action = frame.findChild<QAction*>(item);
        QVERIFY2(action, qPrintable(item));
        const std::string windowName = action->data().toString().toStdString();
        QVERIFY2(findAnalysis(windowName), qPrintable(item));
        names.insert(windowName);
    }
    QCOMPARE(names.size(), analysisCatalog().size());
    QCOMPARE(frame.findChild<QAction*>("mnu11BunkatsuData")->data().toString(),
             QStringLiteral("分割10データ分析"));
}

void MainFrameTest::startUpLoadsOptionsAndDraws()
{
    PredictionOptions saved;
    saved.set(0, true);
    saved.set(11, true);
    QVERIFY(WriteInitFile(saved).ok());

    MainFrm frame(m_databaseFolder.path());
    QString error;
    QVERIFY2(frame.load(&error), qPrintable(error));
    QCOMPARE(frame.options(), saved);
    QVERIFY(frame.propEnd());
    QCOMPARE(frame.history().size(), std::size_t{4});
    QCOMPARE(frame.tables().LatestDrawNo, 3);
    QCOMPARE(frame.tables().NumberHits[1], 3);
    QCOMPARE(frame.tables().NumberHits[31], 1);
    const QString connect = QString::fromStdString(frame.connectString());
    QVERIFY(connect.startsWith("Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password="));
    QVERIFY(connect.endsWith(";Data Source=" + m_databaseFolder.path() + "/Pomuran.mdb"));
    QVERIFY(!QGuiApplication::overrideCursor());

    // Without a folder the database is looked for beside the running executable.
    MainFrm besideExecutable;
    besideExecutable.load();
    QVERIFY(
        QString::fromStdString(besideExecutable.connectString())
            .endsWith(";Data Source=" + QCoreApplication::applicationDirPath() + "/Pomuran.mdb"));
}

void MainFrameTest::startUpFailureReportsEngineError()
{
    QTemporaryDir emptyFolder;
    // The options are read before the database fails.
    PredictionOptions saved;
    saved.set(4, true);
    QVERIFY(WriteInitFile(saved).ok());

    MainFrm frame(emptyFolder.path());
    QString error;
    QVERIFY(!frame.load(&error));
    QVERIFY2(error.contains(emptyFolder.path() + "/Pomuran.mdb"), qPrintable(error));
    QCOMPARE(frame.options(), saved);
    QVERIFY(frame.history().empty());
    QVERIFY(!QGuiApplication::overrideCursor());

    // The program's start reports the same engine message in an error box.
    MainFrm started(emptyFolder.path());
    MessageBoxWatcher catcher;
    QVERIFY(!started.start());
    QCOMPARE(catcher.seen().size(), std::size_t{1});
    QCOMPARE(catcher.seen()[0].title, QStringLiteral("メッセ－ジ"));
    QCOMPARE(catcher.seen()[0].title.at(3), QChar(0xFF0D));
    QCOMPARE(catcher.seen()[0].text, error);
    QCOMPARE(catcher.seen()[0].icon, QMessageBox::Critical);
    QVERIFY(!started.isVisible());
}

void MainFrameTest::childWindowsAreOneInstancePerKind()
{
    auto frame = loadedFrame();
    int builds = 0;
    const auto create = [&builds] {
        ++builds;
        return new QWidget;
    };
    QMdiSubWindow* first = showChild(*frame, "A", create, 3000, 3000, false);
    QMdiSubWindow* other = showChild(*frame, "B", create, 3000, 3000, false);
    QVERIFY(first && other && first != other);
    QCOMPARE(frame->mdiArea()->activeSubWindow(), other);

    // Asking for A again brings the open one forward and builds nothing.
    QCOMPARE(showChild(*frame, "A", create, 3000, 3000, false), first);
    QCOMPARE(builds, 2);
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 2);
    QCOMPARE(frame->mdiArea()->activeSubWindow(), first);

    // A minimised one comes back too.
    first->showMinimized();
    QCOMPARE(showChild(*frame, "A", create, 3000, 3000, false), first);
    QVERIFY(!first->isMinimized());

    // A request for a window while that same window is being built builds nothing more.
    QMdiSubWindow* nested = reinterpret_cast<QMdiSubWindow*>(1);
    QMdiSubWindow* outer = showChild(
        *frame, "N",
        [&] {
            nested = showChild(*frame, "N", create, 3000, 3000, false);
            return create();
        },
        3000, 3000, false);
    QVERIFY(outer);
    QCOMPARE(nested, nullptr);
    QCOMPARE(builds, 3);
    QCOMPARE(frame->childWindow("N"), outer);
    outer->close();

    // A create function that gives nothing opens nothing and leaves the flag alone.
    first->close();
    other->close();
    QVERIFY(!showChild(
        *frame, "C", [] { return nullptr; }, 3000, 3000, false));
    QVERIFY(frame->propEnd());
}

void MainFrameTest::childWindowOpensAtTopLeftWithItsSize()
{
    auto frame = shownFrame();
    // The size comes from the table of window kinds.
    QMdiSubWindow* child =
        frame->host().open(QStringLiteral("出現頻度分析"), [] { return new QWidget; });
    QCOMPARE(child->pos(), QPoint(0, 0));
    QCOMPARE(child->size(), QSize(917, 635));
    QCOMPARE(child->objectName(), QStringLiteral("出現頻度分析"));
    QVERIFY(child->testAttribute(Qt::WA_DeleteOnClose));

    // Moved and resized, closed and opened again: back at the corner with its size.
    child->setGeometry(120, 80, 300, 200);
    child->close();
    child = frame->host().open(QStringLiteral("出現頻度分析"), [] { return new QWidget; });
    QCOMPARE(child->geometry(), QRect(0, 0, 917, 635));
}

void MainFrameTest::mainWindowFitsAndRemembersItsGeometry()
{
    QTemporaryDir config;
    MainFrmSetup setup;
    setup.programFolder = m_databaseFolder.path();
    setup.windowStateFile = config.filePath(QStringLiteral("main_window.ini"));
    {
        MainFrm frame(setup);
        QVERIFY(frame.load());
        // At first start the client area holds the largest child window, or the window is
        // maximised where the screen is too small for that.
        const QSize client = frame.mdiArea()->size();
        const QSize largest = largestWindowSize();
        QVERIFY(frame.isMaximized() ||
                (client.width() >= largest.width() && client.height() >= largest.height()));
        frame.show();
        frame.showNormal();
        frame.resize(640, 480);
        QVERIFY(frame.close());
    }
    QVERIFY(QFile::exists(setup.windowStateFile));
    MainFrm again(setup);
    QVERIFY(again.load());
    QVERIFY(!again.isMaximized());
    QCOMPARE(again.size(), QSize(640, 480));
}

void MainFrameTest::activationRuleIgnoresACommandsOwnWindows()
{
    QWidget own;
    QMessageBox box;
    box.setWindowModality(Qt::ApplicationModal);
    QFileDialog files;
    files.setModal(true);
    QPrintPreviewDialog preview;
    preview.setModal(true);
    QMenu menu;
    const struct {
        const QWidget* window;
        ActivationBetween between;
    } cases[] = {
        {&own, ActivationBetween::OwnWindow},   {&box, ActivationBetween::Transient},
        {&files, ActivationBetween::Transient}, {&preview, ActivationBetween::Transient},
        {&menu, ActivationBetween::Transient},  {nullptr, ActivationBetween::Transient},
    };
    for (const auto& c : cases)
        QCOMPARE(activationBetween(c.window), c.between);
    QVERIFY(activationRunsPrediction(true, ActivationBetween::Transient));
    QVERIFY(activationRunsPrediction(false, ActivationBetween::OwnWindow));
    QVERIFY(!activationRunsPrediction(false, ActivationBetween::Transient));
    QVERIFY(!activationRunsPrediction(false, ActivationBetween::Nothing));
}

void MainFrameTest::fixedFrameCannotBeResized()
{
    auto frame = loadedFrame();
    QMdiSubWindow* fixed = openPlain(*frame, "回数別出現分析", true);
    QCOMPARE(fixed->minimumSize(), QSize(300, 200));
    QCOMPARE(fixed->maximumSize(), QSize(300, 200));
    QVERIFY(!(fixed->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(fixed->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(fixed->windowFlags() & Qt::WindowCloseButtonHint);

    QMdiSubWindow* sizable = openPlain(*frame, "出現間隔分析");
    QVERIFY(sizable->maximumSize().width() > 300);
    sizable->resize(400, 250);
    QCOMPARE(sizable->size(), QSize(400, 250));
}

void MainFrameTest::childWindowIsBuiltUnderBusyPointer()
{
    auto frame = loadedFrame();
    std::optional<Qt::CursorShape> shapeWhileBuilding;
    showChild(
        *frame, "A",
        [&shapeWhileBuilding] {
            if (const QCursor* cursor = QGuiApplication::overrideCursor())
                shapeWhileBuilding = cursor->shape();
            return new QWidget;
        },
        3000, 3000, false);
    QCOMPARE(shapeWhileBuilding, std::optional<Qt::CursorShape>(Qt::WaitCursor));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void MainFrameTest::propEndFollowsOpenChildWindows()
{
    auto frame = loadedFrame();
    QVERIFY(frame->propEnd());
    QMdiSubWindow* first = openPlain(*frame, "A");
    QVERIFY(!frame->propEnd());
    QMdiSubWindow* second = openPlain(*frame, "B");
    QVERIFY(!frame->propEnd());

    first->close();
    QVERIFY(!frame->propEnd());
    processDeferredDeletes();
    QVERIFY(!frame->propEnd());
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 1);

    // The flag turns with the close itself, before the window's deferred deletion.
    second->close();
    QVERIFY(frame->propEnd());
    processDeferredDeletes();
    QVERIFY(frame->propEnd());
    QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
}

void MainFrameTest::propEndSurvivesReopenBeforeDeletion()
{
    auto frame = loadedFrame();
    QMdiSubWindow* first = openPlain(*frame, "A");
    first->close();
    QMdiSubWindow* again = openPlain(*frame, "A");
    QVERIFY(again != first);
    // The first frame's deletion must not forget the second one.
    processDeferredDeletes();
    QVERIFY(!frame->propEnd());
    QCOMPARE(frame->childWindow("A"), again);

    // A close that the content refuses keeps the window and the flag.
    class Stubborn : public QWidget {
    protected:
        void closeEvent(QCloseEvent* event) override { event->ignore(); }
    };
    again->close();
    processDeferredDeletes();
    QVERIFY(frame->propEnd());
    QMdiSubWindow* stubborn = showChild(
        *frame, "S", [] { return new Stubborn; }, 3000, 3000, false);
    QVERIFY(!stubborn->close());
    processDeferredDeletes();
    QVERIFY(!frame->propEnd());
    QCOMPARE(frame->childWindow("S"), stubborn);
}

void MainFrameTest::entryCommandRefusedWhileAChildIsOpen()
{
    auto frame = loadedFrame();
    auto* input = frame->findChild<QAction*>("mnuMasterInput");
    openPlain(*frame, "A");
    QMdiSubWindow* second = openPlain(*frame, "B");
    {
        MessageBoxWatcher catcher;
        input->trigger();
        QCOMPARE(catcher.seen().size(), std::size_t{1});
        const SeenMessage& message = catcher.seen()[0];
        QCOMPARE(message.text, QStringLiteral("表示中のウィンドウを閉じないと実行できません。"));
        QCOMPARE(message.title, QStringLiteral("メッセ－ジ"));
        QCOMPARE(message.icon, QMessageBox::Critical);
        QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 2);

    // One of two closed: still refused.
    second->close();
    {
        MessageBoxWatcher catcher;
        input->trigger();
        QCOMPARE(catcher.seen().size(), std::size_t{1});
        QCOMPARE(catcher.seen()[0].text,
                 QStringLiteral("表示中のウィンドウを閉じないと実行できません。"));
    }

    // Both closed: no refusal any more.
    frame->childWindow("A")->close();
    QVERIFY(frame->propEnd());
    {
        MessageBoxWatcher catcher;
        input->trigger();
        for (const SeenMessage& message : catcher.seen())
            QVERIFY(message.text !=
                    QStringLiteral("表示中のウィンドウを閉じないと実行できません。"));
    }
}

void MainFrameTest::everyAnalysisCommandOpensItsWindow()
{
    auto frame = shownFrame();
    for (QAction* action : frame->findChildren<QAction*>()) {
        const QString windowName = action->data().toString();
        if (windowName.isEmpty()) continue;
        const AnalysisDescriptor* descriptor = findAnalysis(windowName.toStdString());
        QVERIFY(descriptor);
        MessageBoxWatcher catcher;
        action->trigger();
        QVERIFY2(catcher.seen().empty(), qPrintable(windowName));
        QMdiSubWindow* window = frame->childWindow(windowName);
        QVERIFY2(window, qPrintable(windowName));
        QVERIFY(qobject_cast<AnalysisWindow*>(window->widget()));
        QCOMPARE(window->windowTitle(),
                 QString::fromUtf8(descriptor->caption.data(), descriptor->caption.size()));
        window->close();
    }
}

void MainFrameTest::frequencyWindowFromMenu()
{
    const AnalysisDescriptor* descriptor = findAnalysis("出現頻度分析");
    auto frame = shownFrame();
    const QString windowName =
        QString::fromUtf8(descriptor->windowName.data(), descriptor->windowName.size());
    QAction* action = nullptr;
    for (QAction* candidate : frame->findChildren<QAction*>())
        if (candidate->data().toString() == windowName) action = candidate;
    QVERIFY(action);

    action->trigger();
    action->trigger();
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 1);
    QMdiSubWindow* window = frame->childWindow(windowName);
    QVERIFY(window);
    QCOMPARE(window->geometry(), QRect(0, 0, twipsToPixels(descriptor->widthTwips),
                                       twipsToPixels(descriptor->heightTwips)));
    QVERIFY(!frame->propEnd());

    // The window's own "閉じる" closes the frame and gives the flag back.
    auto* analysis = qobject_cast<AnalysisWindow*>(window->widget());
    QVERIFY(analysis);
    QTest::mouseClick(analysis->closeButton(), Qt::LeftButton);
    QVERIFY(frame->propEnd());
    processDeferredDeletes();
    QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
}

void MainFrameTest::statisticsWindowFromMenuFollowsAReload()
{
    QTemporaryDir folder;
    const std::string path = (folder.path() + QStringLiteral("/Pomuran.mdb")).toStdString();
    {
        auto database = DrawDatabase::create(path);
        QVERIFY(database.ok());
        QVERIFY(database->insertDraws({drawRow(1, {1, 2, 3, 4, 5, 6})}).ok());
    }
    MainFrm frame(folder.path());
    QVERIFY(frame.load());
    auto* action = frame.findChild<QAction*>(QStringLiteral("mnuStatistics"));
    QVERIFY(action);
    action->trigger();
    QMdiSubWindow* window = frame.childWindow(QStringLiteral("統計グラフ"));
    QVERIFY(window);
    auto* statistics = qobject_cast<StatisticsWindow*>(window->widget());
    QVERIFY(statistics);
    QCOMPARE(statistics->statistics().frequency.draws, 1);

    // A reload of the draw history recounts the open window.
    {
        auto database = DrawDatabase::open(frame.connectString(), DrawDatabase::Access::ReadWrite);
        QVERIFY(database.ok());
        QVERIFY(database->insertDraws({drawRow(2, {7, 8, 9, 10, 11, 12})}).ok());
    }
    QVERIFY(frame.load());
    QCOMPARE(statistics->statistics().frequency.draws, 2);
}

void MainFrameTest::arrangementGeometry()
{
    // Rows and columns share the area exactly; the last takes the rounding rest.
    const auto rows = stackedRows(QRect(0, 0, 100, 10), 3);
    QCOMPARE(rows.size(), std::size_t{3});
    QCOMPARE(rows[0], QRect(0, 0, 100, 3));
    QCOMPARE(rows[1], QRect(0, 3, 100, 3));
    QCOMPARE(rows[2], QRect(0, 6, 100, 4));
    const auto columns = sideBySideColumns(QRect(5, 5, 10, 20), 4);
    QCOMPARE(columns[0], QRect(5, 5, 2, 20));
    QCOMPARE(columns[3], QRect(11, 5, 4, 20));
    QVERIFY(stackedRows(QRect(0, 0, 100, 10), 0).empty());
    QVERIFY(sideBySideColumns(QRect(0, 0, 100, 10), -1).empty());

    // Icons fill the bottom line left to right, then the line above.
    const auto icons = iconPositions(QRect(0, 0, 100, 100), QSize(40, 10), 3);
    QCOMPARE(icons.size(), std::size_t{3});
    QCOMPARE(icons[0], QPoint(0, 90));
    QCOMPARE(icons[1], QPoint(40, 90));
    QCOMPARE(icons[2], QPoint(0, 80));
    // An icon wider than the area still gets a line of its own.
    const auto wide = iconPositions(QRect(0, 0, 30, 100), QSize(40, 10), 2);
    QCOMPARE(wide[1], QPoint(0, 80));
    QVERIFY(iconPositions(QRect(0, 0, 30, 100), QSize(), 2).empty());
}

void MainFrameTest::tilingOneAboveTheOther()
{
    auto frame = shownFrame();
    QMdiSubWindow* a = openPlain(*frame, "A");
    QMdiSubWindow* b = openPlain(*frame, "B");
    QMdiSubWindow* c = openPlain(*frame, "C");
    QMdiSubWindow* hidden = openPlain(*frame, "D");
    hidden->showMinimized();
    const QRect icon = hidden->geometry();
    frame->findChild<QAction*>("mnuWindowHorizontal")->trigger();

    const QRect area = frame->mdiArea()->viewport()->rect();
    std::vector<QRect> tiles = {a->geometry(), b->geometry(), c->geometry()};
    std::sort(tiles.begin(), tiles.end(),
              [](const QRect& l, const QRect& r) { return l.top() < r.top(); });
    QCOMPARE(tiles[0].top(), 0);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        QCOMPARE(tiles[i].left(), 0);
        QCOMPARE(tiles[i].width(), area.width());
        if (i > 0) QCOMPARE(tiles[i].top(), tiles[i - 1].bottom() + 1);
    }
    // Room is left at the bottom for the minimised window, which is not tiled.
    QCOMPARE(tiles[2].bottom(), area.bottom() - icon.height());
    QCOMPARE(hidden->geometry(), icon);
    QVERIFY(hidden->isMinimized());
}

void MainFrameTest::tilingSideBySide()
{
    auto frame = shownFrame();
    QMdiSubWindow* a = openPlain(*frame, "A");
    QMdiSubWindow* b = openPlain(*frame, "B");
    b->showMaximized();
    frame->findChild<QAction*>("mnuWindowVertical")->trigger();

    const QRect area = frame->mdiArea()->viewport()->rect();
    QVERIFY(!b->isMaximized());
    std::vector<QRect> tiles = {a->geometry(), b->geometry()};
    std::sort(tiles.begin(), tiles.end(),
              [](const QRect& l, const QRect& r) { return l.left() < r.left(); });
    QCOMPARE(tiles[0], QRect(0, 0, area.width() / 2, area.height()));
    QCOMPARE(tiles[1], QRect(area.width() / 2, 0, area.width() - area.width() / 2, area.height()));
}

void MainFrameTest::cascadeMovesWindows()
{
    auto frame = shownFrame();
    QMdiSubWindow* a = openPlain(*frame, "A");
    QMdiSubWindow* b = openPlain(*frame, "B");
    QCOMPARE(a->pos(), b->pos());
    frame->findChild<QAction*>("mnuWindowCascade")->trigger();
    QVERIFY(a->pos() != b->pos());
    // Cascaded windows step down and to the right together.
    const QPoint step = b->pos() - a->pos();
    QVERIFY(step.x() != 0 && step.y() != 0);
    QCOMPARE(step.x() > 0, step.y() > 0);
}

void MainFrameTest::arrangeIconsLinesUpMinimisedWindows()
{
    auto frame = shownFrame();
    QMdiSubWindow* a = openPlain(*frame, "A");
    QMdiSubWindow* b = openPlain(*frame, "B");
    QMdiSubWindow* open = openPlain(*frame, "C");
    open->move(50, 60);
    a->showMinimized();
    b->showMinimized();
    a->move(200, 10);
    b->move(30, 100);
    frame->findChild<QAction*>("mnuWindowArrangeIcon")->trigger();

    const QRect area = frame->mdiArea()->viewport()->rect();
    QCOMPARE(a->geometry().bottom(), area.bottom());
    QCOMPARE(b->geometry().bottom(), area.bottom());
    QCOMPARE(a->x(), 0);
    QCOMPARE(b->x(), a->width());
    // Only the icons move.
    QCOMPARE(open->pos(), QPoint(50, 60));
}

void MainFrameTest::activationRunsOnActivatedButNotAfterAMessage()
{
    auto frame = loadedFrame();
    int activations = 0;
    connect(frame.get(), &MainFrm::activated, [&activations] { ++activations; });
    frame->show();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    QTRY_COMPARE(activations, 1);

    // Returning from the version window is a re-activation.
    frame->findChild<QAction*>("mnuAbout")->trigger();
    VersionWindow* version = frame->versionWindow();
    QVERIFY(version);
    QVERIFY(QTest::qWaitForWindowActive(version));
    QTest::mouseClick(version->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    QTRY_COMPARE(activations, 2);

    // Returning from a message box of one of its own commands is not.
    openPlain(*frame, "A");
    {
        MessageBoxWatcher catcher;
        frame->findChild<QAction*>("mnuMasterInput")->trigger();
        QCOMPARE(catcher.seen().size(), std::size_t{1});
    }
    // The offscreen platform has no window manager to hand activation back: do it as one would.
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    QTest::qWait(50);
    QCOMPARE(activations, 2);

    // The next real return counts again.
    frame->findChild<QAction*>("mnuAbout")->trigger();
    QVERIFY(QTest::qWaitForWindowActive(frame->versionWindow()));
    frame->versionWindow()->close();
    QTRY_COMPARE(activations, 3);
}

void MainFrameTest::versionWindowShowsNameAndVersion()
{
    auto frame = shownFrame();
    frame->findChild<QAction*>("mnuAbout")->trigger();
    VersionWindow* version = frame->versionWindow();
    QVERIFY(version);
    QVERIFY(version->isWindow());
    QVERIFY(version->isVisible());
    QCOMPARE(version->windowTitle(), QStringLiteral("バージョン情報"));
    // A separate window: no child window of the frame, and the flag stays as it was.
    QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
    QVERIFY(frame->propEnd());

    auto* product = version->findChild<QLabel*>("Label1");
    auto* versionText = version->findChild<QLabel*>("Label2");
    auto* picture = version->findChild<QLabel*>("Picture1");
    QVERIFY(product && versionText && picture);
    QCOMPARE(product->text(), QStringLiteral("ポムラン"));
    QCOMPARE(product->font().family(), QStringLiteral("HGS明朝E"));
    QCOMPARE(QFontInfo(product->font()).family(), QStringLiteral("IPAMincho"));
    QCOMPARE(versionText->text(), QStringLiteral(" Ver2.30"));
    QCOMPARE(versionText->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(QFontInfo(versionText->font()).family(), QStringLiteral("IPAPGothic"));
    QVERIFY(!picture->pixmap().isNull());

    // The picture has the blue ball at its centre-left and a pink ball lower right.
    const QImage image = versionPicture(96).toImage();
    const QColor blue = image.pixelColor(int(96 * 0.38 - 96 * 0.18), int(96 * 0.42));
    QVERIFY2(blue.blue() > blue.red(), qPrintable(blue.name()));

    // Asking again brings the same window forward.
    frame->findChild<QAction*>("mnuAbout")->trigger();
    QCOMPARE(frame->versionWindow(), version);
    QCOMPARE(frame->findChildren<VersionWindow*>().size(), 1);

    QTest::mouseClick(version->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    processDeferredDeletes();
    QVERIFY(!frame->versionWindow());
}

void MainFrameTest::helpShowsTheAboutKeyword()
{
    auto frame = shownFrame();
    frame->findChild<QAction*>("mnuHelpFile")->trigger();
    HelpViewer* help = frame->helpViewer();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QVERIFY(help->isWindow());
    QCOMPARE(help->currentKeyword(), QStringLiteral("ポムランについて"));
    QCOMPARE(help->currentPage(), QUrl("qrc:/help/about.html"));
    auto* page = help->findChild<QTextBrowser*>("helpPage");
    QVERIFY(page);
    QVERIFY(page->toPlainText().contains(QStringLiteral("ポムランLite")));

    // A keyword the index lacks changes nothing (no fall-back).
    QVERIFY(!help->showKeyword(QStringLiteral("存在しないキーワード")));
    QCOMPARE(help->currentKeyword(), QStringLiteral("ポムランについて"));
    QVERIFY(help->showKeyword(QStringLiteral("当選データ入力")));
    QCOMPARE(help->currentPage(), QUrl("qrc:/help/data_entry.html"));

    // Asking for help again shows the same viewer at the keyword.
    frame->findChild<QAction*>("mnuHelpFile")->trigger();
    QCOMPARE(frame->helpViewer(), help);
    QCOMPARE(help->currentKeyword(), QStringLiteral("ポムランについて"));
    QVERIFY(frame->propEnd());
}

void MainFrameTest::helpIndexPointsAtExistingPages()
{
    HelpViewer help;
    const QStringList keywords = help.keywords();
    QVERIFY(keywords.size() >= 20);
    // Every window has its entry.
    for (const AnalysisDescriptor& descriptor : analysisCatalog()) {
        const QString caption =
            QString::fromUtf8(descriptor.caption.data(), descriptor.caption.size());
        if (caption == QStringLiteral("回数別頻度分析")) continue;  // indexed by its menu name
        if (caption.endsWith(QStringLiteral("分割データ分析"))) continue;  // one shared entry
        QVERIFY2(keywords.contains(caption), qPrintable(caption));
    }
    for (const char* keyword : {"一発ボボーン予想", "当選データ入力", "当選データ最新化",
                                "ウィンドウの並べ方", "回数別出現分析", "分割データ分析"})
        QVERIFY2(keywords.contains(QString::fromUtf8(keyword)), keyword);

    for (const QString& keyword : keywords) {
        QVERIFY(help.showKeyword(keyword));
        const QUrl page = help.currentPage();
        QFile file(QStringLiteral(":/help/") + page.path().section('/', -1));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(keyword));
        if (page.hasFragment()) {
            const QString html = QString::fromUtf8(file.readAll());
            QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(page.fragment())),
                     qPrintable(keyword));
        }
    }
}

void MainFrameTest::exitClosesChildrenAndWritesSettings()
{
    auto frame = shownFrame();
    frame->options().set(3, true);
    openPlain(*frame, "A");
    openPlain(*frame, "B", true);
    frame->findChild<QAction*>("mnuAbout")->trigger();
    QVERIFY(!QFile::exists(QStringLiteral("ポムラン.ini")));

    frame->findChild<QAction*>("mnuEnd")->trigger();
    QVERIFY(!frame->isVisible());
    QVERIFY(frame->propEnd());
    processDeferredDeletes();
    QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
    QVERIFY(!frame->versionWindow());
    QVERIFY(frame->history().empty());
    QVERIFY(!QGuiApplication::overrideCursor());

    // The settings file is in the current folder and holds the options as they were at exit.
    QVERIFY(QFile::exists(QDir::current().filePath(QStringLiteral("ポムラン.ini"))));
    PredictionOptions reread;
    ReadInitFile(reread);
    QCOMPARE(reread, frame->options());
    QVERIFY(reread.isOn(3));
    QCOMPARE(reread.enabledCount(), 1);

    // The close box does the same.
    auto other = shownFrame();
    other->options().set(7, true);
    openPlain(*other, "A");
    QVERIFY(other->close());
    ReadInitFile(reread);
    QVERIFY(reread.isOn(7));
    QVERIFY(other->propEnd());
}

void MainFrameTest::settingsFileInUseIsReadAndWritten()
{
    // An installed program keeps its settings in the config folder, not the current folder.
    QTemporaryDir config;
    const std::string settings = (config.path() + QStringLiteral("/ポムラン.ini")).toStdString();
    PredictionOptions saved;
    saved.set(5, true);
    QVERIFY(WriteInitFile(saved, settings).ok());

    MainFrmSetup setup;
    setup.programFolder = m_databaseFolder.path();
    setup.settingsFile = settings;
    auto frame = std::make_unique<MainFrm>(setup);
    QVERIFY(frame->load());
    QCOMPARE(frame->options(), saved);
    frame->options().set(9, true);
    QVERIFY(frame->close());

    PredictionOptions reread;
    ReadInitFile(reread, settings);
    QVERIFY(reread.isOn(5) && reread.isOn(9));
    QVERIFY(!QFile::exists(QStringLiteral("ポムラン.ini")));
}

void MainFrameTest::playerFoldersAreTheStandardPaths_data()
{
    QTest::addColumn<QByteArray>("dataHome");
    QTest::addColumn<QByteArray>("configHome");
    QTest::newRow("home folder") << QByteArray() << QByteArray();
    QTest::newRow("XDG folders") << QByteArrayLiteral("/tmp/xdg-data")
                                 << QByteArrayLiteral("/tmp/xdg-config");
}

void MainFrameTest::playerFoldersAreTheStandardPaths()
{
    // The program names itself "pomuran" so Qt's folders are the ones the core code uses.
    QFETCH(QByteArray, dataHome);
    QFETCH(QByteArray, configHome);
    const QString oldName = QCoreApplication::applicationName();
    const QByteArray oldData = qgetenv("XDG_DATA_HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    const auto setOrUnset = [](const char* name, const QByteArray& value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    QCoreApplication::setApplicationName(QStringLiteral("pomuran"));
    setOrUnset("XDG_DATA_HOME", dataHome);
    setOrUnset("XDG_CONFIG_HOME", configHome);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const std::string ourData = playerDataFolder().string(),
                      ourConfig = playerConfigFolder().string();
    setOrUnset("XDG_DATA_HOME", oldData);
    setOrUnset("XDG_CONFIG_HOME", oldConfig);
    QCoreApplication::setApplicationName(oldName);
    QCOMPARE(QString::fromStdString(ourData), data);
    QCOMPARE(QString::fromStdString(ourConfig), config);
}

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
