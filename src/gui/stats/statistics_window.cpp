#include "gui/stats/statistics_window.h"

#include "core/stats/probability.h"
#include "gui/ui/busy_pointer.h"
#include "gui/ui/close_child_window.h"
#include "gui/report/grid_font.h"
#include "gui/ui/grid_view.h"
#include "gui/ui/message_titles.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// Choices of the draw-count selector: the latest N draws, 0 for all of them.
constexpr std::array<int, 6> kLastCounts = {10, 30, 50, 100, 300, 0};

const QColor kObservedColour(62, 158, 255);  // the main-number dot blue of the analyses
const QColor kChanceColour(230, 90, 20);
const QColor kBandColour(0, 160, 0, 50);

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// One chart: bars at x = 0, 1, … for the observed values, a line for chance, an optional band.
struct ChartData {
    QString title;
    QString xTitle;
    QString yTitle;
    QStringList labels;            // x label of each bar
    int labelStep = 1;             // label every labelStep-th bar
    std::vector<double> observed;  // bar heights
    std::vector<double> expected;  // chance at each bar
    QString observedName;
    QString expectedName;
    bool band = false;  // a constant band bandLow..bandHigh over every bar
    double bandLow = 0;
    double bandHigh = 0;
    std::function<QString(int)> tooltip;  // exact figures of bar i
};

QLineSeries* horizontalLine(double y, double from, double to)
{
    auto* line = new QLineSeries;
    line->append(from, y);
    line->append(to, y);
    return line;
}

QChart* makeChart(const ChartData& data, QChartView* view)
{
    auto* chart = new QChart;
    chart->setTitle(data.title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));

    const int count = static_cast<int>(data.observed.size());
    // A few bars each get their label on a category axis; long runs (sums, gaps) get a label
    // every labelStep bars on a value axis, where a label may be wider than its bar.
    QAbstractAxis* axisX = nullptr;
    bool everyLabel = data.labelStep == 1 && data.labels.size() >= count;
    for (const QString& label : data.labels)
        everyLabel = everyLabel && !label.isEmpty();
    if (everyLabel && count <= 40) {
        auto* categories = new QBarCategoryAxis;
        categories->append(data.labels.mid(0, count));
        axisX = categories;
    } else {
        auto* values = new QCategoryAxis;
        values->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        values->setRange(-0.5, std::max(count, 1) - 0.5);
        for (int i = 0; i < count && i < data.labels.size(); ++i)
            if (i % data.labelStep == 0 && !data.labels[i].isEmpty())
                values->append(data.labels[i], i);
        axisX = values;
    }
    axisX->setTitleText(data.xTitle);
    axisX->setGridLineVisible(false);
    // Two-digit labels under narrow bars fit but are elided unless told otherwise, and one that
    // touches its neighbour is left out: a slightly smaller font keeps all 31 numbers.
    axisX->setTruncateLabels(false);
    if (count > 20) {
        QFont small = axisX->labelsFont();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        axisX->setLabelsFont(small);
    }
    auto* axisY = new QValueAxis;
    axisY->setTitleText(data.yTitle);
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    double top = 1;
    for (double v : data.observed)
        top = std::max(top, v);
    for (double v : data.expected)
        top = std::max(top, v);
    if (data.band) top = std::max(top, data.bandHigh);
    axisY->setRange(0, top * 1.1);
    axisY->applyNiceNumbers();
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);

    if (data.band) {
        auto* band = new QAreaSeries(horizontalLine(data.bandHigh, -0.5, count - 0.5),
                                     horizontalLine(data.bandLow, -0.5, count - 0.5));
        band->setName(
            QStringLiteral("公平な抽せんの95%範囲 (%1～%2)").arg(data.bandLow).arg(data.bandHigh));
        band->setColor(kBandColour);
        band->setBorderColor(kBandColour);
        chart->addSeries(band);
        band->attachAxis(axisX);
        band->attachAxis(axisY);
    }

    auto* set = new QBarSet(data.observedName);
    set->setColor(kObservedColour);
    set->setBorderColor(kObservedColour.darker(130));
    for (double v : data.observed)
        set->append(v);
    auto* bars = new QBarSeries;
    bars->setBarWidth(0.75);
    bars->append(set);
    chart->addSeries(bars);
    bars->attachAxis(axisX);
    bars->attachAxis(axisY);

    auto* line = new QLineSeries;
    line->setName(data.expectedName);
    QPen pen(kChanceColour);
    pen.setWidthF(2.0);
    line->setPen(pen);
    line->setPointsVisible(count <= 40);
    for (int i = 0; i < static_cast<int>(data.expected.size()); ++i)
        line->append(i, data.expected[i]);
    chart->addSeries(line);
    line->attachAxis(axisX);
    line->attachAxis(axisY);

    // Exact figures under the pointer, over a bar or on the chance line.
    const auto tooltip = data.tooltip;
    QObject::connect(set, &QBarSet::hovered, view, [view, tooltip](bool status, int index) {
        if (status && tooltip)
            QToolTip::showText(QCursor::pos(), tooltip(index), view);
        else
            QToolTip::hideText();
    });
    QObject::connect(line, &QLineSeries::hovered, view,
                     [view, tooltip, count](const QPointF& point, bool state) {
                         const int index = static_cast<int>(std::lround(point.x()));
                         if (state && tooltip && index >= 0 && index < count)
                             QToolTip::showText(QCursor::pos(), tooltip(index), view);
                         else
                             QToolTip::hideText();
                     });
    return chart;
}

