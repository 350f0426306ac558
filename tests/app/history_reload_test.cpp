// Window tests of getting draws in: the CSV import from the menu (preview choice, one
// transaction, refusals), the reload that refreshes every open window, and the guide shown on an
// empty database.
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/analyses/analysis_catalog.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"
#include "core/draws/draw_merge.h"
#include "gui/analyses/analysis_window.h"
#include "gui/app/main_frame.h"
#include "gui/maintenance/csv_import_dialog.h"
#include "gui/maintenance/empty_history_guide.h"
#include "gui/maintenance/entry_window.h"
#include "gui/prediction/prediction_window.h"
#include "gui/report/grid_font.h"
#include "gui/session/draw_session.h"
#include "gui/ui/grid_view.h"
#include "gui_support/main_frame_seam.h"
#include "gui_support/message_box_watcher.h"
#include "test_support.h"

namespace {

const std::string kHeader = "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n";

}  // namespace

class HistoryReloadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void anImportRefreshesEveryOpenWindowKeepingItsScrollPosition();
    void rejectedOrCancelledFilesLeaveTheDatabaseByteForByte();
    void importingWhileTheEntryWindowIsOpenIsRefused();
    void aFailedReloadKeepsThePreviousSnapshot();
    void closingTheEntryWindowAfterAChangeReloads();
    void theGuideShowsOnlyOnAnEmptyDatabase();
    void thePreviewListsChangedDrawsAndRejectedLines();
    void aChangeByAnotherProgramReloadsWithOneStatusLine();
    void theUpdateIsOneClickAwayOnlyWhenTheLatestDrawIsOld();

private:
    std::string databasePath() const
    {
        return (m_folder->path() + QStringLiteral("/Pomuran.mdb")).toStdString();
    }
    std::unique_ptr<MainFrm> loadedFrame()
    {
        auto frame = std::make_unique<MainFrm>(setup());
        frame->load();
        return frame;
    }

    // The frame's import preview asks m_preview, which a test may change between imports.
    MainFrmSetup setup()
    {
        MainFrmSetup setup;
        setup.programFolder = m_folder->path();
        setup.importPreview = [this](const CsvImport& import, const QString& source) {
            return m_preview(import, source);
        };
        return setup;
    }
    DrawDataCommands::ImportPreview m_preview;
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_startFolder;
};

void HistoryReloadTest::initTestCase()
{
    installGridFontSubstitution();
    m_startFolder = QDir::currentPath();
}

void HistoryReloadTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_folder->path()));
    auto database = DrawDatabase::create(databasePath());
    QVERIFY(database.ok());
    QVERIFY(database->insertDraws(syntheticHistory(120).rows()).ok());
}

void HistoryReloadTest::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir::setCurrent(m_startFolder);
    m_folder.reset();
}

