// Closing a child window from inside: through its frame in the main window's client area, so the
// client area (and the main window's state derived from it) sees the window go.
#pragma once

#include <QMdiSubWindow>
#include <QWidget>

// Closes the frame that holds content, or content itself when it has no frame.
inline bool closeChildWindow(QWidget& content)
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(content.parentWidget())) return frame->close();
    return content.close();
}
