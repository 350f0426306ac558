// The main window's status bar: how many draws the history holds, the latest draw and its date,
// a hint with 当選データ最新化 one click away when the latest draw is more than a week old, and
// one line when the history was read again because another program changed it. Nothing modal.
#pragma once

#include <QObject>

class DrawSession;
class QLabel;
class QPushButton;
class QStatusBar;

class HistoryStatusBar : public QObject {
    Q_OBJECT
public:
    HistoryStatusBar(QStatusBar& bar, DrawSession& session);

    // How long the line about a reload from outside stays (milliseconds).
    static constexpr int kNoticeMilliseconds = 15000;

signals:
    // The player clicked 当選データ最新化.
    void updateRequested();

private:
    void showHistoryStatus();
    void showReloadedOutside();

    DrawSession& m_session;
    QLabel* m_status = nullptr;
    QLabel* m_hint = nullptr;
    QPushButton* m_update = nullptr;
    QLabel* m_notice = nullptr;
};
