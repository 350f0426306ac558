#include "gui/report/grid_font.h"

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
