#include "core/tickets/ticket.h"

#include <algorithm>
#include <bit>
#include <cctype>

const char* tierName(PrizeTier tier)
{
    switch (tier) {
    case PrizeTier::First:
        return "1等";
    case PrizeTier::Second:
        return "2等";
    case PrizeTier::Third:
        return "3等";
    case PrizeTier::Fourth:
        return "4等";
    case PrizeTier::None:
        break;
    }
    return "";
}

int tierIndex(PrizeTier tier)
{
    return tier == PrizeTier::None ? -1 : static_cast<int>(tier) - 1;
}

NumberMask maskOf(const TicketNumbers& numbers)
{
    NumberMask mask = 0;
    for (int n : numbers)
        if (isValidNumber(n)) mask |= NumberMask{1} << n;
    return mask;
}

TicketNumbers numbersOf(NumberMask mask)
{
    TicketNumbers numbers{};
    std::size_t k = 0;
    for (int n = kLowestNumber; n <= kHighestNumber && k < numbers.size(); ++n)
        if (mask & (NumberMask{1} << n)) numbers[k++] = n;
    return numbers;
}

int countOf(NumberMask mask)
{
    return std::popcount(mask);
}

PrizeTier prizeTier(int matchedMain, bool bonusMatched)
{
    if (matchedMain >= 5) return PrizeTier::First;
    if (matchedMain == 4) return bonusMatched ? PrizeTier::Second : PrizeTier::Third;
    if (matchedMain == 3) return PrizeTier::Fourth;
    return PrizeTier::None;
}

PrizeTier prizeTier(NumberMask ticket, NumberMask main, int bonus)
{
    const bool bonusMatched = isValidNumber(bonus) && (ticket & (NumberMask{1} << bonus));
    return prizeTier(std::popcount(ticket & main), bonusMatched);
}

TicketCheck checkTicket(const TicketNumbers& numbers, const Draw& draw)
{
    TicketCheck check;
    for (int n : numbers) {
        for (int k = 0; k < kMainCount; ++k)
            if (draw.numbers[k] == n) {
                check.matched.push_back(n);
                break;
            }
        if (draw.numbers[kBonusIndex] == n) check.bonus = true;
    }
    std::sort(check.matched.begin(), check.matched.end());
    check.tier = prizeTier(static_cast<int>(check.matched.size()), check.bonus);
    return check;
}

Result<TicketNumbers> ticketNumbers(const std::vector<int>& numbers)
{
    if (numbers.size() != kTicketNumbers)
        return Error{"数字は5個必要です（" + std::to_string(numbers.size()) + "個あります）"};
    TicketNumbers sorted{};
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        if (!isValidNumber(numbers[k]))
            return Error{"数字 " + std::to_string(numbers[k]) + " は1から31の範囲にありません"};
        sorted[k] = numbers[k];
    }
    std::sort(sorted.begin(), sorted.end());
    if (const auto repeat = std::adjacent_find(sorted.begin(), sorted.end());
        repeat != sorted.end())
        return Error{"数字 " + std::to_string(*repeat) + " が重複しています"};
    return sorted;
}

Status checkDrawNo(long long drawNo)
{
    if (drawNo < 1 || drawNo > kHighestDrawNo)
        return Error{"回数 " + std::to_string(drawNo) + " は1から32767の範囲にありません"};
    return success();
}

Result<std::vector<int>> parseNumberList(const std::string& text)
{
    std::vector<int> numbers;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ',' || std::isspace(c)) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] != ',' &&
               !std::isspace(static_cast<unsigned char>(text[end])))
            ++end;
        const std::string item = text.substr(i, end - i);
        i = end;
        const bool digits =
            item.size() <= 3 &&
            std::all_of(item.begin(), item.end(), [](unsigned char d) { return std::isdigit(d); });
        if (!digits) return Error{"「" + item + "」は数字ではありません"};
        const int n = std::stoi(item);
        if (!isValidNumber(n))
            return Error{"数字 " + std::to_string(n) + " は1から31の範囲にありません"};
        if (std::find(numbers.begin(), numbers.end(), n) != numbers.end())
            return Error{"数字 " + std::to_string(n) + " が重複しています"};
        numbers.push_back(n);
    }
    return numbers;
}

std::string numbersText(const TicketNumbers& numbers, const char* separator)
{
    std::string text;
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        if (k) text += separator;
        text += std::to_string(numbers[k]);
    }
    return text;
}