ChartData frequencyChart(const NumberFrequency& frequency)
{
    ChartData data;
    data.title = frequency.perDraw == 6 ? QStringLiteral("数字ごとの出現回数 (本数字+ボーナス数字)")
                                        : QStringLiteral("数字ごとの出現回数 (本数字)");
    data.xTitle = QStringLiteral("数字");
    data.yTitle = QStringLiteral("回数");
    for (int n = 1; n <= kNumberCount; ++n) {
        data.labels << QString::number(n);
        data.observed.push_back(frequency.observed[n - 1]);
        data.expected.push_back(frequency.expected);
    }
    data.observedName = QStringLiteral("出現回数");
    data.expectedName = QStringLiteral("期待値 %1").arg(number(frequency.expected, 2));
    data.band = frequency.draws > 0;
    data.bandLow = static_cast<double>(frequency.low);
    data.bandHigh = static_cast<double>(frequency.high);
    data.tooltip = [frequency](int i) {
        const int observed = frequency.observed[i];
        const QString verdict = observed > frequency.high  ? QStringLiteral("範囲より多い")
                                : observed < frequency.low ? QStringLiteral("範囲より少ない")
                                                           : QStringLiteral("範囲内");
        return QStringLiteral("数字 %1\n出現 %2 回 / %3 回\n期待値 %4 回\n95%範囲 %5～%6 回 (%7)")
            .arg(i + 1)
            .arg(observed)
            .arg(frequency.draws)
            .arg(number(frequency.expected, 2))
            .arg(frequency.low)
            .arg(frequency.high)
            .arg(verdict);
    };
    return data;
}

ChartData gapChart(const GapDistribution& gaps)
{
    ChartData data;
    data.title = QStringLiteral("出現間隔の分布 (本数字、幾何分布 p=5/31 との比較)");
    data.xTitle = QStringLiteral("間隔 (回)");
    data.yTitle = QStringLiteral("間隔の個数");
    // Index 0 of the tables is unused: bar i is the gap i + 1.
    const int count = gaps.observed.empty() ? 0 : static_cast<int>(gaps.observed.size()) - 1;
    for (int g = 1; g <= count; ++g) {
        data.labels << QString::number(g);
        data.observed.push_back(gaps.observed[g]);
        data.expected.push_back(gaps.expected[g]);
    }
    data.labelStep = count > 40 ? 5 : 1;
    data.observedName = QStringLiteral("実績");
    data.expectedName = QStringLiteral("公平な抽せんの期待値");
    data.tooltip = [gaps](int i) {
        const int g = i + 1;
        const double p = 5.0 / kNumberCount;
        return QStringLiteral(
                   "間隔 %1 回\n実績 %2 個\n期待値 %3 個\n1 回の間隔がちょうど %1 になる確率 %4")
            .arg(g)
            .arg(gaps.observed[g])
            .arg(number(gaps.expected[g], 2))
            .arg(fromUtf8(probabilityText(p * std::pow(1 - p, g - 1))));
    };
    return data;
}

