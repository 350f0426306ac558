#include "core/draws/draw_prizes.h"

#include <algorithm>
#include <charconv>

namespace {

// Full-width digits and signs to ASCII; spaces, commas and the yen signs around an amount
// dropped. Anything else is kept, so that "1.5" or "未定" stays what it is.
std::string plainAmount(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ' ' || c == '\t' || c == '\r' || c == ',' || c == '\\') {
            ++i;
            continue;
        }
        const std::string_view rest = text.substr(i);
        // U+3000 space, U+FF0C comma, U+FFE5 and U+00A5 yen signs, and 円 are not part of the
        // value.
        std::size_t skipped = 0;
        for (const std::string_view skip :
             {"\xE3\x80\x80", "\xEF\xBC\x8C", "\xEF\xBF\xA5", "\xC2\xA5", "円"})
            if (rest.starts_with(skip)) skipped = skip.size();
        if (skipped) {
            i += skipped;
            continue;
        }
        // U+FF10..U+FF19 full-width digits are EF BC 90..99; U+FF0D and U+2212 are minus signs.
        if (rest.size() >= 3 && c == 0xEF && static_cast<unsigned char>(rest[1]) == 0xBC) {
            const auto b = static_cast<unsigned char>(rest[2]);
            if (b >= 0x90 && b <= 0x99) {
                out += static_cast<char>('0' + (b - 0x90));
                i += 3;
                continue;
            }
            if (b == 0x8D) {
                out += '-';
                i += 3;
                continue;
            }
        }
        if (rest.starts_with("\xE2\x88\x92")) {
            out += '-';
            i += 3;
            continue;
        }
        out += text[i];
        ++i;
    }
    return out;
}

// The forms nearly every field of a results file takes ("12345600", "12,345,600円", "1,500口"),
// read without a copy; anything else is left to the full reading.
std::optional<long long> plainDigits(std::string_view text)
{
    for (const std::string_view unit : {"円", "口"})
        if (text.ends_with(unit)) text.remove_suffix(unit.size());
    // 15 characters cannot overflow, and anything longer is no amount anyway.
    if (text.empty() || text.size() > 15) return std::nullopt;
    long long value = 0;
    bool digits = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            digits = true;
        } else if (c != ',') {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    return value;
}

}  // namespace

bool DrawPrizes::empty() const
{
    return !carryOver && std::all_of(tiers.begin(), tiers.end(),
                                     [](const TierPrize& t) { return !t.winners && !t.yen; });
}

std::optional<long long> DrawPrizes::paidYen(int tier) const
{
    if (tier < 0 || tier >= kPrizeTierCount) return std::nullopt;
    const TierPrize& t = tiers[static_cast<std::size_t>(tier)];
    if (t.yen) return t.yen;
    if (t.winners && *t.winners == 0) return 0;
    return std::nullopt;
}

std::string prizeFieldName(int field)
{
    if (field == kCarryOverField) return "キャリーオーバー";
    return std::to_string(field / 2 + 1) + (field % 2 == 0 ? "等口数" : "等賞金");
}

std::optional<long long>& prizeField(DrawPrizes& prizes, int field)
{
    if (field == kCarryOverField) return prizes.carryOver;
    TierPrize& tier = prizes.tiers[static_cast<std::size_t>(field / 2)];
    return field % 2 == 0 ? tier.winners : tier.yen;
}

const std::optional<long long>& prizeField(const DrawPrizes& prizes, int field)
{
    return prizeField(const_cast<DrawPrizes&>(prizes), field);
}

int prizeFieldOfHeading(std::string_view heading)
{
    std::string name = plainAmount(heading);  // full-width digits, spaces and 円 gone
    for (const std::string_view unit : {"()", "（）", "(口)", "（口）"})
        if (name.ends_with(unit)) name.erase(name.size() - unit.size());
    if (name == "キャリーオーバー" || name == "キャリーオーバー額" || name == "繰越金")
        return kCarryOverField;
    if (name.size() < 1 + std::string_view("等").size() || name[0] < '1' ||
        name[0] >= '1' + kPrizeTierCount || name.compare(1, 3, "等") != 0)
        return -1;
    const int tier = name[0] - '1';
    const std::string_view what = std::string_view(name).substr(4);
    for (const std::string_view winners :
         {"口数", "当せん口数", "当選口数", "当せん数", "当選数", "当せん者数", "当選者数"})
        if (what == winners) return 2 * tier;
    for (const std::string_view yen :
         {"賞金", "当せん金額", "当選金額", "金額", "当せん金", "当選金", "賞金額", "1口当たり"})
        if (what == yen) return 2 * tier + 1;
    return -1;
}

PrizeText parsePrizeText(std::string_view text)
{
    if (text.empty()) return {};
    if (const auto value = plainDigits(text))
        return {*value > kMaxPrizeYen ? PrizeTextKind::OutOfRange : PrizeTextKind::Value, *value};
    std::string plain = plainAmount(text);
    // Winner counts come as "2口" or "1,500口" on results sites; the unit is not the value.
    if (plain.ends_with("口")) plain.erase(plain.size() - std::string_view("口").size());
    if (plain.empty()) return {};
    for (const std::string_view none :
         {"該当なし", "該当者なし", "なし", "-", "--", "ー", "―", "‐"})
        if (plain == none) return {PrizeTextKind::NoWinner, 0};
    std::string_view digits = plain;
    const bool negative = digits.starts_with('-');
    if (negative || digits.starts_with('+')) digits.remove_prefix(1);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {PrizeTextKind::NotAnAmount, 0};
    // More digits than any amount has is out of range, whatever they say.
    long long value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return {PrizeTextKind::OutOfRange, 0};
    if (negative && value != 0) return {PrizeTextKind::OutOfRange, -value};
    if (value > kMaxPrizeYen) return {PrizeTextKind::OutOfRange, value};
    return {PrizeTextKind::Value, value};
}

Result<std::optional<long long>> typedPrizeAmount(std::string_view text, const std::string& what)
{
    const PrizeText read = parsePrizeText(text);
    switch (read.kind) {
    case PrizeTextKind::Empty:
        return std::optional<long long>();
    case PrizeTextKind::NoWinner:
    case PrizeTextKind::Value:
        return std::optional<long long>(read.value);
    case PrizeTextKind::NotAnAmount:
    case PrizeTextKind::OutOfRange:
        break;
    }
    return Error{what + "「" + std::string(text) +
                 "」は 0〜1,000,000,000 円の整数で入力してください（例: 10,000,000）。"};
}
