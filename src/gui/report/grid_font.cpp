#include "gui/report/grid_font.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

namespace {
const QString kGridFamily = QStringLiteral("ＭＳ Ｐゴシック");
}

QFont gridFont()
{
    QFont font(kGridFamily, 9, QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void installGridFontSubstitution()
{
    // The windows name a font this platform lacks; IPA P Gothic has the same metrics.
    if (!QFont::substitutes(kGridFamily).contains(QStringLiteral("IPAPGothic")))
        QFont::insertSubstitution(kGridFamily, QStringLiteral("IPAPGothic"));
}

QString applicationFontFamily()
{
    // Japanese interface fonts of the platforms, preferred in this order; all proportional.
    static const QStringList kCandidates = {
        QStringLiteral("Yu Gothic UI"),       QStringLiteral("Meiryo UI"),
        QStringLiteral("Hiragino Sans"),      QStringLiteral("Noto Sans CJK JP"),
        QStringLiteral("Source Han Sans JP"), QStringLiteral("IPAPGothic"),
    };
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : kCandidates)
        if (installed.contains(family)) return family;
    return QStringLiteral("IPAPGothic");
}

void installApplicationFont()
{
    QFont font = QGuiApplication::font();
    font.setFamilies({applicationFontFamily()});
    font.setStyleHint(QFont::SansSerif);
    QGuiApplication::setFont(font);
}
