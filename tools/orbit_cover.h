// Covers that a group of position permutations maps onto themselves: the group acts on the
// tickets and on the checked subsets, so choosing whole ticket orbits that meet every subset orbit
// is a far smaller problem than choosing tickets, and many small covers are of this kind. Part of
// tools/cover_generator.
#pragma once

#include <cstdint>
#include <vector>

#include "core/tickets/cover_search.h"

// A permutation of positions 0..v-1 as the images of 0, 1, ...
using Permutation = std::vector<int>;

// The set's image under the permutation.
PositionMask imageOf(const Permutation& g, PositionMask set);

struct OrbitSearch {
    // Lengths of the cycles of the generating permutation, positions taken in order: {19, 1} is
    // a 19-cycle on positions 0..18 with position 19 fixed. They add up to v.
    std::vector<int> cycles;
    // Further generators, each the images of positions 0..v-1: {x -> x + 1, x -> 2x} on 7
    // positions is {1,2,3,4,5,6,0} and {0,2,4,6,1,3,5}.
    std::vector<Permutation> generators;
    std::size_t target = 0;  // tickets at most
    std::size_t from = 0;    // the search starts with this many at most, falling as covers appear
    double seconds = 60;
    std::uint64_t seed = 1;
    bool tabu = false;  // tabu search instead of simulated annealing
    // The near cover kept for completion is the choice with the fewest tickets plus this share
    // of the subsets it leaves uncovered (a completing ticket often covers several of them).
    double completionShare = 1;
};

// The smallest invariant full cover found within the time with at most target tickets, or an
// empty set when none was found.
std::vector<PositionMask> orbitCover(const CoverProblem& problem, const OrbitSearch& search);
