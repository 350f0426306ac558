// Small ticket sets with a "t if m" guarantee: whenever at least m of the five drawn main numbers
// are among the v picked numbers, some ticket holds at least t of them. The work is done on
// positions 0..v-1 (bit i of a mask is the i-th picked number) so one stored set serves every
// choice of v numbers; the caller relabels.
//
// The tickets hold picked numbers only, so a ticket shares with a draw exactly what it shares
// with the draw's picked part. The promise therefore holds for every draw once it holds for every
// k-subset of the picked numbers, k = the least count of picked numbers a draw can hold while
// meeting the condition: max(m, v - (31 - 5)) (with 27 or more picked numbers every draw holds
// several of them). Checking those k-subsets is exactly the condition, no more and no less.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "core/base/result.h"

using PositionMask = std::uint32_t;

struct Guarantee {
    int t = 3;  // numbers a ticket holds
    int m = 3;  // drawn numbers among the picked ones

    friend bool operator==(const Guarantee&, const Guarantee&) = default;
};

// The guarantees offered to the player, in the order of the choice.
inline constexpr Guarantee kOfferedGuarantees[] = {{2, 2}, {3, 3}, {3, 4}, {3, 5},
                                                   {4, 4}, {4, 5}, {5, 5}};

// C(n, k) for n up to 32 and any k; 0 outside the triangle.
long long binomial(int n, int k);

// The t-subsets (positions 0..30) that some of the given sets hold, kept so that one question is
// a few table reads: a set shares t positions with one of them exactly when it holds a held
// t-subset. For each (t-1)-subset S: the positions z above S's highest with S + z held.
class HeldSubsets {
public:
    HeldSubsets(int t, const std::vector<PositionMask>& sets);

    // The positions z above prefix's highest for which prefix + z holds a held t-subset (every
    // position when prefix holds one already).
    PositionMask completions(PositionMask prefix) const;

private:
    int m_t = 0;
    std::vector<PositionMask> m_next;  // by colex rank of the (t-1)-subset
};

// Calls fn(prefix, last) for every (k-1)-subset prefix of positions 0..v-1, with last the
// positions above prefix's highest: the k-subsets are prefix plus one position of last, each
// once, so a count over them is a popcount per prefix.
void forEachPrefix(int v, int k, const std::function<void(PositionMask, PositionMask)>& fn);

// The subsets the promise is checked on: m raised where every draw holds more picked numbers.
int checkedSubsetSize(int v, Guarantee guarantee);

struct CoverCheck {
    long long subsets = 0;    // k-subsets of the picked positions (k = checkedSubsetSize)
    long long coverable = 0;  // of those, some candidate ticket holds t of them
    long long uncovered = 0;  // coverable, yet no chosen ticket holds t of them: must be 0
};
// Enumerates afresh through the t-subsets the tickets hold; independent of the search's counts.
// candidates empty: every five-position ticket is allowed.
CoverCheck checkCover(int v, Guarantee guarantee, const std::vector<PositionMask>& candidates,
                      const std::vector<PositionMask>& tickets);

// What the search covers: every coverable k-subset of v positions, by tickets of five positions
// taken from the candidates (all of them when the list is empty).
class CoverProblem {
public:
    // v 5..31, 1 <= t <= m <= 5; candidates are five-position masks below bit v.
    static Result<CoverProblem> make(int v, Guarantee guarantee,
                                     std::vector<PositionMask> candidates = {});

    int v() const { return m_v; }
    int t() const { return m_t; }
    int k() const { return m_k; }
    long long subsetCount() const { return static_cast<long long>(m_coverable.size()); }
    bool coverable(long long rank) const { return m_coverable[static_cast<std::size_t>(rank)]; }
    bool allowed(PositionMask ticket) const;
    const std::vector<PositionMask>& candidates() const { return m_candidates; }
    bool restricted() const { return m_restricted; }

    // Colex rank of a k-subset.
    long long rank(PositionMask subset) const;
    // Calls fn(subset, rank) for every k-subset that shares at least t positions with ticket.
    void forEachCovered(PositionMask ticket,
                        const std::function<void(PositionMask, long long)>& fn) const;

private:
    int m_v = 0;
    int m_t = 0;
    int m_k = 0;
    bool m_restricted = false;
    std::vector<PositionMask> m_candidates;  // every allowed ticket, ascending
    std::vector<bool> m_allowedByRank;       // by colex rank of the five-position ticket
    std::vector<bool> m_coverable;           // by rank of the k-subset
};

// Greedy: repeatedly the allowed ticket covering the most uncovered subsets (sampled when the
// subsets are many), then tickets whose every subset another also covers are dropped. The allowed
// tickets of start are taken first: the greedy then completes a partial cover.
std::vector<PositionMask> greedyCover(const CoverProblem& problem, std::uint64_t seed = 1,
                                      const std::vector<PositionMask>& start = {});

// A cover built from one that the candidates partly rule out (the stored set when filters narrow
// the tickets): the model's positions relabelled a few ways (as they are, reversed, shuffled),
// its allowed tickets kept and the rest completed greedily; the smallest of these.
std::vector<PositionMask> adaptedCover(const CoverProblem& problem,
                                       const std::vector<PositionMask>& model, int relabelings,
                                       std::uint64_t seed = 1);

struct SearchControl {
    std::chrono::steady_clock::time_point deadline;
    const std::atomic<bool>* cancel = nullptr;
    // Called now and then with the share of the time used and the smallest full cover so far.
    std::function<void(double, std::size_t)> progress;
    std::uint64_t seed = 1;
    std::size_t stopAt = 0;  // stop once a cover of this size or smaller is found
    // The annealing temperature never falls below this (in uncovered subsets): higher keeps
    // small searches off plateaus, lower lets large ones settle. 0: floorTemperatureFor.
    double floorTemperature = 0;
    double cooling = 0.9999;         // per step, down to the floor
    long long reheatSteps = 200000;  // at the floor, back up to 0.6 this often
    // Above 0: tabu search in place of annealing, a changed ticket staying this many steps;
    // 0: annealing; -1: tabuTenureFor.
    int tabuTenure = -1;
};

// The floor temperature and the search (0: annealing, else a tabu tenure) that suit the
// problem's size.
double floorTemperatureFor(const CoverProblem& problem);
int tabuTenureFor(const CoverProblem& problem);

// Takes a full cover and looks for smaller ones: drops the ticket that leaves least uncovered,
// then simulated annealing or tabu search on that fixed number of tickets (one position of one
// ticket moved so that it covers a random uncovered subset) until every subset is covered again
// or time runs out. Returns the smallest full cover found (the given one when none is smaller).
std::vector<PositionMask> shrinkCover(const CoverProblem& problem, std::vector<PositionMask> cover,
                                      const SearchControl& control);

// The picked numbers (ascending) as the positions' labels: position i becomes numbers[i].
std::uint32_t relabel(PositionMask positions, const std::vector<int>& numbers);
