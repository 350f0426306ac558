#include "core/tickets/combination_builder.h"

#include <algorithm>
#include <bit>
#include <queue>

#include "core/analyses/pattern_letters.h"

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

// Index of the triple a < b < c in a flat table.
constexpr int tripleIndex(int a, int b, int c)
{
    return (a << 10) | (b << 5) | c;
}
constexpr int kTripleTableSize = 1 << 15;

// The ten triples of a five-number mask.
std::array<int, 10> triplesOf(NumberMask mask)
{
    std::array<int, 5> n{};
    int k = 0;
    for (NumberMask rest = mask; rest && k < 5; rest &= rest - 1)
        n[k++] = std::countr_zero(rest);
    std::array<int, 10> triples{};
    int t = 0;
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 5; ++j)
            for (int l = j + 1; l < 5; ++l)
                triples[t++] = tripleIndex(n[i], n[j], n[l]);
    return triples;
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

std::vector<NumberMask> coverTriples(NumberMask picked, const std::vector<NumberMask>& candidates)
{
    // Only triples of picked numbers count; a candidate may not hold numbers outside them.
    std::vector<std::uint8_t> covered(kTripleTableSize, 0);
    std::vector<std::uint16_t> coverCount(kTripleTableSize, 0);
    auto gainOf = [&](NumberMask mask) {
        int gain = 0;
        if ((mask & picked) != mask) return 0;
        for (int t : triplesOf(mask))
            gain += covered[t] ? 0 : 1;
        return gain;
    };
    // Lazy greedy: a candidate's gain only falls as others are chosen, so a stale gain is an
    // upper bound and a candidate whose fresh gain still tops the heap is the best one. Ties go
    // to the lower index, which keeps the result repeatable.
    using Entry = std::pair<int, int>;  // gain, -index
    std::priority_queue<Entry> heap;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const int gain = gainOf(candidates[i]);
        if (gain > 0) heap.push({gain, -static_cast<int>(i)});
    }
    std::vector<NumberMask> chosen;
    while (!heap.empty()) {
        const auto [stale, negIndex] = heap.top();
        heap.pop();
        const NumberMask mask = candidates[static_cast<std::size_t>(-negIndex)];
        const int gain = gainOf(mask);
        if (gain == 0) continue;
        if (gain < stale && !heap.empty() && Entry{gain, negIndex} < heap.top()) {
            heap.push({gain, negIndex});
            continue;
        }
        chosen.push_back(mask);
        for (int t : triplesOf(mask)) {
            covered[t] = 1;
            ++coverCount[t];
        }
    }
    // Drop a ticket whose every triple another chosen ticket also holds, last chosen first
    // (the early, greedy-best tickets are the least likely to be redundant).
    std::vector<bool> kept(chosen.size(), true);
    for (std::size_t i = chosen.size(); i-- > 0;) {
        const auto triples = triplesOf(chosen[i]);
        if (std::all_of(triples.begin(), triples.end(), [&](int t) { return coverCount[t] > 1; })) {
            kept[i] = false;
            for (int t : triples)
                --coverCount[t];
        }
    }
    std::vector<NumberMask> result;
    for (std::size_t i = 0; i < chosen.size(); ++i)
        if (kept[i]) result.push_back(chosen[i]);
    std::sort(result.begin(), result.end(), lexicographicallyBefore);
    return result;
}

CoverageCheck verifyCoverage(NumberMask picked, const std::vector<NumberMask>& candidates,
                             const std::vector<NumberMask>& chosen)
{
    std::vector<int> numbers;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n)
        if (picked & bit(n)) numbers.push_back(n);
    std::vector<std::uint8_t> coverable(kTripleTableSize, 0);
    for (NumberMask mask : candidates)
        if ((mask & picked) == mask)
            for (int t : triplesOf(mask))
                coverable[t] = 1;
    CoverageCheck check;
    const std::size_t size = numbers.size();
    for (std::size_t i = 0; i < size; ++i)
        for (std::size_t j = i + 1; j < size; ++j)
            for (std::size_t l = j + 1; l < size; ++l) {
                ++check.triples;
                if (!coverable[tripleIndex(numbers[i], numbers[j], numbers[l])]) continue;
                ++check.coverable;
                const NumberMask triple = bit(numbers[i]) | bit(numbers[j]) | bit(numbers[l]);
                const bool held = std::any_of(chosen.begin(), chosen.end(),
                                              [&](NumberMask t) { return (t & triple) == triple; });
                if (!held) ++check.uncovered;
            }
    return check;
}

Result<ComboResult> buildCombinations(const ComboRequest& request, const ComboHistory& history)
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

    std::vector<ComboFilter> active;
    for (ComboFilter filter : kComboFilters)
        if (filters.active(filter)) active.push_back(filter);

    std::vector<int> numbers;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n)
        if (picked & bit(n)) numbers.push_back(n);
    const int size = static_cast<int>(numbers.size());

    // Five nested loops over the ascending numbers give ascending lexicographic order.
    ComboResult result;
    std::vector<NumberMask> kept;
    for (int a = 0; a < size; ++a)
        for (int b = a + 1; b < size; ++b)
            for (int c = b + 1; c < size; ++c) {
                const NumberMask abc = bit(numbers[a]) | bit(numbers[b]) | bit(numbers[c]);
                for (int d = c + 1; d < size; ++d)
                    for (int e = d + 1; e < size; ++e) {
                        const NumberMask mask = abc | bit(numbers[d]) | bit(numbers[e]);
                        if ((mask & fixed) != fixed) continue;
                        ++result.generated;
                        const MaskTraits traits = traitsOf(mask);
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

    if (request.reduce && !kept.empty()) {
        std::vector<NumberMask> reduced = coverTriples(picked, kept);
        const CoverageCheck check = verifyCoverage(picked, kept, reduced);
        if (check.uncovered != 0)
            return Error{"削減した組合せの保証を確かめられませんでした（" +
                         std::to_string(check.uncovered) + "組の3数字が含まれていません）"};
        result.removedByReduce = static_cast<long long>(kept.size() - reduced.size());
        if (check.coverable == check.triples)
            result.guarantee = "選んだ数字 " + std::to_string(size) +
                               " 個の中に当選数字が3個以上あれば、どれか1口が必ず3個以上一致します"
                               "（4等以上）。3数字の組 " +
                               std::to_string(check.triples) + " 組すべてを確認済み";
        else
            result.guarantee = "選んだ数字 " + std::to_string(size) + " 個の3数字の組 " +
                               std::to_string(check.triples) +
                               " 組のうち、固定数字と絞り込みの条件で作れる " +
                               std::to_string(check.coverable) +
                               " 組について、その3個が当選数字ならどれか1口が必ず3個以上一致します"
                               "（4等以上）。確認済み";
        kept = std::move(reduced);
    }
    result.tickets.reserve(kept.size());
    for (NumberMask mask : kept)
        result.tickets.push_back(numbersOf(mask));
    return result;
}
