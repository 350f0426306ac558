#include "core/tickets/cover_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numeric>
#include <queue>

#include "core/lottery/lottery_rules.h"

namespace {

constexpr int kTicketSize = kMainCount;
constexpr int kMaxPositions = kNumberCount;

struct BinomialTable {
    std::array<std::array<long long, 7>, 34> c{};
    constexpr BinomialTable()
    {
        for (int n = 0; n < 34; ++n) {
            c[n][0] = 1;
            for (int k = 1; k < 7; ++k)
                c[n][k] = n == 0 ? 0 : c[n - 1][k - 1] + c[n - 1][k];
        }
    }
};
constexpr BinomialTable kBinomials;

long long colexRank(PositionMask subset)
{
    long long rank = 0;
    int index = 1;
    for (PositionMask rest = subset; rest; rest &= rest - 1, ++index)
        rank += kBinomials.c[std::countr_zero(rest)][index];
    return rank;
}

// std::popcount is a library call on the baseline x86-64 target; the search counts bits in its
// innermost loops.
constexpr int bitCount(PositionMask x)
{
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    return static_cast<int>((((x + (x >> 4)) & 0x0f0f0f0fu) * 0x01010101u) >> 24);
}

// The set bits of a mask, each as a one-bit mask, held without allocating.
class Bits {
public:
    explicit Bits(PositionMask mask)
    {
        for (PositionMask rest = mask; rest; rest &= rest - 1)
            m_bits[m_size++] = rest & (~rest + 1);
    }
    std::size_t size() const { return m_size; }
    PositionMask operator[](std::size_t i) const { return m_bits[i]; }
    const PositionMask* begin() const { return m_bits.data(); }
    const PositionMask* end() const { return m_bits.data() + m_size; }

private:
    std::array<PositionMask, 32> m_bits{};
    std::size_t m_size = 0;
};

// Calls fn(mask) for every k-subset of the given single-bit masks.
template <typename Fn> void forEachSubset(const Bits& items, int k, Fn&& fn)
{
    const int n = static_cast<int>(items.size());
    if (k < 0 || k > n) return;
    std::array<int, 8> index{};
    for (int i = 0; i < k; ++i)
        index[i] = i;
    while (true) {
        PositionMask mask = 0;
        for (int i = 0; i < k; ++i)
            mask |= items[static_cast<std::size_t>(index[i])];
        fn(mask);
        int i = k - 1;
        while (i >= 0 && index[i] == n - k + i)
            --i;
        if (i < 0) return;
        ++index[i];
        for (int j = i + 1; j < k; ++j)
            index[j] = index[j - 1] + 1;
    }
}

PositionMask allPositions(int v)
{
    return v >= 32 ? ~PositionMask{0} : (PositionMask{1} << v) - 1;
}

std::vector<PositionMask> everyTicket(int v)
{
    std::vector<PositionMask> all;
    forEachSubset(Bits(allPositions(v)), kTicketSize, [&](PositionMask s) { all.push_back(s); });
    return all;
}

// CoverProblem::forEachCovered, inlined for the search's innermost loops.
template <typename Fn>
void forEachCoveredBy(const CoverProblem& problem, PositionMask ticket, Fn&& fn)
{
    const Bits inside(ticket);
    const Bits outside(allPositions(problem.v()) & ~ticket);
    const int k = problem.k();
    for (int j = problem.t(); j <= std::min(k, kTicketSize); ++j)
        forEachSubset(inside, j, [&](PositionMask in) {
            forEachSubset(outside, k - j, [&](PositionMask out) {
                const PositionMask s = in | out;
                fn(s, colexRank(s));
            });
        });
}

// The search is cancelled or out of time.
bool stopped(const SearchControl& control)
{
    return (control.cancel && control.cancel->load()) ||
           std::chrono::steady_clock::now() >= control.deadline;
}

// Annealing schedule (the floor and the cooling are in SearchControl).
constexpr double kReheat = 0.6;

// The search's state: a fixed number of tickets and how often each subset is covered.
class Annealer {
public:
    Annealer(const CoverProblem& problem, std::vector<PositionMask> tickets, std::uint64_t seed)
        : m_problem(problem), m_tickets(std::move(tickets)), m_random(seed)
    {
        const auto count = static_cast<std::size_t>(problem.subsetCount());
        m_count.assign(count, 0);
        m_where.assign(count, -1);
        for (PositionMask ticket : m_tickets)
            forEachCoveredBy(problem, ticket, [&](PositionMask, long long r) {
                ++m_count[static_cast<std::size_t>(r)];
            });
        // Subsets are listed by mask so that a random uncovered one is one draw away.
        m_subsetMask.assign(count, 0);
        forEachSubset(Bits(allPositions(problem.v())), problem.k(), [&](PositionMask s) {
            m_subsetMask[static_cast<std::size_t>(problem.rank(s))] = s;
        });
        for (std::size_t r = 0; r < count; ++r)
            if (problem.coverable(static_cast<long long>(r)) && m_count[r] == 0) addUncovered(r);
    }

