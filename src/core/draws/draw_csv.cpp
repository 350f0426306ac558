#include "core/draws/draw_csv.h"

#include "core/base/csv_field.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/base/cp932.h"
#include "core/base/csv_field.h"
#include "core/lottery/lottery_rules.h"

namespace {

constexpr int kColumnCount = 8;  // 回数, 日付, six numbers
constexpr int kDrawNoSlot = 0;
constexpr int kDateSlot = 1;
constexpr int kFirstNumberSlot = 2;
// A heading may follow a title line or two; beyond this many lines the file has none.
constexpr int kHeadingSearchLines = 20;

const std::array<std::string, kColumnCount> kColumns = {
    kDrawNoColumn,     kDateColumn,       kNumberColumns[0], kNumberColumns[1],
    kNumberColumns[2], kNumberColumns[3], kNumberColumns[4], kNumberColumns[5]};

std::string lineText(int line)
{
    return std::to_string(line) + "行目";
}

// --- Encodings -----------------------------------------------------------------------------

bool isValidUtf8(std::string_view text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        // Eight ASCII bytes at a time: the common case of a draw file.
        if (end - p >= 8) {
            std::uint64_t chunk;
            std::memcpy(&chunk, p, 8);
            if ((chunk & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned char c = *p;
        int extra;
        if (c < 0x80) {
            ++p;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
        } else {
            return false;
        }
        if (end - p <= extra) return false;
        for (int k = 1; k <= extra; ++k)
            if ((p[k] & 0xC0) != 0x80) return false;
        // Overlong three-byte forms and surrogates.
        if (c == 0xE0 && p[1] < 0xA0) return false;
        if (c == 0xED && p[1] >= 0xA0) return false;
        if (c == 0xF0 && p[1] < 0x90) return false;
        if (c == 0xF4 && p[1] >= 0x90) return false;
        p += extra + 1;
    }
    return true;
}

// The file as UTF-8 text; `storage` holds converted text when the file was not UTF-8.
Result<std::string_view> decode(std::string_view bytes, CsvEncoding wanted, std::string& storage,
                                CsvEncoding& used)
{
    if (bytes.empty()) return Error{"ファイルが空です。"};
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")
        return Error{"UTF-16 のファイルは読めません。UTF-8 か Shift_JIS で保存してください。"};
    const bool bom = bytes.substr(0, 3) == "\xEF\xBB\xBF";
    if (bom) bytes.remove_prefix(3);
    if (bytes.find('\0') != std::string_view::npos)
        return Error{"テキストファイルではありません（NUL 文字を含んでいます）。"};
    if (wanted != CsvEncoding::Cp932 && (bom || isValidUtf8(bytes))) {
        if (!isValidUtf8(bytes)) return Error{"UTF-8 として読めない文字があります。"};
        used = CsvEncoding::Utf8;
        return bytes;
    }
    if (wanted == CsvEncoding::Utf8) return Error{"UTF-8 として読めない文字があります。"};
    auto converted = cp932ToUtf8(bytes);
    if (!converted)
        return Error{wanted == CsvEncoding::Cp932
                         ? "Shift_JIS (CP932) として読めない文字があります。"
                         : "文字コードが UTF-8 でも Shift_JIS (CP932) でもありません。"};
    storage = std::move(*converted);
    used = CsvEncoding::Cp932;
    return std::string_view(storage);
}

// A row takes 320 bytes, so 32,767 rows touch 2,500 fresh 4 KiB pages, and taking a page fault
// for each cost more than the parsing itself. Asking for 2 MiB pages where the system offers them
// on request turns that into a handful of faults; where it does not, nothing changes.
void preferLargePages(void* data, std::size_t bytes)
{
    constexpr std::uintptr_t kLargePage = 2u << 20;
    if (bytes < 2 * kLargePage) return;
    const auto begin =
        (reinterpret_cast<std::uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kLargePage - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

// --- Records -------------------------------------------------------------------------------

struct Record {
    std::vector<std::string_view> fields;
    std::deque<std::string> unquoted;  // storage of quoted fields that needed unescaping
    int line = 0;                      // where it starts
    bool unterminated = false;         // a quote opened and never closed
    bool blank() const { return fields.size() == 1 && fields[0].empty(); }
};

// Reads the record at pos into `record` and moves pos past its line end. Quoted fields may hold
// separators, doubled quotes and line breaks. A quote that is never closed makes the record
// unterminated; reading then goes on at the line after the one it started on, so one stray quote
// costs one line, not the rest of the file.
void nextRecord(std::string_view text, std::size_t& pos, int& lineNo, char separator,
                Record& record)
{
    record.fields.clear();
    record.unquoted.clear();
    record.line = lineNo;
    record.unterminated = false;
    const std::size_t start = pos;
    const std::size_t size = text.size();
    while (true) {
        if (pos < size && text[pos] == '"') {
            std::string& field = record.unquoted.emplace_back();
            std::size_t p = pos + 1;
            int lines = 0;
            bool closed = false;
            while (p < size) {
                const std::size_t quote = text.find('"', p);
                const std::size_t chunkEnd = quote == std::string_view::npos ? size : quote;
                const std::string_view chunk = text.substr(p, chunkEnd - p);
                lines += static_cast<int>(std::count(chunk.begin(), chunk.end(), '\n'));
                field.append(chunk);
                if (quote == std::string_view::npos) {
                    p = size;
                    break;
                }
                if (quote + 1 < size && text[quote + 1] == '"') {
                    field += '"';
                    p = quote + 2;
                    continue;
                }
                p = quote + 1;
                closed = true;
                break;
            }
            if (!closed) {
                record.unterminated = true;
                const std::size_t lineEnd = text.find('\n', start);
                pos = lineEnd == std::string_view::npos ? size : lineEnd + 1;
                ++lineNo;
                record.fields.clear();
                return;
            }
            lineNo += lines;
            // Text between the closing quote and the separator belongs to the field.
            while (p < size && text[p] != separator && text[p] != '\n') {
                if (text[p] != '\r') field += text[p];
                ++p;
            }
            record.fields.emplace_back(field);
            pos = p;
        } else {
            std::size_t p = pos;
            while (p < size && text[p] != separator && text[p] != '\n')
                ++p;
            std::size_t fieldEnd = p;
            if (fieldEnd > pos && text[fieldEnd - 1] == '\r' && (p == size || text[p] == '\n'))
                --fieldEnd;
            record.fields.push_back(text.substr(pos, fieldEnd - pos));
            pos = p;
        }
        if (pos >= size) return;
        if (text[pos] == '\n') {
            ++pos;
            ++lineNo;
            return;
        }
        ++pos;  // the separator
    }
}

char separatorOf(std::string_view text)
{
    const std::string_view firstLine = text.substr(0, text.find('\n'));
    const auto tabs = std::count(firstLine.begin(), firstLine.end(), '\t');
    const auto commas = std::count(firstLine.begin(), firstLine.end(), ',');
    return tabs > commas ? '\t' : ',';
}

// --- Field text ----------------------------------------------------------------------------

// Full-width digits, letters and signs to ASCII; spaces (ASCII, ideographic, tabs) removed at
// both ends. Returns a view of the input when nothing changes.
std::string_view normalised(std::string_view text, std::string& storage)
{
    auto isSpaceAt = [&](std::size_t i, std::size_t& width) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r') {
            width = 1;
            return true;
        }
        if (text.substr(i, 3) == "\xE3\x80\x80") {  // U+3000
            width = 3;
            return true;
        }
        return false;
    };
    std::size_t width = 0;
    while (!text.empty() && isSpaceAt(0, width))
        text.remove_prefix(width);
    while (!text.empty()) {
        const std::size_t last = text.size() - 1;
        if (text[last] == ' ' || text[last] == '\t' || text[last] == '\r')
            text.remove_suffix(1);
        else if (text.size() >= 3 && text.substr(text.size() - 3) == "\xE3\x80\x80")
            text.remove_suffix(3);
        else
            break;
    }
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) return text;
    storage.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        // U+FF01..U+FF5E (full-width ASCII) is EF BC 81..BF and EF BD 80..9E.
        if (c == 0xEF && i + 2 < text.size()) {
            const auto b1 = static_cast<unsigned char>(text[i + 1]);
            const auto b2 = static_cast<unsigned char>(text[i + 2]);
            int code = -1;
            if (b1 == 0xBC && b2 >= 0x81 && b2 <= 0xBF) code = 0x21 + (b2 - 0x81);
            if (b1 == 0xBD && b2 >= 0x80 && b2 <= 0x9E) code = 0x21 + 0x3F + (b2 - 0x80);
            if (code >= 0) {
                storage += static_cast<char>(code);
                i += 2;
                continue;
            }
        }
        if (c == 0xE2 && text.substr(i, 3) == "\xE2\x88\x92") {  // U+2212 minus sign
            storage += '-';
            i += 2;
            continue;
        }
        storage += text[i];
    }
    return storage;
}

std::optional<std::int64_t> wholeNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

bool isPlainDecimal(std::string_view digits)
{
    // "0", "17", "-3": the form a number column would print; "05" or "+5" are not.
    if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 6) return false;
    if (digits.size() > 1 && digits.front() == '0') return false;
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::int64_t plainDecimal(std::string_view text)
{
    std::int64_t number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

// "2025-09-23", "2025/9/23", "2025年9月23日", "2025/09/23(火)" as "2025-09-23".
std::optional<std::string> isoDate(std::string_view text)
{
    const std::size_t weekday = text.find('(');
    if (weekday != std::string_view::npos) text = text.substr(0, weekday);
    static constexpr std::array<std::array<std::string_view, 3>, 2> kSeparators = {
        {{"-", "/", "年"}, {"-", "/", "月"}}};
    std::array<int, 3> parts{};
    for (std::size_t k = 0; k < 3; ++k) {
        std::size_t digits = 0;
        while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9')
            ++digits;
        if (digits == 0) return std::nullopt;
        std::from_chars(text.data(), text.data() + digits, parts[k]);
        text.remove_prefix(digits);
        if (k == 2) break;
        const auto& separators = kSeparators[k];
        const auto separator =
            std::find_if(separators.begin(), separators.end(),
                         [&](std::string_view s) { return text.starts_with(s); });
        if (separator == separators.end()) return std::nullopt;
        text.remove_prefix(separator->size());
    }
    if (text.starts_with("日")) text.remove_prefix(std::string_view("日").size());
    if (!text.empty()) return std::nullopt;
    const auto [year, month, day] = parts;
    if (year < 1900 || year > 2999 || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    char out[16];
    std::snprintf(out, sizeof out, "%04d-%02d-%02d", year, month, day);
    return std::string(out);
}

// --- Headings ------------------------------------------------------------------------------

// The column a heading names (0 回数, 1 日付, 2..6 第1..第5数字, 7 ボーナス数字), or -1.
int columnOf(std::string_view raw)
{
    std::string storage;
    std::string name(normalised(raw, storage));
    std::erase(name, ' ');
    static const std::array<std::string_view, 8> kDrawNo = {
        "回数", "回号", "開催回", "開催回数", "回", "抽せん回", "抽選回", "回別"};
    static const std::array<std::string_view, 6> kDate = {"日付",   "抽せん日",   "抽選日",
                                                          "開催日", "抽せん日付", "抽選日付"};
    static const std::array<std::string_view, 7> kBonus = {
        "ボーナス数字", "ボーナス", "B数字", "b数字", "ボーナス番号", "B", "ボーナス本数字"};
    if (std::find(kDrawNo.begin(), kDrawNo.end(), name) != kDrawNo.end()) return kDrawNoSlot;
    if (std::find(kDate.begin(), kDate.end(), name) != kDate.end()) return kDateSlot;
    if (std::find(kBonus.begin(), kBonus.end(), name) != kBonus.end()) return 7;
    if (name.find("等") != std::string::npos) return -1;  // a prize column
    // 第N数字, 本数字N, 数字N, 第N本数字, 本数字第N, N数字 with N = 1..5.
    std::string digitless;
    int digit = 0;
    for (const char c : name) {
        if (c >= '1' && c <= '5' && digit == 0) {
            digit = c - '0';
            continue;
        }
        if (c >= '0' && c <= '9') return -1;
        digitless += c;
    }
    if (digit == 0) return -1;
    static const std::array<std::string_view, 6> kMain = {"第数字",   "本数字",   "数字",
                                                          "第本数字", "本数字第", "番目数字"};
    if (std::find(kMain.begin(), kMain.end(), digitless) != kMain.end())
        return kFirstNumberSlot + digit - 1;
    return -1;
}

struct Heading {
    std::array<int, kColumnCount> fieldOf;           // column -> field index, -1 when absent
    std::array<int, kPrizeFieldCount> prizeFieldOf;  // prize field -> field index, -1 when absent
    int prizeColumns = 0;
    std::size_t fieldCount = 0;
    int line = 0;
};

// The columns a record names, or nothing when it lacks 回数 or one of the six numbers.
std::optional<Heading> headingOf(const Record& record, std::string& problem)
{
    Heading heading;
    heading.fieldOf.fill(-1);
    heading.prizeFieldOf.fill(-1);
    heading.fieldCount = record.fields.size();
    heading.line = record.line;
    for (std::size_t f = 0; f < record.fields.size(); ++f) {
        const int column = columnOf(record.fields[f]);
        if (column < 0) {
            const int prize = prizeFieldOfHeading(record.fields[f]);
            if (prize < 0) continue;
            auto& slot = heading.prizeFieldOf[static_cast<std::size_t>(prize)];
            if (slot >= 0) {
                problem = lineText(record.line) + ": 見出しの列 " + prizeFieldName(prize) +
                          " が二つあります（'" + quotedForMessage(record.fields[f]) + "'）。";
                return std::nullopt;
            }
            slot = static_cast<int>(f);
            ++heading.prizeColumns;
            continue;
        }
        auto& slot = heading.fieldOf[static_cast<std::size_t>(column)];
        if (slot >= 0) {
            problem = lineText(record.line) + ": 見出しの列 " + kColumns[column] +
                      " が二つあります（'" + quotedForMessage(record.fields[f]) + "'）。";
            return std::nullopt;
        }
        slot = static_cast<int>(f);
    }
    for (int c = 0; c < kColumnCount; ++c)
        if (c != kDateSlot && heading.fieldOf[static_cast<std::size_t>(c)] < 0) return std::nullopt;
    return heading;
}

// --- Rows ----------------------------------------------------------------------------------

class RowReader {
public:
    RowReader(const Heading& heading, CsvValues values) : m_heading(heading), m_values(values)
    {
        if (values == CsvValues::StrictNumbers) {
            m_lineOfDraw.assign(kHighestDrawNo + 1, 0);
            m_rowOfDraw.assign(kHighestDrawNo + 1, 0);
        }
    }

    // Adds the record's row to `out`, or a rejection.
    void read(const Record& record, DrawCsv& out)
    {
        const auto reject = [&](std::string reason) {
            out.rejected.push_back({record.line, std::move(reason)});
        };
        if (record.unterminated) {
            reject("引用符 \" が閉じていません。");
            return;
        }
        const std::size_t count = record.fields.size();
        const bool strict = m_values == CsvValues::StrictNumbers;
        if (count > m_heading.fieldCount || (strict && count < m_heading.fieldCount)) {
            reject("項目の数が見出しと違います（" + std::to_string(count) + " 個、見出しは " +
                   std::to_string(m_heading.fieldCount) + " 個）。");
            return;
        }
        // Built in place: a row is 320 bytes, and moving 32,767 of them shows in a profile.
        DrawRow& row = out.rows.emplace_back();
        if (!strict) {
            readAsWritten(record, row);
            if (m_heading.prizeColumns)
                if (const auto drawNo = fieldNumber(row.drawNo)) {
                    DrawPrizes prizes;
                    std::string ignored;
                    // Read as written: out-of-range amounts are left out, not refused.
                    readPrizes(record, static_cast<int>(*drawNo), prizes, nullptr, ignored);
                    if (!prizes.empty()) out.prizes.push_back(prizes);
                }
            return;
        }
        std::string problem;
        if (!readStrict(record, row, problem)) {
            out.rows.pop_back();
            reject(std::move(problem));
            return;
        }
        DrawPrizes prizes;
        // Kept aside until the line is taken: a rejected line's draw is not "taken without the
        // amount".
        std::vector<CsvRejection> warnings;
        if (m_heading.prizeColumns &&
            !readPrizes(record, static_cast<int>(std::get<std::int64_t>(row.drawNo)), prizes,
                        &warnings, problem)) {
            out.rows.pop_back();
            reject(std::move(problem));
            return;
        }
        // One draw per draw number: a second, identical line is dropped, a different one refused.
        const auto drawNo = static_cast<std::size_t>(std::get<std::int64_t>(row.drawNo));
        if (const int earlier = m_lineOfDraw[drawNo]) {
            const bool same = out.rows[m_rowOfDraw[drawNo]].numbers == row.numbers;
            out.rows.pop_back();
            if (!same)
                reject("回数 " + std::to_string(drawNo) + " が " + lineText(earlier) +
                       "と違う数字で二度あります。");
            return;
        }
        m_lineOfDraw[drawNo] = record.line;
        m_rowOfDraw[drawNo] = out.rows.size() - 1;
        if (!prizes.empty()) out.prizes.push_back(prizes);
        out.prizeWarnings.insert(out.prizeWarnings.end(), warnings.begin(), warnings.end());
    }

private:
    std::string_view field(const Record& record, int column) const
    {
        const int f = m_heading.fieldOf[static_cast<std::size_t>(column)];
        if (f < 0 || f >= static_cast<int>(record.fields.size())) return {};
        return record.fields[static_cast<std::size_t>(f)];
    }

    // The line's prize fields into `prizes`. A field that is not an amount becomes a warning
    // (when warnings are wanted) and is left out; a negative or absurd amount fails the line
    // with `problem`, unless warnings is null (then it is left out too).
    bool readPrizes(const Record& record, int drawNo, DrawPrizes& prizes,
                    std::vector<CsvRejection>* warnings, std::string& problem) const
    {
        prizes.drawNo = drawNo;
        for (int p = 0; p < kPrizeFieldCount; ++p) {
            const int f = m_heading.prizeFieldOf[static_cast<std::size_t>(p)];
            if (f < 0 || f >= static_cast<int>(record.fields.size())) continue;
            const std::string_view raw = record.fields[static_cast<std::size_t>(f)];
            const PrizeText text = parsePrizeText(raw);
            switch (text.kind) {
            case PrizeTextKind::Empty:
                break;
            case PrizeTextKind::NoWinner:
            case PrizeTextKind::Value:
                prizeField(prizes, p) = text.value;
                break;
            case PrizeTextKind::NotAnAmount:
                if (warnings)
                    warnings->push_back(
                        {record.line,
                         std::to_string(f + 1) + "列目 " + prizeFieldName(p) + " '" +
                             quotedForMessage(raw) +
                             "' は金額ではありません（この金額なしで取り込みます）。"});
                break;
            case PrizeTextKind::OutOfRange:
                if (!warnings) break;
                problem = std::to_string(f + 1) + "列目 " + prizeFieldName(p) + " '" +
                          quotedForMessage(raw) + "' は 0〜1,000,000,000 の範囲外です。";
                return false;
            }
        }
        return true;
    }

    void readAsWritten(const Record& record, DrawRow& row) const
    {
        std::array<RawValue*, kColumnCount> targets = {
            &row.drawNo,     &row.date,       &row.numbers[0], &row.numbers[1],
            &row.numbers[2], &row.numbers[3], &row.numbers[4], &row.numbers[5]};
        for (int c = 0; c < kColumnCount; ++c) {
            const std::string_view text = field(record, c);
            if (text.empty()) continue;
            if (c != kDateSlot && isPlainDecimal(text))
                *targets[static_cast<std::size_t>(c)] = plainDecimal(text);
            else
                *targets[static_cast<std::size_t>(c)] = std::string(text);
        }
    }

    bool readStrict(const Record& record, DrawRow& row, std::string& problem)
    {
        std::string storage;
        // 回数: required, "第1353回" and full-width digits accepted.
        std::string_view drawText = normalised(field(record, kDrawNoSlot), storage);
        if (drawText.empty()) {
            problem = "回数が空です。";
            return false;
        }
        std::string_view bare = drawText;
        if (bare.starts_with("第")) bare.remove_prefix(std::string_view("第").size());
        if (bare.ends_with("回")) bare.remove_suffix(std::string_view("回").size());
        const auto drawNo = wholeNumber(bare);
        if (!drawNo) {
            problem = "回数 '" + quotedForMessage(field(record, kDrawNoSlot)) +
                      "' は数字ではありません。";
            return false;
        }
        if (*drawNo < 1 || *drawNo > kHighestDrawNo) {
            problem = "回数 " + std::to_string(*drawNo) + " は 1〜" +
                      std::to_string(kHighestDrawNo) + " の範囲外です。";
            return false;
        }
        row.drawNo = *drawNo;

        const std::string_view dateText = normalised(field(record, kDateSlot), storage);
        if (!dateText.empty()) {
            auto date = isoDate(dateText);
            if (!date) {
                problem = "日付 '" + quotedForMessage(field(record, kDateSlot)) +
                          "' が読めません（2025-09-23、2025/09/23、2025年9月23日の形で）。";
                return false;
            }
            row.date = std::move(*date);
        }

        std::array<bool, kHighestNumber + 1> seen{};
        for (int k = 0; k < kDrawNumbers; ++k) {
            const int column = kFirstNumberSlot + k;
            const std::string_view raw = field(record, column);
            const std::string_view text = normalised(raw, storage);
            if (text.empty()) continue;  // a draw typed in part stays an incomplete row
            const auto number = wholeNumber(text);
            if (!number) {
                problem =
                    kColumns[column] + " '" + quotedForMessage(raw) + "' は数字ではありません。";
                return false;
            }
            if (!isValidNumber(static_cast<int>(std::clamp<std::int64_t>(*number, -1, 99)))) {
                problem =
                    kColumns[column] + " " + std::to_string(*number) + " は 1〜31 の範囲外です。";
                return false;
            }
            const auto n = static_cast<std::size_t>(*number);
            if (seen[n]) {
                problem = k == kBonusIndex
                              ? "ボーナス数字 " + std::to_string(n) + " が本数字と同じです。"
                              : "本数字 " + std::to_string(n) + " が二度あります。";
                return false;
            }
            seen[n] = true;
            row.numbers[static_cast<std::size_t>(k)] = *number;
        }
        return true;
    }

    const Heading& m_heading;
    CsvValues m_values;
    std::vector<int> m_lineOfDraw;         // draw number -> line it was read from, 0 = none
    std::vector<std::size_t> m_rowOfDraw;  // draw number -> index in the accepted rows
};

bool drawNoBefore(const DrawRow& a, const DrawRow& b)
{
    const auto x = fieldNumber(a.drawNo), y = fieldNumber(b.drawNo);
    if (!x || !y) return !x && y;
    return *x < *y;
}

}  // namespace

std::string quotedForMessage(std::string_view text)
{
    constexpr int kMaxCharacters = 40;
    std::string out;
    int characters = 0;
    std::size_t i = 0;
    while (i < text.size() && characters < kMaxCharacters) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            static constexpr char kHex[] = "0123456789abcdef";
            if (c == '\n')
                out += "\\n";
            else if (c == '\r')
                out += "\\r";
            else if (c == '\t')
                out += "\\t";
            else
                out += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
            ++i;
        } else {
            // One whole UTF-8 character; a stray byte is escaped like a control byte.
            const int length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
            if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
                static constexpr char kHex[] = "0123456789abcdef";
                out += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
                ++i;
            } else {
                out.append(text.substr(i, static_cast<std::size_t>(length)));
                i += static_cast<std::size_t>(length);
            }
        }
        ++characters;
    }
    if (i < text.size()) out += "…";
    return out;
}

