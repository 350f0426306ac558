// The font every result grid uses, and the substitution that makes it render on this platform.
#pragma once

#include <QFont>

// "ＭＳ Ｐゴシック" 9 pt regular, the grid font the windows are designed for.
QFont gridFont();
// Maps "ＭＳ Ｐゴシック" to IPA P Gothic (metric-compatible); call once after the QApplication
// exists and before the first grid is shown. Calling it again does no harm.
void installGridFontSubstitution();
// The family of the program's menus and dialogs: the platform's Japanese interface font where
// one is installed, IPA P Gothic otherwise. Proportional, so that Japanese text does not fall back
// to a monospaced Gothic under a Japanese locale.
QString applicationFontFamily();
// Makes applicationFontFamily() the application font at the platform's size; call once after
// the QApplication exists, before the first window.
void installApplicationFont();
