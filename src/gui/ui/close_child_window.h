// Closing a child window from inside: through its frame in the main window's client area, so the
// client area (and the main window's state derived from it) sees the window go. And the keys
// that close windows: Ctrl+F4 for the active child window, Escape for a window of its own.
#pragma once

#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>
#include <QWidget>

// Closes the frame that holds content, or content itself when it has no frame.
inline bool closeChildWindow(QWidget& content)
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(content.parentWidget())) return frame->close();
    return content.close();
}

// Ctrl+F4 anywhere in the client area closes the active child window, as in every
// multiple-document program (the frame's own system menu holds the key only while it is open).
inline void addCloseChildWindowKey(QMdiArea& area)
{
    auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), &area);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    const auto closeActive = [&area] {
        if (QMdiSubWindow* active = area.activeSubWindow()) active->close();
    };
    QObject::connect(key, &QShortcut::activated, &area, closeActive);
    // The frame's own close action may hold the same key: then neither is activated, only this.
    QObject::connect(key, &QShortcut::activatedAmbiguously, &area, closeActive);
}

// Escape closes a window that is not a dialog (help, version), as it would close a dialog.
inline void addEscapeToClose(QWidget& window)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, &window, &QWidget::close);
}
