#include "gui/app/main_window_geometry.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>

#include "core/grid/units.h"
#include "gui/app/window_kinds.h"

namespace {

const QString kGeometryKey = QStringLiteral("MainFrm/geometry");
const QString kStateKey = QStringLiteral("MainFrm/state");

}  // namespace

void placeMainWindow(QMainWindow& window, const QMdiArea& clientArea, const QString& stateFile)
{
    if (!stateFile.isEmpty()) {
        QSettings state(stateFile, QSettings::IniFormat);
        if (window.restoreGeometry(state.value(kGeometryKey).toByteArray())) {
            window.restoreState(state.value(kStateKey).toByteArray());
            return;
        }
    }
    // Room for the largest child window, its scroll bars and buttons in view.
    const int border = 2 * clientArea.frameWidth();
    const QSize client = QSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips))
                             .expandedTo(largestWindowSize() + QSize(border, border));
    const QSize outer(client.width(), client.height() + window.menuBar()->sizeHint().height() +
                                          window.statusBar()->sizeHint().height());
    window.resize(outer);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && (outer.width() > screen->availableSize().width() ||
                   outer.height() > screen->availableSize().height()))
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void rememberMainWindow(const QMainWindow& window, const QString& stateFile)
{
    if (stateFile.isEmpty()) return;
    QSettings state(stateFile, QSettings::IniFormat);
    state.setValue(kGeometryKey, window.saveGeometry());
    state.setValue(kStateKey, window.saveState());
}
