// ChildSubWindow: the frame of one child window in the main window's client area. It reports a
// close that went through, so the main window can keep its child-window flag up to date at once
// rather than when the deferred deletion runs.
#pragma once

#include <QCloseEvent>
#include <QMdiSubWindow>

class ChildSubWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit ChildSubWindow(QWidget* parent = nullptr) : QMdiSubWindow(parent) {}

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override
    {
        QMdiSubWindow::closeEvent(event);
        if (event->isAccepted()) emit closed();
    }
};
