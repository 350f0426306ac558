// The rules of the lottery this program studies, written once: the number range, how many main
// numbers a draw has and whether it has a bonus, the ticket price, the prize tiers and the limits
// that follow from them. Every feature takes these from here, so that another lottery is one
// more set of rules rather than a search through the tree.
#pragma once

#include <cstdint>

struct LotteryRules {
    int lowestNumber;  // the numbers run from lowestNumber to highestNumber
    int highestNumber;
    int mainCount;         // main numbers per draw (and per ticket)
    int bonusCount;        // bonus numbers per draw
    int ticketPriceYen;    // one ticket
    int prizeTierCount;    // 1等 .. N等
    int highestDrawNo;     // 回数 is a 16-bit signed number
    int highestLowNumber;  // numbers up to this one are "low"

    constexpr int numberCount() const { return highestNumber - lowestNumber + 1; }
    // C(numberCount, mainCount): every different set of main numbers, so every different ticket.
    constexpr std::int64_t combinationCount() const
    {
        std::int64_t c = 1;
        for (int i = 0; i < mainCount; ++i)
            c = c * (numberCount() - i) / (i + 1);
        return c;
    }
};

// Five main numbers and one bonus number from 1 to 31, 200 円 a ticket, four prize tiers
// (1等 all five; 2等 four and the bonus; 3等 four; 4等 three).
inline constexpr LotteryRules kLottery{1, 31, 5, 1, 200, 4, 32767, 15};

// The rules as plain constants, for array sizes and loops.
inline constexpr int kLowestNumber = kLottery.lowestNumber;
inline constexpr int kHighestNumber = kLottery.highestNumber;
inline constexpr int kNumberCount = kLottery.numberCount();  // 31
inline constexpr int kMainCount = kLottery.mainCount;        // 第1数字..第5数字
inline constexpr int kDrawNumbers = kLottery.mainCount + kLottery.bonusCount;  // with the bonus
inline constexpr int kTicketPriceYen = kLottery.ticketPriceYen;
inline constexpr int kPrizeTierCount = kLottery.prizeTierCount;
inline constexpr int kHighestDrawNo = kLottery.highestDrawNo;
inline constexpr int kHighestLowNumber = kLottery.highestLowNumber;
inline constexpr std::int64_t kCombinationCount = kLottery.combinationCount();  // 169,911

static_assert(kCombinationCount == 169911);
