// Builds the stored ticket sets of 組合せ作成: for one (v, t, m) it starts from the best of the
// stored set, a set derived from the stored set for v + 1 (the last position dropped) and the
// greedy cover, shrinks it by simulated annealing within a time budget and writes the table back
// when the result is smaller. `--steiner 17|26` builds the Steiner systems S(3,5,17) and
// S(3,5,26) as orbits of a five-point block under PSL(2,16) and PSL(2,25) on the projective line.
// Not part of the build: `cmake --build build --target cover_generator`.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/tickets/cover_search.h"
#include "core/tickets/cover_table.h"

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

// GF(q) for q = 16 (x^4 + x + 1) and q = 25 (a + b*alpha, alpha^2 = 4*alpha + 3).
struct Field {
    int q = 0;
    std::vector<std::vector<int>> add, mul;
    explicit Field(int size) : q(size), add(size, std::vector<int>(size)), mul(add)
    {
        for (int x = 0; x < q; ++x)
            for (int y = 0; y < q; ++y) {
                if (q == 16) {
                    add[x][y] = x ^ y;
                    int product = 0;
                    for (int bit = 0; bit < 4; ++bit)
                        if (y & (1 << bit)) product ^= x << bit;
                    for (int bit = 7; bit >= 4; --bit)
                        if (product & (1 << bit)) product ^= 0b10011 << (bit - 4);
                    mul[x][y] = product;
                } else {
                    const int a = x % 5, b = x / 5, c = y % 5, d = y / 5;
                    add[x][y] = (a + c) % 5 + 5 * ((b + d) % 5);
                    mul[x][y] = (a * c + 3 * b * d) % 5 + 5 * ((a * d + b * c + 4 * b * d) % 5);
                }
            }
    }
    int neg(int x) const
    {
        for (int y = 0; y < q; ++y)
            if (add[x][y] == 0) return y;
        return 0;
    }
    int inv(int x) const
    {
        for (int y = 0; y < q; ++y)
            if (mul[x][y] == 1) return y;
        return 0;
    }
};

// The orbit of a block containing infinity, 0 and 1 under PSL(2,q) that covers every triple once.
std::vector<PositionMask> steiner(int v)
{
    const int q = v - 1;
    const Field f(q);
    std::set<int> squares;
    for (int x = 1; x < q; ++x)
        squares.insert(f.mul[x][x]);
    std::set<std::vector<int>> group;
    for (int a = 0; a < q; ++a)
        for (int b = 0; b < q; ++b)
            for (int c = 0; c < q; ++c)
                for (int d = 0; d < q; ++d) {
                    const int det = f.add[f.mul[a][d]][f.neg(f.mul[b][c])];
                    if (!squares.count(det)) continue;
                    std::vector<int> image(static_cast<std::size_t>(v));
                    for (int x = 0; x <= q; ++x) {
                        int num, den;
                        if (x == q) {
                            num = a;
                            den = c;
                        } else {
                            num = f.add[f.mul[a][x]][b];
                            den = f.add[f.mul[c][x]][d];
                        }
                        image[static_cast<std::size_t>(x)] = den == 0 ? q : f.mul[num][f.inv(den)];
                    }
                    group.insert(image);
                    if (q == 25) {
                        // With the field automorphism x -> x^5: the group PSigmaL(2,25).
                        std::vector<int> twisted(image.size());
                        for (int x = 0; x <= q; ++x) {
                            const int y = image[static_cast<std::size_t>(x)];
                            twisted[static_cast<std::size_t>(x)] =
                                y == q ? q : (y % 5 + 4 * (y / 5)) % 5 + 5 * ((4 * (y / 5)) % 5);
                        }
                        group.insert(twisted);
                    }
                }
    // An orbit of the full size, or (q = 25) two orbits of half the size whose blocks together
    // hold every triple once.
    const std::size_t blocks = static_cast<std::size_t>(binomial(v, 3) / 10);
    std::vector<std::vector<PositionMask>> halves;
    for (int x = 2; x < q; ++x)
        for (int y = x + 1; y < q; ++y) {
            const int base[5] = {q, 0, 1, x, y};
            std::set<PositionMask> orbit;
            for (const auto& g : group) {
                PositionMask mask = 0;
                for (int p : base)
                    mask |= PositionMask{1} << g[static_cast<std::size_t>(p)];
                orbit.insert(mask);
                if (orbit.size() > blocks) break;
            }
            std::vector<PositionMask> set(orbit.begin(), orbit.end());
            if (orbit.size() == blocks && checkCover(v, {3, 3}, {}, set).uncovered == 0) return set;
            if (orbit.size() * 2 == blocks) halves.push_back(set);
        }
    for (std::size_t i = 0; i < halves.size(); ++i)
        for (std::size_t j = i + 1; j < halves.size(); ++j) {
            std::vector<PositionMask> set = halves[i];
            set.insert(set.end(), halves[j].begin(), halves[j].end());
            std::sort(set.begin(), set.end());
            if (std::adjacent_find(set.begin(), set.end()) != set.end()) continue;
            if (checkCover(v, {3, 3}, {}, set).uncovered == 0) return set;
        }
    return {};
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

}  // namespace

int main(int argc, char** argv)
{
    std::string tablePath = "src/core/tickets/cover_table_data.inc";
    int v = 0, t = 3, m = 3, steinerV = 0;
    double seconds = 30;
    double floorTemperature = 0.3;
    std::size_t stopAt = 0;
    std::uint64_t seed = 1;
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
        else if (name == "--floor")
            floorTemperature = std::stod(value);
        else {
            std::cerr << "unknown option " << name << '\n';
            return 2;
        }
    }
    Table table = readTable(tablePath);
    std::vector<PositionMask> best;
    if (steinerV) {
        v = steinerV;
        t = m = 3;
        best = steiner(v);
        if (best.empty()) {
            std::cerr << "no Steiner system found for v=" << v << '\n';
            return 1;
        }
    } else {
        auto problem = CoverProblem::make(v, {t, m});
        if (!problem) {
            std::cerr << problem.error() << '\n';
            return 2;
        }
        std::vector<std::vector<PositionMask>> seeds;
        if (auto it = table.find({v, t, m}); it != table.end()) seeds.push_back(it->second);
        if (auto it = table.find({v + 1, t, m}); it != table.end())
            seeds.push_back(derived(it->second, v));
        // A set for a guarantee checked on the same or smaller subsets serves as well (from 27
        // picked numbers on, 3/3 and 3/4 are checked on the same subsets).
        for (const auto& [key, set] : table)
            if (std::get<0>(key) == v && std::get<1>(key) == t && std::get<2>(key) != m &&
                checkedSubsetSize(v, {t, std::get<2>(key)}) <= checkedSubsetSize(v, {t, m}))
                seeds.push_back(set);
        seeds.push_back(greedyCover(*problem, seed));
        std::vector<PositionMask> start;
        for (auto& s : seeds)
            if (checkCover(v, {t, m}, {}, s).uncovered == 0 &&
                (start.empty() || s.size() < start.size()))
                start = s;
        SearchControl control;
        control.deadline = std::chrono::steady_clock::now() +
                           std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
        control.seed = seed;
        control.stopAt = stopAt;
        control.floorTemperature = floorTemperature;
        best = shrinkCover(*problem, start, control);
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
