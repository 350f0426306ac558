#include "core/grid/text_width.h"

namespace {

// IPA P Gothic advances at 12 pixels per em for U+0020..U+007E, in 1/1000 pixel.
constexpr std::array<int, 95> kAsciiAdvances = {
    3234, 3562, 4047, 7547,  7547,  10188, 8328, 2312,  3984, 3984, 4438, 7547, 3156, 4281,
    3156, 6000, 7547, 7547,  7547,  7547,  7547, 7547,  7547, 7547, 7547, 7547, 3828, 3828,
    7547, 7547, 7547, 6609,  10719, 7641,  7906, 8688,  9078, 7141, 6859, 9031, 9000, 3469,
    4547, 7750, 6297, 10812, 9109,  9562,  7453, 9562,  7766, 7016, 7188, 8953, 7641, 11125,
    8219, 7422, 7703, 3594,  7547,  3594,  6000, 6000,  6000, 6594, 7484, 6516, 7484, 6812,
    3672, 6656, 7281, 3234,  3234,  6203,  3234, 10453, 7234, 7234, 7453, 7453, 4438, 5531,
    4141, 7234, 5828, 9016,  5859,  5906,  5672, 3938,  2391, 3938, 6000};

constexpr double kEm = 12.0;

double modelWidth(char32_t c)
{
    if (c >= 0x20 && c <= 0x7E) return kAsciiAdvances[c - 0x20] / 1000.0;
    if (c < 0x20 || c == 0x7F) return 0.0;
    if (c >= 0xFF61 && c <= 0xFF9F) return kEm / 2;  // half-width katakana
    return kEm;
}

constexpr char32_t kInvalid = 0xFFFD;

// The code point starting at text[i]; i moves past it.
char32_t decode(std::string_view text, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        ++i;
        return kInvalid;
    }
    if (i + length > text.size()) {
        ++i;
        return kInvalid;
    }
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kInvalid;
        }
        c = c << 6 | (byte(i + k) & 0x3F);
    }
    i += length;
    return c;
}

}  // namespace

TextWidths::TextWidths(CharacterWidth characterWidth) : m_characterWidth(std::move(characterWidth))
{
    for (char32_t c = 0; c < m_ascii.size(); ++c)
        m_ascii[c] = m_characterWidth(c);
}

double TextWidths::width(std::string_view utf8) const
{
    double total = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = decode(utf8, i);
        if (c < m_ascii.size()) {
            total += m_ascii[c];
            continue;
        }
        auto it = m_others.find(c);
        if (it == m_others.end()) it = m_others.emplace(c, m_characterWidth(c)).first;
        total += it->second;
    }
    return total;
}

const TextWidths& gridFontWidths()
{
    static const TextWidths model(modelWidth);
    return model;
}

std::string_view withoutTrailingSpaces(std::string_view utf8)
{
    constexpr std::string_view kIdeographicSpace = "\u3000";
    for (;;) {
        if (!utf8.empty() && utf8.back() == ' ')
            utf8.remove_suffix(1);
        else if (utf8.ends_with(kIdeographicSpace))
            utf8.remove_suffix(kIdeographicSpace.size());
        else
            return utf8;
    }
}
