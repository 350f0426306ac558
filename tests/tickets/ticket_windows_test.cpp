// Window tests of 組合せ作成 and 購入記録: the board drives the live count, a reduced set shows
// its guarantee, tickets go into the register and come back checked, bad input and a damaged
// ticket file leave the stored tickets alone.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "core/draws/draw_database.h"
#include "gui/app/main_frame.h"
#include "gui/prediction/prediction_window.h"
#include "gui/tickets/combination_window.h"
#include "gui/tickets/ticket_register_model.h"
#include "gui/tickets/ticket_register_window.h"
#include "gui/ui/grid_view.h"
#include "gui_support/main_frame_seam.h"
#include "test_support.h"

class TicketWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void boardClicksUpdateTheCountAndFixedNumbersNarrowIt();
    void aReducedSetShowsItsGuaranteeAndGoesIntoTheRegister();
    void registerChecksEditsAndTotalsTickets();
    void aDamagedTicketFileIsReportedAndLeftAlone();
    void theMenuAndThePredictionButtonOpenTheTicketWindows();

private:
    QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }
};

namespace {
// Draw 10 is in the history; draw 11 is not drawn yet.
DrawHistory smallHistory()
{
    return historyOf({drawRow(9, {2, 11, 16, 25, 31, 8}), drawRow(10, {4, 9, 15, 22, 28, 30})});
}

QString cell(const TicketRegisterWindow& window, int row, int column, int role = Qt::DisplayRole)
{
    return window.model()->index(row, column).data(role).toString();
}

int rows(const TicketRegisterWindow& window)
{
    return window.model()->rowCount();
}
}  // namespace

void TicketWindowsTest::boardClicksUpdateTheCountAndFixedNumbersNarrowIt()
{
    CombinationWindow window(smallHistory(), 10, 0, file("combos.sqlite"));
    QVERIFY(window.countLabel()->text().contains(QStringLiteral("5個以上")));
    for (int n = 1; n <= 7; ++n)
        QTest::mouseClick(window.boardButton(n), Qt::LeftButton);
    QCOMPARE(window.result().count(), 21);
    QVERIFY(window.countLabel()->text().startsWith(QStringLiteral("21 口　4,200 円")));
    QCOMPARE(window.listView()->grid().rowCount(), 22);  // heading and 21 tickets

    window.setFixed(7, true);
    QCOMPARE(window.result().count(), 15);                     // 7 and four of 1..6
    QTest::mouseClick(window.boardButton(7), Qt::LeftButton);  // unpicks, so no longer fixed
    QCOMPARE(window.result().count(), 6);

    window.clearBoard();
    QCOMPARE(window.result().count(), 0);
    QCOMPARE(window.suggestions().size(), std::size_t{6});
}

void TicketWindowsTest::aReducedSetShowsItsGuaranteeAndGoesIntoTheRegister()
{
    const QString tickets = file("reduced.sqlite");
    CombinationWindow window(smallHistory(), 10, 0, tickets);
    window.takeNumbers({1, 2, 3, 4, 5, 6, 7, 8, 9});
    QCOMPARE(window.result().count(), 126);
    // Every offered guarantee is a choice; 3/3 on nine numbers is the stored set of 12.
    QCOMPARE(window.guaranteeBox()->count(), 1 + static_cast<int>(std::size(kOfferedGuarantees)));
    window.guaranteeBox()->setCurrentIndex(2);
    QVERIFY(!window.searching());
    QCOMPARE(window.result().count(), 12);
    const QLabel* guarantee = window.findChild<QLabel*>(QStringLiteral("guarantee"));
    QVERIFY(guarantee && guarantee->text().contains(QStringLiteral("確認済み")));
    const QLabel* summary = window.findChild<QLabel*>(QStringLiteral("summary"));
    QVERIFY(summary && summary->text().contains(QStringLiteral("22,800 円の節約")));

    // A fixed number rules out the stored set: greedy at once, then a search within a second.
    window.setFixed(1, true);
    const long long greedy = window.result().count();
    QVERIFY(window.searching());
    QTRY_VERIFY_WITH_TIMEOUT(!window.searching(), 5000);
    QTest::qWait(50);
    QVERIFY(window.result().count() <= greedy);
    QCOMPARE(window.result().check.uncovered, 0);
    // A cancelled search keeps the verified set on screen.
    window.setFixed(2, true);
    const long long shown = window.result().count();
    window.cancelSearch();
    QVERIFY(!window.searching());
    QCOMPARE(window.result().count(), shown);
    QCOMPARE(window.result().check.uncovered, 0);
    window.setFixed(1, false);
    window.setFixed(2, false);
    QTRY_VERIFY_WITH_TIMEOUT(!window.searching(), 5000);
    QVERIFY(window.csvText().startsWith(QStringLiteral("No,第1数字")));

    QString error;
    QVERIFY2(window.addToRegister(11, &error), qPrintable(error));
    auto store = TicketStore::open(tickets.toStdString());
    QVERIFY(store);
    QCOMPARE(static_cast<long long>(store->tickets()->size()), window.result().count());
    QCOMPARE(store->tickets()->front().drawNo, 11);
}

