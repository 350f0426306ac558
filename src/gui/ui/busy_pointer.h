// BusyPointer: shows the busy (hourglass) pointer while a command works, and lets pending window
// events run once so that the pointer is drawn before the work starts.
#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>

class BusyPointer {
public:
    BusyPointer()
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        // User input stays queued: a second click on the same command must not re-enter it.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};
