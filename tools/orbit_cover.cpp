#include "orbit_cover.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <iostream>
#include <numeric>
#include <random>

namespace {

struct Orbits {
    std::vector<int> of;               // orbit index by colex rank
    std::vector<PositionMask> firsts;  // one member of each orbit
    std::vector<int> sizes;            // members of each orbit
};

class CyclicGroup {
public:
    explicit CyclicGroup(const std::vector<int>& cycles)
    {
        int start = 0;
        for (int length : cycles) {
            for (int i = 0; i < length; ++i)
                m_image.push_back(start + (i + 1) % length);
            start += length;
        }
    }
    int points() const { return static_cast<int>(m_image.size()); }
    PositionMask apply(PositionMask set) const
    {
        PositionMask image = 0;
        for (PositionMask rest = set; rest; rest &= rest - 1)
            image |= PositionMask{1} << m_image[static_cast<std::size_t>(std::countr_zero(rest))];
        return image;
    }
    template <typename Fn> void forEachInOrbit(PositionMask set, Fn&& fn) const
    {
        PositionMask member = set;
        do {
            fn(member);
            member = apply(member);
        } while (member != set);
    }

private:
    std::vector<int> m_image;
};

// The orbits of the size-element subsets of the group's points.
Orbits orbitsOf(const CyclicGroup& group, const CoverProblem& problem, int size)
{
    const int v = group.points();
    Orbits orbits;
    orbits.of.assign(static_cast<std::size_t>(binomial(v, size)), -1);
    const std::uint64_t end = std::uint64_t{1} << v;
    for (std::uint64_t set = (std::uint64_t{1} << size) - 1; set < end;) {
        const auto mask = static_cast<PositionMask>(set);
        if (orbits.of[static_cast<std::size_t>(problem.rank(mask))] < 0) {
            const int index = static_cast<int>(orbits.firsts.size());
            int members = 0;
            group.forEachInOrbit(mask, [&](PositionMask member) {
                orbits.of[static_cast<std::size_t>(problem.rank(member))] = index;
                ++members;
            });
            orbits.firsts.push_back(mask);
            orbits.sizes.push_back(members);
        }
        // The next set with as many elements (Gosper).
        const std::uint64_t low = set & -set;
        const std::uint64_t ripple = set + low;
        set = ripple | (((set ^ ripple) >> 2) / low);
    }
    return orbits;
}

// Simulated annealing on a choice of ticket orbits weighing at most the target: a move brings in
// an orbit that covers a random uncovered subset orbit and, when the target leaves no room, drops
// a chosen one; the cost is the number of uncovered subsets.
class OrbitAnnealer {
public:
    OrbitAnnealer(const Orbits& tickets, const Orbits& subsets,
                  std::vector<std::vector<int>> covers, std::uint64_t seed)
        : m_tickets(tickets), m_subsets(subsets), m_covers(std::move(covers)), m_random(seed)
    {
        m_coverers.resize(subsets.sizes.size());
        for (std::size_t b = 0; b < m_covers.size(); ++b)
            for (int s : m_covers[b])
                m_coverers[static_cast<std::size_t>(s)].push_back(static_cast<int>(b));
        m_count.assign(subsets.sizes.size(), 0);
        m_uncoveredAt.assign(subsets.sizes.size(), -1);
        for (std::size_t s = 0; s < subsets.sizes.size(); ++s)
            if (!m_coverers[s].empty()) markUncovered(static_cast<int>(s));
        m_chosenAt.assign(tickets.sizes.size(), -1);
        m_unit =
            static_cast<double>(std::accumulate(subsets.sizes.begin(), subsets.sizes.end(), 0)) /
            static_cast<double>(subsets.sizes.size());
    }

