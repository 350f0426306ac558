#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <random>

#include "core/tickets/combination_builder.h"
#include "core/tickets/combination_view.h"
#include "core/tickets/cover_search.h"
#include "core/tickets/cover_table.h"
#include "test_support.h"

namespace {

std::vector<int> range(int from, int to)
{
    std::vector<int> numbers;
    for (int n = from; n <= to; ++n)
        numbers.push_back(n);
    return numbers;
}

long long removed(const ComboResult& result, ComboFilter filter)
{
    return result.removedBy[static_cast<std::size_t>(filter)];
}

}  // namespace

TEST(CombinationBuilder, GivesEveryCombinationHoldingTheFixedNumbersInLexicographicOrder)
{
    ComboRequest request;
    request.picked = {7, 3, 1, 12, 9, 20};
    request.fixed = {3, 20};
    const auto result = buildCombinations(request, {});
    ASSERT_TRUE(result) << result.error();
    // Three of the other four numbers beside 3 and 20.
    ASSERT_EQ(result->count(), 4);
    EXPECT_EQ(result->cost(), 800);
    EXPECT_EQ(result->tickets.front(), (TicketNumbers{1, 3, 7, 9, 20}));
    EXPECT_EQ(result->tickets.back(), (TicketNumbers{3, 7, 9, 12, 20}));
    EXPECT_TRUE(std::is_sorted(result->tickets.begin(), result->tickets.end()));
    EXPECT_FALSE(result->guarantee);

    // A fixed number not among the picked ones is picked too.
    request.picked = {1, 2, 3, 4};
    request.fixed = {31};
    EXPECT_EQ(buildCombinations(request, {})->count(), 1);
}

TEST(CombinationBuilder, EachFilterCountsWhatItRemovesFromWhatTheEarlierOnesLeft)
{
    // 1..7 gives 21 tickets: the five numbers are 1..7 without a pair a < b, sum 28 - a - b.
    ComboHistory history;
    history.latestDraw = (1u << 1) | (1u << 2) | (1u << 3) | (1u << 4) | (1u << 5);
    history.firstPrizes = {history.latestDraw};
    struct Case {
        const char* name;
        ComboFilters filters;
        long long kept;
        std::vector<std::pair<ComboFilter, long long>> removedBy;
    };
    ComboFilters sum;  // a + b in 11..13: (4,7) (5,6) (5,7) (6,7)
    sum.sum = std::pair{15, 17};
    ComboFilters fourOdd;  // both left-out numbers even: 3 tickets
    fourOdd.oddEvenLetters = "E";
    ComboFilters fourOrFiveLow;  // 1..7 are all low: letter F only
    fourOrFiveLow.lowHighLetters = "EF";
    ComboFilters noConsecutive;  // five of 1..7 always hold neighbours
    noConsecutive.maxConsecutive = 0;
    ComboFilters previous;  // four or five of 1..5: 5 * 2 + 1 tickets removed
    previous.maxFromPrevious = 3;
    ComboFilters notWon;
    notWon.notWon = true;
    // Of the four the sum keeps, only 1..7 without (5,7) has two odd numbers (C).
    ComboFilters sumThenOdd = sum;
    sumThenOdd.oddEvenLetters = "C";
    const std::vector<Case> cases = {
        {"sum", sum, 4, {{ComboFilter::Sum, 17}}},
        {"odd/even", fourOdd, 3, {{ComboFilter::OddEven, 18}}},
        {"low/high", fourOrFiveLow, 21, {{ComboFilter::LowHigh, 0}}},
        {"consecutive", noConsecutive, 0, {{ComboFilter::Consecutive, 21}}},
        {"previous", previous, 10, {{ComboFilter::Previous, 11}}},
        {"not won", notWon, 20, {{ComboFilter::NotWon, 1}}},
        {"sum then odd/even", sumThenOdd, 1, {{ComboFilter::Sum, 17}, {ComboFilter::OddEven, 3}}},
    };
    for (const Case& c : cases) {
        ComboRequest request;
        request.picked = range(1, 7);
        request.filters = c.filters;
        const auto result = buildCombinations(request, history);
        ASSERT_TRUE(result) << c.name << ": " << result.error();
        EXPECT_EQ(result->generated, 21) << c.name;
        EXPECT_EQ(result->count(), c.kept) << c.name;
        for (const auto& [filter, count] : c.removedBy)
            EXPECT_EQ(removed(*result, filter), count) << c.name << " " << filterKey(filter);
    }
}

