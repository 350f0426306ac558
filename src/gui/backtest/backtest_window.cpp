#include "gui/backtest/backtest_window.h"

#include "core/backtest/backtest_grid.h"
#include "core/backtest/backtest_summary.h"
#include "core/grid/grid_export.h"
#include "gui/report/grid_font.h"
#include "gui/report/palette_color.h"
#include "gui/ui/busy_pointer.h"
#include "gui/ui/close_child_window.h"
#include "gui/ui/grid_view.h"
#include "gui/ui/message_titles.h"
#include "gui/ui/report_actions.h"

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// More points than this per line only slow the chart down: a window is not that wide.
constexpr std::size_t kMaxChartPoints = 2000;

static_assert(kChartLines.size() == static_cast<std::size_t>(kSuggestionSetCount),
              "one chart line colour per set");

struct DrawRange {
    int first = 0, last = 0;
    bool any = false;
};

DrawRange completeDrawRange(const DrawHistory& history)
{
    DrawRange range;
    for (const auto& draw : history.draws()) {
        if (!draw) continue;
        if (!range.any) range.first = draw->drawNo;
        range.last = draw->drawNo;
        range.any = true;
    }
    return range;
}

}  // namespace

BacktestWindow::BacktestWindow(const DrawHistory& history, int enabledOptionCount, QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QString::fromUtf8(kBacktestWindowName));

    m_description = new QLabel(
        QStringLiteral(
            "一発ボボーン予想の各予想を、過去の各回について、その回より前の当選データ"
            "だけで求め直し、実際の当選数字と比べます。「偶然の期待」は、同じ個数の数字を"
            "無作為に選んだときの値です。"),
        this);
    m_description->setWordWrap(true);

    m_firstTarget = new QSpinBox(this);
    m_firstTarget->setObjectName(QStringLiteral("firstTarget"));
    m_firstTarget->setKeyboardTracking(false);  // rerun when the number is complete, not per key
    m_firstTarget->setSuffix(QStringLiteral(" 回から"));
    auto* firstLabel = new QLabel(QStringLiteral("検証する最初の回(&F)："), this);
    firstLabel->setBuddy(m_firstTarget);

    m_optionCount = new QSpinBox(this);
    m_optionCount->setObjectName(QStringLiteral("optionCount"));
    m_optionCount->setKeyboardTracking(false);
    m_optionCount->setRange(0, kOptionCounts - 1);
    m_optionCount->setValue(std::clamp(enabledOptionCount, 0, kOptionCounts - 1));
    auto* optionLabel = new QLabel(QStringLiteral("反映するオプションの数(&O)："), this);
    optionLabel->setBuddy(m_optionCount);

    m_saveButton = new QPushButton(QStringLiteral("保存(&S)"), this);
    m_printButton = new QPushButton(QStringLiteral("印刷(&P)"), this);
    m_closeButton = new QPushButton(QStringLiteral("閉じる"), this);

    auto* controls = new QHBoxLayout;
    controls->addWidget(firstLabel);
    controls->addWidget(m_firstTarget);
    controls->addSpacing(16);
    controls->addWidget(optionLabel);
    controls->addWidget(m_optionCount);
    controls->addStretch(1);
    controls->addWidget(m_saveButton);
    controls->addWidget(m_printButton);
    controls->addWidget(m_closeButton);

    m_grid = new GridView(this);
    m_grid->setObjectName(QStringLiteral("backtestGrid"));
    m_grid->setFont(gridFont());

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("的中数 − 偶然の期待（累計）"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart = new QChartView(chart, this);
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(260);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_grid);
    splitter->addWidget(m_chart);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_description);
    layout->addLayout(controls);
    layout->addWidget(splitter, 1);

    connect(m_firstTarget, &QSpinBox::valueChanged, this,
            [this](int from) { runFrom(m_history, from); });
    connect(m_optionCount, &QSpinBox::valueChanged, this, [this] { showResults(); });
    // The tables print and save like every grid: right-click menu, Ctrl+P, PDF, Excel, CSV, PNG.
    m_reportActions = new ReportActions(this, [this] {
        WindowReport report;
        report.windowName = kBacktestWindowName;
        report.caption = windowTitle().toStdString();
        report.drawRange = drawRangeText(m_history);
        report.sections.push_back({"", m_grid->grid()});
        return report;
    });
    m_reportActions->attachTo(m_grid);
    connect(m_saveButton, &QPushButton::clicked, this, &BacktestWindow::save);
    connect(m_printButton, &QPushButton::clicked, this, &BacktestWindow::print);
    connect(m_closeButton, &QPushButton::clicked, this, &BacktestWindow::closeWindow);

    rebuild(history);
}