    std::vector<int> run(std::size_t target, std::size_t cap,
                         std::chrono::steady_clock::time_point deadline)
    {
        std::vector<int> best;
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        const double hot = 1.5, cold = 0.08;
        const long long movesPerCycle = 3'000'000;
        double temperature = hot;
        const double cooling = std::pow(cold / hot, 1.0 / static_cast<double>(movesPerCycle));
        for (long long move = 0;; ++move) {
            if (const Pass pass = startPass(target, cap, best, (move & 0xffff) == 0, deadline);
                pass != Pass::Search) {
                if (pass == Pass::Done) return best;
                continue;
            }
            temperature *= cooling;
            if (temperature < cold) temperature = hot;
            const int s = m_uncovered[m_random() % m_uncovered.size()];
            const auto& coverers = m_coverers[static_cast<std::size_t>(s)];
            const int in = coverers[m_random() % coverers.size()];
            const int inWeight = m_tickets.sizes[static_cast<std::size_t>(in)];
            if (m_weight + static_cast<std::size_t>(inWeight) <= cap) {
                add(in);
                continue;
            }
            int out = -1;
            for (int tries = 0; tries < 8 && out < 0 && !m_chosen.empty(); ++tries) {
                const int candidate = m_chosen[m_random() % m_chosen.size()];
                if (m_weight -
                        static_cast<std::size_t>(
                            m_tickets.sizes[static_cast<std::size_t>(candidate)]) +
                        static_cast<std::size_t>(inWeight) <=
                    cap)
                    out = candidate;
            }
            if (out < 0) continue;
            const long long before = m_uncoveredWeight;
            remove(out);
            add(in);
            const double delta = static_cast<double>(m_uncoveredWeight - before) / m_unit;
            if (delta > 0 && unit(m_random) >= std::exp(-delta / temperature)) {
                remove(in);
                add(out);
            }
        }
    }

    // Tabu search: each step covers a random uncovered subset orbit by the best exchange (the
    // orbit brought in among those covering it, the one dropped among all chosen), refusing for a
    // while to undo a recent exchange.
    std::vector<int> runTabu(std::size_t target, std::size_t cap,
                             std::chrono::steady_clock::time_point deadline)
    {
        std::vector<int> best;
        std::vector<long long> noAddUntil(m_covers.size(), 0), noDropUntil(m_covers.size(), 0);
        std::vector<long long> stamp(m_count.size(), -1);
        for (long long step = 0;; ++step) {
            if (const Pass pass = startPass(target, cap, best, (step & 0x3f) == 0, deadline);
                pass != Pass::Search) {
                if (pass == Pass::Done) return best;
                continue;
            }
            const int s = m_uncovered[m_random() % m_uncovered.size()];
            long long bestDelta = 1LL << 60;
            int bestIn = -1, bestOut = -1, ties = 0;
            const auto consider = [&](int in, int out, long long delta) {
                if (delta < bestDelta) {
                    bestDelta = delta;
                    bestIn = in;
                    bestOut = out;
                    ties = 1;
                } else if (delta == bestDelta && m_random() % static_cast<unsigned>(++ties) == 0) {
                    bestIn = in;
                    bestOut = out;
                }
            };
            for (int in : m_coverers[static_cast<std::size_t>(s)]) {
                const auto inIndex = static_cast<std::size_t>(in);
                long long gain = 0;
                for (int c : m_covers[inIndex]) {
                    stamp[static_cast<std::size_t>(c)] =
                        step * static_cast<long long>(m_covers.size()) + in;
                    if (m_count[static_cast<std::size_t>(c)] == 0)
                        gain += m_subsets.sizes[static_cast<std::size_t>(c)];
                }
                const bool addAllowed = noAddUntil[inIndex] <= step;
                const auto inWeight = static_cast<std::size_t>(m_tickets.sizes[inIndex]);
                if (m_weight + inWeight <= cap) {
                    consider(in, -1, -gain);
                    continue;
                }
                for (int out : m_chosen) {
                    const auto outIndex = static_cast<std::size_t>(out);
                    if (m_weight - static_cast<std::size_t>(m_tickets.sizes[outIndex]) + inWeight >
                        cap)
                        continue;
                    long long loss = 0;
                    for (int c : m_covers[outIndex])
                        if (m_count[static_cast<std::size_t>(c)] == 1 &&
                            stamp[static_cast<std::size_t>(c)] !=
                                step * static_cast<long long>(m_covers.size()) + in)
                            loss += m_subsets.sizes[static_cast<std::size_t>(c)];
                    const long long delta = loss - gain;
                    // A tabu exchange is taken only when it reaches a new low.
                    if ((addAllowed && noDropUntil[outIndex] <= step) ||
                        m_uncoveredWeight + delta < m_leastUncovered)
                        consider(in, out, delta);
                }
            }
            if (bestIn < 0) continue;
            const long long tenure = 2 + static_cast<long long>(m_chosen.size() / 6) +
                                     static_cast<long long>(m_random() % 4);
            if (bestOut >= 0) {
                remove(bestOut);
                noAddUntil[static_cast<std::size_t>(bestOut)] = step + tenure;
            }
            add(bestIn);
            noDropUntil[static_cast<std::size_t>(bestIn)] = step + tenure;
        }
    }

