// 組合せ作成 without the window: every five-number combination of the picked numbers that holds
// the fixed ones, the filters with the number of tickets each removes, and a reduced set with a
// verified three-number guarantee.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/draws/draw_history.h"
#include "core/base/result.h"
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
    bool reduce = false;      // a reduced set with the three-number guarantee instead of all
    ComboFilters filters;
};

struct ComboResult {
    std::vector<TicketNumbers> tickets;                    // ascending lexicographic
    long long generated = 0;                               // combinations before the filters
    std::array<long long, kComboFilterCount> removedBy{};  // indexed like kComboFilters
    long long removedByReduce = 0;
    std::optional<std::string> guarantee;  // the verified promise of a reduced set

    long long count() const { return static_cast<long long>(tickets.size()); }
    long long cost() const { return count() * kTicketPriceYen; }
};

// Fails with a message for numbers outside 1..31, repeats, more than five fixed numbers, fewer
// than five numbers, or a pattern letter other than A..F.
Result<ComboResult> buildCombinations(const ComboRequest& request, const ComboHistory& history);

// A set of tickets such that every three-number subset of `picked` that one of `candidates`
// holds is held by at least one chosen ticket. Greedy (the ticket covering the most uncovered
// triples first), then tickets made redundant by later choices are dropped. Ascending order.
std::vector<NumberMask> coverTriples(NumberMask picked, const std::vector<NumberMask>& candidates);

struct CoverageCheck {
    long long triples = 0;    // three-number subsets of the picked numbers
    long long coverable = 0;  // of those, held by some candidate
    long long uncovered = 0;  // coverable but held by no chosen ticket: must be 0
};
// Enumerates every triple afresh; independent of the bookkeeping in coverTriples.
CoverageCheck verifyCoverage(NumberMask picked, const std::vector<NumberMask>& candidates,
                             const std::vector<NumberMask>& chosen);
