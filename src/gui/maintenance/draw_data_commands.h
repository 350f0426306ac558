// The commands of データ管理 that read or write the draw database as a whole: the update, the
// CSV import with its preview, the CSV export, the update-source settings, the guide shown on
// an empty database, and the reload with its message when it fails.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class DrawSession;
class EmptyHistoryGuide;
class QWidget;
struct CsvImport;
enum class MergeMode;

inline const QString kCloseEntryWindowFirst = QStringLiteral(
    "当選データ入力が当選データを使用中です。当選データ入力を閉じてから実行してください。");

class DrawDataCommands : public QObject {
    Q_OBJECT
public:
    // Replaces the preview of a CSV import (tests): the player's choice, or nothing to cancel.
    using ImportPreview = std::function<std::optional<MergeMode>(const CsvImport&, const QString&)>;
    // downloadServer empty means the update source the player set (or the build's default);
    // an empty preview means the preview dialog.
    // entryWindowOpen tells whether 当選データ入力 is open (its draws are not written yet).
    DrawDataCommands(DrawSession& session, std::function<bool()> entryWindowOpen, QWidget* window,
                     QString downloadServer = QString(), ImportPreview importPreview = {});

    void updateDrawData();
    // データ管理 → CSVファイルから取り込み: file dialog, preview, then one transaction.
    void importCsv();
    // Reads, previews and writes one CSV file; false when nothing was written.
    bool importCsvFile(const QString& path);
    // データ管理 → CSVファイルへ書き出し.
    void exportCsv();
    // データ管理 → 設定: the update source.
    void editSettings();
    // The guide shown at start-up while the database holds no complete draw; closes itself
    // once draws arrive.
    void showEmptyHistoryGuide();
    EmptyHistoryGuide* emptyHistoryGuide() const;
    // Reloads the history, telling the player when it fails.
    void reloadAndReport();
    // After the entry window closed: reload when the database no longer matches the snapshot.
    void reloadAfterEntry();

signals:
    // The guide's buttons that belong to the main window.
    void typeDrawsRequested();

private:
    // Previews the draws of a CSV file against the database and writes what the player chose.
    bool mergeCsv(const std::string& bytes, const QString& source);
    bool entryWindowOpen() const;
    bool fail(const QString& text) const;

    DrawSession& m_session;
    std::function<bool()> m_entryWindowOpen;
    QWidget* m_window;
    QString m_downloadServer;
    ImportPreview m_importPreview;
    QPointer<EmptyHistoryGuide> m_guide;
};