    // The chosen orbits that, with one ticket per subset they leave uncovered, made the smallest
    // cover seen: a cover a few tickets short of invariance (completed by completeGreedily).
    const std::vector<int>& nearCover() const { return m_nearCover; }

    std::size_t weightOf(const std::vector<int>& chosen) const
    {
        std::size_t weight = 0;
        for (int b : chosen)
            weight += static_cast<std::size_t>(m_tickets.sizes[static_cast<std::size_t>(b)]);
        return weight;
    }

private:
    enum class Pass { Search, Again, Done };
    // What every pass of a search does first: a cover is kept (and, above the target, an orbit
    // dropped so the search goes on one size lower); at the deadline the search ends.
    Pass startPass(std::size_t target, std::size_t& cap, std::vector<int>& best, bool checkClock,
                   std::chrono::steady_clock::time_point deadline)
    {
        if (m_uncovered.empty()) {
            if (best.empty() || m_weight < weightOf(best)) {
                best = m_chosen;
                std::cerr << "invariant cover of " << m_weight << " tickets\n";
            }
            if (m_weight <= target) return Pass::Done;
            // A redundant orbit leaves a smaller cover, taken on the next pass.
            dropCheapest();
            cap = m_weight;
            return Pass::Again;
        }
        noteNearCover();
        if (checkClock && std::chrono::steady_clock::now() > deadline) {
            std::cerr << "fewest uncovered subsets seen: " << m_leastUncovered << '\n';
            return Pass::Done;
        }
        return Pass::Search;
    }

    void noteNearCover()
    {
        m_leastUncovered = std::min(m_leastUncovered, m_uncoveredWeight);
        const long long bound = static_cast<long long>(m_weight) + m_uncoveredWeight;
        if (bound < m_nearCoverBound) {
            m_nearCoverBound = bound;
            m_nearCover = m_chosen;
        }
    }
    void markUncovered(int s)
    {
        m_uncoveredAt[static_cast<std::size_t>(s)] = static_cast<int>(m_uncovered.size());
        m_uncovered.push_back(s);
        m_uncoveredWeight += m_subsets.sizes[static_cast<std::size_t>(s)];
    }
    void markCovered(int s)
    {
        const int at = m_uncoveredAt[static_cast<std::size_t>(s)];
        const int last = m_uncovered.back();
        m_uncovered[static_cast<std::size_t>(at)] = last;
        m_uncoveredAt[static_cast<std::size_t>(last)] = at;
        m_uncovered.pop_back();
        m_uncoveredAt[static_cast<std::size_t>(s)] = -1;
        m_uncoveredWeight -= m_subsets.sizes[static_cast<std::size_t>(s)];
    }
    void add(int b)
    {
        m_chosenAt[static_cast<std::size_t>(b)] = static_cast<int>(m_chosen.size());
        m_chosen.push_back(b);
        m_weight += static_cast<std::size_t>(m_tickets.sizes[static_cast<std::size_t>(b)]);
        for (int s : m_covers[static_cast<std::size_t>(b)])
            if (m_count[static_cast<std::size_t>(s)]++ == 0) markCovered(s);
    }
    void remove(int b)
    {
        const int at = m_chosenAt[static_cast<std::size_t>(b)];
        const int last = m_chosen.back();
        m_chosen[static_cast<std::size_t>(at)] = last;
        m_chosenAt[static_cast<std::size_t>(last)] = at;
        m_chosen.pop_back();
        m_chosenAt[static_cast<std::size_t>(b)] = -1;
        m_weight -= static_cast<std::size_t>(m_tickets.sizes[static_cast<std::size_t>(b)]);
        for (int s : m_covers[static_cast<std::size_t>(b)])
            if (--m_count[static_cast<std::size_t>(s)] == 0) markUncovered(s);
    }
    // Drops the chosen orbit whose loss leaves the fewest subsets uncovered.
    void dropCheapest()
    {
        int cheapest = -1;
        long long least = 0;
        for (int b : m_chosen) {
            long long loss = 0;
            for (int s : m_covers[static_cast<std::size_t>(b)])
                if (m_count[static_cast<std::size_t>(s)] == 1)
                    loss += m_subsets.sizes[static_cast<std::size_t>(s)];
            if (cheapest < 0 || loss < least) {
                cheapest = b;
                least = loss;
            }
        }
        remove(cheapest);
    }