    std::size_t uncovered() const { return m_uncovered.size(); }
    const std::vector<PositionMask>& tickets() const { return m_tickets; }

    // Removes the ticket whose loss uncovers the fewest subsets.
    void dropOne()
    {
        std::size_t best = 0;
        long long bestLoss = -1;
        for (std::size_t i = 0; i < m_tickets.size(); ++i) {
            long long loss = 0;
            forEachCoveredBy(m_problem, m_tickets[i], [&](PositionMask, long long r) {
                if (m_count[static_cast<std::size_t>(r)] == 1) ++loss;
            });
            if (bestLoss < 0 || loss < bestLoss) {
                bestLoss = loss;
                best = i;
            }
        }
        replace(best, 0);
        m_tickets.erase(m_tickets.begin() + static_cast<std::ptrdiff_t>(best));
    }

    // Anneals until every subset is covered, the deadline passes or cancel is set. True when
    // covered.
    bool anneal(const SearchControl& control, double& temperature)
    {
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        const double floor = control.floorTemperature > 0 ? control.floorTemperature
                                                          : floorTemperatureFor(m_problem);
        long long steps = 0;
        while (!m_uncovered.empty()) {
            if ((steps & 255) == 0 && stopped(control)) return false;
            ++steps;
            const PositionMask target = m_subsetMask[m_uncovered[m_random() % m_uncovered.size()]];
            std::size_t index = 0;
            PositionMask next = 0;
            if (!pickMove(target, index, next)) continue;
            const long long delta = deltaOf(index, next);
            if (delta <= 0 ||
                unit(m_random) < std::exp(-static_cast<double>(delta) / temperature)) {
                replace(index, next);
                m_tickets[index] = next;
            }
            temperature = std::max(floor, temperature * control.cooling);
            if (temperature <= floor && control.reheatSteps > 0 &&
                (steps % control.reheatSteps) == 0)
                temperature = std::max(kReheat, 2 * floor);
        }
        return true;
    }

    // Tabu search on the same moves: each step takes the best of the moves covering a random
    // uncovered subset (ties at random); a ticket just changed stays as it is for `tenure` steps
    // unless the move reaches a new low. True when covered.
    bool tabuSearch(const SearchControl& control, int tabuTenure)
    {
        std::vector<long long> changedAt(m_tickets.size(), -(1LL << 40));
        std::size_t least = m_uncovered.size();
        const auto tenure = static_cast<long long>(tabuTenure);
        long long steps = 0;
        while (!m_uncovered.empty()) {
            if ((steps & 63) == 0 && stopped(control)) return false;
            ++steps;
            const PositionMask target = m_subsetMask[m_uncovered[m_random() % m_uncovered.size()]];
            std::size_t index = 0;
            PositionMask next = 0;
            collectMoves(target);
            if (m_moves.empty()) {
                if (!pickMove(target, index, next)) continue;
            } else {
                long long bestDelta = 1LL << 40;
                unsigned ties = 0;
                for (const auto& [i, candidate] : m_moves) {
                    const long long delta = deltaOf(i, candidate);
                    const bool tabu = steps - changedAt[i] <= tenure;
                    if (tabu && static_cast<long long>(m_uncovered.size()) + delta >=
                                    static_cast<long long>(least))
                        continue;
                    if (delta < bestDelta) {
                        bestDelta = delta;
                        ties = 1;
                        index = i;
                        next = candidate;
                    } else if (delta == bestDelta && m_random() % ++ties == 0) {
                        index = i;
                        next = candidate;
                    }
                }
                if (!next) continue;
            }
            replace(index, next);
            m_tickets[index] = next;
            changedAt[index] = steps;
            least = std::min(least, m_uncovered.size());
        }
        return true;
    }

private:
    void addUncovered(std::size_t r)
    {
        m_where[r] = static_cast<int>(m_uncovered.size());
        m_uncovered.push_back(r);
    }
    void removeUncovered(std::size_t r)
    {
        const int at = m_where[r];
        const std::size_t last = m_uncovered.back();
        m_uncovered[static_cast<std::size_t>(at)] = last;
        m_where[last] = at;
        m_uncovered.pop_back();
        m_where[r] = -1;
    }

