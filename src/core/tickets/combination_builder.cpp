#include "core/tickets/combination_builder.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <chrono>

#include "core/analyses/pattern_letters.h"
#include "core/tickets/cover_table.h"

namespace {

constexpr NumberMask bit(int n)
{
    return NumberMask{1} << n;
}

// Sum, odd count and low count of a five-number mask.
struct MaskTraits {
    int sum = 0;
    int odds = 0;
    int lows = 0;
};
MaskTraits traitsOf(NumberMask mask)
{
    MaskTraits traits;
    for (NumberMask rest = mask; rest; rest &= rest - 1) {
        const int n = std::countr_zero(rest);
        traits.sum += n;
        if (!isEvenNumber(n)) ++traits.odds;
        if (isLowNumber(n)) ++traits.lows;
    }
    return traits;
}

bool letterAllowed(const std::string& letters, int count)
{
    return letters.empty() || letters.find(static_cast<char>('A' + count)) != std::string::npos;
}

// True when the filter keeps the ticket.
bool passes(ComboFilter filter, NumberMask mask, const MaskTraits& traits,
            const ComboFilters& filters, const ComboHistory& history)
{
    switch (filter) {
    case ComboFilter::Sum:
        return traits.sum >= filters.sum->first && traits.sum <= filters.sum->second;
    case ComboFilter::OddEven:
        return letterAllowed(filters.oddEvenLetters, traits.odds);
    case ComboFilter::LowHigh:
        return letterAllowed(filters.lowHighLetters, traits.lows);
    case ComboFilter::Consecutive:
        return std::popcount(mask & (mask >> 1)) <= *filters.maxConsecutive;
    case ComboFilter::Previous:
        return std::popcount(mask & history.latestDraw) <= *filters.maxFromPrevious;
    case ComboFilter::NotWon:
        return !std::binary_search(history.firstPrizes.begin(), history.firstPrizes.end(), mask);
    }
    return true;
}

bool lexicographicallyBefore(NumberMask a, NumberMask b)
{
    // Same-size sets: the one holding the lowest number where they differ comes first.
    const NumberMask differ = a ^ b;
    return differ && (a & (differ & (~differ + 1)));
}

Status checkLetters(const std::string& letters, const char* what)
{
    for (char c : letters)
        if (c < 'A' || c > 'F')
            return Error{std::string(what) + "のパターンは A から F の文字で指定してください"};
    return success();
}

}  // namespace

const char* filterKey(ComboFilter filter)
{
    switch (filter) {
    case ComboFilter::Sum:
        return "sum";
    case ComboFilter::OddEven:
        return "odd_even";
    case ComboFilter::LowHigh:
        return "low_high";
    case ComboFilter::Consecutive:
        return "max_consecutive";
    case ComboFilter::Previous:
        return "max_previous";
    case ComboFilter::NotWon:
        return "not_won";
    }
    return "";
}

const char* filterLabel(ComboFilter filter)
{
    switch (filter) {
    case ComboFilter::Sum:
        return "合計";
    case ComboFilter::OddEven:
        return "偶数奇数パターン";
    case ComboFilter::LowHigh:
        return "低数字高数字パターン";
    case ComboFilter::Consecutive:
        return "連番の組数";
    case ComboFilter::Previous:
        return "前回数字の個数";
    case ComboFilter::NotWon:
        return "過去の1等と同じ組合せ";
    }
    return "";
}

bool ComboFilters::active(ComboFilter filter) const
{
    switch (filter) {
    case ComboFilter::Sum:
        return sum.has_value();
    case ComboFilter::OddEven:
        return !oddEvenLetters.empty();
    case ComboFilter::LowHigh:
        return !lowHighLetters.empty();
    case ComboFilter::Consecutive:
        return maxConsecutive.has_value();
    case ComboFilter::Previous:
        return maxFromPrevious.has_value();
    case ComboFilter::NotWon:
        return notWon;
    }
    return false;
}

