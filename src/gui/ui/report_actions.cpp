#include "gui/ui/report_actions.h"

#include "core/grid/xlsx_export.h"
#include "gui/report/grid_report.h"
#include "gui/ui/grid_view.h"
#include "gui/ui/message_titles.h"

#include <QCursor>

#include "gui/ui/busy_pointer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

struct FileKind {
    ReportFile format;
    const char* menuText;
    const char* filter;
    const char* suffix;
};

constexpr FileKind kFileKinds[] = {
    {ReportFile::Pdf, "PDF で保存...", "PDF (*.pdf)", "pdf"},
    {ReportFile::Xlsx, "Excel ブックで保存...", "Excel ブック (*.xlsx)", "xlsx"},
    {ReportFile::Csv, "CSV で保存...", "CSV (*.csv)", "csv"},
    {ReportFile::Png, "画像 (PNG) で保存...", "PNG 画像 (*.png)", "png"},
};

const FileKind& kindOf(ReportFile format)
{
    for (const FileKind& kind : kFileKinds)
        if (kind.format == format) return kind;
    return kFileKinds[0];
}

// A file name from the caption, without the characters file systems refuse.
QString suggestedName(const WindowReport& report, const char* suffix)
{
    QString name =
        QString::fromStdString(report.caption.empty() ? report.windowName : report.caption);
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
    return name + QLatin1Char('.') + QLatin1String(suffix);
}

}  // namespace

ReportActions::ReportActions(QWidget* window, std::function<WindowReport()> report)
    : QObject(window), m_window(window), m_report(std::move(report))
{
    m_print = new QAction(QStringLiteral("印刷..."), this);
    m_print->setShortcut(QKeySequence::Print);
    // Ctrl+P works wherever the focus is inside the window, and only there (other windows of
    // the main frame have their own).
    m_print->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_print, &QAction::triggered, this, &ReportActions::printPreview);
    window->addAction(m_print);
    m_menu.append(m_print);
    for (const FileKind& kind : kFileKinds) {
        auto* action = new QAction(QString::fromUtf8(kind.menuText), this);
        const ReportFile format = kind.format;
        connect(action, &QAction::triggered, this, [this, format] { saveAs(format); });
        m_menu.append(action);
    }
}

void ReportActions::attachTo(GridView* grid)
{
    // The view handles Ctrl+C itself; the menu only names the key.
    auto* copy = new QAction(QStringLiteral("コピー\tCtrl+C"), grid);
    connect(copy, &QAction::triggered, grid, &GridView::copySelection);
    auto* separator = new QAction(grid);
    separator->setSeparator(true);
    grid->addAction(copy);
    grid->addAction(separator);
    grid->addActions(m_menu);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ReportActions::printPreview()
{
    const GridReport report(m_report());
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(report.report().caption));
    printer.setPageOrientation(report.prefersLandscape() ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    QPrintPreviewDialog dialog(&printer, m_window);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー - ") + printer.docName());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        const BusyPointer busy;
        Status printed = report.print(*target);
        if (printed && target->printerState() == QPrinter::Error)
            printed = Error{"プリンターがエラーを返しました。"};
        if (!printed)
            QMessageBox::warning(m_window, kMessageTitle,
                                 QStringLiteral("印刷できませんでした。\n") +
                                     QString::fromStdString(printed.error()));
    });
    dialog.resize(900, 700);
    dialog.exec();
}

void ReportActions::saveAs(ReportFile format)
{
    const WindowReport report = m_report();
    const FileKind& kind = kindOf(format);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(
        m_window, QString::fromUtf8(kind.menuText).remove(QStringLiteral("...")),
        QDir(folder).filePath(suggestedName(report, kind.suffix)), QString::fromUtf8(kind.filter));
    if (path.isEmpty()) return;
    if (!path.endsWith(QLatin1Char('.') + QLatin1String(kind.suffix), Qt::CaseInsensitive))
        path += QLatin1Char('.') + QLatin1String(kind.suffix);
    const Status saved = save(report, format, path, m_window);
    if (!saved && saved.error() != kSaveCancelled)
        QMessageBox::warning(m_window, kMessageTitle, QString::fromStdString(saved.error()));
}

Status ReportActions::save(const WindowReport& report, ReportFile format, const QString& path,
                           QWidget* parent)
{
    QProgressDialog progress(QStringLiteral("保存しています..."), QStringLiteral("キャンセル"), 0,
                             1000, parent);
    progress.setWindowTitle(kMainTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);  // quick saves show no dialog at all
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    const SaveProgress step = [&progress](double done) {
        progress.setValue(static_cast<int>(done * 1000));
        QApplication::processEvents();
        return !progress.wasCanceled();
    };
    const std::string destination = path.toStdString();
    switch (format) {
    case ReportFile::Pdf:
        return saveReportPdf(report, destination, step);
    case ReportFile::Png:
        return saveReportPng(report, destination, step);
    case ReportFile::Xlsx:
        return saveXlsx(report.combinedGrid(), report.windowName, destination, step);
    case ReportFile::Csv:
        return saveCsvWithBom(report.combinedGrid(), destination, step);
    }
    return Error{"unknown format"};
}
