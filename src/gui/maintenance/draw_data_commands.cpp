#include "gui/maintenance/draw_data_commands.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>

#include "core/base/cp932.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"
#include "core/draws/draw_database_lock.h"
#include "core/draws/draw_merge.h"
#include "core/draws/import_draws.h"
#include "core/maintenance/draw_update.h"
#include "core/maintenance/update_source.h"
#include "gui/maintenance/csv_import_dialog.h"
#include "gui/maintenance/draw_update_dialog.h"
#include "gui/maintenance/empty_history_guide.h"
#include "gui/maintenance/entry_window.h"
#include "gui/maintenance/update_source_dialog.h"
#include "gui/session/draw_session.h"
#include "gui/ui/busy_pointer.h"
#include "gui/ui/message_titles.h"

DrawDataCommands::DrawDataCommands(DrawSession& session, std::function<bool()> entryWindowOpen,
                                   QWidget* window, QString downloadServer,
                                   ImportPreview importPreview)
    : QObject(window), m_session(session), m_entryWindowOpen(std::move(entryWindowOpen)),
      m_window(window), m_downloadServer(std::move(downloadServer)),
      m_importPreview(std::move(importPreview))
{
    connect(&m_session, &DrawSession::historyChanged, this, [this] {
        if (m_guide && holdsDraws(m_session.history().rows())) m_guide->close();
    });
}

EmptyHistoryGuide* DrawDataCommands::emptyHistoryGuide() const
{
    return m_guide.data();
}

bool DrawDataCommands::fail(const QString& text) const
{
    QMessageBox::critical(m_window, kMessageTitle, text, QMessageBox::Ok);
    return false;
}

bool DrawDataCommands::entryWindowOpen() const
{
    return m_entryWindowOpen && m_entryWindowOpen();
}

void DrawDataCommands::updateDrawData()
{
    if (entryWindowOpen()) {
        fail(kCloseEntryWindowFirst);
        return;
    }
    UpdateOptions options;
    options.server =
        !m_downloadServer.isEmpty() ? m_downloadServer.toStdString() : loadUpdateSource();
    // The database this program reads, never a fixed installation path.
    options.destination = QDir(m_session.programFolder())
                              .filePath(QString::fromUtf8(kDatabaseFileName))
                              .toStdString();

    if (m_importPreview)
        options.missingDraws = [this](const CsvImport& preview) {
            const auto mode = m_importPreview(preview, QStringLiteral("ダウンロード"));
            return !mode                            ? MissingDrawsChoice::Cancel
                   : *mode == MergeMode::ReplaceAll ? MissingDrawsChoice::Replace
                                                    : MissingDrawsChoice::Keep;
        };
    const UpdateResult result = runDrawUpdate(m_window, std::move(options));
    // A CSV source is merged through the same preview as a CSV file; a new database file is
    // read at once.
    if (result.outcome == UpdateOutcome::CsvDownloaded)
        mergeCsv(result.csv, QString::fromStdString(result.message));
    else if (result.outcome == UpdateOutcome::Updated)
        reloadAndReport();
}

void DrawDataCommands::importCsv()
{
    if (entryWindowOpen()) {
        fail(kCloseEntryWindowFirst);
        return;
    }
    const QString path = QFileDialog::getOpenFileName(
        m_window, QStringLiteral("取り込む CSV ファイル"), QString(),
        QStringLiteral("CSV ファイル (*.csv *.txt *.tsv);;すべてのファイル (*)"));
    if (!path.isEmpty()) importCsvFile(path);
}

bool DrawDataCommands::importCsvFile(const QString& path)
{
    if (entryWindowOpen()) return fail(kCloseEntryWindowFirst);
    Result<std::string> bytes = readTextFile(path.toStdString());
    if (!bytes) return fail(QString::fromStdString(bytes.error()));
    return mergeCsv(bytes.value(), QFileInfo(path).fileName());
}

