// Window tests of the prediction window 一発ボボーン inside the main window: it opens by itself
// when the main window becomes active, shows the stored options, recomputes all four grids at
// every option click, keeps the options when closed, and writes no settings file meanwhile.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include "core/draws/draw_database.h"
#include "core/grid/units.h"
#include "core/prediction/prediction_engine.h"
#include "gui/app/main_frame.h"
#include "gui/prediction/prediction_window.h"
#include "gui/report/grid_font.h"
#include "gui/ui/grid_view.h"
#include "gui_support/main_frame_seam.h"
#include "test_support.h"

namespace {

const QString kWindowName = QStringLiteral("一発ボボーン");

// Every cell text of a grid, row by row.
QStringList cellTexts(const ResultGrid& grid)
{
    QStringList texts;
    for (int row = 1; row <= grid.rowCount(); ++row)
        for (int col = 1; col <= grid.columnCount(); ++col)
            texts << QString::fromStdString(grid.text(col, row));
    return texts;
}

QList<QStringList> shownGrids(const PredictionWindow* window)
{
    QList<QStringList> grids;
    for (int g = 0; g < kPredictionGridCount; ++g)
        grids << cellTexts(window->grid(g)->grid());
    return grids;
}

}  // namespace

class PredictionWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensByItselfWhenTheMainWindowBecomesActive();
    void showsTheStoredOptionsAndItsFixedTexts();
    void optionClickRefreshesAllGridsAndClickingBackRestoresThem();
    void onlyTheNumberOfOptionsOnMatters();
    void closingKeepsTheOptionsAndReopeningShowsThem();
    void printOpensThePreviewOfAllFourGridsAndTheOptions();

private:
    // A main window loaded from the test database, shown and made active.
    std::unique_ptr<MainFrm> startedFrame();
    PredictionWindow* predictionWindow(const MainFrm& frame) const;
    // What the engine gives for the test history with that many options on.
    QList<QStringList> expectedGrids(int enabledOptions) const;

    QTemporaryDir m_databaseFolder;
    DrawHistory m_history;
    std::unique_ptr<QTemporaryDir> m_workFolder;
    QString m_startFolder;
};

void PredictionWindowTest::initTestCase()
{
    installGridFontSubstitution();
    QVERIFY(m_databaseFolder.isValid());
    m_history = syntheticHistory(40);
    auto database = DrawDatabase::create(
        (m_databaseFolder.path() + QStringLiteral("/Pomuran.mdb")).toStdString());
    QVERIFY2(database.ok(), database.ok() ? "" : database.error().c_str());
    QVERIFY(database->insertDraws(m_history.rows()).ok());
    m_startFolder = QDir::currentPath();
}

void PredictionWindowTest::init()
{
    // The settings file is read from (and would be written to) the current folder.
    m_workFolder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_workFolder->isValid());
    QVERIFY(QDir::setCurrent(m_workFolder->path()));
}

void PredictionWindowTest::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QDir::setCurrent(m_startFolder);
    m_workFolder.reset();
}

std::unique_ptr<MainFrm> PredictionWindowTest::startedFrame()
{
    auto frame = std::make_unique<MainFrm>(m_databaseFolder.path());
    QString error;
    if (!frame->load(&error)) qWarning() << "load failed:" << error;
    frame->show();
    frame->activateWindow();
    if (!QTest::qWaitForWindowActive(frame.get())) qWarning() << "main window not active";
    return frame;
}

PredictionWindow* PredictionWindowTest::predictionWindow(const MainFrm& frame) const
{
    QMdiSubWindow* sub = frame.childWindow(kWindowName);
    return sub ? qobject_cast<PredictionWindow*>(sub->widget()) : nullptr;
}

QList<QStringList> PredictionWindowTest::expectedGrids(int enabledOptions) const
{
    PredictionEngine engine;
    engine.ScanCycles(m_history);
    const PredictionGrids grids = engine.RefreshPrediction(40, enabledOptions);
    QList<QStringList> texts;
    for (const ResultGrid& grid : grids)
        texts << cellTexts(grid);
    return texts;
}

