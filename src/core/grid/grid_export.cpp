#include "core/grid/grid_export.h"

#include <charconv>
#include <cstdio>
#include <ostream>
#include <sstream>

#include "core/base/csv_field.h"

namespace {

// Collects output and hands it to the stream 64 KiB at a time.
class ChunkedWriter {
public:
    explicit ChunkedWriter(std::ostream& out) : m_out(out) { m_chunk.reserve(kChunkBytes + 256); }
    ~ChunkedWriter() { flush(); }
    ChunkedWriter(const ChunkedWriter&) = delete;
    ChunkedWriter& operator=(const ChunkedWriter&) = delete;

    ChunkedWriter& operator<<(std::string_view text)
    {
        m_chunk.append(text);
        if (m_chunk.size() >= kChunkBytes) flush();
        return *this;
    }
    ChunkedWriter& operator<<(char ch)
    {
        m_chunk.push_back(ch);
        return *this;
    }
    ChunkedWriter& operator<<(int value)
    {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        return *this << std::string_view(digits, static_cast<std::size_t>(end - digits));
    }
    ChunkedWriter& csvField(std::string_view text)
    {
        appendCsvField(m_chunk, text);
        if (m_chunk.size() >= kChunkBytes) flush();
        return *this;
    }
    void flush()
    {
        m_out.write(m_chunk.data(), static_cast<std::streamsize>(m_chunk.size()));
        m_chunk.clear();
    }

private:
    static constexpr std::size_t kChunkBytes = 64 * 1024;
    std::ostream& m_out;
    std::string m_chunk;
};

void appendJsonString(ChunkedWriter& out, std::string_view text)
{
    out << '"';
    for (const char ch : text) {
        switch (ch) {
        case '"':
            out << std::string_view("\\\"");
            break;
        case '\\':
            out << std::string_view("\\\\");
            break;
        case '\n':
            out << std::string_view("\\n");
            break;
        case '\r':
            out << std::string_view("\\r");
            break;
        case '\t':
            out << std::string_view("\\t");
            break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
                out << std::string_view(escaped);
            } else {
                out << ch;
            }
        }
    }
    out << '"';
}

void appendColorHex(ChunkedWriter& out, Rgb color)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    const char hex[7] = {'#',
                         kDigits[color.r >> 4],
                         kDigits[color.r & 15],
                         kDigits[color.g >> 4],
                         kDigits[color.g & 15],
                         kDigits[color.b >> 4],
                         kDigits[color.b & 15]};
    out << std::string_view(hex, sizeof hex);
}

// The object's members after its opening brace.
void appendGridMembers(ChunkedWriter& out, const ResultGrid& grid)
{
    out << std::string_view("\"columns\": ") << grid.columnCount()
        << std::string_view(", \"rows\": ") << grid.rowCount()
        << std::string_view(", \"frozen_rows\": ") << grid.frozenRows()
        << std::string_view(", \"frozen_columns\": ") << grid.frozenColumns()
        << std::string_view(", \"cells\": [");
    bool first = true;
    for (int r = 1; r <= grid.rowCount(); ++r) {
        for (int c = 1; c <= grid.columnCount(); ++c) {
            const std::string_view text = grid.textView(c, r);
            const Rgb fg = grid.foreground(c, r), bg = grid.background(c, r);
            if (text.empty() && fg == kBlack && bg == kWhite) continue;
            if (!first) out << std::string_view(", ");
            first = false;
            out << std::string_view("{\"row\": ") << r << std::string_view(", \"col\": ") << c
                << std::string_view(", \"text\": ");
            appendJsonString(out, text);
            out << std::string_view(", \"fg\": \"");
            appendColorHex(out, fg);
            out << std::string_view("\", \"bg\": \"");
            appendColorHex(out, bg);
            out << std::string_view("\"}");
        }
    }
    out << std::string_view("]}");
}

template <typename Write> std::string written(Write write)
{
    std::ostringstream out;
    write(out);
    return std::move(out).str();
}

}  // namespace

void writeGridJsonObject(std::ostream& out, const ResultGrid& grid)
{
    ChunkedWriter writer(out);
    writer << '{';
    appendGridMembers(writer, grid);
}

void writeGridJson(std::ostream& out, const ResultGrid& grid, std::string_view windowName)
{
    ChunkedWriter writer(out);
    writer << std::string_view("{\"window\": ");
    appendJsonString(writer, windowName);
    writer << std::string_view(", ");
    appendGridMembers(writer, grid);
}

void writeGridCsv(std::ostream& out, const ResultGrid& grid)
{
    ChunkedWriter writer(out);
    for (int r = 1; r <= grid.rowCount(); ++r) {
        for (int c = 1; c <= grid.columnCount(); ++c) {
            if (c > 1) writer << ',';
            writer.csvField(grid.textView(c, r));
        }
        writer << '\n';
    }
}

void writeGridText(std::ostream& out, const ResultGrid& grid)
{
    ChunkedWriter writer(out);
    for (int r = 1; r <= grid.rowCount(); ++r) {
        int last = grid.columnCount();
        while (last > 0 && grid.textView(last, r).empty())
            --last;
        for (int c = 1; c <= last; ++c) {
            if (c > 1) writer << '\t';
            writer << grid.textView(c, r);
        }
        writer << '\n';
    }
}

std::string gridJsonObject(const ResultGrid& grid)
{
    return written([&](std::ostream& out) { writeGridJsonObject(out, grid); });
}

std::string gridJson(const ResultGrid& grid, std::string_view windowName)
{
    return written([&](std::ostream& out) { writeGridJson(out, grid, windowName); });
}

std::string gridCsv(const ResultGrid& grid)
{
    return written([&](std::ostream& out) { writeGridCsv(out, grid); });
}

std::string gridText(const ResultGrid& grid)
{
    return written([&](std::ostream& out) { writeGridText(out, grid); });
}

std::string jsonString(std::string_view text)
{
    return written([&](std::ostream& out) {
        ChunkedWriter writer(out);
        appendJsonString(writer, text);
    });
}

std::string colorHex(Rgb color)
{
    return written([&](std::ostream& out) {
        ChunkedWriter writer(out);
        appendColorHex(writer, color);
    });
}
