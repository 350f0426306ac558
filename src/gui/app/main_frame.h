// MainFrm: the program's main window, a multiple-document frame whose menus open every other
// window as a child window, and which owns the draw snapshot and the prediction options.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>
#include <string>

#include "core/draws/draw_history.h"
#include "core/draws/draw_tables.h"
#include "core/prediction/prediction_options.h"
#include "gui/ui/message_titles.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QAction;
class HelpViewer;
class VersionWindow;
class EmptyHistoryGuide;
struct CsvImport;
enum class MergeMode;

inline const QString kCloseWindowsFirst =
    QStringLiteral("表示中のウィンドウを閉じないと実行できません。");
inline const QString kAnalysisNotAvailable = QStringLiteral("この分析はまだ利用できません。");
inline const QString kCloseEntryWindowFirst = QStringLiteral(
    "当選データ入力が当選データを使用中です。当選データ入力を閉じてから実行してください。");
// The help keyword the help command shows and looks up.
inline const QString kHelpKeyword = QStringLiteral("ポムランについて");

// Initial size of the client area (twips).
inline constexpr int kClientWidthTwips = 13875;
inline constexpr int kClientHeightTwips = 11190;

class MainFrm : public QMainWindow {
    Q_OBJECT
public:
    // programFolder is the folder the draw database Pomuran.mdb is looked for in; empty means
    // the folder of the running executable.
    explicit MainFrm(const QString& programFolder = QString(), QWidget* parent = nullptr);
    ~MainFrm() override;

    // Start-up: reads the settings file, builds the connection string and loads the draw
    // snapshot and tables, under the busy pointer. False, with the database engine's message in
    // *error, when the database cannot be opened or read.
    bool load(QString* error = nullptr);
    // load(), and on failure the engine's message in a critical message box; the caller then
    // ends the program.
    bool start();

    PredictionOptions& options() { return m_options; }
    const PredictionOptions& options() const { return m_options; }
    const DrawHistory& history() const { return m_history; }
    const DrawTables& tables() const { return m_tables; }
    const std::string& connectString() const { return m_connectString; }
    // True while no child window is open (a closed one counts as gone before its deletion).
    bool propEnd() const;

    // Opens the child window of a kind, one instance per kind: an open one is only brought
    // forward. Otherwise create() builds the content (under the busy pointer), which is shown in
    // a frame at the top-left corner of the client area with the given outer size; a fixed
    // frame cannot be resized and has no minimise or maximise button. Returns the frame, or
    // nullptr when create() gave nothing.
    QMdiSubWindow* showChildWindow(const QString& kind, const std::function<QWidget*()>& create,
                                   int widthTwips, int heightTwips, bool fixedFrame);
    // The open child window of a kind, or nullptr.
    QMdiSubWindow* childWindow(const QString& kind) const;
    QMdiArea* mdiArea() const { return m_mdiArea; }
    // The open help viewer and version window, or nullptr.
    HelpViewer* helpViewer() const;
    // The settings file read at start-up and written at exit; by default ポムラン.ini in the
    // working directory.
    void setSettingsFile(const std::string& path) { m_settingsFile = path; }
    // The server the draw data update downloads from; empty means the build's default.
    void setDownloadServer(const QString& server) { m_downloadServer = server; }
    VersionWindow* versionWindow() const;
    // The ticket file 組合せ作成 and 購入記録 use; the player's own (data folder) by default.
    void setTicketFile(const QString& file) { m_ticketFile = file; }
    const QString& ticketFile() const { return m_ticketFile; }
    // The file the update source is kept in; empty means the player's config folder.
    void setUpdateSourceFile(const QString& file) { m_updateSourceFile = file; }
    // Replaces the preview of a CSV import (tests): returns the player's choice, or nothing to
    // cancel.
    using ImportPreview = std::function<std::optional<MergeMode>(const CsvImport&, const QString&)>;
    void setImportPreview(ImportPreview preview) { m_importPreview = std::move(preview); }
    EmptyHistoryGuide* emptyHistoryGuide() const;