const char* encodingName(CsvEncoding encoding)
{
    return encoding == CsvEncoding::Cp932 ? "Shift_JIS (CP932)" : "UTF-8";
}

Result<DrawCsv> readDrawCsv(std::string_view bytes, CsvValues values, CsvEncoding encoding)
{
    DrawCsv out;
    std::string converted;
    auto decoded = decode(bytes, encoding, converted, out.encoding);
    if (!decoded) return Error{decoded.error()};
    const std::string_view text = decoded.value();
    out.separator = separatorOf(text);

    std::size_t pos = 0;
    int lineNo = 1;
    Record record;
    std::optional<Heading> heading;
    std::string problem;
    for (int seen = 0; pos < text.size() && seen < kHeadingSearchLines && !heading; ++seen) {
        nextRecord(text, pos, lineNo, out.separator, record);
        if (record.unterminated || record.blank()) continue;
        heading = headingOf(record, problem);
        if (!problem.empty()) return Error{problem};
    }
    if (!heading) {
        if (std::all_of(text.begin(), text.end(),
                        [](char c) { return c == '\n' || c == '\r' || c == ' '; }))
            return Error{"ファイルが空です。"};
        return Error{"見出しの行が見つかりません。回数・第1〜第5数字・ボーナス数字の列を"
                     "見出しで示してください（例: 回数,日付,第1数字,第2数字,第3数字,第4数字,"
                     "第5数字,ボーナス数字）。"};
    }

    // About 30 bytes a line: reserving once avoids growing the vector line by line.
    reserveRows(out.rows, std::min<std::size_t>((text.size() - pos) / 24 + 1, 1u << 20));
    out.prizeColumns = heading->prizeColumns;
    RowReader reader(*heading, values);
    while (pos < text.size()) {
        nextRecord(text, pos, lineNo, out.separator, record);
        if (!record.unterminated && record.blank()) continue;
        reader.read(record, out);
    }
    return out;
}

