#include "gui/maintenance/draw_update_dialog.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QProgressDialog>

#include <algorithm>

#include "gui/maintenance/csv_import_dialog.h"
#include "gui/maintenance/update_source_dialog.h"
#include "gui/ui/busy_pointer.h"
#include "gui/ui/message_titles.h"

UpdateResult runDrawUpdate(QWidget* parent, UpdateOptions options,
                           const std::filesystem::path& settingsFile)
{
    if (options.server.empty()) {
        // A fresh installation has no source: rather than fail, ask for one.
        UpdateSourceDialog settings(settingsFile, parent);
        settings.setExplanation(
            QStringLiteral("当選データ最新化の取得先がまだ設定されていません。抽せん結果の CSV "
                           "ファイルのアドレス（例: https://example.jp/results.csv）か、当選データ"
                           "ファイルのアドレス（例: https://example.jp/Pomuran.mdb）を入れて OK "
                           "を押すと、最新化を始めます。"));
        if (settings.exec() == QDialog::Accepted) options.server = loadUpdateSource(settingsFile);
        if (options.server.empty()) return {UpdateOutcome::NoSource, noUpdateSourceMessage(), {}};
    }
    QProgressDialog progress(QStringLiteral("当選データをダウンロードしています…"),
                             QStringLiteral("キャンセル"), 0, 0, parent);
    progress.setWindowTitle(kMainTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    options.progress = [&progress](std::int64_t received, std::int64_t total) {
        // Without a Content-Length the bar stays a busy indicator.
        if (total > 0) {
            progress.setMaximum(1000);
            progress.setValue(
                static_cast<int>(std::min<std::int64_t>(received * 1000 / total, 1000)));
        }
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    // A download that lacks stored draws is shown in the import preview first: 追加・更新 keeps
    // them, 全て置き換え lets the download replace them.
    if (!options.missingDraws)
        options.missingDraws = [parent, &progress](const CsvImport& preview) {
            progress.hide();
            CsvImportDialog dialog(preview, QStringLiteral("ダウンロードした当選データファイル"),
                                   parent);
            if (dialog.exec() != QDialog::Accepted) return MissingDrawsChoice::Cancel;
            return dialog.chosenMode() == MergeMode::ReplaceAll ? MissingDrawsChoice::Replace
                                                                : MissingDrawsChoice::Keep;
        };
    UpdateResult result;
    {
        BusyPointer busy;
        progress.show();
        result = updateDrawDatabase(options);
    }
    progress.close();

    if (result.outcome == UpdateOutcome::CsvDownloaded) return result;
    const QString message = QString::fromStdString(result.message);
    if (result.outcome == UpdateOutcome::Failed) {
        QMessageBox::critical(parent, kMessageTitle, message, QMessageBox::Ok);
    } else {
        QMessageBox box(QMessageBox::NoIcon, kMainTitle, message, QMessageBox::Ok, parent);
        box.exec();
    }
    return result;
}