ComboHistory comboHistoryOf(const DrawHistory& history)
{
    ComboHistory combo;
    int latestDrawNo = 0;
    for (const auto& draw : history.draws()) {
        if (!draw) continue;
        NumberMask mask = 0;
        for (int k = 0; k < kMainCount; ++k)
            if (isValidNumber(draw->numbers[k])) mask |= bit(draw->numbers[k]);
        // Draws are in ascending order: the last complete one is the latest.
        if (draw->drawNo >= latestDrawNo) {
            latestDrawNo = draw->drawNo;
            combo.latestDraw = mask;
        }
        if (std::popcount(mask) == kTicketNumbers) combo.firstPrizes.push_back(mask);
    }
    std::sort(combo.firstPrizes.begin(), combo.firstPrizes.end());
    combo.firstPrizes.erase(std::unique(combo.firstPrizes.begin(), combo.firstPrizes.end()),
                            combo.firstPrizes.end());
    return combo;
}

Status checkGuarantee(Guarantee guarantee)
{
    if (guarantee.t < 1 || guarantee.t > kTicketNumbers || guarantee.m < 1 ||
        guarantee.m > kTicketNumbers)
        return Error{"保証の数は1から5で指定してください（一致する数/当選数字の数、例: 3/3）"};
    if (guarantee.t > guarantee.m)
        return Error{"保証の一致する数 " + std::to_string(guarantee.t) + " は当選数字の数 " +
                     std::to_string(guarantee.m) + " 以下にしてください（例: 3/4）"};
    return success();
}

Result<Guarantee> parseGuarantee(const std::string& text)
{
    const auto bad =
        Error{"保証は 一致する数/当選数字の数 の形で指定してください（例: 3/3）: " + text};
    if (text.size() != 3 || text[1] != '/' || !std::isdigit(static_cast<unsigned char>(text[0])) ||
        !std::isdigit(static_cast<unsigned char>(text[2])))
        return bad;
    const Guarantee guarantee{text[0] - '0', text[2] - '0'};
    if (auto ok = checkGuarantee(guarantee); !ok) return Error{ok.error()};
    return guarantee;
}

std::string guaranteeLabel(Guarantee g)
{
    const std::string t = std::to_string(g.t);
    const std::string m = std::to_string(g.m);
    return t + "個一致（当選数字" + m + "個が選んだ数字に入れば）";
}

namespace {

// "（4等以上）" for the prize that t matched numbers reach at least.
std::string prizeNote(int t)
{
    switch (t) {
    case 5:
        return "（1等）";
    case 4:
        return "（3等以上）";
    case 3:
        return "（4等以上）";
    default:
        return "";
    }
}

std::string promiseText(int v, Guarantee g, const CoverCheck& check, int k)
{
    const std::string t = std::to_string(g.t);
    const std::string m = std::to_string(g.m);
    const std::string ks = std::to_string(k);
    // With many picked numbers every draw holds more of them than m: the sets checked are the
    // smallest a draw can leave among the picked numbers.
    const std::string why = k > g.m ? "（選んだ数字が " + std::to_string(v) +
                                          " 個なので、当選数字は必ず " + ks +
                                          " 個以上が選んだ数字に入ります）"
                                    : "";
    if (check.coverable == check.subsets)
        return "選んだ数字 " + std::to_string(v) + " 個の中に当選数字が" + m +
               "個以上あれば、どれか1口が必ず" + t + "個以上一致します" + prizeNote(g.t) +
               "。当選数字" + ks + "個の組 " + std::to_string(check.subsets) +
               " 組すべてを確認済み" + why;
    return "選んだ数字 " + std::to_string(v) + " 個から当選数字" + ks + "個の組 " +
           std::to_string(check.subsets) + " 組のうち、固定数字と絞り込みの条件で作れる " +
           std::to_string(check.coverable) + " 組について、その" + ks +
           "個が当選数字ならどれか1口が必ず" + t + "個以上一致します" + prizeNote(g.t) + "。残る " +
           std::to_string(check.subsets - check.coverable) + " 組には保証がありません。確認済み" +
           why;
}

// Bit n (1..31) of a number mask as position n - 1.
PositionMask positionsOfNumbers(NumberMask mask)
{
    return mask >> kLowestNumber;
}

}  // namespace

