// The child windows of the main window's client area, each built from the draw session and
// rebuilt on every reload for as long as it is open: the analyses, 一発ボボーン (the prediction),
// 予想の検証, 組合せ作成, 購入記録, 統計グラフ and 当選データ入力. Where they open, their size and
// their frame come from the window host and its table of kinds.
#pragma once

#include <QObject>
#include <QString>

class ChildWindowHost;
class DrawSession;
class QMdiSubWindow;

class ChildWindows : public QObject {
    Q_OBJECT
public:
    // ticketFile is the player's ticket file (組合せ作成 and 購入記録).
    ChildWindows(DrawSession& session, ChildWindowHost& host, QString ticketFile,
                 QObject* parent = nullptr);

    void openAnalysis(const QString& windowName);
    void openPrediction();
    void openCombinationBuilder();
    void openTicketRegister();
    void openStatistics();
    void openBacktest();
    // 当選データ入力; nullptr, with the engine's message in *error, when the database cannot be
    // opened for writing. entryWindowClosed() follows its closing.
    QMdiSubWindow* openEntryWindow(QString* error);

signals:
    void entryWindowClosed();
    // 組合せ作成 stored new tickets: an open 購入記録 shows them at once.
    void ticketsAdded();

private:
    // Rebuilds `window` from the session on every reload, for as long as it lives.
    template <typename Window, typename Rebuild>
    void followHistory(Window* window, Rebuild rebuild);

    DrawSession& m_session;
    ChildWindowHost& m_host;
    QString m_ticketFile;
};
