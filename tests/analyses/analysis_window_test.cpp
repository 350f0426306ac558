// Window tests of the analysis window frame, shown with the appearance frequency analysis.
#include "core/analyses/analysis_catalog.h"
#include "gui/analyses/analysis_window.h"
#include "gui/report/grid_font.h"
#include "gui/ui/grid_view.h"
#include "gui/ui/report_actions.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

// Watches for the next modal dialog, remembers its class and closes it.
class ModalCloser {
public:
    ModalCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                m_seen = QString::fromLatin1(dialog->metaObject()->className());
                dialog->reject();
                m_timer.stop();
            }
        });
        m_timer.start(20);
    }
    const QString& seen() const { return m_seen; }

private:
    QTimer m_timer;
    QString m_seen;
};

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

    void thePrintButtonFollowsTheDescriptorAndOpensThePrintPreview()
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
        {
            const ModalCloser closer;
            QTest::mouseClick(window.printButton(), Qt::LeftButton);
            QCOMPARE(closer.seen(), QStringLiteral("QPrintPreviewDialog"));
        }
        QVERIFY(window.isVisible());
        QCOMPARE(window.gridView()->grid().columnCount(), columns);

        // Ctrl+P from the grid, in a window without the button too.
        AnalysisWindow plain(frequencyDescriptor(), history, tables);
        plain.show();
        QVERIFY(QTest::qWaitForWindowActive(&plain));
        plain.gridView()->setFocus();
        const ModalCloser closer;
        QTest::keyClick(plain.gridView(), Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(closer.seen(), QStringLiteral("QPrintPreviewDialog"));
    }

    void theGridMenuSavesTheWholeGridInEveryFormat()
    {
        const DrawHistory history = smallHistory();
        const DrawTables tables = LoadDrawTables(history);
        AnalysisWindow window(frequencyDescriptor(), history, tables);
        QCOMPARE(window.gridView()->contextMenuPolicy(), Qt::ActionsContextMenu);
        QStringList menu;
        for (const QAction* action : window.gridView()->actions())
            if (!action->isSeparator()) menu << action->text();
        QCOMPARE(
            menu,
            QStringList({QStringLiteral("コピー\tCtrl+C"), QStringLiteral("印刷..."),
                         QStringLiteral("PDF で保存..."), QStringLiteral("Excel ブックで保存..."),
                         QStringLiteral("CSV で保存..."), QStringLiteral("画像 (PNG) で保存...")}));

        const WindowReport report = window.report();
        QCOMPARE(report.drawRange, std::string("第1回〜第2回"));
        QCOMPARE(report.sections.size(), std::size_t{1});
        QCOMPARE(report.sections.front().grid.text(1, 3), window.gridView()->grid().text(1, 3));
        QTemporaryDir dir;
        const struct {
            ReportFile format;
            const char* name;
            QByteArray start;
        } files[] = {{ReportFile::Pdf, "a.pdf", "%PDF"},
                     {ReportFile::Xlsx, "a.xlsx", "PK"},
                     {ReportFile::Csv, "a.csv", "\xEF\xBB\xBF"},
                     {ReportFile::Png, "a.png", "\x89PNG"}};
        for (const auto& file : files) {
            const QString path = dir.filePath(QString::fromLatin1(file.name));
            const Status saved = ReportActions::save(report, file.format, path, &window);
            QVERIFY2(saved.ok(), saved.ok() ? "" : saved.error().c_str());
            QFile written(path);
            QVERIFY(written.open(QIODevice::ReadOnly));
            QVERIFY2(written.read(file.start.size()) == file.start, file.name);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 4);
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

    void anEmptyGridStillShowsItsLegend()
    {
        AnalysisDescriptor descriptor = frequencyDescriptor();
        descriptor.build = [](const DrawHistory&, const DrawTables&) { return ResultGrid{}; };
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