ComboOdds comboOdds(NumberMask picked, Guarantee guarantee,
                    const std::vector<TicketNumbers>& tickets)
{
    // A ticket shares with a draw's picked part only what it holds of the picked numbers.
    const PositionMask pickedPositions = positionsOfNumbers(picked);
    std::vector<PositionMask> positions;
    positions.reserve(tickets.size());
    for (const TicketNumbers& t : tickets)
        positions.push_back(positionsOfNumbers(maskOf(t)) & pickedPositions);
    const HeldSubsets holdsT(guarantee.t, positions);
    const HeldSubsets holdsThree(3, positions);
    ComboOdds odds;
    // Every draw of five main numbers out of 31: four of them, then the fifth as a popcount.
    forEachPrefix(kNumberCount, kMainCount, [&](PositionMask prefix, PositionMask last) {
        odds.draws += std::popcount(last);
        odds.fourthOrBetter += std::popcount(last & holdsThree.completions(prefix));
        const int inPick = std::popcount(prefix & pickedPositions);
        const PositionMask met = inPick >= guarantee.m       ? last
                                 : inPick + 1 == guarantee.m ? last & pickedPositions
                                                             : 0;
        odds.conditionMet += std::popcount(met);
        odds.promiseKept += std::popcount(met & holdsT.completions(prefix));
    });
    return odds;
}

