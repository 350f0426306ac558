// TextWidths: how wide a cell text is in the grid font, in grid pixels, character by character.
// The grid geometry uses it to widen a column whose text would be clipped; the screen measures
// with its real font, files and pages with the built-in model of the grid font.
#pragma once

#include <array>
#include <functional>
#include <string_view>
#include <unordered_map>

class TextWidths {
public:
    // The advance of one character (a Unicode code point) in grid pixels.
    using CharacterWidth = std::function<double(char32_t)>;
    explicit TextWidths(CharacterWidth characterWidth);

    // The advance of a UTF-8 text: the sum of its characters' advances (the grid font has no
    // kerning). Invalid bytes count as one unknown character each.
    double width(std::string_view utf8) const;
    double operator()(std::string_view utf8) const { return width(utf8); }

private:
    CharacterWidth m_characterWidth;
    std::array<double, 128> m_ascii{};
    mutable std::unordered_map<char32_t, double> m_others;
};

// The grid font ("ＭＳ Ｐゴシック" 9 pt, drawn with the metric-compatible IPA P Gothic) at 12
// pixels to the em, the size of 9 pt on a 96 dpi screen: the advances of the ASCII characters,
// 6 pixels for half-width kana and 12 (one em) for every other character, which is never less
// than the font's own advance.
const TextWidths& gridFontWidths();

// The text without the spaces (ASCII and ideographic) that end it: they show nothing.
std::string_view withoutTrailingSpaces(std::string_view utf8);