TEST(CombinationBuilder, RefusesBadRequestsWithAMessage)
{
    struct Case {
        std::vector<int> picked;
        std::vector<int> fixed;
        std::string oddEven;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{1, 2, 3, 4, 32}, {}, "", "32"},      {{1, 2, 3, 4, 4, 5}, {}, "", "重複"},
        {{1, 2, 3, 4}, {}, "", "5個以上"},     {range(1, 10), {1, 2, 3, 4, 5, 6}, "", "5個まで"},
        {range(1, 10), {0}, "", "固定数字 0"}, {range(1, 10), {}, "AG", "A から F"},
    };
    for (const Case& c : cases) {
        ComboRequest request;
        request.picked = c.picked;
        request.fixed = c.fixed;
        request.filters.oddEvenLetters = c.oddEven;
        const auto result = buildCombinations(request, {});
        ASSERT_FALSE(result) << c.message;
        EXPECT_NE(result.error().find(c.message), std::string::npos) << result.error();
    }
}

TEST(CombinationBuilder, AReducedSetOfFifteenNumbersKeepsTheThreeNumberGuaranteeForEveryDraw)
{
    ComboRequest request;
    request.picked = {2, 3, 5, 8, 9, 11, 14, 17, 19, 21, 23, 26, 27, 29, 30};
    request.guarantee = Guarantee{3, 3};
    const auto result = buildCombinations(request, {});
    ASSERT_TRUE(result) << result.error();
    ASSERT_TRUE(result->guarantee);
    EXPECT_EQ(result->generated, 3003);
    EXPECT_LT(result->count(), 3003 / 10);  // each ticket holds 10 of the 455 triples
    EXPECT_GE(result->count(), 455 / 10);
    EXPECT_EQ(result->removedByReduce, 3003 - result->count());

    // Every possible draw with three or more picked numbers: some ticket holds three of them.
    NumberMask picked = 0;
    for (int n : request.picked)
        picked |= NumberMask{1} << n;
    std::vector<NumberMask> tickets;
    for (const auto& t : result->tickets)
        tickets.push_back(maskOf(t));
    ComboRequest everyDraw;
    everyDraw.picked = range(1, 31);
    const auto draws = buildCombinations(everyDraw, {});
    ASSERT_TRUE(draws);
    long long qualifying = 0;
    for (const TicketNumbers& draw : draws->tickets) {
        const NumberMask main = maskOf(draw);
        if (std::popcount(main & picked) < 3) continue;
        ++qualifying;
        const bool hit = std::any_of(tickets.begin(), tickets.end(),
                                     [&](NumberMask t) { return std::popcount(t & main) >= 3; });
        ASSERT_TRUE(hit) << numbersText(draw);
    }
    EXPECT_GT(qualifying, 0);
}

TEST(CombinationBuilder, AReductionUnderFixedNumbersAndFiltersStatesWhatItCovers)
{
    ComboRequest request;
    request.picked = range(1, 12);
    request.fixed = {1, 2};
    request.guarantee = Guarantee{3, 3};
    request.filters.sum = std::pair{20, 40};
    request.searchSeconds = 0.2;
    const auto result = buildCombinations(request, {});
    ASSERT_TRUE(result) << result.error();
    ASSERT_TRUE(result->guarantee);
    // 3, 4, 5 are only on 1 2 3 4 5, whose sum the filter removes: the promise names the
    // covered part, and the odds say how often it is kept.
    EXPECT_NE(result->guarantee->find("220 組のうち"), std::string::npos) << *result->guarantee;
    EXPECT_LT(result->check.coverable, result->check.subsets);
    EXPECT_EQ(result->check.uncovered, 0);
    EXPECT_LT(result->odds.promiseKept, result->odds.conditionMet);
    for (const auto& t : result->tickets) {
        EXPECT_EQ(t[0] + t[1] * 10, 21);
        const int sum = t[0] + t[1] + t[2] + t[3] + t[4];
        EXPECT_TRUE(sum >= 20 && sum <= 40) << numbersText(t);
    }
}

TEST(CombinationBuilder, CoverageCheckFindsASubsetThatNoChosenTicketHolds)
{
    // Positions 0..5; the candidates 0..4 and 1..5.
    const std::vector<PositionMask> candidates = {0b011111u, 0b111110u};
    // Only 0..4 chosen: triples with 5 are coverable by 1..5 but not covered.
    const CoverCheck check = checkCover(6, {3, 3}, candidates, {candidates[0]});
    EXPECT_EQ(check.subsets, 20);
    EXPECT_EQ(check.coverable, 16);  // all but those holding both 0 and 5
    EXPECT_EQ(check.uncovered, 6);   // 5 with two of 1..4
    EXPECT_EQ(checkCover(6, {3, 3}, candidates, candidates).uncovered, 0);
    // 2 of 4: any four of six positions share two with 0..4.
    EXPECT_EQ(checkCover(6, {2, 4}, {}, {candidates[0]}).uncovered, 0);
    // From 27 picked numbers on a draw always leaves more of them: v = 31 checks 5-subsets.
    EXPECT_EQ(checkCover(31, {3, 3}, {}, {}).subsets, 169911);
    EXPECT_EQ(checkCover(28, {3, 3}, {}, {}).subsets, 3276);
}

