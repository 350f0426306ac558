// Spells out a heading text the way its padding is described in words: runs of spaces as "Nsp",
// runs of ideographic spaces (U+3000) as "Nisp", other characters as themselves, joined by ",".
#pragma once

#include <string>

// The number of Unicode code points of a UTF-8 text.
inline int codePointCount(const std::string& text)
{
    int count = 0;
    for (const unsigned char byte : text)
        if ((byte & 0xC0) != 0x80) ++count;
    return count;
}

inline std::string textRuns(const std::string& text)
{
    static const std::string kIdeographicSpace = "\u3000";
    std::string runs;
    std::string pendingKind;
    int pendingCount = 0;
    auto flush = [&] {
        if (pendingCount == 0) return;
        if (!runs.empty()) runs += ',';
        runs += std::to_string(pendingCount) + pendingKind;
        pendingCount = 0;
    };
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead >= 0xF0)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        const std::string character = text.substr(i, length);
        i += length;
        const std::string kind = character == " "                 ? "sp"
                                 : character == kIdeographicSpace ? "isp"
                                                                  : std::string();
        if (kind.empty()) {
            flush();
            if (!runs.empty()) runs += ',';
            runs += character;
        } else {
            if (kind != pendingKind) flush();
            pendingKind = kind;
            ++pendingCount;
        }
    }
    flush();
    return runs;
}