namespace {

// Relabelings of the stored set tried when filters alone narrow the tickets.
constexpr int kRelabelings = 8;

// The reduced set for a request: the stored set when nothing narrows the tickets, otherwise the
// greedy set (or the stored set adapted to the filters) shrunk by the search within the
// request's time. Every set is checked by enumeration before it is returned. kept (keptCount
// tickets) may be left empty when nothing narrows the tickets and a stored set exists for a
// guarantee below five numbers.
Result<std::vector<NumberMask>> reduce(const ComboRequest& request, NumberMask picked,
                                       NumberMask fixed, const std::vector<int>& numbers,
                                       bool filtered, const std::vector<NumberMask>& kept,
                                       long long keptCount, ComboResult& result)
{
    const Guarantee g = *request.guarantee;
    const int v = static_cast<int>(numbers.size());
    const bool narrowed = fixed != 0 || filtered;
    // Picked numbers as positions 0..v-1 and back.
    std::array<int, kHighestNumber + 1> positionOf{};
    for (int i = 0; i < v; ++i)
        positionOf[static_cast<std::size_t>(numbers[static_cast<std::size_t>(i)])] = i;
    std::vector<PositionMask> candidates;
    if (narrowed) {
        candidates.reserve(kept.size());
        for (NumberMask mask : kept) {
            PositionMask p = 0;
            for (NumberMask rest = mask; rest; rest &= rest - 1)
                p |= PositionMask{1}
                     << positionOf[static_cast<std::size_t>(std::countr_zero(rest))];
            candidates.push_back(p);
        }
    }
    std::vector<PositionMask> chosen;
    std::optional<CoverCheck> check;
    if (!narrowed) {
        const auto stored = storedCover(v, g);
        if (!stored.empty()) {
            const std::vector<PositionMask> set(stored.begin(), stored.end());
            check = checkCover(v, g, {}, set);
            if (check->uncovered == 0) {
                chosen = set;
                result.source = CoverSource::Stored;
            } else {
                check.reset();
            }
        }
    }
    if (chosen.empty() && g.t == kTicketNumbers) {
        // Five matched numbers: every allowed ticket is needed.
        chosen = narrowed ? candidates : std::vector<PositionMask>{};
        if (!narrowed)
            for (NumberMask mask : kept) {
                PositionMask p = 0;
                for (NumberMask rest = mask; rest; rest &= rest - 1)
                    p |= PositionMask{1}
                         << positionOf[static_cast<std::size_t>(std::countr_zero(rest))];
                chosen.push_back(p);
            }
        result.source = CoverSource::Greedy;
    }
    if (chosen.empty()) {
        auto problem = CoverProblem::make(v, g, candidates);
        if (!problem) return Error{problem.error()};
        chosen = greedyCover(*problem);
        result.greedySize = chosen.size();
        result.source = CoverSource::Greedy;
        if (request.searchSeconds > 0 && checkCover(v, g, candidates, chosen).uncovered == 0) {
            SearchControl control;
            control.deadline =
                std::chrono::steady_clock::now() +
                std::chrono::microseconds(static_cast<long long>(request.searchSeconds * 1e6));
            control.cancel = request.cancel;
            control.progress = request.progress;
            std::vector<PositionMask> start = chosen;
            // Under filters alone most of the stored set usually stays allowed: its allowed
            // tickets, completed greedily, are a better start than the greedy set.
            const bool cancelled = request.cancel && request.cancel->load();
            if (const auto stored = storedCover(v, g);
                !stored.empty() && fixed == 0 && !cancelled) {
                std::vector<PositionMask> adapted =
                    adaptedCover(*problem, std::vector<PositionMask>(stored.begin(), stored.end()),
                                 kRelabelings);
                if (adapted.size() < start.size() &&
                    checkCover(v, g, candidates, adapted).uncovered == 0)
                    start = std::move(adapted);
            }
            std::vector<PositionMask> shrunk = shrinkCover(*problem, start, control);
            if (shrunk.size() < chosen.size() &&
                checkCover(v, g, candidates, shrunk).uncovered == 0) {
                chosen = std::move(shrunk);
                result.source = CoverSource::Search;
            }
            result.cancelled = request.cancel && request.cancel->load();
        }
    }
    result.check = check ? *check : checkCover(v, g, candidates, chosen);
    if (result.check.uncovered != 0)
        return Error{"削減した組合せの保証を確かめられませんでした（" +
                     std::to_string(result.check.uncovered) + " 組が含まれていません）"};
    std::vector<NumberMask> reduced;
    reduced.reserve(chosen.size());
    for (PositionMask p : chosen)
        reduced.push_back(relabel(p, numbers));
    std::sort(reduced.begin(), reduced.end(), lexicographicallyBefore);
    result.removedByReduce = keptCount - static_cast<long long>(reduced.size());
    result.guarantee = promiseText(v, g, result.check, checkedSubsetSize(v, g));
    std::vector<TicketNumbers> tickets;
    for (NumberMask mask : reduced)
        tickets.push_back(numbersOf(mask));
    result.odds = comboOdds(picked, g, tickets);
    return reduced;
}

}  // namespace