ChartData patternChart(const PatternDistribution& pattern, StatisticsMeasure measure)
{
    ChartData data;
    const int count = static_cast<int>(pattern.observed.size());
    switch (measure) {
    case StatisticsMeasure::Sum:
        data.title = QStringLiteral("本数字の合計");
        data.xTitle = QStringLiteral("合計");
        data.labelStep = 10;
        break;
    case StatisticsMeasure::OddEven:
        data.title = QStringLiteral("奇数の個数 (残りは偶数)");
        data.xTitle = QStringLiteral("奇数の個数");
        break;
    case StatisticsMeasure::LowHigh:
        data.title = QStringLiteral("低数字 (1～15) の個数 (残りは高数字 16～31)");
        data.xTitle = QStringLiteral("低数字の個数");
        break;
    case StatisticsMeasure::Consecutive:
        data.title = QStringLiteral("連番 (n と n+1) の組数");
        data.xTitle = QStringLiteral("連番の組数");
        break;
    default:
        data.title = QStringLiteral("下一桁の種類数");
        data.xTitle = QStringLiteral("異なる下一桁の数");
        break;
    }
    data.yTitle = QStringLiteral("回数");
    for (int i = 0; i < count; ++i) {
        // The sum axis starts at 15: label the round tens (20, 30, …) rather than 15, 25, ….
        data.labels << QString::number(pattern.key(i));
        data.observed.push_back(pattern.observed[i]);
        data.expected.push_back(pattern.expected(i));
    }
    if (measure == StatisticsMeasure::Sum) {
        QStringList labels;
        for (int i = 0; i < count; ++i)
            labels << (pattern.key(i) % 10 == 0 ? QString::number(pattern.key(i)) : QString());
        data.labels = labels;
        data.labelStep = 1;
    }
    data.observedName = QStringLiteral("実績");
    data.expectedName = QStringLiteral("期待値 (全169,911通りから)");
    const QString what = data.xTitle;
    data.tooltip = [pattern, what](int i) {
        return QStringLiteral(
                   "%1 %2\n実績 %3 回 / %4 回\n期待値 %5 回\n%6 通り / 169,911 通り\n確率 %7")
            .arg(what)
            .arg(pattern.key(i))
            .arg(pattern.observed[i])
            .arg(pattern.draws)
            .arg(number(pattern.expected(i), 2))
            .arg(pattern.combinations[i])
            .arg(fromUtf8(probabilityText(pattern.probability(i))));
    };
    return data;
}

ChartData pairChart(const PairFrequency& pairs)
{
    ChartData data;
    data.title = QStringLiteral("465 ペアの同時出現回数の分布");
    data.xTitle = QStringLiteral("同じ回に出た回数");
    data.yTitle = QStringLiteral("ペアの数");
    const int count = static_cast<int>(pairs.pairsByCount.size());
    for (int k = 0; k < count; ++k) {
        data.labels << QString::number(k);
        data.observed.push_back(pairs.pairsByCount[k]);
        data.expected.push_back(pairs.expectedPairsByCount[k]);
    }
    data.labelStep = count > 40 ? 5 : 1;
    data.observedName = QStringLiteral("ペアの数");
    data.expectedName = QStringLiteral("公平な抽せんの期待値");
    data.tooltip = [pairs](int k) {
        QStringList names;
        for (const PairCount& pair : pairs.pairs)
            if (pair.observed == k)
                names << QStringLiteral("%1-%2").arg(pair.first).arg(pair.second);
        QString text = QStringLiteral("%1 回出たペア\n実績 %2 個\n期待値 %3 個")
                           .arg(k)
                           .arg(pairs.pairsByCount[k])
                           .arg(number(pairs.expectedPairsByCount[k], 2));
        if (!names.isEmpty() && names.size() <= 12)
            text += QLatin1Char('\n') + names.join(QStringLiteral(", "));
        return text;
    };
    return data;
}

}  // namespace

