// GridReport: a window's report painted on pages (printer, PDF) and as a picture. Every page
// has a header (caption, draw range, print date), the grid's frozen rows and columns, and
// "n / N" at the foot; a window of several grids (一発ボボーン) prints them on one page.
#pragma once

#include <QDateTime>

#include <string>

#include "core/base/result.h"
#include "core/grid/page_layout.h"
#include "core/grid/save_progress.h"
#include "core/report/window_report.h"

class QPagedPaintDevice;

class GridReport {
public:
    explicit GridReport(WindowReport report, QDateTime printed = QDateTime::currentDateTime());

    const WindowReport& report() const { return m_report; }
    // Landscape suits a grid wider than tall.
    bool prefersLandscape() const;
    // How the grid is cut into pages of the device's page (a window of several grids: one page).
    PageLayout pageLayout(const QPagedPaintDevice& device) const;
    // Paints every page on the device (QPrinter, QPdfWriter); stops when progress says so.
    Status print(QPagedPaintDevice& device, const SaveProgress& progress = {}) const;

private:
    struct Bands {
        int header = 0, footer = 0;  // device pixels
    };
    Bands bands(const QPagedPaintDevice& device) const;

    WindowReport m_report;
    QDateTime m_printed;
};

// A4 pages, landscape when the grid prefers it, 10 mm margins; text stays text.
Status saveReportPdf(const WindowReport& report, const std::string& destination,
                     const SaveProgress& progress = {});
// The pages saveReportPdf makes of the report.
PageLayout pdfPageLayout(const WindowReport& report);
// The whole grid (every section's, one below the other) as a picture at screen size.
Status saveReportPng(const WindowReport& report, const std::string& destination,
                     const SaveProgress& progress = {});