Status checkComboRequest(const ComboRequest& request)
{
    NumberMask fixed = 0;
    for (int n : request.fixed) {
        if (!isValidNumber(n))
            return Error{"固定数字 " + std::to_string(n) + " は1から31の範囲にありません"};
        if (fixed & bit(n)) return Error{"固定数字 " + std::to_string(n) + " が重複しています"};
        fixed |= bit(n);
    }
    if (std::popcount(fixed) > kTicketNumbers) return Error{"固定数字は5個までです"};
    NumberMask picked = fixed;
    for (int n : request.picked) {
        if (!isValidNumber(n))
            return Error{"数字 " + std::to_string(n) + " は1から31の範囲にありません"};
        if ((picked & bit(n)) && !(fixed & bit(n)))
            return Error{"数字 " + std::to_string(n) + " が重複しています"};
        picked |= bit(n);
    }
    if (std::popcount(picked) < kTicketNumbers)
        return Error{"数字を5個以上選んでください（" + std::to_string(std::popcount(picked)) +
                     "個選ばれています）"};
    const ComboFilters& filters = request.filters;
    if (auto ok = checkLetters(filters.oddEvenLetters, "偶数奇数"); !ok) return Error{ok.error()};
    if (auto ok = checkLetters(filters.lowHighLetters, "低数字高数字"); !ok)
        return Error{ok.error()};
    if (filters.sum && filters.sum->first > filters.sum->second)
        return Error{"合計の範囲は小さい方から指定してください"};
    if (request.guarantee) {
        if (auto ok = checkGuarantee(*request.guarantee); !ok) return Error{ok.error()};
        const int room = kTicketNumbers - request.guarantee->t;
        if (std::popcount(fixed) > room)
            return Error{request.guarantee->t == kTicketNumbers
                             ? std::string("5個一致の保証では固定数字は使えません")
                             : std::to_string(request.guarantee->t) +
                                   "個一致の保証では固定数字は " + std::to_string(room) +
                                   " 個までです（残りの数字で" +
                                   std::to_string(request.guarantee->t) + "個一致させるため）"};
    }

    return success();
}

Result<ComboResult> buildCombinations(const ComboRequest& request, const ComboHistory& history)
{
    if (auto ok = checkComboRequest(request); !ok) return Error{ok.error()};
    NumberMask fixed = 0;
    for (int n : request.fixed)
        fixed |= bit(n);
    NumberMask picked = fixed;
    for (int n : request.picked)
        picked |= bit(n);
    const ComboFilters& filters = request.filters;

    std::vector<ComboFilter> active;
    for (ComboFilter filter : kComboFilters)
        if (filters.active(filter)) active.push_back(filter);

    std::vector<int> numbers;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n)
        if (picked & bit(n)) numbers.push_back(n);
    const int size = static_cast<int>(numbers.size());

    ComboResult result;
    std::vector<NumberMask> kept;
    long long keptCount = 0;
    // A stored set replaces every ticket: they are counted, not listed.
    const bool storedSetApplies = request.guarantee && fixed == 0 && active.empty() &&
                                  request.guarantee->t < kTicketNumbers &&
                                  !storedCover(size, *request.guarantee).empty();
    if (storedSetApplies) {
        result.generated = binomial(size, kTicketNumbers);
        keptCount = result.generated;
    }
    // Five nested loops over the ascending numbers give ascending lexicographic order.
    for (int a = 0; a < size && !storedSetApplies; ++a)
        for (int b = a + 1; b < size; ++b)
            for (int c = b + 1; c < size; ++c) {
                const NumberMask abc = bit(numbers[a]) | bit(numbers[b]) | bit(numbers[c]);
                for (int d = c + 1; d < size; ++d)
                    for (int e = d + 1; e < size; ++e) {
                        const NumberMask mask = abc | bit(numbers[d]) | bit(numbers[e]);
                        if ((mask & fixed) != fixed) continue;
                        ++result.generated;
                        const MaskTraits traits = active.empty() ? MaskTraits{} : traitsOf(mask);
                        bool keep = true;
                        for (ComboFilter filter : active)
                            if (!passes(filter, mask, traits, filters, history)) {
                                ++result.removedBy[static_cast<std::size_t>(filter)];
                                keep = false;
                                break;
                            }
                        if (keep) kept.push_back(mask);
                    }
            }
    if (!storedSetApplies) keptCount = static_cast<long long>(kept.size());

    if (request.guarantee && keptCount > 0) {
        auto reduced =
            reduce(request, picked, fixed, numbers, !active.empty(), kept, keptCount, result);
        if (!reduced) return Error{reduced.error()};
        kept = std::move(*reduced);
    }
    result.tickets.reserve(kept.size());
    for (NumberMask mask : kept)
        result.tickets.push_back(numbersOf(mask));
    return result;
}
