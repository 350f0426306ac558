#include "draws/draw_csv.h"

#include "draws/csv_field.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

namespace {

constexpr int kColumnCount = 8;  // 回数, 日付, six numbers
const std::array<std::string, kColumnCount> kColumns = {
    kDrawNoColumn,     kDateColumn,       kNumberColumns[0], kNumberColumns[1],
    kNumberColumns[2], kNumberColumns[3], kNumberColumns[4], kNumberColumns[5]};

// Splits one CSV record starting at pos; advances pos past its line end. Quoted fields may hold
// commas, doubled quotes and line breaks.
std::vector<std::string> nextRecord(std::string_view text, std::size_t& pos, int& lineNo)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    while (pos < text.size()) {
        const char ch = text[pos++];
        if (quoted) {
            if (ch == '"' && pos < text.size() && text[pos] == '"') {
                fields.back() += '"';
                ++pos;
            } else if (ch == '"') {
                quoted = false;
            } else {
                if (ch == '\n') ++lineNo;
                fields.back() += ch;
            }
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            fields.emplace_back();
        } else if (ch == '\n') {
            break;
        } else if (ch != '\r') {
            fields.back() += ch;
        }
    }
    return fields;
}

bool isPlainDecimal(const std::string& text)
{
    // "0", "17", "-3": the form a number column would print; "05" or "+5" are not.
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 6) return false;
    if (digits.size() > 1 && digits.front() == '0') return false;
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

Result<std::vector<DrawRow>> parseDrawCsv(std::string_view content, CsvValues values)
{
    if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
    std::size_t pos = 0;
    int lineNo = 1;
    const auto header = nextRecord(content, pos, lineNo);

    std::array<int, kColumnCount> fieldOf;  // column -> field index in a record, -1 if absent
    fieldOf.fill(-1);
    for (std::size_t f = 0; f < header.size(); ++f) {
        const auto known = std::find(kColumns.begin(), kColumns.end(), header[f]);
        if (known == kColumns.end())
            return Error{"line 1: unknown column '" + header[f] + "' in the header"};
        auto& slot = fieldOf[known - kColumns.begin()];
        if (slot >= 0) return Error{"line 1: column '" + header[f] + "' appears twice"};
        slot = static_cast<int>(f);
    }
    for (int c = 0; c < kColumnCount; ++c)
        if (fieldOf[c] < 0 && kColumns[c] != kDateColumn)
            return Error{"line 1: the header lacks the column '" + kColumns[c] + "'"};

    std::vector<DrawRow> rows;
    while (pos < content.size()) {
        const int recordLine = ++lineNo;
        const auto fields = nextRecord(content, pos, lineNo);
        if (fields.size() == 1 && fields[0].empty()) continue;  // blank line
        if (fields.size() > header.size())
            return Error{"line " + std::to_string(recordLine) + ": more fields than the header"};

        auto valueOf = [&](int column) -> Result<RawValue> {
            const int f = fieldOf[column];
            if (f < 0 || f >= static_cast<int>(fields.size()) || fields[f].empty())
                return RawValue{};
            const std::string& text = fields[f];
            if (column == 1) return RawValue{text};  // 日付 stays text
            if (values == CsvValues::AsWritten)
                return isPlainDecimal(text) ? RawValue{std::stoll(text)} : RawValue{text};
            const auto number = parseWholeNumber(text);
            const std::string where =
                "line " + std::to_string(recordLine) + ": " + kColumns[column] + " '" + text + "'";
            if (!number) return Error{where + " is not a number"};
            if (*number < -32768 || *number > 32767)
                return Error{where + " is out of range (-32768 to 32767)"};
            return RawValue{*number};
        };

        DrawRow row;
        std::array<RawValue*, kColumnCount> targets = {
            &row.drawNo,     &row.date,       &row.numbers[0], &row.numbers[1],
            &row.numbers[2], &row.numbers[3], &row.numbers[4], &row.numbers[5]};
        for (int c = 0; c < kColumnCount; ++c) {
            auto value = valueOf(c);
            if (!value) return Error{value.error()};
            *targets[c] = std::move(value.value());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<DrawRow> sortedByDrawNo(std::vector<DrawRow> rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const DrawRow& a, const DrawRow& b) {
        const auto x = fieldNumber(a.drawNo), y = fieldNumber(b.drawNo);
        if (!x || !y) return !x && y;
        return *x < *y;
    });
    return rows;
}

std::string drawCsv(const std::vector<DrawRow>& rows)
{
    std::string out;
    for (int c = 0; c < kColumnCount; ++c)
        out += (c ? "," : "") + kColumns[c];
    out += '\n';
    for (const DrawRow& row : rows) {
        out += csvField(rawText(row.drawNo)) + ',' + csvField(rawText(row.date));
        for (const RawValue& number : row.numbers)
            out += ',' + csvField(rawText(number));
        out += '\n';
    }
    return out;
}

Result<std::string> readTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return Error{path + ": cannot be read"};
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
