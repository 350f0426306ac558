#include "gui/stats/statistics_window.h"

#include "core/stats/statistics_chart.h"
#include "gui/report/grid_font.h"
#include "gui/ui/busy_pointer.h"
#include "gui/ui/close_child_window.h"
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
#include <QShortcut>
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

QLineSeries* horizontalLine(double y, double from, double to)
{
    auto* line = new QLineSeries;
    line->append(from, y);
    line->append(to, y);
    return line;
}

QChart* makeChart(const StatisticsChart& data, QChartView* view)
{
    auto* chart = new QChart;
    chart->setTitle(fromUtf8(data.title));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));

    const int count = static_cast<int>(data.observed.size());
    // A few bars each get their label on a category axis; long runs (sums, gaps) get a label
    // every labelStep bars on a value axis, where a label may be wider than its bar.
    QAbstractAxis* axisX = nullptr;
    QStringList labels;
    for (const std::string& label : data.labels)
        labels << fromUtf8(label);
    bool everyLabel = data.labelStep == 1 && labels.size() >= count;
    for (const QString& label : labels)
        everyLabel = everyLabel && !label.isEmpty();
    if (everyLabel && count <= 40) {
        auto* categories = new QBarCategoryAxis;
        categories->append(labels.mid(0, count));
        axisX = categories;
    } else {
        auto* values = new QCategoryAxis;
        values->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        values->setRange(-0.5, std::max(count, 1) - 0.5);
        const int step = std::max(data.labelStep, 1);
        for (int i = 0; i < count && i < labels.size(); ++i)
            if (i % step == 0 && !labels[i].isEmpty()) values->append(labels[i], i);
        axisX = values;
    }
    axisX->setTitleText(fromUtf8(data.xTitle));
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
    axisY->setTitleText(fromUtf8(data.yTitle));
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
        band->setName(fromUtf8(data.bandName));
        band->setColor(kBandColour);
        band->setBorderColor(kBandColour);
        chart->addSeries(band);
        band->attachAxis(axisX);
        band->attachAxis(axisY);
    }

    auto* set = new QBarSet(fromUtf8(data.observedName));
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
    line->setName(fromUtf8(data.expectedName));
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
    QStringList tooltips;
    for (const std::string& tooltip : data.tooltips)
        tooltips << fromUtf8(tooltip);
    QObject::connect(set, &QBarSet::hovered, view, [view, tooltips](bool status, int index) {
        if (status && index >= 0 && index < tooltips.size())
            QToolTip::showText(QCursor::pos(), tooltips[index], view);
        else
            QToolTip::hideText();
    });
    QObject::connect(line, &QLineSeries::hovered, view,
                     [view, tooltips](const QPointF& point, bool state) {
                         const int index = static_cast<int>(std::lround(point.x()));
                         if (state && index >= 0 && index < tooltips.size())
                             QToolTip::showText(QCursor::pos(), tooltips[index], view);
                         else
                             QToolTip::hideText();
                     });
    return chart;
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

    // Ctrl+Tab moves between the tabs wherever the focus is in the window; the client area
    // would otherwise take it to move between child windows.
    const auto tabKey = [this](QKeySequence key, int step) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step] {
            m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + m_tabs->count()) %
                                    m_tabs->count());
        });
    };
    tabKey(QKeySequence(Qt::CTRL | Qt::Key_Tab), +1);
    tabKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1);
    tabKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1);

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

    const StatisticsChart data = statisticsChart(m_statistics, measure, withBonus);
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