    const Orbits& m_tickets;
    const Orbits& m_subsets;
    std::vector<std::vector<int>> m_covers;    // by ticket orbit: the subset orbits it covers
    std::vector<std::vector<int>> m_coverers;  // by subset orbit: the ticket orbits covering it
    std::vector<int> m_count;                  // by subset orbit: chosen orbits covering it
    std::vector<int> m_uncovered;
    std::vector<int> m_uncoveredAt;
    long long m_uncoveredWeight = 0;
    long long m_leastUncovered = 1LL << 60;
    std::vector<int> m_nearCover;
    long long m_nearCoverBound = 1LL << 60;
    std::vector<int> m_chosen;
    std::vector<int> m_chosenAt;
    std::size_t m_weight = 0;
    double m_unit = 1;
    std::mt19937_64 m_random;
};

// The tickets completed by, one at a time, the allowed ticket covering most of what is still
// uncovered among the tickets covering a first uncovered subset.
std::vector<PositionMask> completeGreedily(const CoverProblem& problem,
                                           std::vector<PositionMask> tickets)
{
    std::vector<char> covered(static_cast<std::size_t>(problem.subsetCount()), 0);
    const auto take = [&](PositionMask ticket) {
        problem.forEachCovered(ticket, [&](PositionMask, long long rank) {
            covered[static_cast<std::size_t>(rank)] = 1;
        });
    };
    for (PositionMask ticket : tickets)
        take(ticket);
    for (long long first = 0; first < problem.subsetCount(); ++first) {
        if (covered[static_cast<std::size_t>(first)] || !problem.coverable(first)) continue;
        PositionMask best = 0;
        long long bestGain = 0;
        for (PositionMask candidate : problem.candidates()) {
            long long gain = 0;
            bool coversFirst = false;
            problem.forEachCovered(candidate, [&](PositionMask, long long rank) {
                if (!covered[static_cast<std::size_t>(rank)] && problem.coverable(rank)) ++gain;
                coversFirst = coversFirst || rank == first;
            });
            if (coversFirst && gain > bestGain) {
                best = candidate;
                bestGain = gain;
            }
        }
        take(best);
        tickets.push_back(best);
    }
    return tickets;
}

}  // namespace

std::vector<PositionMask> orbitCover(const CoverProblem& problem, const OrbitSearch& search)
{
    const CyclicGroup group(search.cycles);
    if (group.points() != problem.v() || problem.restricted()) return {};
    const Orbits tickets = orbitsOf(group, problem, 5);
    const Orbits subsets = orbitsOf(group, problem, problem.k());
    std::vector<std::vector<int>> covers(tickets.firsts.size());
    for (std::size_t b = 0; b < covers.size(); ++b) {
        auto& list = covers[b];
        problem.forEachCovered(tickets.firsts[b], [&](PositionMask, long long rank) {
            if (problem.coverable(rank)) list.push_back(subsets.of[static_cast<std::size_t>(rank)]);
        });
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    std::cerr << tickets.firsts.size() << " ticket orbits, " << subsets.firsts.size()
              << " subset orbits\n";
    OrbitAnnealer annealer(tickets, subsets, std::move(covers), search.seed);
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<long long>(search.seconds * 1000));
    const std::size_t cap = std::max(search.target, search.from);
    const auto expand = [&](const std::vector<int>& orbits) {
        std::vector<PositionMask> cover;
        for (int b : orbits)
            group.forEachInOrbit(tickets.firsts[static_cast<std::size_t>(b)],
                                 [&](PositionMask member) { cover.push_back(member); });
        return cover;
    };
    std::vector<PositionMask> cover =
        expand(search.tabu ? annealer.runTabu(search.target, cap, deadline)
                           : annealer.run(search.target, cap, deadline));
    if (cover.empty() || cover.size() > search.target) {
        std::vector<PositionMask> near = completeGreedily(problem, expand(annealer.nearCover()));
        std::cerr << "near-invariant cover of " << near.size() << " tickets\n";
        if (cover.empty() || near.size() < cover.size()) cover = std::move(near);
    }
    std::sort(cover.begin(), cover.end());
    return cover;
}
