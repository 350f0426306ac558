// Draw history as CSV: the header names the columns (回数, 日付, 第1数字..第5数字, ボーナス数字).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "draws/draw_row.h"
#include "draws/result.h"

enum class CsvValues {
    // For import: number fields must be whole numbers (stored as integers) or empty (NULL); any
    // other value fails with the line it stands on.
    StrictNumbers,
    // For reading a CSV straight into a snapshot: a field in plain decimal form becomes a number,
    // anything else ("05", "abc") is kept as text, exactly as a database could hold it.
    AsWritten,
};

// Rows in file order.
Result<std::vector<DrawRow>> parseDrawCsv(std::string_view content, CsvValues values);
// Rows ordered as the program's query returns them: by 回数 ascending as numbers, rows without
// a numeric 回数 first, equal 回数 in file order.
std::vector<DrawRow> sortedByDrawNo(std::vector<DrawRow> rows);
// The CSV text of rows, header first, LF line ends.
std::string drawCsv(const std::vector<DrawRow>& rows);

Result<std::string> readTextFile(const std::string& path);