    // A ticket one position away from a chosen one that covers target: a ticket holding t-1 of
    // target's positions takes one more of them in place of one outside target.
    void collectMoves(PositionMask target)
    {
        const int t = m_problem.t();
        m_moves.clear();
        for (std::size_t i = 0; i < m_tickets.size(); ++i) {
            const PositionMask ticket = m_tickets[i];
            if (bitCount(ticket & target) != t - 1) continue;
            for (PositionMask in : Bits(target & ~ticket))
                for (PositionMask out : Bits(ticket & ~target)) {
                    const PositionMask candidate = (ticket & ~out) | in;
                    if (m_problem.allowed(candidate)) m_moves.push_back({i, candidate});
                }
        }
    }

    bool pickMove(PositionMask target, std::size_t& index, PositionMask& next)
    {
        const int t = m_problem.t();
        collectMoves(target);
        if (m_moves.empty()) {
            // None a step away: a random allowed ticket covering target replaces a random one.
            const auto& candidates = m_problem.candidates();
            for (int attempt = 0; attempt < 64 && !candidates.empty(); ++attempt) {
                const PositionMask c = candidates[m_random() % candidates.size()];
                if (bitCount(c & target) >= t) {
                    index = m_random() % m_tickets.size();
                    next = c;
                    return true;
                }
            }
            return false;
        }
        const auto& move = m_moves[m_random() % m_moves.size()];
        index = move.first;
        next = move.second;
        return true;
    }

    // Change in the number of uncovered subsets when ticket index becomes next.
    long long deltaOf(std::size_t index, PositionMask next)
    {
        const int t = m_problem.t();
        const PositionMask ticket = m_tickets[index];
        if (bitCount(ticket ^ next) == 2) {
            // One position moved, out -> in: only subsets holding t-1 of the other four and one
            // of the two change, with the rest of their positions outside both tickets.
            const PositionMask out = ticket & ~next, in = next & ~ticket;
            const Bits kept(ticket & ~out);
            const Bits outside(allPositions(m_problem.v()) & ~ticket & ~in);
            long long delta = 0;
            forEachSubset(kept, t - 1, [&](PositionMask shared) {
                forEachSubset(outside, m_problem.k() - t, [&](PositionMask rest) {
                    const auto lost = static_cast<std::size_t>(colexRank(shared | rest | out));
                    const auto gained = static_cast<std::size_t>(colexRank(shared | rest | in));
                    if (m_count[lost] == 1) ++delta;
                    if (m_where[gained] >= 0) --delta;
                });
            });
            return delta;
        }
        long long delta = 0;
        forEachCoveredBy(m_problem, m_tickets[index], [&](PositionMask s, long long r) {
            if (m_count[static_cast<std::size_t>(r)] == 1 && bitCount(s & next) < t) ++delta;
        });
        forEachCoveredBy(m_problem, next, [&](PositionMask, long long r) {
            if (m_where[static_cast<std::size_t>(r)] >= 0) --delta;
        });
        return delta;
    }

    // Takes ticket index out of the counts and puts next in (0: nothing).
    void replace(std::size_t index, PositionMask next)
    {
        forEachCoveredBy(m_problem, m_tickets[index], [&](PositionMask, long long r) {
            const auto u = static_cast<std::size_t>(r);
            if (--m_count[u] == 0 && m_problem.coverable(r)) addUncovered(u);
        });
        if (next)
            forEachCoveredBy(m_problem, next, [&](PositionMask, long long r) {
                const auto u = static_cast<std::size_t>(r);
                if (m_count[u]++ == 0 && m_where[u] >= 0) removeUncovered(u);
            });
    }

    const CoverProblem& m_problem;
    std::vector<PositionMask> m_tickets;
    std::mt19937_64 m_random;
    std::vector<std::uint32_t> m_count;
    std::vector<int> m_where;  // index in m_uncovered, or -1
    std::vector<std::size_t> m_uncovered;
    std::vector<PositionMask> m_subsetMask;
    std::vector<std::pair<std::size_t, PositionMask>> m_moves;
};

}  // namespace

namespace {

// The positions above the highest of mask (every position for the empty mask).
PositionMask positionsAbove(PositionMask mask)
{
    if (!mask) return ~PositionMask{0};
    const int highest = std::bit_width(mask) - 1;
    return highest + 1 >= 32 ? 0 : ~((PositionMask{2} << highest) - 1);
}

}  // namespace