void TicketWindowsTest::registerChecksEditsAndTotalsTickets()
{
    TicketRegisterWindow window("", smallHistory(), file("register.sqlite"));
    QVERIFY(window.storeError().isEmpty());
    QString error;
    QVERIFY2(window.addTicket(10, QStringLiteral("30, 22 15 9 1"), 2, &error), qPrintable(error));
    QVERIFY(window.addTicket(11, QStringLiteral("1,2,3,4,5"), 1, &error));
    QCOMPARE(rows(window), 2);
    QCOMPARE(cell(window, 0, 8), QStringLiteral("4等"));
    QCOMPARE(cell(window, 1, 8), QStringLiteral("未抽選"));
    // Matched main numbers stand out; an unmatched one keeps the plain background.
    QCOMPARE(cell(window, 0, 2), QStringLiteral("1"));
    QVERIFY(window.model()->index(0, 3).data(Qt::BackgroundRole) !=
            window.model()->index(0, 2).data(Qt::BackgroundRole));

    for (const QString& bad : {QStringLiteral("1,2,3,4"), QStringLiteral("1,2,3,4,32"),
                               QStringLiteral("1,1,2,3,4"), QStringLiteral("a,b,c,d,e")}) {
        error.clear();
        QVERIFY(!window.addTicket(10, bad, 1, &error));
        QVERIFY(!error.isEmpty());
    }
    QCOMPARE(rows(window), 2);

    QVERIFY(!window.setPrizeAmount(10, PrizeTier::Fourth, QStringLiteral("-5"), &error));
    QVERIFY(window.setPrizeAmount(10, PrizeTier::Fourth, QStringLiteral("1,000"), &error));
    window.reload();
    QCOMPARE(window.report().total.winnings, 2000);
    const ResultGrid& totals = window.totalsView()->grid();
    QCOMPARE(QString::fromStdString(totals.text(1, totals.rowCount())), QStringLiteral("合計"));
    QCOMPARE(QString::fromStdString(totals.text(8, totals.rowCount())), QStringLiteral("2,000"));

    const long long id = window.report().tickets[1].ticket.id;
    QVERIFY(window.updateTicket(id, 10, QStringLiteral("4,9,15,22,28"), 1, &error));
    QCOMPARE(cell(window, 1, 8), QStringLiteral("1等"));
    QVERIFY(window.removeTicket(id, &error));
    QCOMPARE(rows(window), 1);
}

void TicketWindowsTest::aDamagedTicketFileIsReportedAndLeftAlone()
{
    const QString damaged = file("damaged.sqlite");
    const std::string bytes(3000, '\x42');
    writeFile(damaged.toStdString(), bytes);
    TicketRegisterWindow window("", smallHistory(), damaged);
    QVERIFY(window.storeError().contains(QStringLiteral("壊れている")));
    QString error;
    QVERIFY(!window.addTicket(10, QStringLiteral("1,2,3,4,5"), 1, &error));
    QCOMPARE(readFile(damaged.toStdString()), bytes);
}

void TicketWindowsTest::theMenuAndThePredictionButtonOpenTheTicketWindows()
{
    const QString folder = m_dir.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(folder));
    {
        auto database =
            DrawDatabase::create((folder + QStringLiteral("/Pomuran.mdb")).toStdString());
        QVERIFY(database);
        QVERIFY(database->insertDraws({drawRow(1, {1, 2, 3, 4, 5, 6})}));
    }
    MainFrm frame([&] {
        MainFrmSetup setup;
        setup.programFolder = folder;
        setup.ticketFile = file("menu.sqlite");
        return setup;
    }());
    QVERIFY(frame.load());

    MainFrmTestSeam::openPrediction(frame);
    QMdiSubWindow* prediction = frame.childWindow(QStringLiteral("一発ボボーン"));
    QVERIFY(prediction);
    auto* predictionWindow = qobject_cast<PredictionWindow*>(prediction->widget());
    QVERIFY(predictionWindow);
    QTest::mouseClick(predictionWindow->combinationButton(), Qt::LeftButton);
    QVERIFY(frame.childWindow(QString::fromUtf8(kCombinationWindowName)));

    frame.findChild<QAction*>(QStringLiteral("mnuTicketRegister"))->trigger();
    QMdiSubWindow* registerFrame = frame.childWindow(QString::fromUtf8(kTicketRegisterWindowName));
    QVERIFY(registerFrame);
    auto* registerWindow = qobject_cast<TicketRegisterWindow*>(registerFrame->widget());
    QVERIFY(registerWindow && registerWindow->storeError().isEmpty());

    // Tickets added in 組合せ作成 show in the open register at once.
    auto* combination = qobject_cast<CombinationWindow*>(
        frame.childWindow(QString::fromUtf8(kCombinationWindowName))->widget());
    combination->takeNumbers({1, 2, 3, 4, 5});
    QString error;
    QVERIFY(combination->addToRegister(1, &error));
    QCOMPARE(rows(*registerWindow), 1);
    QCOMPARE(cell(*registerWindow, 0, 8), QStringLiteral("1等"));
}

QTEST_MAIN(TicketWindowsTest)
#include "ticket_windows_test.moc"