void reserveRows(std::vector<DrawRow>& rows, std::size_t count)
{
    rows.reserve(count);
    preferLargePages(rows.data(), rows.capacity() * sizeof(DrawRow));
}

Result<std::vector<DrawRow>> parseDrawCsv(std::string_view content, CsvValues values)
{
    auto read = readDrawCsv(content, values);
    if (!read) return Error{read.error()};
    if (!read->rejected.empty()) {
        const CsvRejection& first = read->rejected.front();
        return Error{"line " + std::to_string(first.line) + ": " + first.reason};
    }
    return std::move(read->rows);
}

std::vector<DrawRow> sortedByDrawNo(std::vector<DrawRow> rows)
{
    // Files are nearly always in draw order already: checking is far cheaper than sorting.
    if (!std::is_sorted(rows.begin(), rows.end(), drawNoBefore))
        std::stable_sort(rows.begin(), rows.end(), drawNoBefore);
    return rows;
}

namespace {
std::string csvText(const std::vector<DrawRow>& rows, const std::vector<DrawPrizes>* prizes)
{
    std::vector<const DrawPrizes*> prizesOf;  // draw number -> its prize data
    if (prizes)
        for (const DrawPrizes& draw : *prizes)
            if (draw.drawNo >= 0 && draw.drawNo <= kHighestDrawNo) {
                if (prizesOf.size() <= static_cast<std::size_t>(draw.drawNo))
                    prizesOf.resize(static_cast<std::size_t>(draw.drawNo) + 1);
                prizesOf[static_cast<std::size_t>(draw.drawNo)] = &draw;
            }
    std::string out;
    out.reserve(rows.size() * (prizes ? 96 : 32) + 256);
    for (int c = 0; c < kColumnCount; ++c)
        out += (c ? "," : "") + kColumns[c];
    if (prizes)
        for (int p = 0; p < kPrizeFieldCount; ++p)
            out += "," + prizeFieldName(p);
    out += '\n';
    for (const DrawRow& row : rows) {
        appendCsvField(out, rawText(row.drawNo));
        out += ',';
        appendCsvField(out, rawText(row.date));
        for (const RawValue& number : row.numbers) {
            out += ',';
            appendCsvField(out, rawText(number));
        }
        if (prizes) {
            const auto drawNo = fieldNumber(row.drawNo);
            const DrawPrizes* draw =
                drawNo && *drawNo >= 0 && static_cast<std::size_t>(*drawNo) < prizesOf.size()
                    ? prizesOf[static_cast<std::size_t>(*drawNo)]
                    : nullptr;
            for (int p = 0; p < kPrizeFieldCount; ++p) {
                out += ',';
                if (draw)
                    if (const auto& value = prizeField(*draw, p)) out += std::to_string(*value);
            }
        }
        out += '\n';
    }
    return out;
}
}  // namespace

