// `pomuran-cli show WINDOW --output FILE`: a window's report written to a file (PDF, Excel
// workbook, PNG, CSV with byte order mark, or the text forms).
#pragma once

#include <functional>
#include <string>

#include "cli/show_window.h"
#include "core/base/result.h"
#include "core/report/window_report.h"

// What the window shows, with its caption and draw range.
WindowReport shownWindowReport(const ShowRequest& request, const DrawHistory& history);

// Writes the formats that need Qt's painting (PDF, PNG). The command line itself has no Qt:
// pomuran-cli installs this when it is built with the report library.
using PaintedFileWriter =
    std::function<Status(const WindowReport&, ShowFormat, const std::string& destination)>;
void setPaintedFileWriter(PaintedFileWriter writer);
bool needsPainting(ShowFormat format);

// Writes the request's format to `destination`; the file appears only when complete.
Status saveShownWindow(const ShowRequest& request, const DrawHistory& history,
                       const std::string& destination);
