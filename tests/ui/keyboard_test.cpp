// The keyboard as in a spreadsheet and in every multiple-document program: the grid keys,
// Escape on the help and version windows, Ctrl+F4 on the active child window, Ctrl+Tab on tabs.
#include "core/grid/result_grid.h"
#include "gui/app/help_viewer.h"
#include "gui/app/version_window.h"
#include "gui/report/grid_font.h"
#include "gui/stats/statistics_window.h"
#include "gui/ui/close_child_window.h"
#include "gui/ui/grid_view.h"
#include "test_support.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installGridFontSubstitution(); }

    void gridKeysMoveTheCursorAndShowIt_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        // From the cell in column 3, row 500 of a 10 x 1400 grid with one frozen row.
        QTest::newRow("Home") << int(Qt::Key_Home) << 0 << 1 << 500;
        QTest::newRow("End") << int(Qt::Key_End) << 0 << 10 << 500;
        QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << 1 << 1;
        QTest::newRow("Ctrl+End") << int(Qt::Key_End) << int(Qt::ControlModifier) << 10 << 1400;
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 3 << 501;
        QTest::newRow("Left") << int(Qt::Key_Left) << 0 << 2 << 500;
        // The view shows 20 rows of 16 px below the frozen one: a page is 19 rows on.
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 0 << 3 << 519;
        QTest::newRow("PageUp") << int(Qt::Key_PageUp) << 0 << 3 << 481;
    }

    void gridKeysMoveTheCursorAndShowIt()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, col);
        QFETCH(int, row);
        ResultGrid grid(10, 1400);
        grid.setFrozenRows(1);
        grid.setShownRows(21);
        grid.setShownColumns(10);
        GridView view;
        view.setGrid(grid);
        view.resize(view.sizeHint());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.selectBlock(cellAt(3, 500));
        view.scrollToCell(3, 500);

        QTest::keyClick(&view, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(view.cursorColumn(), col);
        QCOMPARE(view.cursorRow(), row);
        QCOMPARE(view.selection().row1, row);  // without Shift the selection is the one cell
        // The cell is in view: a frozen one with the body at its start, any other below the
        // frozen row, inside the viewport.
        if (row == 1) QCOMPARE(view.verticalScrollBar()->value(), 0);
        const int top = row == 1 ? 0
                                 : view.geometry().rowTop(row) - view.geometry().frozenHeight() -
                                       view.verticalScrollBar()->value();
        QVERIFY2(top >= 0 && top + view.geometry().rowHeight(row) <=
                                 view.viewport()->height() - view.geometry().frozenHeight(),
                 qPrintable(QString::number(top)));

        // With Shift the selection grows from where it was.
        view.selectBlock(cellAt(3, 500));
        QTest::keyClick(&view, Qt::Key(key), Qt::KeyboardModifiers(modifiers) | Qt::ShiftModifier);
        const Block s = view.selection();
        QCOMPARE(std::min(s.row1, s.row2) <= 500 && std::max(s.row1, s.row2) >= 500, true);
        QCOMPARE(s.row1 == row || s.row2 == row, true);
    }

    void escapeClosesTheHelpAndVersionWindows()
    {
        HelpViewer help;
        VersionWindow version;
        for (QWidget* window : {static_cast<QWidget*>(&help), static_cast<QWidget*>(&version)}) {
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Escape);
            QVERIFY2(!window->isVisible(), qPrintable(window->windowTitle()));
        }
    }

    void ctrlF4ClosesTheActiveChildWindowAndCtrlTabMovesBetweenTabs()
    {
        QMainWindow frame;
        auto* area = new QMdiArea;
        frame.setCentralWidget(area);
        addCloseChildWindowKey(*area);
        const DrawHistory history = syntheticHistory(40);
        auto* statistics = new StatisticsWindow(history);
        QMdiSubWindow* first = area->addSubWindow(statistics);
        QMdiSubWindow* second = area->addSubWindow(new QWidget);
        second->setAttribute(Qt::WA_DeleteOnClose);
        frame.resize(900, 700);
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));

        area->setActiveSubWindow(first);
        statistics->tabs()->setFocus();
        QCOMPARE(statistics->tabs()->currentIndex(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(statistics->tabs()->currentIndex(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(statistics->tabs()->currentIndex(), kStatisticsMeasureCount - 1);
        QCOMPARE(area->activeSubWindow(), first);  // the tabs moved, not the child windows

        area->setActiveSubWindow(second);
        second->widget()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(area->subWindowList().size(), 1);
        QCOMPARE(area->subWindowList().front(), first);
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
