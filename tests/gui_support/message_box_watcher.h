// Window tests: answers every modal message box shown while the watcher lives, recording what
// it saw, so that a command which asks or reports can run to its end.
#pragma once

#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <vector>

struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

class MessageBoxWatcher {
public:
    // Each box is answered with `answer`, or OK when it has no such button.
    explicit MessageBoxWatcher(QMessageBox::StandardButton answer = QMessageBox::Ok);
    const std::vector<SeenMessage>& seen() const { return m_seen; }
    QStringList texts() const;
    void setAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }

private:
    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    std::vector<SeenMessage> m_seen;
};
