#include "gui/app/version_window.h"

#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>

#include "core/base/program_version.h"
#include "gui/report/palette_color.h"
#include "gui/ui/close_child_window.h"

namespace {

void drawBall(QPainter& painter, const QPointF& centre, qreal radius, const QColor& colour,
              const QString& number)
{
    QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.3);
    shade.setColorAt(0, toQColor(kBallShine));
    shade.setColorAt(0.35, colour.lighter(120));
    shade.setColorAt(1, colour.darker(150));
    painter.setPen(QPen(colour.darker(180), 1));
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);
    // A white disc carries the number, as on a real draw ball.
    const qreal inner = radius * 0.52;
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(kBallLabelBack));
    painter.drawEllipse(centre, inner, inner);
    QFont font(QString::fromUtf8(kVersionFont));
    font.setBold(true);
    font.setPixelSize(qRound(inner * 1.1));
    painter.setFont(font);
    painter.setPen(colour.darker(170));
    painter.drawText(QRectF(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner),
                     Qt::AlignCenter, number);
}

}  // namespace

void installVersionFontSubstitution()
{
    QFont::insertSubstitution(QString::fromUtf8(kProductFont), QStringLiteral("IPAMincho"));
}

QPixmap versionPicture(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    // The draw board: a rounded square with the 31 numbers' grid faintly behind the balls.
    QLinearGradient board(0, 0, 0, size);
    board.setColorAt(0, toQColor(kBoardTop));
    board.setColorAt(1, toQColor(kBoardBottom));
    painter.setPen(QPen(toQColor(kBoardEdge), 1.5));
    painter.setBrush(board);
    const qreal margin = size * 0.04;
    painter.drawRoundedRect(QRectF(margin, margin, size - 2 * margin, size - 2 * margin),
                            size * 0.12, size * 0.12);
    painter.setPen(QPen(toQColor(kBoardLine), 1));
    const qreal step = (size - 4 * margin) / 6.0;
    for (int i = 1; i < 6; ++i) {
        painter.drawLine(QPointF(2 * margin + i * step, 2 * margin),
                         QPointF(2 * margin + i * step, size - 2 * margin));
        painter.drawLine(QPointF(2 * margin, 2 * margin + i * step),
                         QPointF(size - 2 * margin, 2 * margin + i * step));
    }

    drawBall(painter, QPointF(size * 0.38, size * 0.42), size * 0.25, toQColor(kMainDot),
             QStringLiteral("5"));
    drawBall(painter, QPointF(size * 0.66, size * 0.66), size * 0.2, toQColor(kBonusDot),
             QStringLiteral("31"));
    return picture;
}

VersionWindow::VersionWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    installVersionFontSubstitution();
    setObjectName(QStringLiteral("バージョン情報"));
    setWindowTitle(QStringLiteral("バージョン情報"));

    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(versionPicture(96));

    auto* product = new QLabel(QString::fromUtf8(kProductName));
    product->setObjectName(QStringLiteral("Label1"));
    QFont productFont(QString::fromUtf8(kProductFont));
    productFont.setPointSize(26);
    productFont.setBold(true);
    product->setFont(productFont);

    auto* version =
        new QLabel(QString::fromUtf8(kVersionPrefix) + QString::fromUtf8(programVersion()));
    version->setObjectName(QStringLiteral("Label2"));
    QFont versionFont(QString::fromUtf8(kVersionFont));
    versionFont.setPointSize(12);
    version->setFont(versionFont);

    auto* close = new QPushButton(QStringLiteral("閉じる"));
    close->setObjectName(QStringLiteral("Command1"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(product);
    texts->addWidget(version);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(16);
    top->addLayout(texts);
    top->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addLayout(buttons);
    addEscapeToClose(*this);
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}

void VersionWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted() && parentWidget()) parentWidget()->activateWindow();
}