// Every draw of five out of 31, straight from the definition: with at least m drawn numbers
// among the picked ones some ticket holds t of them.
long long brokenPromises(NumberMask picked, Guarantee g, const std::vector<TicketNumbers>& tickets,
                         long long& met)
{
    std::vector<NumberMask> masks;
    for (const auto& t : tickets)
        masks.push_back(maskOf(t));
    long long broken = 0;
    met = 0;
    for (int a = 1; a <= 31; ++a)
        for (int b = a + 1; b <= 31; ++b)
            for (int c = b + 1; c <= 31; ++c)
                for (int d = c + 1; d <= 31; ++d)
                    for (int e = d + 1; e <= 31; ++e) {
                        const NumberMask draw =
                            (1u << a) | (1u << b) | (1u << c) | (1u << d) | (1u << e);
                        if (std::popcount(draw & picked) < g.m) continue;
                        ++met;
                        if (std::none_of(masks.begin(), masks.end(), [&](NumberMask t) {
                                return std::popcount(t & draw) >= g.t;
                            }))
                            ++broken;
                    }
    return broken;
}

TEST(CombinationBuilder, EveryGuaranteeHoldsForEveryDrawOnStoredAndSearchedSets)
{
    struct Case {
        std::vector<int> picked;
        std::vector<int> fixed;
        Guarantee g;
        bool sumFilter;
    };
    const std::vector<Case> cases = {
        {{3, 7, 8, 12, 15, 19, 22, 26, 30}, {}, {2, 2}, false},
        {range(4, 16), {}, {3, 3}, false},
        {range(1, 11), {}, {3, 4}, false},
        {range(10, 21), {}, {3, 5}, false},
        {range(1, 10), {}, {4, 4}, false},
        {range(20, 28), {}, {4, 5}, false},
        {range(1, 7), {}, {5, 5}, false},
        {range(1, 28), {}, {3, 3}, false},  // draws always hold three or more
        {range(1, 31), {}, {3, 3}, false},  // every draw holds five
        {range(5, 17), {9}, {3, 3}, false},
        {range(1, 13), {}, {3, 4}, true},
        {range(2, 12), {2}, {2, 2}, true},
    };
    for (const Case& c : cases) {
        ComboRequest request;
        request.picked = c.picked;
        request.fixed = c.fixed;
        request.guarantee = c.g;
        request.searchSeconds = 0.2;
        if (c.sumFilter) request.filters.sum = std::pair{30, 60};
        const auto result = buildCombinations(request, {});
        const std::string name = std::to_string(c.picked.size()) + " numbers " +
                                 std::to_string(c.g.t) + "/" + std::to_string(c.g.m);
        ASSERT_TRUE(result) << name << ": " << result.error();
        NumberMask picked = 0;
        for (int n : c.picked)
            picked |= 1u << n;
        long long met = 0;
        const long long broken = brokenPromises(picked, c.g, result->tickets, met);
        EXPECT_EQ(result->odds.conditionMet, met) << name;
        EXPECT_EQ(result->odds.promiseKept, met - broken) << name;
        EXPECT_EQ(result->odds.draws, 169911) << name;
        if (result->check.coverable == result->check.subsets) {
            EXPECT_EQ(broken, 0) << name;
        }
        EXPECT_EQ(result->source == CoverSource::Stored,
                  c.fixed.empty() && !c.sumFilter && c.g.t < 5)
            << name;
        for (const auto& t : result->tickets)
            for (int n : c.fixed)
                EXPECT_NE(std::find(t.begin(), t.end(), n), t.end()) << name;
    }
}