std::string drawCsv(const std::vector<DrawRow>& rows)
{
    return csvText(rows, nullptr);
}

std::string drawCsv(const std::vector<DrawRow>& rows, const std::vector<DrawPrizes>& prizes)
{
    return csvText(rows, &prizes);
}

Result<std::string> readTextFile(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return Error{path + ": フォルダです。CSV ファイルを選んでください。"};
    // Without O_NONBLOCK a FIFO would block the open until someone writes into it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Error{path + ": ファイルを読めません（" + std::string(std::strerror(errno)) +
                     "）。"};
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Error{path +
                     ": 通常のファイルではないため読みません。CSV ファイルを選んでください。"};
    }
    const auto tooLarge = [&path] {
        return Error{path + ": ファイルが大きすぎます（上限 " +
                     std::to_string(kMaxDrawFileBytes / (1024 * 1024)) + " MB）。"};
    };
    if (status.st_size > kMaxDrawFileBytes) {
        ::close(fd);
        return tooLarge();
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::string content;
    content.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[1 << 16];
    int savedErrno = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) savedErrno = errno;
        if (n <= 0) break;
        // A file that grows while it is read is held to the same ceiling.
        if (static_cast<std::int64_t>(content.size()) + n > kMaxDrawFileBytes) {
            ::close(fd);
            return tooLarge();
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (savedErrno != 0)
        return Error{path + ": ファイルを読めません（" + std::string(std::strerror(savedErrno)) +
                     "）。"};
    return content;
}