bool DrawDataCommands::mergeCsv(const std::string& bytes, const QString& source)
{
    std::optional<DrawImport> import;
    {
        BusyPointer busy;
        auto read = readDrawCsv(bytes, CsvValues::StrictNumbers, CsvEncoding::Detect);
        if (!read)
            return fail(source + QStringLiteral(": ") + QString::fromStdString(read.error()));
        // The lock is held from reading what is stored, through the preview, to the write, so
        // that nobody's draws written meanwhile are lost to a preview made before them.
        auto prepared = DrawImport::prepare(m_session.connectString(), std::move(read.value()));
        if (!prepared) return fail(QString::fromStdString(prepared.error()));
        import.emplace(std::move(prepared.value()));
    }
    std::optional<MergeMode> mode;
    if (m_importPreview) {
        mode = m_importPreview(import->plan(), source);
    } else {
        CsvImportDialog preview(import->plan(), source, m_window);
        if (preview.exec() == QDialog::Accepted) mode = preview.chosenMode();
    }
    if (!mode) return false;
    std::optional<ImportOutcome> outcome;
    {
        // The file is written as one transaction: all of it or, on any failure, nothing.
        BusyPointer busy;
        auto applied = import->apply(*mode);
        if (!applied) return fail(QString::fromStdString(applied.error()));
        outcome = applied.value();
    }
    import.reset();  // lets go of the lock before the windows read the new history
    reloadAndReport();
    const MergeSummary& summary = outcome->summary;
    QString done =
        *mode == MergeMode::ReplaceAll
            ? QStringLiteral("当選データを %1 回分に置き換えました。").arg(outcome->rows)
            : QStringLiteral("当選データを取り込みました（追加 %1、更新 %2、変更なし %3）。")
                  .arg(summary.added)
                  .arg(summary.replaced)
                  .arg(summary.unchanged);
    if (summary.removed > 0) done += QStringLiteral("（%1 行を削除しました）").arg(summary.removed);
    QMessageBox::information(m_window, kMainTitle, done, QMessageBox::Ok);
    return true;
}

void DrawDataCommands::exportCsv()
{
    const QString utf8Filter = QStringLiteral("CSV ファイル UTF-8 (*.csv)");
    const QString cp932Filter = QStringLiteral("CSV ファイル Shift_JIS・表計算ソフト向け (*.csv)");
    QString chosenFilter = utf8Filter;
    QString path = QFileDialog::getSaveFileName(
        m_window, QStringLiteral("当選データの書き出し先"), QStringLiteral("当選データ.csv"),
        utf8Filter + QStringLiteral(";;") + cp932Filter, &chosenFilter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    auto database = DrawDatabase::open(m_session.connectString());
    auto rows =
        database ? database->readAllDraws() : Result<std::vector<DrawRow>>(Error{database.error()});
    if (!rows) {
        fail(QString::fromStdString(rows.error()));
        return;
    }
    std::string text = drawCsv(rows.value());
    if (chosenFilter == cp932Filter) {
        auto converted = utf8ToCp932(text);
        if (!converted) {
            fail(QStringLiteral("Shift_JIS で書けない文字を含む当選データがあります。"));
            return;
        }
        text = std::move(*converted);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        fail(QStringLiteral("%1 に書き出せませんでした（%2）。").arg(path, file.errorString()));
        return;
    }
    QMessageBox::information(m_window, kMainTitle,
                             QStringLiteral("当選データ %1 行を %2 に書き出しました。")
                                 .arg(rows->size())
                                 .arg(QDir::toNativeSeparators(path)),
                             QMessageBox::Ok);
}

void DrawDataCommands::editSettings()
{
    UpdateSourceDialog dialog(updateSourceFile(), m_window);
    dialog.exec();
}

void DrawDataCommands::showEmptyHistoryGuide()
{
    if (holdsDraws(m_session.history().rows())) return;
    if (!m_guide) {
        m_guide = new EmptyHistoryGuide(m_window);
        m_guide->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_guide, &EmptyHistoryGuide::loadCsvRequested, this, &DrawDataCommands::importCsv);
        connect(m_guide, &EmptyHistoryGuide::typeDrawsRequested, this,
                &DrawDataCommands::typeDrawsRequested);
        connect(m_guide, &EmptyHistoryGuide::updateRequested, this,
                &DrawDataCommands::updateDrawData);
    }
    m_guide->show();
    m_guide->raise();
}

void DrawDataCommands::reloadAndReport()
{
    QString error;
    if (m_session.reload(&error)) return;
    fail(
        QStringLiteral("当選データを読み直せませんでした。前の当選データのまま表示しています。\n%1")
            .arg(error));
}

void DrawDataCommands::reloadAfterEntry()
{
    QString error;
    if (m_session.reloadIfChanged(&error)) return;
    fail(
        QStringLiteral("当選データを読み直せませんでした。前の当選データのまま表示しています。\n%1")
            .arg(error));
}