// The fast check and odds against the definitions, on random sets with gaps and, for the odds,
// tickets reaching outside the picked numbers.
TEST(CombinationBuilder, CoverCheckAndOddsAgreeWithTheDefinitions)
{
    struct Case {
        int v;
        Guarantee g;
        int tickets;
        int candidates;  // 0: every ticket allowed
    };
    const std::vector<Case> cases = {
        {7, {1, 1}, 1, 0},  {9, {2, 2}, 3, 0},    {10, {3, 3}, 8, 30}, {11, {3, 4}, 6, 0},
        {12, {2, 5}, 4, 0}, {10, {4, 4}, 20, 60}, {8, {5, 5}, 10, 0},  {12, {4, 5}, 9, 40},
    };
    ComboRequest all;
    all.picked = range(1, 31);
    const std::vector<TicketNumbers> everyDraw = buildCombinations(all, {})->tickets;
    std::mt19937 random(11);
    auto randomTickets = [&](int v, int count) {
        std::vector<PositionMask> set;
        while (static_cast<int>(set.size()) < count) {
            PositionMask t = 0;
            while (std::popcount(t) < 5)
                t |= PositionMask{1} << (random() % static_cast<unsigned>(v));
            set.push_back(t);
        }
        return set;
    };
    for (const Case& c : cases) {
        const std::string name =
            std::to_string(c.v) + " " + std::to_string(c.g.t) + "/" + std::to_string(c.g.m);
        const auto tickets = randomTickets(c.v, c.tickets);
        const auto candidates = c.candidates ? randomTickets(c.v, c.candidates) : tickets;
        auto holds = [&](const std::vector<PositionMask>& set, PositionMask s) {
            return std::any_of(set.begin(), set.end(),
                               [&](PositionMask t) { return std::popcount(t & s) >= c.g.t; });
        };
        CoverCheck expected;
        for (PositionMask s = 0; s < (PositionMask{1} << c.v); ++s) {
            if (std::popcount(s) != c.g.m) continue;
            ++expected.subsets;
            if (c.candidates && !holds(candidates, s)) continue;
            ++expected.coverable;
            if (!holds(tickets, s)) ++expected.uncovered;
        }
        const CoverCheck check =
            checkCover(c.v, c.g, c.candidates ? candidates : std::vector<PositionMask>{}, tickets);
        EXPECT_EQ(check.subsets, expected.subsets) << name;
        EXPECT_EQ(check.coverable, expected.coverable) << name;
        EXPECT_EQ(check.uncovered, expected.uncovered) << name;

        // Numbers 3.. are picked; the tickets are moved onto 1..31 so that some numbers fall
        // outside the picked ones.
        NumberMask picked = 0;
        for (int n = 3; n < 3 + c.v; ++n)
            picked |= NumberMask{1} << n;
        std::vector<TicketNumbers> numbers;
        for (PositionMask t : tickets)
            numbers.push_back(numbersOf(t << 1));
        // What a ticket shares with the drawn picked numbers.
        ComboOdds expectedOdds;
        for (const TicketNumbers& draw : everyDraw) {
            const NumberMask main = maskOf(draw) & picked;
            auto shares = [&](int count) {
                return std::any_of(numbers.begin(), numbers.end(), [&](const TicketNumbers& t) {
                    return std::popcount(maskOf(t) & main) >= count;
                });
            };
            ++expectedOdds.draws;
            if (shares(3)) ++expectedOdds.fourthOrBetter;
            if (std::popcount(main) < c.g.m) continue;
            ++expectedOdds.conditionMet;
            if (shares(c.g.t)) ++expectedOdds.promiseKept;
        }
        const ComboOdds odds = comboOdds(picked, c.g, numbers);
        EXPECT_EQ(odds.draws, expectedOdds.draws) << name;
        EXPECT_EQ(odds.conditionMet, expectedOdds.conditionMet) << name;
        EXPECT_EQ(odds.promiseKept, expectedOdds.promiseKept) << name;
        EXPECT_EQ(odds.fourthOrBetter, expectedOdds.fourthOrBetter) << name;
    }
}

TEST(CombinationBuilder, EveryStoredSetIsAVerifiedCoverAndTheTableIsComplete)
{
    const auto covers = storedCovers();
    for (const StoredCover& cover : covers) {
        const std::vector<PositionMask> tickets(cover.tickets.begin(), cover.tickets.end());
        const std::string name = std::to_string(cover.v) + " " + std::to_string(cover.guarantee.t) +
                                 "/" + std::to_string(cover.guarantee.m);
        for (PositionMask t : tickets)
            ASSERT_TRUE(std::popcount(t) == 5 && t < (PositionMask{1} << cover.v)) << name;
        EXPECT_EQ(checkCover(cover.v, cover.guarantee, {}, tickets).uncovered, 0) << name;
    }
    for (int v = 6; v <= 31; ++v)
        for (const Guarantee& g : kOfferedGuarantees)
            if (g.t < 5) {
                EXPECT_FALSE(storedCover(v, g).empty()) << v << " " << g.t << "/" << g.m;
            }
}

