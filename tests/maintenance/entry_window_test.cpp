// Window tests of 当選データ入力 and of the draw data update command: edits, inserted and deleted
// rows reach the database and survive reopening, the check on closing, the confirmations, a
// failed write keeping the typed values, and the update's messages. Each test works on its own
// temporary database and current folder.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <utility>

#include "core/base/raw_value.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_database.h"
#include "core/grid/grid_geometry.h"
#include "core/grid/units.h"
#include "core/lottery/lottery_rules.h"
#include "gui/app/main_frame.h"
#include "gui/maintenance/entry_table_model.h"
#include "gui/maintenance/entry_window.h"
#include "gui_support/main_frame_seam.h"
#include "gui_support/message_box_watcher.h"
#include "http_test_server.h"
#include "test_support.h"

namespace {

MainFrmSetup serverSetup(const QString& folder, const HttpTestServer& server)
{
    MainFrmSetup setup;
    setup.programFolder = folder;
    setup.downloadServer = QString::fromStdString(server.url());
    return setup;
}

RawValue n(std::int64_t value)
{
    return value;
}

// Where the player's keys go: the open cell editor, else the grid itself (the offscreen platform
// does not always move the focus into a new editor).
QWidget* keyTarget(QTableView* grid)
{
    for (QLineEdit* editor : grid->viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible()) return editor;
    return grid;
}

}  // namespace

class EntryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithItsControlsColumnsAndColours();
    void editsInsertsAndDeletesSurviveReopening();
    void typingAcceptsDigitsOnly();
    void addLineAndDeleteLineFollowTheActiveCell();
    void answeringNoChangesNothing();
    void shortcutsAskTheSameQuestions();
    void closeCheckPassesEmptyCells();
    void closeCheckReportsTheFirstWrongCell_data();
    void closeCheckReportsTheFirstWrongCell();
    void everyWayOutRunsTheCheckAndStoresNothingWrong();
    void typedKeysEditTheChosenCellOfTheNewRowAndNoOtherDraw();
    void aRowChangedBehindTheWindowIsReportedAndTheTypedValuesStay();
    void typedValuesStayOnTheirRowWhenRowsAreAddedAndDeletedAbove();
    void mainWindowOpensItAtTheTopLeftWithItsDesignedClientArea();
    void exitKeepsTheProgramOpenWhenThePlayerKeepsAnUnwrittenDraw();
    void updateReplacesTheFileAndTheProgramShowsItAtOnce();
    void updateReportsAMissingFileAndFailures();
    void updateIsTurnedAwayWhileTheEntryWindowHoldsTheDatabase();
    void exitSaysWhenTheSettingsCannotBeSaved();

private:
    std::unique_ptr<EntryWindow> openWindow();
    std::vector<DrawRow> stored();
    void makeDatabase(const std::vector<DrawRow>& rows);
    void edit(EntryWindow& window, int row, int column, const QString& text);
    void behindTheWindow(const std::string& sql);

    std::unique_ptr<TempDir> m_dir;
    std::string m_database;
    QString m_previousFolder;
};

void EntryWindowTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_database = m_dir->file("Pomuran.mdb");
    m_previousFolder = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(m_dir->path().string()));
    makeDatabase({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {7, 8, 9, 10, 11, 12}),
                  drawRow(4, {13, 14, 15, 16, 17, 18})});
}

void EntryWindowTest::cleanup()
{
    QDir::setCurrent(m_previousFolder);
    m_dir.reset();
}

void EntryWindowTest::makeDatabase(const std::vector<DrawRow>& rows)
{
    std::filesystem::remove(m_database);
    auto database = DrawDatabase::create(m_database);
    QVERIFY(database);
    QVERIFY(database->insertDraws(rows));
}

std::unique_ptr<EntryWindow> EntryWindowTest::openWindow()
{
    QString error;
    std::unique_ptr<EntryWindow> window(
        EntryWindow::create(connectStringForFile(m_database), &error));
    if (!window) qWarning() << error;
    return window;
}

std::vector<DrawRow> EntryWindowTest::stored()
{
    auto history = loadDrawHistory(connectStringForFile(m_database));
    return history ? history->rows() : std::vector<DrawRow>{};
}

void EntryWindowTest::edit(EntryWindow& window, int row, int column, const QString& text)
{
    const QModelIndex cell = window.model()->index(row, column);
    window.grid()->setCurrentIndex(cell);
    QVERIFY(window.model()->setData(cell, text));
}

