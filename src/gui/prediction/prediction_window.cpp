#include "gui/prediction/prediction_window.h"

#include "core/grid/units.h"
#include "core/prediction/prediction_report.h"
#include "gui/report/grid_font.h"
#include "gui/ui/close_child_window.h"
#include "gui/ui/grid_view.h"
#include "gui/ui/report_actions.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

// A rectangle given in twips, as the window is designed, in pixels.
QRect twips(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(rect);
    return label;
}

// Where each grid lies on the form (twips): left, top, width, height. Only the top-left corner is
// kept; the grid takes the size that shows all of its cells.
constexpr std::array<std::array<int, 4>, kPredictionGridCount> kGridPlaces = {{
    {4320, 1680, 4680, 1092},
    {4320, 3480, 4680, 912},
    {4320, 5040, 4680, 612},
    {4320, 6360, 4680, 672},
}};

}  // namespace

PredictionWindow::PredictionWindow(PredictionOptions& options, const DrawHistory& history,
                                   const DrawTables& tables, QWidget* parent)
    : QWidget(parent), m_options(options), m_latestDrawNo(tables.LatestDrawNo),
      m_drawRange(drawRangeText(history))
{
    setObjectName(QString::fromUtf8(kPredictionWindowName));
    setWindowTitle(QString::fromUtf8(kPredictionWindowCaption));
    setFont(gridFont());

    m_printButton = new QPushButton(QStringLiteral("印刷"), this);
    m_printButton->setObjectName(QStringLiteral("Command2"));
    m_printButton->setGeometry(twips(7200, 60, 855, 375));
    m_closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    m_closeButton->setObjectName(QStringLiteral("Cmd閉じる"));
    m_closeButton->setGeometry(twips(8160, 60, 855, 375));
    connect(m_closeButton, &QPushButton::clicked, this, &PredictionWindow::closeWindow);
    m_combinationButton = new QPushButton(QStringLiteral("組合せ作成"), this);
    m_combinationButton->setObjectName(QStringLiteral("Cmd組合せ作成"));
    m_combinationButton->setGeometry(twips(5880, 60, 1215, 375));
    connect(m_combinationButton, &QPushButton::clicked, this,
            &PredictionWindow::combinationRequested);

    auto* optionFrame = new QGroupBox(QStringLiteral("データ分析オプション"), this);
    optionFrame->setObjectName(QStringLiteral("Frame3"));
    optionFrame->setGeometry(twips(120, 480, 3855, 7272));
    buildOptionFrames(optionFrame);

    auto* predictionFrame = new QGroupBox(QStringLiteral("当選予想"), this);
    predictionFrame->setObjectName(QStringLiteral("Frame2"));
    predictionFrame->setGeometry(twips(4080, 480, 5055, 7272));
    buildPredictionArea(predictionFrame);

    // The grids lie on the form itself, over the right-hand frame.
    for (int g = 0; g < kPredictionGridCount; ++g) {
        auto* view = new GridView(this);
        view->setObjectName(QStringLiteral("fpSpread1(%1)").arg(g));
        view->setGrid(blankPredictionGrid(g));
        const auto& place = kGridPlaces[static_cast<std::size_t>(g)];
        view->move(twipsToPixels(place[0]), twipsToPixels(place[1]));
        view->resize(view->sizeHint());
        view->raise();
        m_grids[static_cast<std::size_t>(g)] = view;
    }

    m_reportActions = new ReportActions(this, [this] { return report(); });
    for (GridView* view : m_grids)
        m_reportActions->attachTo(view);
    connect(m_printButton, &QPushButton::clicked, m_reportActions, &ReportActions::printPreview);

    m_engine.ScanCycles(history);
    refreshPrediction();
}

WindowReport PredictionWindow::report() const
{
    PredictionGrids grids;
    for (int g = 0; g < kPredictionGridCount; ++g)
        grids[static_cast<std::size_t>(g)] = m_grids[static_cast<std::size_t>(g)]->grid();
    return predictionReport(grids, m_drawRange, &m_options, m_options.enabledCount());
}

