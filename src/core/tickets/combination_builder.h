// 組合せ作成 without the window: every five-number combination of the picked numbers that holds
// the fixed ones, the filters with the number of tickets each removes, and a reduced set with a
// verified "t if m" guarantee (see cover_search.h) and its odds over every possible draw.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/base/result.h"
#include "core/draws/draw_history.h"
#include "core/tickets/cover_search.h"
#include "core/tickets/ticket.h"

// The filters in the order they are applied; each removes from what the earlier ones left.
enum class ComboFilter { Sum, OddEven, LowHigh, Consecutive, Previous, NotWon };
inline constexpr int kComboFilterCount = 6;
inline constexpr std::array<ComboFilter, kComboFilterCount> kComboFilters = {
    ComboFilter::Sum,         ComboFilter::OddEven,  ComboFilter::LowHigh,
    ComboFilter::Consecutive, ComboFilter::Previous, ComboFilter::NotWon};
// "sum", "odd_even", ...: the keys of the command line's removed_by.
const char* filterKey(ComboFilter filter);
// "合計", "偶数奇数パターン", ...: the player's name of the filter.
const char* filterLabel(ComboFilter filter);

struct ComboFilters {
    std::optional<std::pair<int, int>> sum;  // the five numbers add up to min..max
    std::string oddEvenLetters;              // allowed letters "A".."F"; empty allows all
    std::string lowHighLetters;
    std::optional<int> maxConsecutive;   // at most this many pairs n, n+1
    std::optional<int> maxFromPrevious;  // at most this many numbers of the latest draw
    bool notWon = false;                 // never the main numbers of a past draw (a past 1等)

    bool active(ComboFilter filter) const;
};

// What the filters need from the draw history.
struct ComboHistory {
    NumberMask latestDraw = 0;            // main numbers of the latest complete draw
    std::vector<NumberMask> firstPrizes;  // main numbers of every complete draw, sorted
};
ComboHistory comboHistoryOf(const DrawHistory& history);

struct ComboRequest {
    std::vector<int> picked;  // numbers to combine; fixed numbers count as picked
    std::vector<int> fixed;   // every ticket holds them (at most five)
    // A reduced set with this guarantee instead of every combination.
    std::optional<Guarantee> guarantee;
    ComboFilters filters;
    // When no stored set applies (fixed numbers, filters): how long the search may shrink the
    // greedy set (seconds; 0 keeps the greedy set), with a cancel flag and progress reports
    // (share of the time, smallest verified size so far).
    double searchSeconds = 1.0;
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(double, std::size_t)> progress;
};

// Over every possible draw (all 169,911 sets of five main numbers): how many meet the
// guarantee's condition, how many of those the tickets keep the promise for, and how many give
// at least one ticket 4等 or better.
struct ComboOdds {
    long long draws = 0;
    long long conditionMet = 0;
    long long promiseKept = 0;
    long long fourthOrBetter = 0;
};
ComboOdds comboOdds(NumberMask picked, Guarantee guarantee,
                    const std::vector<TicketNumbers>& tickets);

// Where a reduced set came from.
enum class CoverSource { Stored, Search, Greedy };

struct ComboResult {
    std::vector<TicketNumbers> tickets;                    // ascending lexicographic
    long long generated = 0;                               // combinations before the filters
    std::array<long long, kComboFilterCount> removedBy{};  // indexed like kComboFilters
    long long removedByReduce = 0;
    std::optional<std::string> guarantee;  // the verified promise of a reduced set
    // For a reduced set: the check it passed, its odds and where it came from.
    CoverCheck check;
    ComboOdds odds;
    CoverSource source = CoverSource::Greedy;
    std::size_t greedySize = 0;  // the greedy set the search started from
    bool cancelled = false;      // the search was stopped; the set is the best verified so far

    long long count() const { return static_cast<long long>(tickets.size()); }
    long long cost() const { return count() * kTicketPriceYen; }
    // The tickets the filters left, which the reduced set replaces.
    long long fullCount() const { return count() + removedByReduce; }
    long long savedYen() const { return removedByReduce * kTicketPriceYen; }
};

// Fails with a message for numbers outside 1..31, repeats, more than five fixed numbers, fewer
// than five numbers, a pattern letter other than A..F, a guarantee outside 1 <= t <= m <= 5 or
// more fixed numbers than the guarantee leaves room for (5 - t).
Result<ComboResult> buildCombinations(const ComboRequest& request, const ComboHistory& history);
// The same checks alone: what is wrong with the player's request, before any work.
Status checkComboRequest(const ComboRequest& request);

// "3/3" as a guarantee; the message says what is wrong.
Result<Guarantee> parseGuarantee(const std::string& text);
Status checkGuarantee(Guarantee guarantee);
// The player's words for the choice: "3個一致（当選数字3個が選んだ数字に入れば）".
std::string guaranteeLabel(Guarantee guarantee);