void EntryWindowTest::typedValuesStayOnTheirRowWhenRowsAreAddedAndDeletedAbove()
{
    auto window = openWindow();
    QVERIFY(window);
    EntryTableModel* model = window->model();
    QVERIFY(model->setData(model->index(2, 3), QStringLiteral("29")));
    QVERIFY(model->isPending(2));
    QVERIFY(model->insertRowAfter(0));
    QVERIFY(model->isPending(3));
    QVERIFY(!model->isPending(2));
    QCOMPARE(model->cellText(3, 3), QStringLiteral("29"));
    QCOMPARE(model->cellText(3, 0), QStringLiteral("4"));
    QVERIFY(model->deleteRow(0));
    QVERIFY(model->isPending(2));
    QCOMPARE(model->cellText(2, 3), QStringLiteral("29"));
    QVERIFY(model->writePendingRows().empty());
    QVERIFY(!model->isPending(2));
    const auto rows = stored();
    QCOMPARE(int(rows.size()), 3);
    QCOMPARE(rawText(rows[2].numbers[2]), std::string("29"));
}

void EntryWindowTest::behindTheWindow(const std::string& sql)
{
    auto other =
        DrawDatabase::open(connectStringForFile(m_database), DrawDatabase::Access::ReadWrite);
    QVERIFY(other);
    QVERIFY(other->execute(sql));
}

void EntryWindowTest::opensWithItsControlsColumnsAndColours()
{
    auto window = openWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("当選データ入力"));
    QCOMPARE(window->label()->text(),
             QStringLiteral("当選数字を開催回数毎に入力します（分析対象データとなります）"));
    QCOMPARE(window->closeButton()->text(), QStringLiteral("閉じる"));
    auto* edit = window->findChild<QMenu*>("mnuEdit");
    QVERIFY(edit);
    QCOMPARE(edit->title(), QStringLiteral("編集(&E)"));
    QCOMPARE(window->addLineAction()->text(), QStringLiteral("行追加"));
    QCOMPARE(window->addLineAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    QCOMPARE(window->deleteLineAction()->text(), QStringLiteral("行削除"));
    QCOMPARE(window->deleteLineAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));

    EntryTableModel* model = window->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->columnCount(), 8);
    const QStringList headers = {"回数",    "第1数字", "第2数字",      "第3数字",
                                 "第4数字", "第5数字", "ボーナス数字", "日付"};
    for (int c = 0; c < 8; ++c)
        QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), headers[c]);
    QVERIFY(window->grid()->verticalHeader()->isHidden());
    QCOMPARE(model->data(model->index(2, 0)).toString(), QStringLiteral("4"));
    QCOMPARE(model->data(model->index(2, 6)).toString(), QStringLiteral("18"));

    QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    QCOMPARE(model->data(model->index(0, 0), Qt::BackgroundRole).value<QBrush>().color(),
             QColor(255, 255, 200));
    QCOMPARE(model->data(model->index(0, 0), Qt::ForegroundRole).value<QBrush>().color(),
             QColor(255, 0, 0));
    QCOMPARE(model->data(model->index(0, 6), Qt::BackgroundRole).value<QBrush>().color(),
             QColor(197, 255, 255));
    QCOMPARE(model->data(model->index(0, 6), Qt::ForegroundRole).value<QBrush>().color(),
             QColor(0, 0, 255));
    QVERIFY(!model->data(model->index(0, 3), Qt::BackgroundRole).isValid());
    QCOMPARE(model->data(model->index(0, 3), Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::Alignment(Qt::AlignCenter));

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const int numberWidth = window->grid()->columnWidth(1);
    // At the design's size 回数 takes what its widest number needs (checked where a row is
    // typed); a wider window shares the room 5:7, give or take rounding.
    window->resize(window->width() * 3, window->height());
    QTRY_VERIFY(window->grid()->columnWidth(1) > 2 * numberWidth);
    QVERIFY(std::abs(window->grid()->columnWidth(0) * 7 - window->grid()->columnWidth(1) * 5) <=
            7 * 6);
    QCOMPARE(window->grid()->columnWidth(6), window->grid()->columnWidth(1));
    QCOMPARE(window->grid()->rowHeight(0), rowHeightToPixels(10));
}

