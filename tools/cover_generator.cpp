// Builds the stored ticket sets of 組合せ作成: for one (v, t, m) it starts from the best of the
// stored set, a set derived from the stored set for v + 1 (the last position dropped), the stored
// set for v - 1 completed greedily, for 3/3 at 18 and 27 a Steiner system with one point added,
// and the greedy cover; it shrinks that by simulated annealing within a time budget and writes the
// table back when the result is smaller (`--start stored|larger|smaller|steiner|greedy` anneals
// from one of them). `--steiner 17|26` builds the Steiner systems S(3,5,17)
// (an orbit under PSL(2,16)) and S(3,5,26) (two orbits under a group of order 312).
// `--group 19,1 --stop-at 133` looks instead for a cover of at most 133 tickets that the
// permutation with those cycle lengths maps onto itself (tools/orbit_cover.h); each
// `--perm i0,i1,...` (the images of positions 0..v-1) adds a generator to that group, and
// `--affine 11,2,3,swap` the affine maps on copies of Z_p (affineGenerators).
// Not part of the build: `cmake --build build --target cover_generator`.
#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/tickets/cover_search.h"
#include "core/tickets/cover_table.h"
#include "orbit_cover.h"

namespace {

using Key = std::tuple<int, int, int>;
using Table = std::map<Key, std::vector<PositionMask>>;

Table readTable(const std::string& path)
{
    Table table;
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<unsigned long> values;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "//") == 0) {
            i = text.find('\n', i);
            if (i == std::string::npos) break;
            continue;
        }
        if (text.compare(i, 2, "0x") == 0) {
            std::size_t used = 0;
            values.push_back(std::stoul(text.substr(i), &used, 16));
            i += used;
        } else {
            ++i;
        }
    }
    for (std::size_t i = 0; i + 4 <= values.size();) {
        const Key key{static_cast<int>(values[i]), static_cast<int>(values[i + 1]),
                      static_cast<int>(values[i + 2])};
        const std::size_t n = values[i + 3];
        i += 4;
        if (std::get<0>(key) == 0) break;
        std::vector<PositionMask> set(values.begin() + static_cast<std::ptrdiff_t>(i),
                                      values.begin() + static_cast<std::ptrdiff_t>(i + n));
        table[key] = set;
        i += n;
    }
    return table;
}

void writeTable(const std::string& path, const Table& table)
{
    std::ofstream out(path);
    out << "// Written by tools/cover_generator: for each (v, t, m) the size and the tickets as\n"
           "// masks over positions 0..v-1 (bit i: the i-th picked number, ascending). Do not\n"
           "// edit by hand; the core tests re-verify every set.\n";
    for (const auto& [key, set] : table) {
        const auto [v, t, m] = key;
        char line[64];
        std::snprintf(line, sizeof line, "0x%x, 0x%x, 0x%x, 0x%zx,", v, t, m, set.size());
        out << "// v=" << v << " " << t << "/" << m << ": " << set.size() << " tickets\n"
            << line << '\n';
        for (std::size_t i = 0; i < set.size(); ++i) {
            std::snprintf(line, sizeof line, "0x%x,", set[i]);
            out << line << ((i % 8 == 7 || i + 1 == set.size()) ? "\n" : " ");
        }
    }
    out << "0x0, 0x0, 0x0, 0x0,\n";
}

// GF(16) as polynomials over GF(2) modulo x^4 + x + 1.
struct Field16 {
    static constexpr int q = 16;
    int mul[q][q] = {};
    Field16()
    {
        for (int x = 0; x < q; ++x)
            for (int y = 0; y < q; ++y) {
                int product = 0;
                for (int bit = 0; bit < 4; ++bit)
                    if (y & (1 << bit)) product ^= x << bit;
                for (int bit = 7; bit >= 4; --bit)
                    if (product & (1 << bit)) product ^= 0b10011 << (bit - 4);
                mul[x][y] = product;
            }
    }
    int inv(int x) const
    {
        for (int y = 0; y < q; ++y)
            if (mul[x][y] == 1) return y;
        return 0;
    }
};

