#include <gtest/gtest.h>

#include <bit>

#include "test_support.h"
#include "core/tickets/combination_builder.h"

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
    request.reduce = true;
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
    request.fixed = {1, 2, 3};
    request.reduce = true;
    request.filters.sum = std::pair{20, 40};
    const auto result = buildCombinations(request, {});
    ASSERT_TRUE(result) << result.error();
    ASSERT_TRUE(result->guarantee);
    // A triple of three other numbers cannot be on a ticket that holds 1, 2 and 3: the promise
    // names the covered part.
    EXPECT_NE(result->guarantee->find("220 組のうち"), std::string::npos) << *result->guarantee;
    for (const auto& t : result->tickets) {
        EXPECT_EQ(t[0] + t[1] * 10 + t[2] * 100, 321);
        const int sum = t[0] + t[1] + t[2] + t[3] + t[4];
        EXPECT_TRUE(sum >= 20 && sum <= 40) << numbersText(t);
    }
}

TEST(CombinationBuilder, CoverageCheckFindsATripleThatNoChosenTicketHolds)
{
    const NumberMask picked = 0b111111u << 1;  // 1..6
    const std::vector<NumberMask> candidates = {0b11111u << 1, 0b11111u << 2};
    // Only 1..5 chosen: triples with 6 are coverable by 2..6 but not covered.
    const CoverageCheck check = verifyCoverage(picked, candidates, {candidates[0]});
    EXPECT_EQ(check.triples, 20);
    EXPECT_EQ(check.coverable, 16);  // all but those holding both 1 and 6
    EXPECT_EQ(check.uncovered, 6);   // 6 with two of 2..5
    EXPECT_EQ(verifyCoverage(picked, candidates, candidates).uncovered, 0);
}
