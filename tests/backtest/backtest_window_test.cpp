// Window tests of 予想の検証: it shows the backtest of a made-up history as tables and a chart,
// reruns when the player moves the first target or the option count, and rebuilds on a new
// history keeping the player's first target.
#include <QChart>
#include <QChartView>
#include <QPrinter>
#include <QProcess>
#include <QSpinBox>
#include <QTest>

#include <random>

#include "gui/backtest/backtest_window.h"
#include "gui/ui/grid_view.h"
#include "test_support.h"

namespace {

DrawHistory madeUpHistory(int count)
{
    std::mt19937 random(21);
    std::vector<DrawRow> rows;
    for (int d = 1; d <= count; ++d) {
        std::array<int, 31> pool;
        for (int i = 0; i < 31; ++i)
            pool[i] = i + 1;
        std::shuffle(pool.begin(), pool.end(), random);
        rows.push_back(drawRow(d, {pool[0], pool[1], pool[2], pool[3], pool[4], pool[5]}));
    }
    return DrawHistory(std::move(rows));
}

QString title(const BacktestWindow& window)
{
    return QString::fromStdString(window.gridView()->grid().text(1, 1));
}

}  // namespace

class BacktestWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsEverySetAndALinePerSetWithTheChanceLine();
    void followsThePlayersChoices();
    void rebuildsOnANewHistory();
    void printsTheTablesAsText();
};

void BacktestWindowTest::showsEverySetAndALinePerSetWithTheChanceLine()
{
    BacktestWindow window(madeUpHistory(120), 3);
    QCOMPARE(window.optionCountBox()->value(), 3);
    QCOMPARE(window.firstTargetBox()->value(), 50);
    QCOMPARE(window.backtest().targetCount(), std::size_t{71});
    const ResultGrid& grid = window.gridView()->grid();
    QStringList firstColumn;
    for (int row = 1; row <= grid.rowCount(); ++row)
        firstColumn << QString::fromStdString(grid.text(1, row));
    for (const char* name : kSuggestionSetNames)
        QVERIFY2(!firstColumn.filter(QString::fromUtf8(name) + QStringLiteral("（平均")).isEmpty(),
                 name);
    QCOMPARE(window.chartView()->chart()->series().size(), kSuggestionSetCount + 1);
}

void BacktestWindowTest::followsThePlayersChoices()
{
    BacktestWindow window(madeUpHistory(120), 0);
    QVERIFY(title(window).startsWith(QStringLiteral("オプション数 0")));
    window.optionCountBox()->setValue(7);
    QVERIFY(title(window).startsWith(QStringLiteral("オプション数 7")));
    window.firstTargetBox()->setValue(101);
    QCOMPARE(window.backtest().from(), 101);
    QCOMPARE(window.backtest().targetCount(), std::size_t{20});
    QVERIFY(title(window).contains(QStringLiteral("第101回〜第120回の20回")));
}

void BacktestWindowTest::rebuildsOnANewHistory()
{
    BacktestWindow window(madeUpHistory(120), 0);
    window.firstTargetBox()->setValue(90);
    window.rebuild(madeUpHistory(150));
    QCOMPARE(window.firstTargetBox()->value(), 90);
    QCOMPARE(window.backtest().targetCount(), std::size_t{61});
    QCOMPARE(window.firstTargetBox()->maximum(), 150);
    // A history that ends before the chosen first target: back to the default.
    window.rebuild(madeUpHistory(80));
    QCOMPARE(window.firstTargetBox()->value(), 50);
    QCOMPARE(window.backtest().targetCount(), std::size_t{31});
    // No draws at all: an empty table, no lines, nothing to choose.
    window.rebuild(DrawHistory());
    QCOMPARE(window.backtest().targetCount(), std::size_t{0});
    QVERIFY(!window.firstTargetBox()->isEnabled());
    QCOMPARE(window.chartView()->chart()->series().size(), 0);
}

void BacktestWindowTest::printsTheTablesAsText()
{
    BacktestWindow window(madeUpHistory(120), 2);
    TempDir dir;
    const QString pdf = QString::fromStdString(dir.file("backtest.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QVERIFY(window.printTo(printer));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!text.waitForFinished(20000) || text.exitCode() != 0) QSKIP("pdftotext is not available");
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY(printed.contains(QStringLiteral("１発予想")));
    QVERIFY(printed.contains(QStringLiteral("偶然の期待")));
}

QTEST_MAIN(BacktestWindowTest)
#include "backtest_window_test.moc"