// The blocks of the given base blocks under every element of the group.
std::vector<PositionMask> orbits(const std::vector<Permutation>& group,
                                 const std::vector<PositionMask>& bases)
{
    std::set<PositionMask> blocks;
    for (PositionMask base : bases)
        for (const Permutation& g : group)
            blocks.insert(imageOf(g, base));
    return {blocks.begin(), blocks.end()};
}

// S(3,5,17): the orbit of a block containing infinity (position 16), 0 and 1 under PSL(2,16) on
// the projective line (every element of GF(16)* is a square, so PSL = PGL).
std::vector<PositionMask> steiner17()
{
    constexpr int q = 16, v = 17;
    const Field16 f;
    std::vector<Permutation> group;
    for (int a = 0; a < q; ++a)
        for (int b = 0; b < q; ++b)
            for (int c = 0; c < q; ++c)
                for (int d = 0; d < q; ++d) {
                    if ((f.mul[a][d] ^ f.mul[b][c]) == 0) continue;
                    Permutation image(v);
                    for (int x = 0; x <= q; ++x) {
                        const int num = x == q ? a : f.mul[a][x] ^ b;
                        const int den = x == q ? c : f.mul[c][x] ^ d;
                        image[static_cast<std::size_t>(x)] = den == 0 ? q : f.mul[num][f.inv(den)];
                    }
                    group.push_back(image);
                }
    const std::size_t blocks = static_cast<std::size_t>(binomial(v, 3) / 10);
    for (int x = 2; x < q; ++x)
        for (int y = x + 1; y < q; ++y) {
            const PositionMask base =
                (PositionMask{1} << q) | 1 | 2 | (PositionMask{1} << x) | (PositionMask{1} << y);
            std::vector<PositionMask> set = orbits(group, {base});
            if (set.size() == blocks && checkCover(v, {3, 3}, {}, set).uncovered == 0) return set;
        }
    return {};
}

// S(3,5,26) on two copies of Z13, (x, i) at position x + 13 i. No S(3,5,26) admits PSL(2,25):
// a block orbit there has 7800 / |stabiliser| blocks, and a stabiliser of order 30 or more would
// be A5 or S5 (or S4, which fixes a point) acting on the block, none of which fixes a five-point
// set of the projective line, so every orbit exceeds 260. The group x -> a x + b (a in Z13*)
// together with the swap of the copies (order 312) does the work: the orbits of the two base
// blocks {0,2,5,6 | 0} (104 blocks) and {5,7,9 | 0,1} (156 blocks) hold every triple once. Found
// by solving the orbit-by-triple-orbit exact cover for this group.
std::vector<PositionMask> steiner26()
{
    constexpr int n = 13, v = 26;
    std::vector<Permutation> group;
    for (int a = 1; a < n; ++a)
        for (int b = 0; b < n; ++b)
            for (int swap = 0; swap < 2; ++swap) {
                Permutation g(v);
                for (int i = 0; i < 2; ++i)
                    for (int x = 0; x < n; ++x)
                        g[static_cast<std::size_t>(x + n * i)] = (a * x + b) % n + n * (i ^ swap);
                group.push_back(g);
            }
    auto at = [](int x, int copy) { return PositionMask{1} << (x + n * copy); };
    const std::vector<PositionMask> bases = {at(0, 0) | at(2, 0) | at(5, 0) | at(6, 0) | at(0, 1),
                                             at(5, 0) | at(7, 0) | at(9, 0) | at(0, 1) | at(1, 1)};
    std::vector<PositionMask> set = orbits(group, bases);
    if (set.size() * 10 != static_cast<std::size_t>(binomial(v, 3)) ||
        checkCover(v, {3, 3}, {}, set).uncovered != 0)
        return {};
    return set;
}