void PredictionWindowTest::opensByItselfWhenTheMainWindowBecomesActive()
{
    auto frame = startedFrame();
    QTRY_VERIFY(predictionWindow(*frame));
    PredictionWindow* window = predictionWindow(*frame);
    QMdiSubWindow* sub = frame->childWindow(kWindowName);
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 1);
    QCOMPARE(sub->windowTitle(), QStringLiteral("一発ボボーン予想"));
    QCOMPARE(sub->pos(), QPoint(0, 0));
    QCOMPARE(sub->size(), QSize(twipsToPixels(9360), twipsToPixels(8244)));
    QVERIFY(!frame->propEnd());
    QCOMPARE(shownGrids(window), expectedGrids(0));
    // The draws have returns after 7 to 12 draws: the cycle grid is not blank.
    QVERIFY(!window->grid(kCycleGrid)->grid().text(2, 2).empty());

    // Each grid shows all of its cells inside the window, at its designed place.
    for (int g = 0; g < kPredictionGridCount; ++g) {
        GridView* view = window->grid(g);
        QCOMPARE(view->x(), twipsToPixels(4320));
        QCOMPARE(view->size(), view->sizeHint());
        QVERIFY(window->rect().contains(view->QWidget::geometry()));
    }
    QCOMPARE(window->grid(kEliminationGrid)->y(), twipsToPixels(3480));

    // Returning to the main window brings the open one forward rather than building another.
    MainFrmTestSeam::onActivated(*frame);
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 1);
    QCOMPARE(predictionWindow(*frame), window);
}

void PredictionWindowTest::showsTheStoredOptionsAndItsFixedTexts()
{
    PredictionOptions stored;
    stored.set(2, true);
    stored.set(9, true);
    QVERIFY(WriteInitFile(stored).ok());
    auto frame = startedFrame();
    QTRY_VERIFY(predictionWindow(*frame));
    PredictionWindow* window = predictionWindow(*frame);

    for (int i = 0; i < kOptionCount; ++i) {
        QCOMPARE(window->reflectButton(i)->isChecked(), stored.isOn(i));
        QCOMPARE(window->ignoreButton(i)->isChecked(), !stored.isOn(i));
        QCOMPARE(window->reflectButton(i)->text(), QStringLiteral("反映する"));
        QCOMPARE(window->ignoreButton(i)->text(), QStringLiteral("反映しない"));
        auto* box = qobject_cast<QGroupBox*>(window->reflectButton(i)->parentWidget());
        QVERIFY(box);
        QCOMPARE(box->title(),
                 QString::fromUtf8(kPredictionOptions[static_cast<std::size_t>(i)].caption));
    }
    QCOMPARE(shownGrids(window), expectedGrids(2));

    QCOMPARE(window->findChild<QGroupBox*>("Frame3")->title(),
             QStringLiteral("データ分析オプション"));
    QCOMPARE(window->findChild<QGroupBox*>("Frame2")->title(), QStringLiteral("当選予想"));
    QCOMPARE(window->findChild<QGroupBox*>("Frame12")->title(), QStringLiteral("■4分割傾向分析"));
    QCOMPARE(window->findChild<QLabel*>("Label15")->text(),
             QStringLiteral("各データ分析の分析結果を当選予想へ反映するかを設定します。"));
    QCOMPARE(window->findChild<QLabel*>("Label1")->text(),
             QStringLiteral("●周期法による予想(この予想数字を組合わせて購入します)"));
    QCOMPARE(window->findChild<QLabel*>("Label19")->text(),
             QStringLiteral(
                 "各データ分析の結果を元に周期法、消去法、連発ボボーン、一発ボボーンの各手法を用い"
                 "て当選数字を予想します。"));
    QCOMPARE(window->findChild<QLabel*>("Label2")->text(),
             QStringLiteral("●消去法による予想(この予想数字を組合わせて購入します)"));
    QCOMPARE(window->findChild<QLabel*>("Label3")->text(),
             QStringLiteral("●連発ボボーン予想(この予想数字を組む合わせて購入します)"));
    QCOMPARE(window->findChild<QLabel*>("Label4")->text(), QStringLiteral("●一発ボボーン予想"));
    QCOMPARE(window->printButton()->text(), QStringLiteral("印刷"));
    QCOMPARE(window->closeButton()->text(), QStringLiteral("閉じる"));
}

