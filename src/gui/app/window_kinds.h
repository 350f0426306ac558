// The one table of child window kinds: each window's name, its designed size and whether its
// frame is fixed. The analyses take theirs from the analysis catalogue.
#pragma once

#include <QSize>
#include <QString>

#include <vector>

struct WindowKind {
    QString name;  // the window name; also the object name of its frame
    int widthTwips = 0;
    int heightTwips = 0;
    bool fixedFrame = false;  // cannot be resized, no minimise or maximise button
    // The size is the client area's: the frame's title bar and borders go around it.
    bool clientSize = false;
};

// Every kind of child window, the prediction window first.
const std::vector<WindowKind>& windowKinds();
// The kind of a window name, or nullptr.
const WindowKind* findWindowKind(const QString& name);
// The widest and the tallest outer size among all kinds (pixels).
QSize largestWindowSize();