HeldSubsets::HeldSubsets(int t, const std::vector<PositionMask>& sets)
    : m_t(t), m_next(static_cast<std::size_t>(std::max(1LL, binomial(kMaxPositions, t - 1))), 0)
{
    if (t < 1 || t > kTicketSize) return;
    for (PositionMask set : sets)
        forEachSubset(Bits(set), t, [&](PositionMask held) {
            const PositionMask top = PositionMask{1} << (std::bit_width(held) - 1);
            m_next[static_cast<std::size_t>(colexRank(held & ~top))] |= top;
        });
}

PositionMask HeldSubsets::completions(PositionMask prefix) const
{
    const int need = m_t - 1;
    if (m_t < 1 || m_t > kTicketSize) return 0;
    // Every (t-1)-subset of prefix by index (prefix holds a few positions only), its colex rank
    // summed from the binomials of its positions.
    std::array<int, 32> at{};
    int n = 0;
    for (PositionMask rest = prefix; rest; rest &= rest - 1)
        at[static_cast<std::size_t>(n++)] = std::countr_zero(rest);
    if (n < need) return 0;
    std::array<int, kTicketSize> index{};
    for (int i = 0; i < need; ++i)
        index[static_cast<std::size_t>(i)] = i;
    PositionMask next = 0;
    while (true) {
        long long rank = 0;
        for (int i = 0; i < need; ++i)
            rank += kBinomials.c[static_cast<std::size_t>(at[static_cast<std::size_t>(
                index[static_cast<std::size_t>(i)])])][static_cast<std::size_t>(i + 1)];
        next |= m_next[static_cast<std::size_t>(rank)];
        int i = need - 1;
        while (i >= 0 && index[static_cast<std::size_t>(i)] == n - need + i)
            --i;
        if (i < 0) break;
        ++index[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < need; ++j)
            index[static_cast<std::size_t>(j)] = index[static_cast<std::size_t>(j - 1)] + 1;
    }
    // A held subset inside prefix already: one of its positions completes a (t-1)-subset.
    const PositionMask above = positionsAbove(prefix);
    return (next & prefix) ? above : next & above;
}

void forEachPrefix(int v, int k, const std::function<void(PositionMask, PositionMask)>& fn)
{
    const PositionMask all = allPositions(v);
    forEachSubset(Bits(all), k - 1, [&](PositionMask prefix) {
        const PositionMask last = all & positionsAbove(prefix);
        if (last) fn(prefix, last);
    });
}

long long binomial(int n, int k)
{
    if (n < 0 || k < 0 || k > n || n > 33) return 0;
    if (k <= 6) return kBinomials.c[n][k];
    return binomial(n, n - k);
}

int checkedSubsetSize(int v, Guarantee guarantee)
{
    return std::max(guarantee.m, v - (kNumberCount - kMainCount));
}

CoverCheck checkCover(int v, Guarantee guarantee, const std::vector<PositionMask>& candidates,
                      const std::vector<PositionMask>& tickets)
{
    const int k = checkedSubsetSize(v, guarantee);
    const HeldSubsets held(guarantee.t, tickets);
    const HeldSubsets possible(guarantee.t, candidates);
    CoverCheck check;
    forEachPrefix(v, k, [&](PositionMask prefix, PositionMask last) {
        const PositionMask coverable =
            candidates.empty() ? last : last & possible.completions(prefix);
        check.subsets += std::popcount(last);
        check.coverable += std::popcount(coverable);
        check.uncovered += std::popcount(coverable & ~held.completions(prefix));
    });
    return check;
}

