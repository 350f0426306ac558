// A lottery ticket (five different numbers 1..31), its prize tier against a draw, and the checks
// that turn a player's typed numbers and draw number into one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/base/result.h"
#include "core/draws/draw_row.h"

inline constexpr int kTicketNumbers = kMainCount;
inline constexpr int kAllTicketCount = static_cast<int>(kCombinationCount);

// The five numbers, ascending.
using TicketNumbers = std::array<int, kTicketNumbers>;
// A set of numbers 1..31 as bits 1..31.
using NumberMask = std::uint32_t;

enum class PrizeTier { None, First, Second, Third, Fourth };
inline constexpr std::array<PrizeTier, kPrizeTierCount> kPrizeTiers = {
    PrizeTier::First, PrizeTier::Second, PrizeTier::Third, PrizeTier::Fourth};

// "1等".."4等"; empty for no prize.
const char* tierName(PrizeTier tier);
// 0..3 for 1等..4等; -1 for no prize.
int tierIndex(PrizeTier tier);

NumberMask maskOf(const TicketNumbers& numbers);
TicketNumbers numbersOf(NumberMask mask);  // the mask must hold exactly five numbers 1..31
int countOf(NumberMask mask);

// The rule of the lottery: 1等 all five main numbers, 2等 four and the bonus, 3等 four, 4等 three.
PrizeTier prizeTier(int matchedMain, bool bonusMatched);

struct TicketCheck {
    std::vector<int> matched;  // the ticket's numbers among the draw's main numbers, ascending
    bool bonus = false;        // the draw's bonus number is on the ticket
    PrizeTier tier = PrizeTier::None;
};
TicketCheck checkTicket(const TicketNumbers& numbers, const Draw& draw);
// The same on masks: main is the draw's five main numbers, bonus its bonus number.
PrizeTier prizeTier(NumberMask ticket, NumberMask main, int bonus);

// Five different numbers 1..31, returned ascending; otherwise a message saying what is wrong.
Result<TicketNumbers> ticketNumbers(const std::vector<int>& numbers);
// A draw number 1..32767.
Status checkDrawNo(long long drawNo);
// "1,5,12,20,31" (commas or spaces) as numbers 1..31 without repeats, in the order given; any
// count. The message names the bad item.
Result<std::vector<int>> parseNumberList(const std::string& text);
// "1 5 12 20 31" for display.
std::string numbersText(const TicketNumbers& numbers, const char* separator = " ");