std::vector<PositionMask> steiner(int v)
{
    if (v == 17) return steiner17();
    if (v == 26) return steiner26();
    return {};
}

// A Steiner system S(3,5,n) on positions 0..n-1 plus the new position n: the blocks through one
// point p, with p replaced by n, cover every triple {n, x, y} with x, y != p (they form an
// S(2,4,n-1)); ceil((n-1)/3) blocks {n, p, a, b, c} cover the triples {n, p, x}. 68 + 20 + 6 = 94
// tickets for 18 numbers and 260 + 50 + 9 = 319 for 27.
std::vector<PositionMask> extendedSteiner(const std::vector<PositionMask>& system, int n)
{
    const PositionMask p = 1, added = PositionMask{1} << n;
    std::vector<PositionMask> set = system;
    for (PositionMask block : system)
        if (block & p) set.push_back((block & ~p) | added);
    std::vector<int> others;
    for (int x = 1; x < n; ++x)
        others.push_back(x);
    for (std::size_t i = 0; i < others.size(); i += 3) {
        PositionMask block = p | added;
        for (std::size_t j = i; j < i + 3 && j < others.size(); ++j)
            block |= PositionMask{1} << others[j];
        // The last block takes the first positions as padding.
        for (int x = 1; std::popcount(block) < 5; ++x)
            block |= PositionMask{1} << x;
        set.push_back(block);
    }
    std::sort(set.begin(), set.end());
    set.erase(std::unique(set.begin(), set.end()), set.end());
    return set;
}

// The set for v + 1 without its last position: a ticket holding it takes the lowest free one.
std::vector<PositionMask> derived(const std::vector<PositionMask>& larger, int v)
{
    std::set<PositionMask> set;
    for (PositionMask ticket : larger) {
        if (ticket & (PositionMask{1} << v)) {
            ticket &= ~(PositionMask{1} << v);
            for (int p = 0; p < v; ++p)
                if (!(ticket & (PositionMask{1} << p))) {
                    ticket |= PositionMask{1} << p;
                    break;
                }
        }
        set.insert(ticket);
    }
    return {set.begin(), set.end()};
}

// Generators on `copies` copies of Z_p (position c*p + x is x in copy c; positions from
// copies*p on are fixed): x -> x + 1 and, unless multiplier is 1, x -> multiplier*x on every
// copy; with `moves` holding "swap", the first two copies are exchanged, "rotate" cycles the
// copies, "swap-fixed" exchanges the first two fixed positions.
std::vector<Permutation> affineGenerators(int v, int p, int copies, int multiplier,
                                          const std::set<std::string>& moves)
{
    const auto make = [&](auto&& image) {
        Permutation g(static_cast<std::size_t>(v));
        for (int i = 0; i < v; ++i)
            g[static_cast<std::size_t>(i)] = i < copies * p ? image(i % p, i / p) : i;
        return g;
    };
    std::vector<Permutation> generators;
    generators.push_back(make([&](int x, int c) { return c * p + (x + 1) % p; }));
    if (multiplier != 1)
        generators.push_back(make([&](int x, int c) { return c * p + (multiplier * x) % p; }));
    if (moves.count("swap") && copies >= 2)
        generators.push_back(make([&](int x, int c) { return (c < 2 ? 1 - c : c) * p + x; }));
    if (moves.count("rotate"))
        generators.push_back(make([&](int x, int c) { return (c + 1) % copies * p + x; }));
    if (moves.count("swap-fixed") && v - copies * p >= 2) {
        Permutation g(static_cast<std::size_t>(v));
        std::iota(g.begin(), g.end(), 0);
        std::swap(g[static_cast<std::size_t>(copies * p)],
                  g[static_cast<std::size_t>(copies * p + 1)]);
        generators.push_back(g);
    }
    return generators;
}

// "19,1" as {"19", "1"}.
std::vector<std::string> commaFields(const std::string& value)
{
    std::vector<std::string> fields;
    std::stringstream in(value);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    return fields;
}

