// The prizes of one draw as results files publish them and the draw database keeps them beside
// the draws: per tier the number of winning tickets (口数) and the amount paid per ticket (賞金),
// and the carry-over. The one parser of prize amounts, for files and for amounts a player types.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/result.h"
#include "core/lottery/lottery_rules.h"

// Above this an amount (yen) or a count is taken for a mistake, not a prize.
inline constexpr long long kMaxPrizeYen = 1'000'000'000;

struct TierPrize {
    std::optional<long long> winners;  // 口数; 0 when the tier had no winner (該当なし)
    std::optional<long long> yen;      // paid per ticket
    bool operator==(const TierPrize&) const = default;
};

struct DrawPrizes {
    int drawNo = 0;
    std::array<TierPrize, kPrizeTierCount> tiers{};
    std::optional<long long> carryOver;  // yen

    bool empty() const;
    // Yen paid per ticket of tier index t (0 = 1等): the amount, or 0 when the tier had no
    // winner; nothing when the draw's data does not say.
    std::optional<long long> paidYen(int tier) const;
    bool operator==(const DrawPrizes&) const = default;
};

// The fields of DrawPrizes in the order files and the database name them: 1等口数, 1等賞金, …,
// 4等口数, 4等賞金, キャリーオーバー.
inline constexpr int kPrizeFieldCount = 2 * kPrizeTierCount + 1;
inline constexpr int kCarryOverField = 2 * kPrizeTierCount;
// "1等口数", "1等賞金", …, "キャリーオーバー"
std::string prizeFieldName(int field);
std::optional<long long>& prizeField(DrawPrizes& prizes, int field);
const std::optional<long long>& prizeField(const DrawPrizes& prizes, int field);
// The field a results file's heading names ("1等当せん口数", "４等賞金（円）", "キャリーオーバー"),
// or -1.
int prizeFieldOfHeading(std::string_view heading);

enum class PrizeTextKind {
    Empty,        // nothing written: the amount is not known
    NoWinner,     // "該当なし", "-", "－": nobody won the tier, 0
    Value,        // a whole number 0..kMaxPrizeYen
    NotAnAmount,  // "未定", "1.5": not read; the rest of the line is
    OutOfRange,   // negative, or above kMaxPrizeYen
};
struct PrizeText {
    PrizeTextKind kind = PrizeTextKind::Empty;
    long long value = 0;  // Value; 0 for NoWinner
};
// Reads "10,000,000円", "10000000", "￥10,000,000", "1,500口", full-width digits, "該当なし", "-".
PrizeText parsePrizeText(std::string_view text);

// An amount typed by the player: empty is nothing, "該当なし"/"-" is 0, otherwise a whole number
// 0..1,000,000,000; what is wrong is said naming `what` ("1等の当選金額").
Result<std::optional<long long>> typedPrizeAmount(std::string_view text, const std::string& what);