void HistoryReloadTest::anImportRefreshesEveryOpenWindowKeepingItsScrollPosition()
{
    auto frame = loadedFrame();
    frame->resize(1200, 900);
    frame->show();
    MainFrmTestSeam::openPrediction(*frame);
    MainFrmTestSeam::openAnalysis(*frame, QStringLiteral("出現間隔分析"));
    auto* analysis =
        qobject_cast<AnalysisWindow*>(frame->childWindow(QStringLiteral("出現間隔分析"))->widget());
    QVERIFY(analysis);
    QScrollBar* scroll = analysis->gridView()->verticalScrollBar();
    QVERIFY(scroll->maximum() > 40);
    scroll->setValue(40);

    const std::string csv = (m_folder->path() + "/new.csv").toStdString();
    writeFile(csv, kHeader + "121,,1,2,3,4,5,6\n122,,7,8,9,10,11,12\n");
    QSignalSpy changed(&frame->session(), &DrawSession::historyChanged);
    m_preview = DrawDataCommands::ImportPreview([](const CsvImport& import, const QString&) {
        return import.plan.added.size() == 2 ? std::optional(MergeMode::AddAndReplace)
                                             : std::nullopt;
    });
    MessageBoxWatcher messages;
    QVERIFY(frame->dataCommands().importCsvFile(QString::fromStdString(csv)));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(frame->tables().LatestDrawNo, 122);
    QCOMPARE(frame->history().size(), std::size_t{122});
    // The open analysis shows the new history, scrolled where the player left it.
    const ResultGrid expected =
        findAnalysis("出現間隔分析")->build(frame->history(), frame->tables());
    QCOMPARE(analysis->gridView()->grid().rowCount(), expected.rowCount());
    QCOMPARE(analysis->gridView()->grid().text(1, expected.rowCount()),
             expected.text(1, expected.rowCount()));
    QCOMPARE(scroll->value(), 40);
    // The prediction window follows the new latest draw.
    auto* prediction = qobject_cast<PredictionWindow*>(
        frame->childWindow(QString::fromUtf8(kPredictionWindowName))->widget());
    QVERIFY(prediction);
    PredictionWindow fresh(frame->options(), frame->history(), frame->tables());
    for (int g = 0; g < kPredictionGridCount; ++g) {
        const ResultGrid& shown = prediction->grid(g)->grid();
        const ResultGrid& expectedGrid = fresh.grid(g)->grid();
        QCOMPARE(shown.rowCount(), expectedGrid.rowCount());
        for (int r = 1; r <= shown.rowCount(); ++r)
            for (int c = 1; c <= shown.columnCount(); ++c)
                QCOMPARE(shown.text(c, r), expectedGrid.text(c, r));
    }
    QVERIFY(!messages.texts().isEmpty());
    QVERIFY(messages.texts().last().contains(QStringLiteral("追加 2")));
}

void HistoryReloadTest::rejectedOrCancelledFilesLeaveTheDatabaseByteForByte()
{
    auto frame = loadedFrame();
    const std::string before = readFile(databasePath());
    const std::string folder = m_folder->path().toStdString();
    writeFile(folder + "/garbage.csv", std::string(1 << 20, '\x01'));
    writeFile(folder + "/empty.csv", "");
    writeFile(folder + "/heading.csv", kHeader);
    writeFile(folder + "/good.csv", kHeader + "121,,1,2,3,4,5,6\n");
    // Replacing everything by a heading-only file is refused even when the player asks for it.
    m_preview = DrawDataCommands::ImportPreview(
        [](const CsvImport&, const QString&) { return std::optional(MergeMode::ReplaceAll); });
    MessageBoxWatcher messages;
    for (const char* name : {"garbage.csv", "empty.csv", "heading.csv", "missing.csv", ""}) {
        QVERIFY(!frame->dataCommands().importCsvFile(QString::fromStdString(folder + "/" + name)));
        QCOMPARE(readFile(databasePath()), before);
    }
    QCOMPARE(messages.texts().size(), 5);
    m_preview = DrawDataCommands::ImportPreview(
        [](const CsvImport&, const QString&) { return std::nullopt; });
    QVERIFY(!frame->dataCommands().importCsvFile(QString::fromStdString(folder + "/good.csv")));
    QCOMPARE(readFile(databasePath()), before);
}

void HistoryReloadTest::importingWhileTheEntryWindowIsOpenIsRefused()
{
    auto frame = loadedFrame();
    MainFrmTestSeam::openEntryWindow(*frame);
    QVERIFY(frame->childWindow(kEntryWindowName));
    const std::string before = readFile(databasePath());
    writeFile(m_folder->path().toStdString() + "/good.csv", kHeader + "121,,1,2,3,4,5,6\n");
    MessageBoxWatcher messages;
    QVERIFY(!frame->dataCommands().importCsvFile(m_folder->path() + "/good.csv"));
    QCOMPARE(messages.texts(), QStringList{kCloseEntryWindowFirst});
    QCOMPARE(readFile(databasePath()), before);
}

