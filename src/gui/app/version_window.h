// VersionWindow: the separate top-level window バージョン情報 with the program's picture, name
// and version. It is no child window, so it leaves the main window's child-window flag alone.
#pragma once

#include <QPixmap>
#include <QWidget>

inline constexpr const char* kProductName = "ポムラン";
// The version text starts with a space, as the window has always shown it: " Ver2.30" for the
// project's version 2.30.
inline constexpr const char* kVersionPrefix = " Ver";
// The designed fonts; on this platform they are drawn with IPA Mincho and IPA P Gothic.
inline constexpr const char* kProductFont = "HGS明朝E";
inline constexpr const char* kVersionFont = "ＭＳ Ｐゴシック";

// Maps the designed Mincho face of the product name onto IPA Mincho.
void installVersionFontSubstitution();

// The picture: a blue and a pink lottery ball over a draw board, drawn at the given size.
QPixmap versionPicture(int size);

class VersionWindow : public QWidget {
    Q_OBJECT
public:
    explicit VersionWindow(QWidget* parent = nullptr);

protected:
    // Hands activation back to the main window, whatever the window manager would pick.
    void closeEvent(QCloseEvent* event) override;
};
