#include "gui/analyses/analysis_legend.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

#include "gui/report/palette_color.h"

namespace {

// One painted mark: a disc in the colour of a dot, or a swatch with a single-line border.
class LegendMark : public QWidget {
public:
    enum class Shape { Disc, Swatch };
    LegendMark(Shape shape, QColor color, QWidget* parent)
        : QWidget(parent), m_shape(shape), m_color(color)
    {
        setFixedSize(shape == Shape::Disc ? QSize(12, 12) : QSize(24, 14));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (m_shape == Shape::Disc) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(m_color);
            painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
        } else {
            painter.fillRect(rect(), m_color);
            painter.setPen(toQColor(kSwatchBorder));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    Shape m_shape;
    QColor m_color;
};

void addEntry(QHBoxLayout* row, LegendMark::Shape shape, QColor color, const QString& caption)
{
    QWidget* owner = row->parentWidget();
    row->addWidget(new LegendMark(shape, color, owner));
    row->addWidget(new QLabel(caption, owner));
    row->addSpacing(6);
}

}  // namespace

QWidget* makeAnalysisLegend(Legend legend, QWidget* parent)
{
    if (legend == Legend::None) return nullptr;
    auto* widget = new QWidget(parent);
    widget->setObjectName(QStringLiteral("legend"));
    auto* row = new QHBoxLayout(widget);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    using Shape = LegendMark::Shape;
    if (legend == Legend::Dots || legend == Legend::DotsAndNoHit) {
        addEntry(row, Shape::Disc, toQColor(kMainDot), QStringLiteral("：本数字"));
        addEntry(row, Shape::Disc, toQColor(kBonusDot), QStringLiteral("：ボーナス数字"));
    }
    if (legend == Legend::PreviousNumber)
        addEntry(row, Shape::Swatch, toQColor(kPreviousNumberSwatch),
                 QStringLiteral(":前回の数字"));
    if (legend == Legend::DotsAndNoHit)
        addEntry(row, Shape::Swatch, toQColor(kNoHitSwatch), QStringLiteral(":該当なし"));
    return widget;
}
