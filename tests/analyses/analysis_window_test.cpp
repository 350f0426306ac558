// Window tests of the analysis window frame, shown with the appearance frequency analysis.
#include "analyses/analysis_catalog.h"
#include "test_support.h"
#include "analyses/analysis_window.h"
#include "ui/grid_font.h"
#include "ui/grid_view.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

namespace {

const AnalysisDescriptor& frequencyDescriptor()
{
    const AnalysisDescriptor* descriptor = findAnalysis("出現頻度分析");
    Q_ASSERT(descriptor);
    return *descriptor;
}

DrawHistory smallHistory()
{
    return historyOf({drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {1, 7, 8, 9, 10, 2})});
}

QStringList labelTexts(const QWidget& window)
{
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

}  // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installGridFontSubstitution(); }

    void showsTheFrequencyGridWithoutAPrintButton()
    {
        const DrawHistory history = smallHistory();
        const DrawTables tables = LoadDrawTables(history);
        AnalysisWindow window(frequencyDescriptor(), history, tables);
        QCOMPARE(window.windowTitle(), QStringLiteral("出現頻度分析"));
        QCOMPARE(window.printButton(), nullptr);
        QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("Command2")), nullptr);
        QCOMPARE(window.closeButton()->text(), QStringLiteral("閉じる"));
        const QStringList labels = labelTexts(window);
        QVERIFY(labels.contains(QStringLiteral("過去の当選番号の出現回数を数字別に分析します")));
        QVERIFY(labels.contains(QStringLiteral("：本数字")));
        QVERIFY(labels.contains(QStringLiteral("：ボーナス数字")));
        // Widest row 2 (numbers 1 and 2): 4 columns, 33 rows; the build ran in the constructor.
        QCOMPARE(window.gridView()->grid().columnCount(), 4);
        QCOMPARE(window.gridView()->grid().text(3, 3), std::string("●"));
        QVERIFY(!QApplication::overrideCursor());
    }

    void thePrintButtonFollowsTheDescriptorAndDoesNothing()
    {
        AnalysisDescriptor descriptor = frequencyDescriptor();
        descriptor.hasPrintButton = true;
        descriptor.legend = Legend::DotsAndNoHit;
        const DrawHistory history = smallHistory();
        const DrawTables tables = LoadDrawTables(history);
        AnalysisWindow window(descriptor, history, tables);
        window.show();
        QVERIFY(window.printButton());
        QCOMPARE(window.printButton()->text(), QStringLiteral("印刷"));
        QVERIFY(labelTexts(window).contains(QStringLiteral(":該当なし")));
        const int columns = window.gridView()->grid().columnCount();
        QTest::mouseClick(window.printButton(), Qt::LeftButton);
        QVERIFY(window.isVisible());
        QCOMPARE(window.gridView()->grid().columnCount(), columns);
    }

    void closeButtonClosesTheEnclosingSubWindow()
    {
        const DrawHistory history = smallHistory();
        const DrawTables tables = LoadDrawTables(history);
        QMdiArea area;
        area.resize(1000, 700);
        auto* window = new AnalysisWindow(frequencyDescriptor(), history, tables);
        QMdiSubWindow* sub = area.addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        sub->show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QPointer<QMdiSubWindow> watched(sub);
        QTest::mouseClick(window->closeButton(), Qt::LeftButton);
        QTRY_VERIFY(watched.isNull());
        QVERIFY(area.subWindowList().isEmpty());
    }

    void closeButtonClosesAStandaloneWindow()
    {
        const DrawHistory history;
        const DrawTables tables;
        AnalysisWindow window(frequencyDescriptor(), history, tables);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.closeButton(), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        // No complete draw: the two number columns only.
        QCOMPARE(window.gridView()->grid().columnCount(), 2);
    }

    void aDescriptorWithoutBuildShowsAnEmptyGrid()
    {
        AnalysisDescriptor descriptor = frequencyDescriptor();
        descriptor.build = nullptr;
        descriptor.legend = Legend::PreviousNumber;
        const DrawHistory history = smallHistory();
        const DrawTables tables = LoadDrawTables(history);
        AnalysisWindow window(descriptor, history, tables);
        window.show();
        QCOMPARE(window.gridView()->grid().columnCount(), 0);
        QVERIFY(labelTexts(window).contains(QStringLiteral(":前回の数字")));
        QVERIFY(!window.gridView()->grab().isNull());
    }
};

QTEST_MAIN(AnalysisWindowTest)
#include "analysis_window_test.moc"
