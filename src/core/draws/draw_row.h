// One row of the draw history as stored, and the complete-draw test.
#pragma once

#include <array>
#include <optional>

#include "core/base/raw_value.h"
#include "core/lottery/lottery_rules.h"

// Column names of the saved query, in field order.
inline constexpr const char* kDrawNoColumn = "回数";
inline constexpr const char* kDateColumn = "日付";
inline constexpr std::array<const char*, 6> kNumberColumns = {"第1数字", "第2数字", "第3数字",
                                                              "第4数字", "第5数字", "ボーナス数字"};

inline constexpr int kBonusIndex = kMainCount;  // ボーナス数字 in Draw::numbers

struct DrawRow {
    RawValue drawNo;                  // 回数
    RawValue date;                    // 日付 (only carried through import and export)
    std::array<RawValue, 6> numbers;  // 第1数字..第5数字, ボーナス数字
};

// A complete draw: all six number fields hold whole numbers.
struct Draw {
    int drawNo = 0;                // 回数; 0 when the field is empty
    std::array<int, 6> numbers{};  // main numbers in field order, then the bonus
};

// The row as a complete draw, or nothing when any of its six number fields is empty (or holds
// text that is not a whole number).
std::optional<Draw> completeDraw(const DrawRow& row);

inline bool isValidNumber(int n)
{
    return n >= kLowestNumber && n <= kHighestNumber;
}