void EntryWindowTest::editsInsertsAndDeletesSurviveReopening()
{
    {
        auto window = openWindow();
        MessageBoxWatcher answerer(QMessageBox::Yes);
        // An edit is written when its row is left.
        edit(*window, 0, 1, "21");
        QCOMPARE(stored()[0].numbers[0], n(1));
        window->grid()->setCurrentIndex(window->model()->index(1, 1));
        QCOMPARE(stored()[0].numbers[0], n(21));

        // A row below 2 gets draw number 3, the number after its predecessor's.
        window->grid()->setCurrentIndex(window->model()->index(1, 4));
        window->addLine();
        QCOMPARE(window->model()->rowCount(), 4);
        QCOMPARE(window->grid()->currentIndex(), window->model()->index(2, 4));
        QCOMPARE(window->model()->cellText(2, 0), QStringLiteral("3"));
        const QStringList typed = {"3", "9", "14", "20", "31", "1"};
        for (int c = 1; c <= 6; ++c)
            edit(*window, 2, c, typed[c - 1]);

        // Delete the first row (moving there writes the new row).
        window->grid()->setCurrentIndex(window->model()->index(0, 2));
        window->deleteLine();
        QCOMPARE(window->model()->rowCount(), 3);
        // A pending edit in another row, written by closing.
        edit(*window, 2, 6, "30");
        window->close();
        QVERIFY(answerer.seen().size() == 2);  // the two confirmations, nothing else
    }
    const auto rows = stored();
    QCOMPARE(rows.size(), std::size_t{3});
    QCOMPARE(rows[0].drawNo, n(2));
    QCOMPARE(rows[1].drawNo, n(3));
    QCOMPARE(rows[1].numbers, (std::array<RawValue, 6>{n(3), n(9), n(14), n(20), n(31), n(1)}));
    QCOMPARE(rows[2].drawNo, n(4));
    QCOMPARE(rows[2].numbers[5], n(30));

    auto reopened = openWindow();
    QCOMPARE(reopened->model()->rowCount(), 3);
    QCOMPARE(reopened->model()->cellText(1, 0), QStringLiteral("3"));
    QCOMPARE(reopened->model()->cellText(1, 5), QStringLiteral("31"));
    QCOMPARE(reopened->model()->cellText(2, 6), QStringLiteral("30"));
}