Result<CoverProblem> CoverProblem::make(int v, Guarantee guarantee,
                                        std::vector<PositionMask> candidates)
{
    if (v < kTicketSize || v > kMaxPositions) return Error{"数字の個数は5から31です"};
    if (guarantee.t < 1 || guarantee.m > kTicketSize || guarantee.t > guarantee.m)
        return Error{"保証は 1 ≦ 一致数 ≦ 当選数字の数 ≦ 5 で指定してください"};
    CoverProblem problem;
    problem.m_v = v;
    problem.m_t = guarantee.t;
    problem.m_k = std::min(v, checkedSubsetSize(v, guarantee));
    problem.m_restricted = !candidates.empty();
    if (candidates.empty()) candidates = everyTicket(v);
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    problem.m_allowedByRank.assign(static_cast<std::size_t>(binomial(v, kTicketSize)), false);
    for (PositionMask c : candidates) {
        if (std::popcount(c) != kTicketSize || (c & ~allPositions(v)))
            return Error{"候補の組合せが正しくありません"};
        problem.m_allowedByRank[static_cast<std::size_t>(colexRank(c))] = true;
    }
    problem.m_candidates = std::move(candidates);
    problem.m_coverable.assign(static_cast<std::size_t>(binomial(v, problem.m_k)), true);
    if (problem.m_restricted) {
        std::fill(problem.m_coverable.begin(), problem.m_coverable.end(), false);
        const HeldSubsets possible(guarantee.t, problem.m_candidates);
        forEachPrefix(v, problem.m_k, [&](PositionMask prefix, PositionMask last) {
            for (PositionMask rest = last & possible.completions(prefix); rest; rest &= rest - 1)
                problem.m_coverable[static_cast<std::size_t>(
                    colexRank(prefix | (rest & (~rest + 1))))] = true;
        });
    }
    return problem;
}

bool CoverProblem::allowed(PositionMask ticket) const
{
    return m_allowedByRank[static_cast<std::size_t>(colexRank(ticket))];
}

long long CoverProblem::rank(PositionMask subset) const
{
    return colexRank(subset);
}

void CoverProblem::forEachCovered(PositionMask ticket,
                                  const std::function<void(PositionMask, long long)>& fn) const
{
    forEachCoveredBy(*this, ticket, fn);
}