void HistoryReloadTest::aFailedReloadKeepsThePreviousSnapshot()
{
    auto frame = loadedFrame();
    QVERIFY(QFile::rename(QString::fromStdString(databasePath()), m_folder->path() + "/moved.mdb"));
    QSignalSpy changed(&frame->session(), &DrawSession::historyChanged);
    QString error;
    QVERIFY(!frame->session().reload(&error));
    QVERIFY(error.contains(QStringLiteral("Pomuran.mdb")));
    QCOMPARE(frame->history().size(), std::size_t{120});
    QCOMPARE(frame->tables().LatestDrawNo, 120);
    QCOMPARE(changed.count(), 0);
}

void HistoryReloadTest::closingTheEntryWindowAfterAChangeReloads()
{
    auto frame = loadedFrame();
    QSignalSpy changed(&frame->session(), &DrawSession::historyChanged);
    for (const bool change : {false, true}) {
        MainFrmTestSeam::openEntryWindow(*frame);
        QMdiSubWindow* entry = frame->childWindow(kEntryWindowName);
        QVERIFY(entry);
        if (change) {
            // What the player typed, as the entry window writes it.
            auto database =
                DrawDatabase::open(frame->connectString(), DrawDatabase::Access::ReadWrite);
            QVERIFY(database.ok());
            QVERIFY(database->insertDraws({drawRow(121, {1, 2, 3, 4, 5, 6})}).ok());
            // The entry window's own writes are no change by someone else.
            QTest::qWait(DrawSession::kSettleMilliseconds + 300);
            QCOMPARE(changed.count(), 0);
            QVERIFY(frame->findChild<QLabel*>(QStringLiteral("reloadNotice"))->text().isEmpty());
        }
        entry->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(20);
        QCOMPARE(changed.count(), change ? 1 : 0);
    }
    QCOMPARE(frame->tables().LatestDrawNo, 121);
}

void HistoryReloadTest::theGuideShowsOnlyOnAnEmptyDatabase()
{
    {
        auto frame = std::make_unique<MainFrm>(setup());
        QVERIFY(frame->start());
        QCoreApplication::processEvents();
        QVERIFY(!frame->emptyHistoryGuide());
    }
    QVERIFY(QFile::remove(QString::fromStdString(databasePath())));
    QVERIFY(DrawDatabase::create(databasePath()).ok());
    auto frame = std::make_unique<MainFrm>(setup());
    QVERIFY(frame->start());
    QCoreApplication::processEvents();
    EmptyHistoryGuide* guide = frame->emptyHistoryGuide();
    QVERIFY(guide && guide->isVisible());
    QVERIFY(!guide->isModal());
    // A CSV loaded through it closes it.
    writeFile(m_folder->path().toStdString() + "/first.csv", kHeader + "1,,1,2,3,4,5,6\n");
    m_preview = DrawDataCommands::ImportPreview(
        [](const CsvImport&, const QString&) { return std::optional(MergeMode::AddAndReplace); });
    MessageBoxWatcher messages;
    QVERIFY(frame->dataCommands().importCsvFile(m_folder->path() + "/first.csv"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!frame->emptyHistoryGuide() || !frame->emptyHistoryGuide()->isVisible());
}

void HistoryReloadTest::thePreviewListsChangedDrawsAndRejectedLines()
{
    const std::vector<DrawRow> stored = {drawRow(1, {1, 2, 3, 4, 5, 6})};
    auto import = prepareCsvImport(kHeader + "1,2000-01-04,1,2,3,4,5,7\n2,,0,2,3,4,5,6\n",
                                   CsvEncoding::Detect, stored);
    QVERIFY(import.ok());
    CsvImportDialog dialog(import.value(), QStringLiteral("x.csv"));
    QCOMPARE(dialog.changedView()->grid().text(2, 2), std::string("1 2 3 4 5 ＋ 6"));
    QCOMPARE(dialog.changedView()->grid().text(3, 2), std::string("1 2 3 4 5 ＋ 7  (2000-01-04)"));
    QCOMPARE(dialog.rejectedView()->grid().text(1, 2), std::string("3"));
    QVERIFY(dialog.addButton()->isEnabled());
    QTimer::singleShot(0, dialog.addButton(), &QPushButton::click);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosenMode(), MergeMode::AddAndReplace);
}

