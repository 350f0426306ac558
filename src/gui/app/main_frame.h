// MainFrm: the program's main window, a multiple-document frame whose menus open every other
// window as a child window. The draw session, the child windows, the window host and the data
// commands are its parts; it keeps the widgets, the menu, the arrangement, activation, the
// status bar and exit.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <string>

#include "core/draws/data_locations.h"
#include "gui/app/activation_rule.h"
#include "gui/app/child_window_host.h"
#include "gui/app/main_window_geometry.h"
#include "gui/maintenance/draw_data_commands.h"
#include "gui/session/draw_session.h"
#include "gui/ui/message_titles.h"

class ChildWindows;
class HelpViewer;
class QMdiArea;
class QMdiSubWindow;
class QWindow;
class VersionWindow;
class EmptyHistoryGuide;
enum class MenuCommand;

inline const QString kCloseWindowsFirst =
    QStringLiteral("表示中のウィンドウを閉じないと実行できません。");
// The help keyword the help command shows and looks up.
inline const QString kHelpKeyword = QStringLiteral("ポムランについて");

// What start-up (and a test) chooses for the main window.
struct MainFrmSetup {
    QString programFolder;  // where Pomuran.mdb is; empty means beside the executable
    std::string settingsFile = kSettingsFileName;  // the prediction options, read and written
    QString ticketFile;  // 組合せ作成 and 購入記録; empty means the player's data folder
    QString downloadServer;  // the update's server; empty means the update source
    DrawDataCommands::ImportPreview importPreview;  // empty means the preview dialog
    // The QSettings file the window's size and state are remembered in; empty remembers
    // nothing.
    QString windowStateFile;
};

class MainFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrm(const QString& programFolder = QString(), QWidget* parent = nullptr);
    explicit MainFrm(MainFrmSetup setup, QWidget* parent = nullptr);
    ~MainFrm() override;

    // Start-up: reads the settings file, then loads the draw session under the busy pointer.
    // False, with the database engine's message in *error, when the database cannot be read.
    bool load(QString* error = nullptr);
    // load(), and on failure the engine's message in a critical message box; the caller then
    // ends the program.
    bool start();

    DrawSession& session() const { return *m_session; }
    PredictionOptions& options() { return m_session->options(); }
    const DrawHistory& history() const { return m_session->history(); }
    const DrawTables& tables() const { return m_session->tables(); }
    const std::string& connectString() const { return m_session->connectString(); }
    ChildWindowHost& host() const { return *m_host; }
    DrawDataCommands& dataCommands() const { return *m_data; }
    // True while no child window is open.
    bool propEnd() const { return m_host->propEnd(); }
    QMdiSubWindow* childWindow(const QString& kind) const { return m_host->window(kind); }
    QMdiArea* mdiArea() const { return m_mdiArea; }
    HelpViewer* helpViewer() const;
    VersionWindow* versionWindow() const;
    EmptyHistoryGuide* emptyHistoryGuide() const { return m_data->emptyHistoryGuide(); }

signals:
    // Each time the main window becomes active at start-up or on a return from another window
    // of the program, just before the prediction command runs.
    void activated();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void run(MenuCommand command, const QString& window);
    void enterDrawData();
    void openEntryWindow();
    void showHelp();
    void showVersion();
    void onActivated();
    void noteFocusWindow(QWindow* window);
    void noteOwnWindowClosed();

private:
    friend struct MainFrmTestSeam;

    MainFrmSetup m_setup;
    QMdiArea* m_mdiArea = nullptr;
    DrawSession* m_session = nullptr;
    ChildWindowHost* m_host = nullptr;
    ChildWindows* m_windows = nullptr;
    DrawDataCommands* m_data = nullptr;
    QPointer<HelpViewer> m_helpViewer;
    QPointer<VersionWindow> m_versionWindow;
    bool m_exiting = false;
    bool m_activatedOnce = false;
    // What had the focus since the main window last was active.
    ActivationBetween m_between = ActivationBetween::Nothing;
};
