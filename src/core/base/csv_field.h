// CSV field quoting shared by every CSV the program writes (RFC 4180).
#pragma once

#include <string>
#include <string_view>

// Appends text as one field: quoted, with its quotes doubled, only when it holds a comma, a
// quote or a line break.
inline void appendCsvField(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (const char ch : text) {
        if (ch == '"') out.push_back('"');
        out.push_back(ch);
    }
    out.push_back('"');
}

inline std::string csvField(std::string_view text)
{
    std::string out;
    appendCsvField(out, text);
    return out;
}