void EntryWindowTest::typingAcceptsDigitsOnly()
{
    auto window = openWindow();
    window->show();
    window->activateWindow();  // an X server without a window manager activates nothing
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTableView* grid = window->grid();
    grid->setFocus();
    grid->setCurrentIndex(window->model()->index(1, 2));
    QTest::keyClick(grid, Qt::Key_2);  // starts editing
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QCOMPARE(editor->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QTest::keyClicks(editor, "a.-5");
    QCOMPARE(editor->text(), QStringLiteral("25"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits a finished edit through a queued call.
    QTRY_COMPARE(window->model()->cellText(1, 2), QStringLiteral("25"));
    QVERIFY(window->model()->isPending(1));
    QTest::keyClick(grid, Qt::Key_Down);
    QVERIFY(!window->model()->isPending(1));
    QCOMPARE(stored()[1].numbers[1], n(25));
}

void EntryWindowTest::addLineAndDeleteLineFollowTheActiveCell()
{
    auto window = openWindow();
    MessageBoxWatcher answerer(QMessageBox::Yes);
    // Below the last row.
    window->grid()->setCurrentIndex(window->model()->index(2, 3));
    window->addLine();
    QCOMPARE(window->model()->rowCount(), 4);
    QCOMPARE(window->grid()->currentIndex(), window->model()->index(3, 3));
    QCOMPARE(window->model()->cellText(3, 0), QStringLiteral("5"));
    for (int c = 1; c <= 6; ++c)
        QCOMPARE(window->model()->cellText(3, c), QString());
    QCOMPARE(stored().size(), std::size_t{4});

    // Deleting the last row reduces the count by one.
    window->deleteLine();
    QCOMPARE(window->model()->rowCount(), 3);
    QCOMPARE(stored().size(), std::size_t{3});
    QCOMPARE(window->grid()->currentIndex(), window->model()->index(2, 3));

    const SeenMessage& question = answerer.seen().at(0);
    QCOMPARE(question.text,
             QStringLiteral("選択された行のうしろに行を追加します。よろしいですか？"));
    QCOMPARE(question.icon, QMessageBox::Warning);
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(question.defaultButton, QMessageBox::No);
    QCOMPARE(answerer.seen().at(1).text,
             QStringLiteral("選択された行を削除します。よろしいですか？"));
    QCOMPARE(answerer.seen().at(1).defaultButton, QMessageBox::No);
}

void EntryWindowTest::answeringNoChangesNothing()
{
    const std::string before = readFile(m_database);
    auto window = openWindow();
    MessageBoxWatcher answerer(QMessageBox::No);
    window->grid()->setCurrentIndex(window->model()->index(1, 2));
    window->addLine();
    window->deleteLine();
    QCOMPARE(answerer.seen().size(), std::size_t{2});
    QCOMPARE(window->model()->rowCount(), 3);
    QCOMPARE(window->grid()->currentIndex(), window->model()->index(1, 2));
    window.reset();
    QVERIFY(readFile(m_database) == before);
}

void EntryWindowTest::shortcutsAskTheSameQuestions()
{
    auto window = openWindow();
    window->show();
    window->activateWindow();  // an X server without a window manager activates nothing
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->grid()->setFocus();
    MessageBoxWatcher answerer(QMessageBox::No);
    QTest::keyClick(window->grid(), Qt::Key_A, Qt::ControlModifier);
    // The offscreen platform has no window manager to hand activation back after the box.
    window->activateWindow();
    window->activateWindow();  // an X server without a window manager activates nothing
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window->grid()->setFocus();
    QTest::keyClick(window->grid(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(answerer.seen().size(), std::size_t{2});
    QCOMPARE(answerer.seen()[0].text, kAddLineQuestion);
    QCOMPARE(answerer.seen()[1].text, kDeleteLineQuestion);
    QCOMPARE(window->model()->rowCount(), 3);
}

void EntryWindowTest::closeCheckPassesEmptyCells()
{
    auto window = openWindow();
    window->show();
    MessageBoxWatcher answerer;
    for (int c = 1; c <= 6; ++c)
        edit(*window, 1, c, "");
    window->checkAndClose();
    QVERIFY(answerer.seen().empty());
    QVERIFY(!window->isVisible());
    QCOMPARE(stored()[1].numbers[3], RawValue{});
}

void EntryWindowTest::closeCheckReportsTheFirstWrongCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("0 in a main number") << 1 << 3 << "0";
    QTest::newRow("32 in a main number") << 0 << 5 << "32";
    QTest::newRow("32 in the bonus") << 2 << 6 << "32";
    QTest::newRow("0 in the bonus") << 0 << 6 << "0";
}

void EntryWindowTest::closeCheckReportsTheFirstWrongCell()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    auto window = openWindow();
    window->show();
    edit(*window, row, column, text);
    edit(*window, 2, 1, "99");  // a later wrong cell is not the one reported (unless first)
    window->grid()->setCurrentIndex(window->model()->index(0, 0));
    MessageBoxWatcher answerer;
    window->checkAndClose();
    QCOMPARE(answerer.seen().size(), std::size_t{1});
    QCOMPARE(answerer.seen()[0].text, QStringLiteral("結果マスタの数字に誤りがあります。"));
    QCOMPARE(answerer.seen()[0].title, QStringLiteral("メッセ－ジ"));
    QCOMPARE(answerer.seen()[0].icon, QMessageBox::Critical);
    QCOMPARE(answerer.seen()[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(window->isVisible());
    const QModelIndex expected =
        row < 2 ? window->model()->index(row, column) : window->model()->index(2, 1);
    QCOMPARE(window->grid()->currentIndex(), expected);
}

void EntryWindowTest::everyWayOutRunsTheCheckAndStoresNothingWrong()
{
    const std::string before = readFile(m_database);
    // The close box (close()), and the program's exit, which closes its child windows.
    for (const bool exitProgram : {false, true}) {
        MainFrm frame(QString::fromStdString(m_dir->path().string()));
        QVERIFY(frame.load());
        frame.show();
        frame.mdiArea()->closeAllSubWindows();
        QTRY_VERIFY(frame.propEnd());
        MainFrmTestSeam::openEntryWindow(frame);
        QMdiSubWindow* child = frame.childWindow(kEntryWindowName);
        QVERIFY(child);
        auto* window = qobject_cast<EntryWindow*>(child->widget());
        MessageBoxWatcher answerer(QMessageBox::Cancel);
        edit(*window, 1, 2, "32");
        edit(*window, 0, 3, "1");                                       // a main number twice
        window->grid()->setCurrentIndex(window->model()->index(2, 1));  // leaves the rows
        const auto close = [&] { return exitProgram ? frame.close() : child->close(); };
        QVERIFY(!close());
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QCOMPARE(answerer.seen()[0].text, kEntryCheckFailed);
        QCOMPARE(answerer.seen()[0].buttons, QMessageBox::Cancel | QMessageBox::Discard);
        QCOMPARE(window->grid()->currentIndex(), window->model()->index(0, 3));
        QVERIFY(readFile(m_database) == before);
        answerer.setAnswer(QMessageBox::Discard);
        QVERIFY(close());
        QVERIFY(readFile(m_database) == before);
    }
}

void EntryWindowTest::typedKeysEditTheChosenCellOfTheNewRowAndNoOtherDraw()
{
    std::vector<DrawRow> rows = syntheticHistory(40).rows();
    rows.back().date = std::string("2026-12-01");
    makeDatabase(rows);
    auto window = openWindow();
    window->show();
    window->activateWindow();  // an X server without a window manager activates nothing
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTableView* grid = window->grid();
    grid->setCurrentIndex(window->model()->index(39, 1));
    MessageBoxWatcher answerer(QMessageBox::Yes);
    window->addLine();
    QCOMPARE(window->model()->cellText(40, EntryTableModel::kDateGridColumn),
             QStringLiteral("2026-12-08"));
    // Every column shows its widest text whole (the highest draw number, a number, the proposed
    // date), inside the margins the style keeps on both sides and the grid line.
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 1;
    const std::pair<int, QString> widest[] = {
        {0, QString::number(kHighestDrawNo)},
        {1, QStringLiteral("31")},
        {EntryTableModel::kBonusGridColumn, QStringLiteral("31")},
        {EntryTableModel::kDateGridColumn, QStringLiteral("2026-12-08")}};
    for (const auto& [column, text] : widest)
        QVERIFY2(grid->columnWidth(column) - margins >= grid->fontMetrics().horizontalAdvance(text),
                 qPrintable(text));
    // Clicked as the player does, then typed: digits, Tab and Enter between the fields.
    grid->scrollTo(window->model()->index(40, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(window->model()->index(40, 1)).center());
    QCOMPARE(grid->currentIndex(), window->model()->index(40, 1));
    for (const char* keys : {"2", "\t", "9", "\t", "15", "\r", "22", "\t", "28", "\t", "30"}) {
        // Each key to the widget that has it then: an editor can close between two keys.
        for (const char* key = keys; *key; ++key) {
            if (*key == '\t')
                QTest::keyClick(keyTarget(grid), Qt::Key_Tab);
            else if (*key == '\r')
                QTest::keyClick(keyTarget(grid), Qt::Key_Return);
            else
                QTest::keyClick(keyTarget(grid), *key);
        }
        // The editor closes on Enter through a queued call: the player's next key comes after it.
        QCoreApplication::processEvents();
    }
    QTest::keyClick(keyTarget(grid), Qt::Key_Tab);
    QTRY_COMPARE(window->model()->cellText(40, 6), QStringLiteral("30"));
    QVERIFY(window->close());
    const auto after = stored();
    QCOMPARE(after.size(), rows.size() + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QCOMPARE(after[i].numbers, rows[i].numbers);
        QCOMPARE(after[i].date, rows[i].date);
    }
    QCOMPARE(after.back().numbers,
             (std::array<RawValue, 6>{n(2), n(9), n(15), n(22), n(28), n(30)}));
    QCOMPARE(rawText(after.back().date), std::string("2026-12-08"));
}

void EntryWindowTest::aRowChangedBehindTheWindowIsReportedAndTheTypedValuesStay()
{
    auto window = openWindow();
    window->show();
    behindTheWindow("UPDATE 結果マスタ SET 第1数字 = 30 WHERE 回数 = 2;");
    MessageBoxWatcher answerer(QMessageBox::No);
    edit(*window, 1, 2, "28");
    window->grid()->setCurrentIndex(window->model()->index(2, 2));
    QCOMPARE(answerer.seen().size(), std::size_t{1});
    QCOMPARE(answerer.seen()[0].icon, QMessageBox::Critical);
    QVERIFY2(answerer.seen()[0].text.contains(QStringLiteral("変更されていた")),
             qPrintable(answerer.seen()[0].text));
    QCOMPARE(window->model()->cellText(1, 2), QStringLiteral("28"));
    QVERIFY(window->model()->isPending(1));
    QCOMPARE(stored()[1].numbers[0], n(30));
    QCOMPARE(stored()[1].numbers[1], n(8));

    // Closing asks before dropping what could not be written; No keeps the window and the values.
    QVERIFY(!window->close());
    QCOMPARE(answerer.seen().size(), std::size_t{2});
    QVERIFY(answerer.seen()[1].text.contains(QStringLiteral("破棄して閉じますか")));
    QCOMPARE(answerer.seen()[1].defaultButton, QMessageBox::No);
    QVERIFY(window->isVisible());
    QCOMPARE(window->model()->cellText(1, 2), QStringLiteral("28"));
    answerer.setAnswer(QMessageBox::Yes);
    QVERIFY(window->close());
    QCOMPARE(stored()[1].numbers[0], n(30));
}

void EntryWindowTest::mainWindowOpensItAtTheTopLeftWithItsDesignedClientArea()
{
    MainFrm frame(QString::fromStdString(m_dir->path().string()));
    QVERIFY(frame.load());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    // The command is refused while another child window (the prediction window) is open.
    frame.mdiArea()->closeAllSubWindows();
    QTRY_VERIFY(frame.propEnd());
    frame.findChild<QAction*>("mnuMasterInput")->trigger();
    QMdiSubWindow* child = frame.childWindow(kEntryWindowName);
    QVERIFY(child);
    QVERIFY(!frame.propEnd());
    QCOMPARE(child->pos(), QPoint(0, 0));
    QCOMPARE(child->minimumSize(), child->maximumSize());
    QCOMPARE(child->widget()->size(), QSize(twipsToPixels(6240), twipsToPixels(12825)));
    QVERIFY(!(child->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(child->windowFlags() & Qt::WindowMaximizeButtonHint));
    MainFrmTestSeam::openEntryWindow(frame);
    QCOMPARE(frame.mdiArea()->subWindowList().size(), 1);

    // "閉じる" with a passing check closes the child window.
    auto* window = qobject_cast<EntryWindow*>(child->widget());
    QVERIFY(window);
    QTest::mouseClick(window->closeButton(), Qt::LeftButton);
    QTRY_VERIFY(frame.propEnd());
    QVERIFY(!frame.childWindow(kEntryWindowName));
}

void EntryWindowTest::exitKeepsTheProgramOpenWhenThePlayerKeepsAnUnwrittenDraw()
{
    MainFrm frame(QString::fromStdString(m_dir->path().string()));
    QVERIFY(frame.load());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.mdiArea()->closeAllSubWindows();
    QTRY_VERIFY(frame.propEnd());
    MainFrmTestSeam::openEntryWindow(frame);
    QMdiSubWindow* child = frame.childWindow(kEntryWindowName);
    QVERIFY(child);
    auto* window = qobject_cast<EntryWindow*>(child->widget());
    QVERIFY(window);

    behindTheWindow("UPDATE 結果マスタ SET 第1数字 = 30 WHERE 回数 = 2;");
    MessageBoxWatcher answerer(QMessageBox::No);
    edit(*window, 1, 2, "28");
    // Exiting cannot write the edit; keeping it keeps the program and the typed value.
    QVERIFY(!frame.close());
    QVERIFY(frame.isVisible());
    QCOMPARE(frame.childWindow(kEntryWindowName), child);
    QCOMPARE(window->model()->cellText(1, 2), QStringLiteral("28"));
    QVERIFY(!std::filesystem::exists("ポムラン.ini"));

    answerer.setAnswer(QMessageBox::Yes);
    QVERIFY(frame.close());
    QVERIFY(std::filesystem::exists("ポムラン.ini"));
}

void EntryWindowTest::updateReplacesTheFileAndTheProgramShowsItAtOnce()
{
    const std::string published = m_dir->file("published.mdb");
    {
        auto database = DrawDatabase::create(published);
        QVERIFY(database);
        QVERIFY(database->insertDraws(syntheticHistory(10).rows()));
    }
    const std::string bytes = readFile(published);
    HttpTestServer server({HttpTestServer::Behaviour::Answer, 200, bytes});
    MainFrm frame(serverSetup(QString::fromStdString(m_dir->path().string()), server));
    QVERIFY(frame.load());
    MessageBoxWatcher answerer;
    frame.findChild<QAction*>("mnuMasterUpdate")->trigger();
    QCOMPARE(answerer.seen().size(), std::size_t{1});
    QCOMPARE(answerer.seen()[0].text, QStringLiteral("当選データを最新化しました。"));
    QCOMPARE(answerer.seen()[0].icon, QMessageBox::NoIcon);
    QCOMPARE(answerer.seen()[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(readFile(m_database) == bytes);
    // The new draws are read at once, not at the next start.
    QCOMPARE(frame.history().size(), std::size_t{10});
    QCOMPARE(frame.tables().LatestDrawNo, 10);
}

void EntryWindowTest::updateReportsAMissingFileAndFailures()
{
    const std::string before = readFile(m_database);
    {
        HttpTestServer server({HttpTestServer::Behaviour::Answer, 404, "gone"});
        MainFrm frame(serverSetup(QString::fromStdString(m_dir->path().string()), server));
        MessageBoxWatcher answerer;
        frame.findChild<QAction*>("mnuMasterUpdate")->trigger();
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QCOMPARE(answerer.seen()[0].icon, QMessageBox::Critical);
        QCOMPARE(answerer.seen()[0].title, QStringLiteral("メッセ－ジ"));
        QVERIFY(answerer.seen()[0].text.contains(QStringLiteral("HTTP 404")));
        QVERIFY(readFile(m_database) == before);
    }
    TempDir empty;
    HttpTestServer server({HttpTestServer::Behaviour::Answer, 200, before});
    MainFrm frame(serverSetup(QString::fromStdString(empty.path().string()), server));
    MessageBoxWatcher answerer;
    frame.findChild<QAction*>("mnuMasterUpdate")->trigger();
    QCOMPARE(answerer.seen().size(), std::size_t{1});
    const QString path = QString::fromStdString(empty.file("Pomuran.mdb"));
    QCOMPARE(answerer.seen()[0].text,
             QStringLiteral("当選データファイル：'") + path + QStringLiteral("'が存在しません"));
    QCOMPARE(answerer.seen()[0].icon, QMessageBox::NoIcon);
    QVERIFY(!std::filesystem::exists(empty.file("Pomuran.mdb")));
}

void EntryWindowTest::updateIsTurnedAwayWhileTheEntryWindowHoldsTheDatabase()
{
    const std::string before = readFile(m_database);
    HttpTestServer server({HttpTestServer::Behaviour::Answer, 200, before});
    MainFrm frame(serverSetup(QString::fromStdString(m_dir->path().string()), server));
    QVERIFY(frame.load());
    frame.mdiArea()->closeAllSubWindows();
    MainFrmTestSeam::openEntryWindow(frame);
    QVERIFY(frame.childWindow(kEntryWindowName));
    MessageBoxWatcher answerer;
    frame.findChild<QAction*>("mnuMasterUpdate")->trigger();
    QCOMPARE(answerer.seen().size(), std::size_t{1});
    QCOMPARE(answerer.seen()[0].icon, QMessageBox::Critical);
    QVERIFY2(answerer.seen()[0].text.contains(QStringLiteral("使用中")),
             qPrintable(answerer.seen()[0].text));
    QCOMPARE(server.requestCount(), 0);
    QVERIFY(readFile(m_database) == before);
}

void EntryWindowTest::exitSaysWhenTheSettingsCannotBeSaved()
{
    // A folder where the settings file belongs: the options cannot be saved.
    std::filesystem::create_directory(m_dir->file("ポムラン.ini"));
    MainFrm frame(QString::fromStdString(m_dir->path().string()));
    QVERIFY(frame.load());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    MessageBoxWatcher answerer;
    QVERIFY(frame.close());
    QCOMPARE(answerer.seen().size(), std::size_t{1});
    QVERIFY2(answerer.seen()[0].text.contains(QStringLiteral("保存できませんでした")),
             qPrintable(answerer.seen()[0].text));
    QVERIFY2(answerer.seen()[0].text.contains(QStringLiteral("フォルダー")),
             qPrintable(answerer.seen()[0].text));
}

QTEST_MAIN(EntryWindowTest)
#include "entry_window_test.moc"
