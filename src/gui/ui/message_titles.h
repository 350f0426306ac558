// The program's name and the title of its error messages, shared by every window.
#pragma once

#include <QString>

inline const QString kMainTitle = QStringLiteral("ポムランLite");
// The title of every error message; its fourth character is U+FF0D (full-width hyphen-minus).
inline const QString kMessageTitle = QStringLiteral("メッセ－ジ");
