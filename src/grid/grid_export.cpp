#include "grid/grid_export.h"

#include <cstdio>

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char ch : text) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
                out += escaped;
            } else {
                out += ch;
            }
        }
    }
    return out + '"';
}

std::string colorHex(Rgb color)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", color.r, color.g, color.b);
    return hex;
}

std::string gridJsonObject(const ResultGrid& grid)
{
    std::string out = "{\"columns\": " + std::to_string(grid.columnCount()) +
                      ", \"rows\": " + std::to_string(grid.rowCount()) +
                      ", \"frozen_rows\": " + std::to_string(grid.frozenRows()) +
                      ", \"frozen_columns\": " + std::to_string(grid.frozenColumns()) +
                      ", \"cells\": [";
    bool first = true;
    for (int r = 1; r <= grid.rowCount(); ++r) {
        for (int c = 1; c <= grid.columnCount(); ++c) {
            const std::string_view text = grid.textView(c, r);
            const Rgb fg = grid.foreground(c, r), bg = grid.background(c, r);
            if (text.empty() && fg == kBlack && bg == kWhite) continue;
            if (!first) out += ", ";
            first = false;
            out += "{\"row\": " + std::to_string(r) + ", \"col\": " + std::to_string(c) +
                   ", \"text\": " + jsonString(text) + ", \"fg\": \"" + colorHex(fg) +
                   "\", \"bg\": \"" + colorHex(bg) + "\"}";
        }
    }
    return out + "]}";
}

std::string gridJson(const ResultGrid& grid, std::string_view windowName)
{
    return "{\"window\": " + jsonString(windowName) + ", " + gridJsonObject(grid).substr(1);
}

namespace {
std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (const char ch : text)
        out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + '"';
}
}  // namespace

std::string gridCsv(const ResultGrid& grid)
{
    std::string out;
    for (int r = 1; r <= grid.rowCount(); ++r) {
        for (int c = 1; c <= grid.columnCount(); ++c) {
            if (c > 1) out += ',';
            out += csvField(grid.text(c, r));
        }
        out += '\n';
    }
    return out;
}

std::string gridText(const ResultGrid& grid)
{
    std::string out;
    for (int r = 1; r <= grid.rowCount(); ++r) {
        int last = grid.columnCount();
        while (last > 0 && grid.textView(last, r).empty())
            --last;
        for (int c = 1; c <= last; ++c) {
            if (c > 1) out += '\t';
            out += grid.textView(c, r);
        }
        out += '\n';
    }
    return out;
}