void BacktestWindow::rebuild(const DrawHistory& history)
{
    const DrawRange range = completeDrawRange(history);
    const bool chosenBefore = m_backtest.targetCount() > 0;
    const int previous = m_firstTarget->value();
    int from = defaultFirstTarget(history).value_or(range.first);
    if (chosenBefore && previous >= range.first && previous <= range.last) from = previous;
    {
        const QSignalBlocker blocker(m_firstTarget);
        m_firstTarget->setRange(range.first, std::max(range.first, range.last));
        m_firstTarget->setValue(from);
        m_firstTarget->setEnabled(range.any);
    }
    runFrom(history, from);
}

void BacktestWindow::runFrom(const DrawHistory& history, int from)
{
    const BusyPointer busy;
    if (&history != &m_history) m_history = history;
    m_backtest = runBacktest(m_history, from);
    showResults();
}

void BacktestWindow::showResults()
{
    const BusyPointer busy;
    const int options = m_optionCount->value();
    m_grid->setGrid(backtestGrid(m_backtest, options));

    QChart* chart = m_chart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    const std::vector<int>& targets = m_backtest.targetDrawNos();
    if (targets.empty()) return;

    auto* xAxis = new QValueAxis;
    xAxis->setTitleText(QStringLiteral("回数"));
    xAxis->setLabelFormat(QStringLiteral("%d"));
    xAxis->setRange(targets.front(), std::max(targets.back(), targets.front() + 1));
    auto* yAxis = new QValueAxis;
    yAxis->setTitleText(QStringLiteral("差"));
    yAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    const std::size_t step = (targets.size() + kMaxChartPoints - 1) / kMaxChartPoints;
    double low = -1.0, high = 1.0;
    for (int s = 0; s < kSuggestionSetCount; ++s) {
        const std::vector<double> line = cumulativeExcess(m_backtest, options, s);
        auto* series = new QLineSeries;
        series->setName(QString::fromUtf8(kSuggestionSetNames[s]));
        series->setColor(toQColor(kChartLines[s]));
        QList<QPointF> points;
        for (std::size_t t = 0; t < line.size(); t += step)
            points.append(QPointF(targets[t], line[t]));
        if ((line.size() - 1) % step != 0) points.append(QPointF(targets.back(), line.back()));
        for (const QPointF& p : points) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
        series->replace(points);
        chart->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    auto* chance = new QLineSeries;
    chance->setName(QStringLiteral("偶然（0）"));
    chance->setPen(QPen(toQColor(kBlack), 1, Qt::DashLine));
    chance->append(targets.front(), 0.0);
    chance->append(targets.back(), 0.0);
    chart->addSeries(chance);
    chance->attachAxis(xAxis);
    chance->attachAxis(yAxis);
    const double margin = (high - low) * 0.05;
    yAxis->setRange(std::floor(low - margin), std::ceil(high + margin));
    yAxis->applyNiceNumbers();
}

void BacktestWindow::save()
{
    m_reportActions->saveAs(ReportFile::Csv);
}

void BacktestWindow::print()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!printTo(printer))
        QMessageBox::critical(this, kMessageTitle, QStringLiteral("印刷を始められませんでした。"));
}

bool BacktestWindow::printTo(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setFont(gridFont());
    const QRect page = painter.viewport();
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const QStringList lines =
        QString::fromStdString(gridText(m_grid->grid())).split(QLatin1Char('\n'));
    const int tab = painter.fontMetrics().horizontalAdvance(QStringLiteral("00000000"));
    int y = lineHeight;
    for (const QString& line : lines) {
        if (y > page.height() - lineHeight) {
            printer.newPage();
            y = lineHeight;
        }
        int x = 0;
        for (const QString& cell : line.split(QLatin1Char('\t'))) {
            painter.drawText(x, y, cell);
            x += std::max(tab, painter.fontMetrics().horizontalAdvance(cell) + tab / 4);
        }
        y += lineHeight;
    }
    printer.newPage();
    m_chart->render(&painter, QRectF(0, 0, page.width(), page.height() / 2.0));
    return painter.end();
}

void BacktestWindow::closeWindow()
{
    closeChildWindow(*this);
}
