// Draw history as CSV: the one reader for every file a player brings (the program's import, the
// command line, a CSV update source) and the writer of the program's own export shape.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/result.h"
#include "core/draws/draw_prizes.h"
#include "core/draws/draw_row.h"

enum class CsvValues {
    // For import: every line is checked (numbers 1..31, no repeats, draw numbers 1..32767, one
    // draw per draw number, field counts, quotes); a line that breaks a rule is rejected with its
    // line number and the reason, and the other lines are still read.
    StrictNumbers,
    // For reading a CSV straight into a snapshot: a field in plain decimal form becomes a number,
    // anything else ("05", "abc") is kept as text, exactly as a database could hold it.
    AsWritten,
};

enum class CsvEncoding {
    Detect,  // UTF-8 (with or without BOM) when the bytes are valid UTF-8, else CP932
    Utf8,
    Cp932,
};

// A line of the file that was not taken, and why (Japanese, ready to show the player).
struct CsvRejection {
    int line = 0;  // 1-based line of the file where the record starts
    std::string reason;
};

struct DrawCsv {
    std::vector<DrawRow> rows;  // accepted rows, in file order
    std::vector<CsvRejection> rejected;
    // Prize data of the accepted draws whose lines carry any, in file order.
    std::vector<DrawPrizes> prizes;
    // Prize fields that are not amounts ("line N: 1等賞金 '未定' …"): the draw was taken without
    // that amount.
    std::vector<CsvRejection> prizeWarnings;
    int prizeColumns = 0;                      // prize columns the heading names
    CsvEncoding encoding = CsvEncoding::Utf8;  // the encoding the bytes were read in
    char separator = ',';
};

// Reads a whole file. Fails (with a Japanese message) only when the file as a whole cannot be
// used: empty, binary, in neither encoding, or without a heading that names the draw number and
// the six number columns. Headings are recognised by meaning (回数/回号/開催回, 日付/抽せん日,
// 第1数字/本数字1/数字1, ボーナス数字/ボーナス/B数字, and the prize columns 1等口数/1等当せん口数,
// 1等賞金/1等当せん金額 … 4等, キャリーオーバー); other columns are ignored. A prize field that is
// not an amount never costs the draw: it becomes a warning. A negative amount or one above
// 1,000,000,000 円 rejects its line (StrictNumbers).
Result<DrawCsv> readDrawCsv(std::string_view bytes, CsvValues values,
                            CsvEncoding encoding = CsvEncoding::Detect);

// Rows in file order; the first rejected line, if any, becomes the error ("line N: reason").
Result<std::vector<DrawRow>> parseDrawCsv(std::string_view content, CsvValues values);
// Rows ordered as the program's query returns them: by 回数 ascending as numbers, rows without
// a numeric 回数 first, equal 回数 in file order.
std::vector<DrawRow> sortedByDrawNo(std::vector<DrawRow> rows);
// Reserves room for count rows; a large vector asks for large memory pages where the system
// offers them, as fresh 4 KiB pages cost a fault each and rows are 320 bytes.
void reserveRows(std::vector<DrawRow>& rows, std::size_t count);
// The CSV text of rows, header first, LF line ends (UTF-8, the stored column names). With prizes
// the nine prize columns follow the draw's columns, filled where the draw has data.
std::string drawCsv(const std::vector<DrawRow>& rows);
std::string drawCsv(const std::vector<DrawRow>& rows, const std::vector<DrawPrizes>& prizes);

// At most 40 characters of a field as a message may quote it: control bytes escaped (\n, \x01),
// "…" when cut.
std::string quotedForMessage(std::string_view text);
// "UTF-8" or "CP932", for messages and the preview.
const char* encodingName(CsvEncoding encoding);

// The largest draw file read or downloaded: far above any real history (32,767 draws take
// about 2 MB), low enough that an endless source never fills memory or the disk.
inline constexpr std::int64_t kMaxDrawFileBytes = std::int64_t{256} * 1024 * 1024;

// The whole file; a folder, a missing or unreadable file, anything but a regular file (a
// device, a FIFO) and a file above kMaxDrawFileBytes fail with a Japanese message.
Result<std::string> readTextFile(const std::string& path);