StatisticsWindow::StatisticsWindow(const DrawHistory& history, QWidget* parent)
    : QWidget(parent), m_history(&history)
{
    const BusyPointer busy;
    setObjectName(QString::fromUtf8(kStatisticsWindowName));
    setWindowTitle(QString::fromUtf8(kStatisticsWindowName));

    auto* countLabel = new QLabel(QStringLiteral("対象(&N):"), this);
    m_lastCountBox = new QComboBox(this);
    m_lastCountBox->setObjectName(QStringLiteral("cboLastCount"));
    for (int count : kLastCounts)
        m_lastCountBox->addItem(
            count == 0 ? QStringLiteral("全回数") : QStringLiteral("直近 %1 回").arg(count), count);
    m_lastCountBox->setCurrentIndex(static_cast<int>(kLastCounts.size()) - 1);
    countLabel->setBuddy(m_lastCountBox);
    m_bonusBox = new QCheckBox(QStringLiteral("出現頻度にボーナス数字を含める(&B)"), this);
    m_bonusBox->setObjectName(QStringLiteral("chkBonus"));

    auto* pngButton = new QPushButton(QStringLiteral("PNG保存(&P)"), this);
    pngButton->setObjectName(QStringLiteral("cmdSavePng"));
    auto* svgButton = new QPushButton(QStringLiteral("SVG保存(&S)"), this);
    svgButton->setObjectName(QStringLiteral("cmdSaveSvg"));
    auto* printButton = new QPushButton(QStringLiteral("印刷(&R)"), this);
    printButton->setObjectName(QStringLiteral("cmdPrint"));
    auto* closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    closeButton->setObjectName(QStringLiteral("cmdClose"));

    auto* top = new QHBoxLayout;
    top->addWidget(countLabel);
    top->addWidget(m_lastCountBox);
    top->addSpacing(12);
    top->addWidget(m_bonusBox);
    top->addStretch(1);
    top->addWidget(pngButton);
    top->addWidget(svgButton);
    top->addWidget(printButton);
    top->addWidget(closeButton);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabMeasures"));
    for (int i = 0; i < kStatisticsMeasureCount; ++i) {
        auto* page = new QWidget;
        Page& parts = m_pages[static_cast<std::size_t>(i)];
        parts.summary = new QLabel(page);
        parts.summary->setWordWrap(true);
        parts.summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
        parts.chart = new QChartView(page);
        parts.chart->setRenderHint(QPainter::Antialiasing);
        parts.chart->setMinimumSize(320, 240);
        parts.figures = new GridView(page);
        parts.figures->setFont(gridFont());
        auto* body = new QHBoxLayout;
        body->addWidget(parts.chart, 1);
        body->addWidget(parts.figures, 0);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->addWidget(parts.summary);
        layout->addLayout(body, 1);
        m_tabs->addTab(page, fromUtf8(measureCaption(static_cast<StatisticsMeasure>(i))));
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);

    connect(m_lastCountBox, &QComboBox::currentIndexChanged, this, [this] { recount(); });
    connect(m_bonusBox, &QCheckBox::toggled, this, [this] {
        m_pages[static_cast<std::size_t>(StatisticsMeasure::Frequency)].current = false;
        showPage(m_tabs->currentIndex());
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, &StatisticsWindow::showPage);
    connect(pngButton, &QPushButton::clicked, this, &StatisticsWindow::askSavePng);
    connect(svgButton, &QPushButton::clicked, this, &StatisticsWindow::askSaveSvg);
    connect(printButton, &QPushButton::clicked, this, &StatisticsWindow::print);
    connect(closeButton, &QPushButton::clicked, this, &StatisticsWindow::closeWindow);

    recount();
}

void StatisticsWindow::rebuild(const DrawHistory& history)
{
    m_history = &history;
    recount();
}

int StatisticsWindow::lastCount() const
{
    return m_lastCountBox->currentData().toInt();
}

void StatisticsWindow::setLastCount(int count)
{
    const int index = m_lastCountBox->findData(count);
    if (index >= 0) m_lastCountBox->setCurrentIndex(index);
}

QChartView* StatisticsWindow::chartView(StatisticsMeasure measure) const
{
    return m_pages[static_cast<std::size_t>(measure)].chart;
}

GridView* StatisticsWindow::figures(StatisticsMeasure measure) const
{
    return m_pages[static_cast<std::size_t>(measure)].figures;
}

QLabel* StatisticsWindow::summary(StatisticsMeasure measure) const
{
    return m_pages[static_cast<std::size_t>(measure)].summary;
}

StatisticsMeasure StatisticsWindow::currentMeasure() const
{
    return static_cast<StatisticsMeasure>(std::max(0, m_tabs->currentIndex()));
}

void StatisticsWindow::recount()
{
    m_statistics = historyStatistics(*m_history, lastCount());
    for (Page& page : m_pages)
        page.current = false;
    // Only the shown tab is drawn now; the others when they are first shown.
    showPage(m_tabs->currentIndex());
}

void StatisticsWindow::showPage(int index)
{
    if (index < 0 || index >= kStatisticsMeasureCount) return;
    Page& page = m_pages[static_cast<std::size_t>(index)];
    if (page.current) return;
    drawPage(static_cast<StatisticsMeasure>(index));
    page.current = true;
}

void StatisticsWindow::drawPage(StatisticsMeasure measure)
{
    Page& page = m_pages[static_cast<std::size_t>(measure)];
    const bool withBonus = m_bonusBox->isChecked();
    page.summary->setText(fromUtf8(measureSummary(m_statistics, measure, withBonus)));
    page.figures->setGrid(statisticsTable(m_statistics, measure, withBonus));
    page.figures->setFixedWidth(page.figures->sizeHint().width());

    ChartData data;
    switch (measure) {
    case StatisticsMeasure::Frequency:
        data = frequencyChart(withBonus ? m_statistics.frequencyWithBonus : m_statistics.frequency);
        break;
    case StatisticsMeasure::Gaps:
        data = gapChart(m_statistics.gaps);
        break;
    case StatisticsMeasure::Pairs:
        data = pairChart(m_statistics.pairs);
        break;
    case StatisticsMeasure::Sum:
        data = patternChart(m_statistics.sum, measure);
        break;
    case StatisticsMeasure::OddEven:
        data = patternChart(m_statistics.odd, measure);
        break;
    case StatisticsMeasure::LowHigh:
        data = patternChart(m_statistics.low, measure);
        break;
    case StatisticsMeasure::Consecutive:
        data = patternChart(m_statistics.consecutive, measure);
        break;
    case StatisticsMeasure::LastDigits:
        data = patternChart(m_statistics.lastDigits, measure);
        break;
    }
    QChart* old = page.chart->chart();
    page.chart->setChart(makeChart(data, page.chart));
    // setChart leaves the previous chart to its caller.
    delete old;
}

QString StatisticsWindow::suggestedFileName(const QString& suffix) const
{
    return QStringLiteral("統計グラフ_%1.%2").arg(m_tabs->tabText(m_tabs->currentIndex()), suffix);
}

bool StatisticsWindow::savePng(const QString& path) const
{
    QChartView* view = chartView(currentMeasure());
    return view->grab().save(path, "PNG");
}

bool StatisticsWindow::saveSvg(const QString& path) const
{
    QChartView* view = chartView(currentMeasure());
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(view->size());
    svg.setViewBox(QRect(QPoint(0, 0), view->size()));
    svg.setTitle(windowTitle() + QStringLiteral(" - ") + m_tabs->tabText(m_tabs->currentIndex()));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    // The scene drawn item by item keeps lines and text as vectors.
    view->render(&painter, QRectF(QPointF(0, 0), view->size()), view->viewport()->rect());
    return painter.end();
}

void StatisticsWindow::printTo(QPrinter* printer) const
{
    QPainter painter;
    if (!painter.begin(printer)) return;
    const QRect page = painter.viewport();
    const StatisticsMeasure measure = currentMeasure();

    // Heading and reading as text, laid out to the page width.
    QTextDocument text;
    text.setDefaultFont(font());
    text.setHtml(QStringLiteral("<h3>%1 - %2</h3><p>%3</p>")
                     .arg(windowTitle().toHtmlEscaped(),
                          m_tabs->tabText(m_tabs->currentIndex()).toHtmlEscaped(),
                          summary(measure)->text().toHtmlEscaped()));
    const double scale = page.width() / 800.0;  // lay out as on an 800-pixel-wide screen
    painter.save();
    painter.scale(scale, scale);
    text.setTextWidth(800);
    text.drawContents(&painter);
    painter.restore();

    QChartView* view = chartView(measure);
    const double top = text.size().height() * scale + 10 * scale;
    const QSizeF shown = view->viewport()->size();
    QRectF target(page.left(), page.top() + top, page.width(),
                  page.width() * shown.height() / std::max(1.0, shown.width()));
    if (target.bottom() > page.bottom()) target.setBottom(page.bottom());
    view->render(&painter, target, view->viewport()->rect());
    painter.end();
}

void StatisticsWindow::askSavePng()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("グラフをPNGで保存"),
                                                      suggestedFileName(QStringLiteral("png")),
                                                      QStringLiteral("PNG 画像 (*.png)"));
    if (path.isEmpty()) return;
    if (!savePng(path))
        QMessageBox::critical(this, kMessageTitle,
                              QStringLiteral("%1 に保存できませんでした。").arg(path));
}

void StatisticsWindow::askSaveSvg()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("グラフをSVGで保存"),
                                                      suggestedFileName(QStringLiteral("svg")),
                                                      QStringLiteral("SVG 画像 (*.svg)"));
    if (path.isEmpty()) return;
    if (!saveSvg(path))
        QMessageBox::critical(this, kMessageTitle,
                              QStringLiteral("%1 に保存できませんでした。").arg(path));
}

void StatisticsWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("印刷プレビュー - 統計グラフ"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { printTo(target); });
    preview.exec();
}

void StatisticsWindow::closeWindow()
{
    closeChildWindow(*this);
}