void PredictionWindowTest::optionClickRefreshesAllGridsAndClickingBackRestoresThem()
{
    auto frame = startedFrame();
    QTRY_VERIFY(predictionWindow(*frame));
    PredictionWindow* window = predictionWindow(*frame);
    const QList<QStringList> before = shownGrids(window);
    QCOMPARE(before, expectedGrids(0));

    QTest::mouseClick(window->reflectButton(4), Qt::LeftButton);
    QVERIFY(frame->options().isOn(4));
    QVERIFY(window->reflectButton(4)->isChecked());
    QVERIFY(!window->ignoreButton(4)->isChecked());
    const QList<QStringList> after = shownGrids(window);
    QCOMPARE(after, expectedGrids(1));
    QVERIFY(after[kEliminationGrid] != before[kEliminationGrid]);
    QCOMPARE(after[kCycleGrid], before[kCycleGrid]);

    QTest::mouseClick(window->ignoreButton(4), Qt::LeftButton);
    QVERIFY(!frame->options().isOn(4));
    QCOMPARE(shownGrids(window), before);
    // Clicks never write the settings file; only the exit does.
    QVERIFY(!QFile::exists(QString::fromUtf8(kSettingsFileName)));
}

void PredictionWindowTest::onlyTheNumberOfOptionsOnMatters()
{
    auto frame = startedFrame();
    QTRY_VERIFY(predictionWindow(*frame));
    PredictionWindow* window = predictionWindow(*frame);

    QTest::mouseClick(window->reflectButton(0), Qt::LeftButton);
    const QList<QStringList> first = shownGrids(window);
    QTest::mouseClick(window->ignoreButton(0), Qt::LeftButton);
    QTest::mouseClick(window->reflectButton(11), Qt::LeftButton);
    QCOMPARE(shownGrids(window), first);

    // A second option moves the elimination rules one draw further back.
    QTest::mouseClick(window->reflectButton(6), Qt::LeftButton);
    QCOMPARE(frame->options().enabledCount(), 2);
    QCOMPARE(shownGrids(window), expectedGrids(2));
    QVERIFY(shownGrids(window)[kEliminationGrid] != first[kEliminationGrid]);
}

void PredictionWindowTest::closingKeepsTheOptionsAndReopeningShowsThem()
{
    auto frame = startedFrame();
    QTRY_VERIFY(predictionWindow(*frame));
    QTest::mouseClick(predictionWindow(*frame)->reflectButton(7), Qt::LeftButton);

    QTest::mouseClick(predictionWindow(*frame)->closeButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!frame->childWindow(kWindowName));
    QVERIFY(frame->propEnd());
    QVERIFY(frame->options().isOn(7));
    QVERIFY(!QFile::exists(QString::fromUtf8(kSettingsFileName)));

    frame->findChild<QAction*>("mnuYoso")->trigger();
    PredictionWindow* reopened = predictionWindow(*frame);
    QVERIFY(reopened);
    QVERIFY(reopened->reflectButton(7)->isChecked());
    QCOMPARE(shownGrids(reopened), expectedGrids(1));
    QVERIFY(!frame->propEnd());

    // The exit writes the option that was switched while the window was open.
    frame->close();
    PredictionOptions written;
    ReadInitFile(written);
    QVERIFY(written.isOn(7));
    QCOMPARE(written.enabledCount(), 1);
}

void PredictionWindowTest::printOpensThePreviewOfAllFourGridsAndTheOptions()
{
    auto frame = startedFrame();
    QTRY_VERIFY(predictionWindow(*frame));
    PredictionWindow* window = predictionWindow(*frame);
    const QList<QStringList> before = shownGrids(window);
    QString opened;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened = QString::fromLatin1(dialog->metaObject()->className());
            dialog->reject();
            poll.stop();
        }
    });
    poll.start(20);
    QTest::mouseClick(window->printButton(), Qt::LeftButton);
    QCOMPARE(opened, QStringLiteral("QPrintPreviewDialog"));
    QCOMPARE(shownGrids(window), before);
    QCOMPARE(predictionWindow(*frame), window);
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 1);

    // What the page holds: the four grids as shown and every option's state.
    frame->options().set(2, true);
    const WindowReport report = window->report();
    QCOMPARE(report.sections.size(), std::size_t{kPredictionGridCount});
    for (int g = 0; g < kPredictionGridCount; ++g)
        QCOMPARE(report.sections[static_cast<std::size_t>(g)].grid.text(2, 2),
                 window->grid(g)->grid().text(2, 2));
    QCOMPARE(report.notes.size(), std::size_t{1 + kOptionCount});
    QVERIFY(QString::fromStdString(report.notes[3]).endsWith(QStringLiteral(": 反映する")));
    QVERIFY(QString::fromStdString(report.notes[2]).endsWith(QStringLiteral(": 反映しない")));
}

QTEST_MAIN(PredictionWindowTest)
#include "prediction_window_test.moc"