void PredictionWindow::buildOptionFrames(QWidget* frame)
{
    makeLabel(frame, "Label15",
              QStringLiteral("各データ分析の分析結果を当選予想へ反映するかを設定します。"),
              twips(120, 240, 3615, 615));
    for (int i = 0; i < kOptionCount; ++i) {
        auto* box = new QGroupBox(
            QString::fromUtf8(kPredictionOptions[static_cast<std::size_t>(i)].caption), frame);
        box->setObjectName(QStringLiteral("Frame%1").arg(i + 4));
        box->setGeometry(twips(120, 720 + 540 * i, 3615, 495));

        auto* reflect = new QRadioButton(QStringLiteral("反映する"), box);
        reflect->setObjectName(QStringLiteral("Opt反映する(%1)").arg(i));
        reflect->move(twipsToPixels(480), twipsToPixels(240));
        reflect->adjustSize();
        auto* ignore = new QRadioButton(QStringLiteral("反映しない"), box);
        ignore->setObjectName(QStringLiteral("Opt反映しない(%1)").arg(i));
        ignore->move(twipsToPixels(1920), twipsToPixels(240));
        ignore->adjustSize();
        auto* pair = new QButtonGroup(box);
        pair->addButton(reflect);
        pair->addButton(ignore);

        // Only shows the stored option: the grids are filled once the draws are scanned.
        (m_options.isOn(i) ? reflect : ignore)->setChecked(true);
        // clicked, not toggled: setting the state above must not count as a click.
        connect(reflect, &QRadioButton::clicked, this, [this, i] { setOption(i, true); });
        connect(ignore, &QRadioButton::clicked, this, [this, i] { setOption(i, false); });
        m_reflect[static_cast<std::size_t>(i)] = reflect;
        m_ignore[static_cast<std::size_t>(i)] = ignore;
    }
}

void PredictionWindow::buildPredictionArea(QWidget* frame)
{
    makeLabel(frame, "Label19",
              QStringLiteral("各データ分析の結果を元に周期法、消去法、連発ボボーン、一発ボボーンの"
                             "各手法を用いて当選数字を予想します。"),
              twips(240, 240, 4575, 375));
    makeLabel(frame, "Label1",
              QStringLiteral("●周期法による予想(この予想数字を組合わせて購入します)"),
              twips(120, 840, 4812, 372));
    makeLabel(frame, "Label2",
              QStringLiteral("●消去法による予想(この予想数字を組合わせて購入します)"),
              twips(120, 2640, 4812, 252));
    makeLabel(frame, "Label3",
              QStringLiteral("●連発ボボーン予想(この予想数字を組む合わせて購入します)"),
              twips(120, 4200, 4812, 252));
    makeLabel(frame, "Label4", QStringLiteral("●一発ボボーン予想"), twips(120, 5520, 4452, 252));
}

void PredictionWindow::setOption(int option, bool on)
{
    // The option set lives in memory until the program ends; only the exit writes the file.
    m_options.set(option, on);
    refreshPrediction();
}

void PredictionWindow::refresh(const DrawHistory& history, const DrawTables& tables)
{
    m_latestDrawNo = tables.LatestDrawNo;
    m_drawRange = drawRangeText(history);
    m_engine.ScanCycles(history);
    refreshPrediction();
}

void PredictionWindow::refreshPrediction()
{
    PredictionGrids grids = m_engine.RefreshPrediction(m_latestDrawNo, m_options.enabledCount());
    for (int g = 0; g < kPredictionGridCount; ++g)
        m_grids[static_cast<std::size_t>(g)]->setGrid(
            std::move(grids[static_cast<std::size_t>(g)]));
}

void PredictionWindow::closeWindow()
{
    closeChildWindow(*this);
}