std::vector<PositionMask> greedyCover(const CoverProblem& problem, std::uint64_t seed,
                                      const std::vector<PositionMask>& start)
{
    const auto count = static_cast<std::size_t>(problem.subsetCount());
    std::vector<bool> covered(count, false);
    for (std::size_t r = 0; r < count; ++r)
        if (!problem.coverable(static_cast<long long>(r))) covered[r] = true;
    auto gainOf = [&](PositionMask ticket) {
        long long gain = 0;
        forEachCoveredBy(problem, ticket, [&](PositionMask, long long r) {
            if (!covered[static_cast<std::size_t>(r)]) ++gain;
        });
        return gain;
    };
    auto take = [&](PositionMask ticket, std::vector<PositionMask>& chosen) {
        chosen.push_back(ticket);
        forEachCoveredBy(problem, ticket, [&](PositionMask, long long r) {
            covered[static_cast<std::size_t>(r)] = true;
        });
    };
    const auto& candidates = problem.candidates();
    std::vector<PositionMask> chosen;
    for (PositionMask ticket : start)
        if (std::popcount(ticket) == kTicketSize && !(ticket & ~allPositions(problem.v())) &&
            problem.allowed(ticket))
            take(ticket, chosen);
    // A ticket covers C(5, t) * C(v - 5, k - t) + ... subsets; the lazy greedy evaluates each
    // candidate at least once, which is cheap only when that number is small.
    long long perTicket = 0;
    forEachCoveredBy(problem, candidates.front(), [&](PositionMask, long long) { ++perTicket; });
    if (static_cast<double>(perTicket) * static_cast<double>(candidates.size()) < 4e6) {
        using Entry = std::pair<long long, long long>;  // gain, -index
        std::priority_queue<Entry> heap;
        for (std::size_t i = 0; i < candidates.size(); ++i)
            heap.push({perTicket, -static_cast<long long>(i)});
        while (!heap.empty()) {
            const auto [stale, negIndex] = heap.top();
            heap.pop();
            const PositionMask ticket = candidates[static_cast<std::size_t>(-negIndex)];
            const long long gain = gainOf(ticket);
            if (gain == 0) continue;
            if (gain < stale && !heap.empty() && Entry{gain, negIndex} < heap.top()) {
                heap.push({gain, negIndex});
                continue;
            }
            take(ticket, chosen);
        }
    } else {
        // The first uncovered subset in order, and the best of a sample of tickets covering it.
        std::mt19937_64 random(seed);
        std::vector<PositionMask> covering;
        std::size_t next = 0;
        std::vector<PositionMask> subsetMask(count, 0);
        forEachSubset(Bits(allPositions(problem.v())), problem.k(), [&](PositionMask s) {
            subsetMask[static_cast<std::size_t>(problem.rank(s))] = s;
        });
        while (true) {
            while (next < count && covered[next])
                ++next;
            if (next == count) break;
            covering.clear();
            for (PositionMask c : candidates)
                if (std::popcount(c & subsetMask[next]) >= problem.t()) covering.push_back(c);
            std::shuffle(covering.begin(), covering.end(), random);
            PositionMask best = covering.front();
            long long bestGain = -1;
            for (std::size_t i = 0; i < covering.size() && i < 24; ++i) {
                const long long gain = gainOf(covering[i]);
                if (gain > bestGain) {
                    bestGain = gain;
                    best = covering[i];
                }
            }
            take(best, chosen);
        }
    }
    // Drop tickets made redundant by later ones, last chosen first.
    std::vector<std::uint32_t> coverCount(count, 0);
    for (PositionMask ticket : chosen)
        forEachCoveredBy(problem, ticket, [&](PositionMask, long long r) {
            ++coverCount[static_cast<std::size_t>(r)];
        });
    std::vector<PositionMask> result;
    for (std::size_t i = chosen.size(); i-- > 0;) {
        bool redundant = true;
        forEachCoveredBy(problem, chosen[i], [&](PositionMask, long long r) {
            if (coverCount[static_cast<std::size_t>(r)] < 2) redundant = false;
        });
        if (redundant)
            forEachCoveredBy(problem, chosen[i], [&](PositionMask, long long r) {
                --coverCount[static_cast<std::size_t>(r)];
            });
        else
            result.push_back(chosen[i]);
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::vector<PositionMask> adaptedCover(const CoverProblem& problem,
                                       const std::vector<PositionMask>& model, int relabelings,
                                       std::uint64_t seed)
{
    std::vector<int> order(static_cast<std::size_t>(problem.v()));
    std::iota(order.begin(), order.end(), 0);
    std::mt19937_64 random(seed);
    std::vector<PositionMask> best;
    for (int i = 0; i < relabelings; ++i) {
        if (i == 1)
            std::reverse(order.begin(), order.end());
        else if (i > 1)
            std::shuffle(order.begin(), order.end(), random);
        std::vector<PositionMask> kept;
        for (PositionMask ticket : model)
            kept.push_back(relabel(ticket, order));
        std::vector<PositionMask> cover = greedyCover(problem, seed, kept);
        if (best.empty() || cover.size() < best.size()) best = std::move(cover);
    }
    return best;
}

double floorTemperatureFor(const CoverProblem& problem)
{
    // Measured on 3-if-3 covers from the greedy set: 0.3 does best up to 15 numbers (455
    // triples); from 18 numbers on it holds some twenty triples open and a cover is never
    // regained, where 0.2 keeps shrinking.
    return problem.subsetCount() > 600 ? 0.2 : 0.3;
}

int tabuTenureFor(const CoverProblem& problem)
{
    // Measured on 3-if-3 sets under a sum filter, one second each: annealing does better up to
    // 18 numbers (816 triples), tabu search from 20 numbers on (1140); from the stored set for 28
    // numbers tabu search found 372 tickets where annealing stayed at 380.
    return problem.subsetCount() > 1000 ? 1 : 0;
}

std::vector<PositionMask> shrinkCover(const CoverProblem& problem, std::vector<PositionMask> cover,
                                      const SearchControl& control)
{
    std::vector<PositionMask> best = cover;
    if (cover.size() <= 1) return best;
    Annealer annealer(problem, std::move(cover), control.seed);
    const auto start = std::chrono::steady_clock::now();
    const double span =
        std::max(1e-9, std::chrono::duration<double>(control.deadline - start).count());
    double temperature = 0.6;
    const int tabuTenure = control.tabuTenure >= 0 ? control.tabuTenure : tabuTenureFor(problem);
    while (annealer.tickets().size() > 1 && best.size() > control.stopAt) {
        annealer.dropOne();
        if (!(tabuTenure > 0 ? annealer.tabuSearch(control, tabuTenure)
                             : annealer.anneal(control, temperature)))
            break;
        best = annealer.tickets();
        if (control.progress)
            control.progress(std::min(1.0, std::chrono::duration<double>(
                                               std::chrono::steady_clock::now() - start)
                                                   .count() /
                                               span),
                             best.size());
    }
    std::sort(best.begin(), best.end());
    return best;
}

std::uint32_t relabel(PositionMask positions, const std::vector<int>& numbers)
{
    std::uint32_t mask = 0;
    for (PositionMask rest = positions; rest; rest &= rest - 1) {
        const auto i = static_cast<std::size_t>(std::countr_zero(rest));
        if (i < numbers.size()) mask |= std::uint32_t{1} << numbers[i];
    }
    return mask;
}