std::vector<int> commaNumbers(const std::string& value)
{
    std::vector<int> numbers;
    for (const std::string& field : commaFields(value))
        numbers.push_back(std::stoi(field));
    return numbers;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string tablePath = "src/core/tickets/cover_table_data.inc";
    int v = 0, t = 3, m = 3, steinerV = 0;
    std::string startName;
    double seconds = 30;
    double floorTemperature = 0, cooling = 0.9999;  // floor 0: the problem's own
    long long reheatSteps = 200000;
    int tabuTenure = -1;  // the problem's own
    std::size_t stopAt = 0;
    std::uint64_t seed = 1;
    OrbitSearch orbitSearch;
    double thenSeconds = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--table")
            tablePath = value;
        else if (name == "--v")
            v = std::stoi(value);
        else if (name == "--guarantee")
            std::sscanf(value.c_str(), "%d/%d", &t, &m);
        else if (name == "--seconds")
            seconds = std::stod(value);
        else if (name == "--stop-at")
            stopAt = std::stoul(value);
        else if (name == "--seed")
            seed = std::stoull(value);
        else if (name == "--steiner")
            steinerV = std::stoi(value);
        else if (name == "--start")
            startName = value;
        else if (name == "--group")
            orbitSearch.cycles = commaNumbers(value);
        else if (name == "--perm")
            orbitSearch.generators.push_back(commaNumbers(value));
        else if (name == "--affine") {
            // P,COPIES,MULTIPLIER[,swap|rotate|swap-fixed...]
            const std::vector<std::string> parts = commaFields(value);
            if (parts.size() < 3 || v == 0) {
                std::cerr << "--affine P,COPIES,MULTIPLIER[,MOVES] comes after --v\n";
                return 2;
            }
            const std::set<std::string> moves(parts.begin() + 3, parts.end());
            for (auto& g : affineGenerators(v, std::stoi(parts[0]), std::stoi(parts[1]),
                                            std::stoi(parts[2]), moves))
                orbitSearch.generators.push_back(std::move(g));
        } else if (name == "--method")
            orbitSearch.tabu = value == "tabu";
        else if (name == "--then-seconds")
            thenSeconds = std::stod(value);
        else if (name == "--near-share")
            orbitSearch.completionShare = std::stod(value);
        else if (name == "--from")
            orbitSearch.from = std::stoul(value);
        else if (name == "--floor")
            floorTemperature = std::stod(value);
        else if (name == "--cooling")
            cooling = std::stod(value);
        else if (name == "--reheat-steps")
            reheatSteps = std::stoll(value);
        else if (name == "--tabu-tenure")
            tabuTenure = std::stoi(value);
        else {
            std::cerr << "unknown option " << name << '\n';
            return 2;
        }
    }
    Table table = readTable(tablePath);
    const auto annealingFor = [&](double budget) {
        SearchControl control;
        control.deadline = std::chrono::steady_clock::now() +
                           std::chrono::milliseconds(static_cast<long long>(budget * 1000));
        control.seed = seed;
        control.stopAt = stopAt;
        control.floorTemperature = floorTemperature;
        control.cooling = cooling;
        control.reheatSteps = reheatSteps;
        control.tabuTenure = tabuTenure;
        return control;
    };
    std::vector<PositionMask> best;
    if (steinerV) {
        v = steinerV;
        t = m = 3;
        best = steiner(v);
        if (best.empty()) {
            std::cerr << "no Steiner system found for v=" << v << '\n';
            return 1;
        }
    } else if (!orbitSearch.cycles.empty() || !orbitSearch.generators.empty()) {
        auto problem = CoverProblem::make(v, {t, m});
        if (!problem) {
            std::cerr << problem.error() << '\n';
            return 2;
        }
        orbitSearch.target = stopAt;
        orbitSearch.seconds = seconds;
        orbitSearch.seed = seed;
        best = orbitCover(*problem, orbitSearch);
        if (best.empty()) {
            std::cerr << "no invariant cover of " << stopAt << " tickets found\n";
            return 1;
        }
        // Then, when asked, the invariant cover is shrunk as any other (`--then-seconds`).
        if (thenSeconds > 0 && best.size() > stopAt) {
            const std::size_t invariant = best.size();
            best = shrinkCover(*problem, best, annealingFor(thenSeconds));
            std::cerr << "v=" << v << " " << t << "/" << m << ": invariant " << invariant << " -> "
                      << best.size() << '\n';
        }
    } else {
        auto problem = CoverProblem::make(v, {t, m});
        if (!problem) {
            std::cerr << problem.error() << '\n';
            return 2;
        }
        // Named starting sets; `--start NAME` anneals from that one even when another is smaller
        // (an annealed set can sit in a deep local minimum that a fresh start avoids).
        std::vector<std::pair<std::string, std::vector<PositionMask>>> seeds;
        if (auto it = table.find({v, t, m}); it != table.end())
            seeds.push_back({"stored", it->second});
        if (auto it = table.find({v + 1, t, m}); it != table.end())
            seeds.push_back({"larger", derived(it->second, v)});
        if (auto it = table.find({v - 1, t, m});
            it != table.end() && problem->candidates().size() * binomial(5, problem->k()) < 2e7)
            seeds.push_back({"smaller", greedyCover(*problem, seed, it->second)});
        if (t == 3 && m == 3 && (v == 18 || v == 27))
            seeds.push_back({"steiner", extendedSteiner(steiner(v - 1), v - 1)});
        // A Steiner system on more points with the last ones dropped.
        if (t == 3 && m == 3 && v < 26) {
            std::vector<PositionMask> fromSystem = steiner(v < 17 ? 17 : 26);
            for (int w = (v < 17 ? 17 : 26) - 1; w >= v; --w)
                fromSystem = derived(fromSystem, w);
            seeds.push_back({"steiner", fromSystem});
        }
        // A set for a guarantee checked on the same or smaller subsets serves as well (from 27
        // picked numbers on, 3/3 and 3/4 are checked on the same subsets).
        for (const auto& [key, set] : table)
            if (std::get<0>(key) == v && std::get<1>(key) == t && std::get<2>(key) != m &&
                checkedSubsetSize(v, {t, std::get<2>(key)}) <= checkedSubsetSize(v, {t, m}))
                seeds.push_back({"other", set});
        seeds.push_back({"greedy", greedyCover(*problem, seed)});
        std::vector<PositionMask> start;
        for (auto& [name, s] : seeds) {
            const bool full = checkCover(v, {t, m}, {}, s).uncovered == 0;
            std::cerr << "seed " << name << " " << s.size() << (full ? "" : " (not a cover)")
                      << '\n';
            if (!full || (!startName.empty() && name != startName)) continue;
            if (start.empty() || s.size() < start.size()) start = s;
        }
        if (start.empty()) {
            std::cerr << "no starting set " << startName << '\n';
            return 1;
        }
        best = shrinkCover(*problem, start, annealingFor(seconds));
        std::cerr << "v=" << v << " " << t << "/" << m << ": start " << start.size() << " -> "
                  << best.size() << '\n';
    }
    const CoverCheck check = checkCover(v, {t, m}, {}, best);
    if (check.uncovered != 0) {
        std::cerr << "not a cover: " << check.uncovered << " uncovered\n";
        return 1;
    }
    auto& stored = table[{v, t, m}];
    if (stored.empty() || best.size() < stored.size()) {
        stored = best;
        writeTable(tablePath, table);
        std::cout << v << " " << t << "/" << m << " " << best.size() << " stored\n";
    } else {
        std::cout << v << " " << t << "/" << m << " " << stored.size() << " kept\n";
    }
    return 0;
}
