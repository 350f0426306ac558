#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/stats/statistics_window.h"
#include "gui/ui/grid_view.h"
#include "test_support.h"

namespace {

// The bar heights of a drawn chart.
QList<qreal> bars(QChartView* view)
{
    for (QAbstractSeries* series : view->chart()->series())
        if (auto* barSeries = qobject_cast<QBarSeries*>(series)) {
            const QBarSet* set = barSeries->barSets().front();
            QList<qreal> values;
            for (int i = 0; i < set->count(); ++i)
                values << set->at(i);
            return values;
        }
    return {};
}

qreal total(const QList<qreal>& values)
{
    return std::accumulate(values.begin(), values.end(), 0.0);
}

}  // namespace

class StatisticsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsEveryMeasureWithChanceBesideTheCounts();
    void drawCountSelectorAndBonusRecount();
    void rebuildFollowsANewHistoryAndKeepsTheChoices();
    void savesPngAndSvgAndPrints();
};

void StatisticsWindowTest::showsEveryMeasureWithChanceBesideTheCounts()
{
    const DrawHistory history = syntheticHistory(40);
    StatisticsWindow window(history);
    QCOMPARE(window.tabs()->count(), kStatisticsMeasureCount);
    QCOMPARE(window.lastCount(), 0);
    for (int i = 0; i < kStatisticsMeasureCount; ++i) {
        const auto measure = static_cast<StatisticsMeasure>(i);
        window.tabs()->setCurrentIndex(i);
        QChart* chart = window.chartView(measure)->chart();
        // Bars for the history and a line (frequency: also the band) for chance.
        QVERIFY2(chart->series().size() >= 2, qPrintable(window.tabs()->tabText(i)));
        QVERIFY(window.figures(measure)->grid().rowCount() > 1);
        QVERIFY(window.summary(measure)->text().contains(QStringLiteral("対象40回")));
    }
    QCOMPARE(window.chartView(StatisticsMeasure::Frequency)->chart()->series().size(), 3);
    QCOMPARE(total(bars(window.chartView(StatisticsMeasure::Frequency))), 200.0);
    QCOMPARE(total(bars(window.chartView(StatisticsMeasure::Sum))), 40.0);
    QCOMPARE(total(bars(window.chartView(StatisticsMeasure::Pairs))), 465.0);
}

void StatisticsWindowTest::drawCountSelectorAndBonusRecount()
{
    const DrawHistory history = syntheticHistory(40);
    StatisticsWindow window(history);
    window.setLastCount(10);
    QCOMPARE(window.statistics().frequency.draws, 10);
    QCOMPARE(total(bars(window.chartView(StatisticsMeasure::Frequency))), 50.0);
    window.bonusBox()->setChecked(true);
    QCOMPARE(total(bars(window.chartView(StatisticsMeasure::Frequency))), 60.0);
    // A tab drawn before the change is drawn again when it is next shown.
    window.tabs()->setCurrentIndex(static_cast<int>(StatisticsMeasure::OddEven));
    window.setLastCount(30);
    QCOMPARE(total(bars(window.chartView(StatisticsMeasure::OddEven))), 30.0);
    window.tabs()->setCurrentIndex(static_cast<int>(StatisticsMeasure::Frequency));
    QCOMPARE(total(bars(window.chartView(StatisticsMeasure::Frequency))), 180.0);
    // 300 of a 40-draw history counts all 40.
    window.setLastCount(300);
    QCOMPARE(window.statistics().frequency.draws, 40);
}

void StatisticsWindowTest::rebuildFollowsANewHistoryAndKeepsTheChoices()
{
    const DrawHistory first = syntheticHistory(40);
    StatisticsWindow window(first);
    window.tabs()->setCurrentIndex(static_cast<int>(StatisticsMeasure::Sum));
    window.setLastCount(50);
    const DrawHistory longer = syntheticHistory(120);
    window.rebuild(longer);
    QCOMPARE(window.currentMeasure(), StatisticsMeasure::Sum);
    QCOMPARE(window.lastCount(), 50);
    QCOMPARE(total(bars(window.chartView(StatisticsMeasure::Sum))), 50.0);
    const DrawHistory empty;
    window.rebuild(empty);
    QCOMPARE(total(bars(window.chartView(StatisticsMeasure::Sum))), 0.0);
    QVERIFY(window.summary(StatisticsMeasure::Sum)->text().contains(QStringLiteral("対象0回")));
}

void StatisticsWindowTest::savesPngAndSvgAndPrints()
{
    const DrawHistory history = syntheticHistory(40);
    StatisticsWindow window(history);
    window.resize(900, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("chart.png"));
    const QString svg = folder.filePath(QStringLiteral("chart.svg"));
    QVERIFY(window.savePng(png));
    QVERIFY(window.saveSvg(svg));
    QVERIFY(QImage(png).width() > 300);
    QFile svgFile(svg);
    QVERIFY(svgFile.open(QIODevice::ReadOnly));
    const QByteArray svgText = svgFile.readAll();
    QVERIFY(svgText.contains("<svg"));
    QVERIFY(svgText.contains("<text") || svgText.contains("<path"));
    QVERIFY(!window.savePng(folder.filePath(QStringLiteral("missing/chart.png"))));
    QVERIFY(!window.saveSvg(folder.filePath(QStringLiteral("missing/chart.svg"))));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = folder.filePath(QStringLiteral("chart.pdf"));
    printer.setOutputFileName(pdf);
    window.printTo(&printer);
    QFile pdfFile(pdf);
    QVERIFY(pdfFile.open(QIODevice::ReadOnly));
    QVERIFY(pdfFile.readAll().startsWith("%PDF"));
}

QTEST_MAIN(StatisticsWindowTest)
#include "statistics_window_test.moc"