TEST(CombinationBuilder, BadGuaranteesAndTooManyFixedNumbersAreRefused)
{
    struct Case {
        Guarantee g;
        std::vector<int> fixed;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{4, 3}, {}, "以下"},
        {{0, 3}, {}, "1から5"},
        {{3, 6}, {}, "1から5"},
        {{3, 3}, {1, 2, 3}, "2 個まで"},
        {{5, 5}, {1}, "固定数字は使えません"},
    };
    for (const Case& c : cases) {
        ComboRequest request;
        request.picked = range(1, 10);
        request.fixed = c.fixed;
        request.guarantee = c.g;
        const auto result = buildCombinations(request, {});
        ASSERT_FALSE(result) << c.message;
        EXPECT_NE(result.error().find(c.message), std::string::npos) << result.error();
    }
    for (const char* text : {"3-3", "33", "a/3", "3/"})
        EXPECT_FALSE(parseGuarantee(text)) << text;
    ASSERT_TRUE(parseGuarantee("3/4"));
    EXPECT_EQ(*parseGuarantee("3/4"), (Guarantee{3, 4}));
}

TEST(CombinationBuilder, ACancelledSearchKeepsTheVerifiedGreedySet)
{
    std::atomic<bool> cancel{true};
    ComboRequest request;
    request.picked = range(1, 16);
    request.filters.sum = std::pair{30, 60};
    request.guarantee = Guarantee{3, 3};
    request.cancel = &cancel;
    request.searchSeconds = 5;
    const auto result = buildCombinations(request, {});
    ASSERT_TRUE(result) << result.error();
    EXPECT_TRUE(result->cancelled);
    EXPECT_EQ(result->source, CoverSource::Greedy);
    EXPECT_EQ(static_cast<std::size_t>(result->count()), result->greedySize);
    EXPECT_EQ(result->check.uncovered, 0);
}

// Both searches (annealing, tabu) shrink the greedy set and hand back full covers only.
TEST(CoverSearch, AnnealingAndTabuSearchShrinkTheGreedySet)
{
    for (const Guarantee g : {Guarantee{3, 3}, Guarantee{4, 4}})
        for (const int tenure : {0, 1}) {
            const int v = g.t == 3 ? 11 : 9;
            auto problem = CoverProblem::make(v, g);
            ASSERT_TRUE(problem);
            const std::vector<PositionMask> greedy = greedyCover(*problem);
            SearchControl control;
            control.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
            control.tabuTenure = tenure;
            const std::vector<PositionMask> shrunk = shrinkCover(*problem, greedy, control);
            const std::string name = std::to_string(v) + " " + std::to_string(g.t) + "/" +
                                     std::to_string(g.m) + " tenure " + std::to_string(tenure);
            EXPECT_LT(shrunk.size(), greedy.size()) << name;
            EXPECT_EQ(checkCover(v, g, {}, shrunk).uncovered, 0) << name;
        }
}

// Under a filter alone most of the stored set stays allowed; completed, it starts the search well
// below the greedy set (205 tickets here), whatever the time the search gets.
TEST(CombinationBuilder, AFilteredSetStartsFromTheStoredSet)
{
    ComboRequest request;
    request.picked = range(1, 22);
    request.filters.sum = std::pair{40, 120};
    request.guarantee = Guarantee{3, 3};
    request.searchSeconds = 0.01;
    const auto result = buildCombinations(request, {});
    ASSERT_TRUE(result) << result.error();
    EXPECT_EQ(result->check.uncovered, 0);
    EXPECT_EQ(result->source, CoverSource::Search);
    EXPECT_LT(result->count() + 10, static_cast<long long>(result->greedySize));
}

TEST(CombinationView, SummaryAndTextsSayWhatTheSetGives)
{
    ComboRequest request;
    request.picked = range(1, 5);
    request.guarantee = Guarantee{5, 5};
    const auto result = buildCombinations(request, {});
    ASSERT_TRUE(result) << result.error();
    // One ticket: three or more of 1..5 drawn in C(5,3)*C(26,2) + 5*26 + 1 draws.
    EXPECT_EQ(result->odds.fourthOrBetter, 3381);
    EXPECT_EQ(result->odds.conditionMet, 1);
    const auto lines = comboSummaryLines(*result, *request.guarantee);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[2].find("3,381 通り（1.990%）"), std::string::npos) << lines[2];
    EXPECT_EQ(comboCsvText(result->tickets),
              "No,第1数字,第2数字,第3数字,第4数字,第5数字\n1,1,2,3,4,5\n");
    EXPECT_EQ(comboClipboardText(result->tickets), "1\t2\t3\t4\t5\n");
}
