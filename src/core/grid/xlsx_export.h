// Spreadsheet files of a result grid: an Excel workbook (.xlsx) that looks like the grid on
// screen, and CSV in UTF-8 with a byte order mark so that spreadsheet programs read the Japanese.
#pragma once

#include <string>
#include <string_view>

#include "core/base/result.h"
#include "core/grid/result_grid.h"
#include "core/grid/save_progress.h"

// One worksheet named after the window: whole numbers as numbers, other texts as texts, colours,
// borders, column widths, row heights and frozen panes as the grid has them. Rows are streamed
// to disk (constant memory), so a grid of a million cells is not held twice. The destination
// appears only when the workbook is complete.
Status saveXlsx(const ResultGrid& grid, std::string_view sheetName, const std::string& destination,
                const SaveProgress& progress = {});

// Every cell's text as CSV, after a UTF-8 byte order mark.
Status saveCsvWithBom(const ResultGrid& grid, const std::string& destination,
                      const SaveProgress& progress = {});

// A name Excel accepts for a sheet: at most 31 characters, none of []:*?/\ and not empty.
std::string xlsxSheetName(std::string_view windowName);