void HistoryReloadTest::aChangeByAnotherProgramReloadsWithOneStatusLine()
{
    auto frame = loadedFrame();
    frame->resize(1200, 900);
    frame->show();
    MainFrmTestSeam::openAnalysis(*frame, QStringLiteral("出現間隔分析"));
    auto* analysis =
        qobject_cast<AnalysisWindow*>(frame->childWindow(QStringLiteral("出現間隔分析"))->widget());
    QVERIFY(analysis);
    QScrollBar* scroll = analysis->gridView()->verticalScrollBar();
    scroll->setValue(30);
    auto* status = frame->findChild<QLabel*>(QStringLiteral("historyStatus"));
    auto* notice = frame->findChild<QLabel*>(QStringLiteral("reloadNotice"));
    QVERIFY(status && notice);
    QVERIFY(status->text().contains(QStringLiteral("第120回")));

    // The program's own import reloads once, with no line about someone else.
    QSignalSpy changed(&frame->session(), &DrawSession::historyChanged);
    const std::string csv = (m_folder->path() + "/new.csv").toStdString();
    writeFile(csv, kHeader + "121,,1,2,3,4,5,6\n");
    m_preview = [](const CsvImport&, const QString&) {
        return std::optional(MergeMode::AddAndReplace);
    };
    {
        MessageBoxWatcher messages;
        QVERIFY(frame->dataCommands().importCsvFile(QString::fromStdString(csv)));
    }
    QTest::qWait(DrawSession::kSettleMilliseconds + 300);
    QCOMPARE(changed.count(), 1);
    QVERIFY(notice->text().isEmpty());

    // Another program (pomuran-cli import) writes the file: the windows follow by themselves.
    {
        auto other = DrawDatabase::open(frame->connectString(), DrawDatabase::Access::ReadWrite);
        QVERIFY(other.ok());
        QVERIFY(other->insertDraws({syntheticHistory(122).rows().back()}).ok());
    }
    QTRY_COMPARE_WITH_TIMEOUT(notice->text(),
                              QStringLiteral("当選データを読み直しました（第122回まで）"), 5000);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(frame->tables().LatestDrawNo, 122);
    QVERIFY(status->text().contains(QStringLiteral("第122回")));
    const ResultGrid expected =
        findAnalysis("出現間隔分析")->build(frame->history(), frame->tables());
    QCOMPARE(analysis->gridView()->grid().rowCount(), expected.rowCount());
    QCOMPARE(scroll->value(), 30);
}

void HistoryReloadTest::theUpdateIsOneClickAwayOnlyWhenTheLatestDrawIsOld()
{
    for (const int daysOld : {3, 30}) {
        {
            auto database = DrawDatabase::open(buildDbConnectString(m_folder->path().toStdString()),
                                               DrawDatabase::Access::ReadWrite);
            QVERIFY(database.ok());
            DrawRow latest = drawRow(121 + daysOld, {1, 2, 3, 4, 5, 6});
            latest.date =
                QDate::currentDate().addDays(-daysOld).toString(Qt::ISODate).toStdString();
            QVERIFY(database->insertDraws({latest}).ok());
        }
        auto frame = loadedFrame();
        frame->show();
        auto* hint = frame->findChild<QLabel*>(QStringLiteral("historyHint"));
        auto* update = frame->findChild<QPushButton*>(QStringLiteral("historyUpdate"));
        QVERIFY(hint && update);
        QCOMPARE(update->isVisible(), daysOld > 7);
        QCOMPARE(hint->isVisible(), daysOld > 7);
        QCOMPARE(update->text(), QStringLiteral("当選データ最新化"));
    }
}

QTEST_MAIN(HistoryReloadTest)
#include "history_reload_test.moc"
