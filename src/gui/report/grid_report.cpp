#include "gui/report/grid_report.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/base/file_replacement.h"
#include "gui/report/grid_font.h"
#include "gui/report/grid_painter.h"
#include "gui/report/palette_color.h"

namespace {

constexpr double kScreenDpi = 96;
constexpr double kHeaderPoints = 10;
// Pictures bigger than this (pixels) would take hundreds of megabytes; PDF suits them.
constexpr qint64 kMaxPicturePixels = 60'000'000;
constexpr int kPictureStrip = 1024;  // rows of pixels painted between progress reports

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

// The grid font at its screen size in pixels, so that it scales with the page as the cells do.
QFont pageGridFont()
{
    QFont font = gridFont();
    font.setPixelSize(static_cast<int>(std::lround(font.pointSizeF() * kScreenDpi / 72)));
    return font;
}

QFont headerFont(double dpi, bool bold = false)
{
    QFont font = gridFont();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(kHeaderPoints * dpi / 72))));
    font.setBold(bold);
    return font;
}

// The frozen corner, frozen rows, frozen columns and body of one page, painted from the grid
// pixel origin (the painter already scaled to the page).
void paintGridPage(QPainter& painter, GridPainter& cells, const GridGeometry& geometry,
                   const CellRange& body)
{
    const int fc = geometry.frozenColumns(), fr = geometry.frozenRows();
    const int columns = geometry.columnCount(), rows = geometry.rowCount();
    const int fw = geometry.frozenWidth(), fh = geometry.frozenHeight();
    const int bodyWidth = geometry.columnLeft(body.col2 + 1) - geometry.columnLeft(body.col1);
    const int bodyHeight = geometry.rowTop(body.row2 + 1) - geometry.rowTop(body.row1);
    const int shiftX = geometry.columnLeft(body.col1) - fw;
    const int shiftY = geometry.rowTop(body.row1) - fh;
    struct Part {
        QRect rect;
        int offsetX, offsetY;
        CellRange cells, area;
    };
    const Part parts[] = {
        {QRect(0, 0, fw, fh), 0, 0, CellRange{1, 1, fc, fr}, CellRange{1, 1, fc, fr}},
        {QRect(fw, 0, bodyWidth, fh), shiftX, 0, CellRange{body.col1, 1, body.col2, fr},
         CellRange{fc + 1, 1, columns, fr}},
        {QRect(0, fh, fw, bodyHeight), 0, shiftY, CellRange{1, body.row1, fc, body.row2},
         CellRange{1, fr + 1, fc, rows}},
        {QRect(fw, fh, bodyWidth, bodyHeight), shiftX, shiftY, body,
         CellRange{fc + 1, fr + 1, columns, rows}},
    };
    for (const Part& part : parts) {
        if (part.cells.empty() || part.rect.isEmpty()) continue;
        painter.save();
        painter.setClipRect(part.rect, Qt::IntersectClip);
        painter.translate(-part.offsetX, -part.offsetY);
        cells.paintCells(painter, part.cells, part.area);
        painter.restore();
    }
}

Status writeFailure(const std::string& destination, const QString& reason)
{
    return Error{destination + " に保存できません: " + reason.toStdString()};
}

// A4, 10 mm margins, landscape for a grid that prefers it.
void setUpPdf(QPdfWriter& writer, const GridReport& report)
{
    writer.setTitle(qs(report.report().caption));
    writer.setCreator(QStringLiteral("ポムランLite"));
    writer.setResolution(600);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4),
                    report.prefersLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
}

}  // namespace

GridReport::GridReport(WindowReport report, QDateTime printed)
    : m_report(std::move(report)), m_printed(std::move(printed))
{
}

bool GridReport::prefersLandscape() const
{
    if (m_report.sections.size() != 1) return false;
    return ::prefersLandscape(GridGeometry(m_report.sections.front().grid, gridFontWidths()));
}

GridReport::Bands GridReport::bands(const QPagedPaintDevice& device) const
{
    const double dpi = device.logicalDpiY();
    const int line = QFontMetrics(headerFont(dpi, true)).height();
    return {line * 2 + line / 2, line + line / 2};
}

PageLayout GridReport::pageLayout(const QPagedPaintDevice& device) const
{
    if (m_report.sections.size() != 1) {
        PageLayout single;
        single.pages.push_back({CellRange{}, 1});
        return single;
    }
    const Bands b = bands(device);
    PageSpec spec;
    spec.width = device.width();
    spec.height = std::max(1, device.height() - b.header - b.footer);
    spec.unitsPerPixel = device.logicalDpiX() / kScreenDpi;
    return layoutPages(GridGeometry(m_report.sections.front().grid, gridFontWidths()), spec);
}

