#include "gui/analyses/analysis_window.h"

#include "gui/analyses/analysis_legend.h"
#include "gui/report/grid_font.h"
#include "gui/ui/busy_pointer.h"
#include "gui/ui/close_child_window.h"
#include "gui/ui/grid_view.h"
#include "gui/ui/report_actions.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

AnalysisWindow::AnalysisWindow(const AnalysisDescriptor& descriptor, const DrawHistory& history,
                               const DrawTables& tables, QWidget* parent)
    : QWidget(parent), m_descriptor(descriptor), m_drawRange(drawRangeText(history))
{
    const BusyPointer busy;
    setWindowTitle(fromView(descriptor.caption));
    setFont(gridFont());

    auto* description = new QLabel(fromView(descriptor.description), this);
    description->setObjectName(QStringLiteral("Label1"));
    // The description wraps rather than being cut where the window is narrow for it.
    description->setWordWrap(true);
    auto* top = new QHBoxLayout;
    top->addWidget(description, 1);
    if (QWidget* legend = makeAnalysisLegend(descriptor.legend, this)) top->addWidget(legend);

    m_grid = new GridView(this);
    m_grid->setObjectName(QStringLiteral("fpSpread1"));

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    if (descriptor.hasPrintButton) {
        m_printButton = new QPushButton(QStringLiteral("印刷"), this);
        m_printButton->setObjectName(QStringLiteral("Command2"));
        bottom->addWidget(m_printButton);
    }
    m_closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    m_closeButton->setObjectName(QStringLiteral("Command1"));
    bottom->addWidget(m_closeButton);
    connect(m_closeButton, &QPushButton::clicked, this, &AnalysisWindow::closeWindow);

    m_reportActions = new ReportActions(this, [this] { return report(); });
    m_reportActions->attachTo(m_grid);
    if (m_printButton)
        connect(m_printButton, &QPushButton::clicked, m_reportActions,
                &ReportActions::printPreview);

    // Tight margins: the window sizes of the analyses leave just room for the rows they show.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);

    // The catalog only lists windows that have a build; an empty grid is the safe answer if
    // one slips through.
    m_grid->setGrid(descriptor.build(history, tables));
}

void AnalysisWindow::rebuild(const DrawHistory& history, const DrawTables& tables)
{
    const BusyPointer busy;
    const int x = m_grid->horizontalScrollBar()->value();
    const int y = m_grid->verticalScrollBar()->value();
    m_drawRange = drawRangeText(history);
    m_grid->setGrid(m_descriptor.build(history, tables));
    m_grid->horizontalScrollBar()->setValue(x);
    m_grid->verticalScrollBar()->setValue(y);
}

WindowReport AnalysisWindow::report() const
{
    WindowReport report;
    report.windowName = m_descriptor.windowName;
    report.caption = m_descriptor.caption;
    report.drawRange = m_drawRange;
    report.sections.push_back({"", m_grid->grid()});
    return report;
}

void AnalysisWindow::closeWindow()
{
    closeChildWindow(*this);
}