    // Reads the draw history again from the database and recomputes the tables; refreshes the
    // prediction window, rebuilds every open analysis window (keeping its scroll position) and
    // emits historyChanged(). On failure the previous snapshot stays and *error says why.
    bool reloadHistory(QString* error = nullptr);

public slots:
    void openAnalysis(const QString& windowName);
    void openPrediction();
    void openCombinationBuilder();
    void openTicketRegister();
    // 統計グラフ: charts of the history against the chance of a fair draw.
    void openStatistics();
    // Recounts an open 統計グラフ window from the current snapshot; call after the snapshot is
    // replaced (a reload of the draw history).
    void refreshStatisticsWindow();
    void openBacktest();
    void enterDrawData();
    void openEntryWindow();
    void updateDrawData();
    // データ管理 → CSVファイルから取り込み: file dialog, preview, then one transaction.
    void importCsv();
    // Reads, previews and writes one CSV file; false when nothing was written.
    bool importCsvFile(const QString& path);
    // データ管理 → CSVファイルへ書き出し.
    void exportCsv();
    // データ管理 → 設定: the update source.
    void editSettings();
    // The guide shown at start-up while the database holds no complete draw.
    void showEmptyHistoryGuide();
    void tileOneAboveTheOther();
    void tileSideBySide();
    void cascade();
    void arrangeIcons();
    void showHelp();
    void showVersion();
    // Runs each time the main window becomes the application's active window.
    void onActivated();

signals:
    // Emitted (before onActivated runs) each time the main window becomes the active window,
    // except when it comes back from one of its own message boxes.
    void activated();
    // Emitted after the draw history was reloaded (import, update, the entry window closed with
    // changes): windows that show results from history() and tables() rebuild on it.
    void historyChanged();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void showNotAvailable(const QString& text);
    // Previews the draws of a CSV file against the database and writes what the player chose.
    bool mergeCsv(const std::string& bytes, const QString& source);
    // reloadHistory(), telling the player when it fails.
    void reloadAndReport();
    // After the entry window closed: reload when the database no longer matches the snapshot.
    void reloadAfterEntry();
    bool entryWindowOpen() const;

    QString m_programFolder;
    std::string m_settingsFile = kSettingsFileName;
    QString m_downloadServer;
    QMdiArea* m_mdiArea = nullptr;
    PredictionOptions m_options;
    std::string m_connectString;
    DrawHistory m_history;
    DrawTables m_tables;
    bool m_returningFromMessage = false;
    bool m_exiting = false;
    // Kinds of child window whose content is being built: the busy pointer lets pending events
    // run, and an activation among them must not build a second window of the kind.
    QSet<QString> m_building;
    QPointer<HelpViewer> m_helpViewer;
    QPointer<VersionWindow> m_versionWindow;
    QPointer<EmptyHistoryGuide> m_guide;
    QString m_updateSourceFile;
    ImportPreview m_importPreview;

    QAction* m_endAction = nullptr;
    QAction* m_predictionAction = nullptr;
    QAction* m_combinationAction = nullptr;
    QAction* m_ticketRegisterAction = nullptr;
    QString m_ticketFile;
    QAction* m_backtestAction = nullptr;
    QList<QAction*> m_analysisActions;
    QAction* m_statisticsAction = nullptr;
    QAction* m_updateAction = nullptr;
    QAction* m_inputAction = nullptr;
    QAction* m_csvImportAction = nullptr;
    QAction* m_csvExportAction = nullptr;
    QAction* m_settingsAction = nullptr;
    QAction* m_tileHorizontalAction = nullptr;
    QAction* m_tileVerticalAction = nullptr;
    QAction* m_cascadeAction = nullptr;
    QAction* m_arrangeIconsAction = nullptr;
    QAction* m_helpFileAction = nullptr;
    QAction* m_aboutAction = nullptr;
};