Status GridReport::print(QPagedPaintDevice& device, const SaveProgress& progress) const
{
    const PageLayout layout = pageLayout(device);
    QPainter painter;
    if (!painter.begin(&device)) return Error{"印刷を始められません。"};
    const double dpi = device.logicalDpiY();
    const Bands b = bands(device);
    const int width = device.width(), height = device.height();
    const QFont title = headerFont(dpi, true), plain = headerFont(dpi);
    const int line = QFontMetrics(title).height();
    const QString printed = QStringLiteral("印刷日: ") + m_printed.toString("yyyy/MM/dd HH:mm");
    const int total = layout.pageCount();

    // Grids and their painters live across pages: texts are measured once.
    std::vector<GridGeometry> geometries;
    geometries.reserve(m_report.sections.size());
    for (const ReportSection& section : m_report.sections)
        geometries.emplace_back(section.grid, gridFontWidths());
    std::vector<std::unique_ptr<GridPainter>> painters;
    for (std::size_t s = 0; s < geometries.size(); ++s) {
        painters.push_back(std::make_unique<GridPainter>(m_report.sections[s].grid, geometries[s],
                                                         pageGridFont()));
        painters.back()->setPaperColor(kWhite);
    }

    for (const PageCells& page : layout.pages) {
        if (progress && !progress(static_cast<double>(page.number - 1) / total)) {
            painter.end();
            return Error{kSaveCancelled};
        }
        if (page.number > 1 && !device.newPage()) {
            painter.end();
            return Error{"次のページを始められません。"};
        }
        painter.setPen(toQColor(kBlack));
        painter.setFont(title);
        painter.drawText(QRect(0, 0, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                         qs(m_report.caption));
        painter.setFont(plain);
        painter.drawText(QRect(0, 0, width, line), Qt::AlignRight | Qt::AlignVCenter, printed);
        painter.drawText(QRect(0, line, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                         qs(m_report.drawRange));
        painter.drawText(QRect(0, height - line, width, line), Qt::AlignHCenter | Qt::AlignVCenter,
                         QStringLiteral("%1 / %2").arg(page.number).arg(total));

        if (m_report.sections.size() == 1) {
            const GridGeometry& geometry = geometries.front();
            painter.save();
            painter.translate(0, b.header);
            painter.setClipRect(QRect(0, 0, width, height - b.header - b.footer));
            painter.scale(layout.scale, layout.scale);
            paintGridPage(painter, *painters.front(), geometry, page.body);
            painter.restore();
            continue;
        }

        // Several grids: the notes (options in force) on the left, the grids with their titles
        // on the right, scaled down together when they do not fit.
        const int top = b.header;
        const int room = height - b.header - b.footer;
        const int notesWidth = width * 2 / 5;
        int noteY = top;
        for (const std::string& note : m_report.notes) {
            painter.drawText(QRect(0, noteY, notesWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                             qs(note));
            noteY += line;
        }
        const double full = device.logicalDpiX() / kScreenDpi;
        double needed = 0, widest = 0;
        for (std::size_t s = 0; s < geometries.size(); ++s) {
            needed += line + geometries[s].totalHeight() * full + line / 2.0;
            widest = std::max(widest, geometries[s].totalWidth() * full);
        }
        const double fit = std::min(
            {1.0, room / std::max(1.0, needed), (width - notesWidth) / std::max(1.0, widest)});
        double y = top;
        for (std::size_t s = 0; s < geometries.size(); ++s) {
            painter.setFont(plain);
            painter.drawText(QRectF(notesWidth, y, width - notesWidth, line * fit),
                             Qt::AlignLeft | Qt::AlignVCenter, qs(m_report.sections[s].title));
            y += line * fit;
            painter.save();
            painter.translate(notesWidth, y);
            painter.scale(full * fit, full * fit);
            const GridGeometry& g = geometries[s];
            painters[s]->paintCells(painter, CellRange{1, 1, g.columnCount(), g.rowCount()},
                                    CellRange{1, 1, g.columnCount(), g.rowCount()});
            painter.restore();
            y += (g.totalHeight() * full + line / 2.0) * fit;
        }
    }
    if (progress) progress(1.0);
    if (!painter.end()) return Error{"印刷を終えられません。"};
    return success();
}

Status saveReportPdf(const WindowReport& report, const std::string& destination,
                     const SaveProgress& progress)
{
    auto pending = FileReplacement::begin(destination, "save");
    if (!pending) return Error{pending.error()};
    // Painted into memory and written through the replacement, which checks every write: a
    // full disk fails the save and leaves the old file, instead of a PDF without its end.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const GridReport printer(report);
        QPdfWriter writer(&buffer);
        setUpPdf(writer, printer);
        const Status printed = printer.print(writer, progress);
        if (!printed) return printed;
    }
    if (Status written = pending->write(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        !written)
        return written;
    return pending->commit();
}

PageLayout pdfPageLayout(const WindowReport& report)
{
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    QPdfWriter writer(&nowhere);
    const GridReport printer(report);
    setUpPdf(writer, printer);
    return printer.pageLayout(writer);
}

Status saveReportPng(const WindowReport& report, const std::string& destination,
                     const SaveProgress& progress)
{
    const ResultGrid grid = report.combinedGrid();
    const GridGeometry geometry(grid, gridFontWidths());
    const int width = std::max(1, geometry.totalWidth());
    const int height = std::max(1, geometry.totalHeight());
    if (static_cast<qint64>(width) * height > kMaxPicturePixels)
        return Error{"表が大きすぎて画像にできません (" + std::to_string(width) + " x " +
                     std::to_string(height) + " ピクセル)。PDF で保存してください。"};
    auto pending = FileReplacement::begin(destination, "save");
    if (!pending) return Error{pending.error()};

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return Error{"画像を作るメモリが足りません。"};
    image.fill(toQColor(kWhite));
    {
        QPainter painter(&image);
        GridPainter cells(grid, geometry, pageGridFont());
        const CellRange all{1, 1, geometry.columnCount(), geometry.rowCount()};
        for (int y = 0; y < height; y += kPictureStrip) {
            if (progress && !progress(static_cast<double>(y) / height))
                return Error{kSaveCancelled};
            const PixelRect strip{0, y, width, std::min(kPictureStrip, height - y)};
            const CellRange range = geometry.cellsIn(strip, all);
            if (range.empty()) continue;
            painter.save();
            painter.setClipRect(QRect(strip.x, strip.y, strip.width, strip.height));
            cells.paintCells(painter, range, all);
            painter.restore();
        }
    }
    QImageWriter writer(qs(pending->temporaryPath()), "png");
    if (!writer.write(image)) return writeFailure(destination, writer.errorString());
    if (progress) progress(1.0);
    return pending->commit();
}
