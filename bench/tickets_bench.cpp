// Tickets: generating and filtering every combination, verified reductions (the stored sets for
// 3-if-3 at 6..31 picked numbers and 4-if-4 at 10..15 against the best sizes known for the
// covering problem, and a filtered set shrunk within its one-second budget), and checking a
// large register against the real history, without and with prizes.
#include <benchmark/benchmark.h>

#include <map>
#include <random>

#include "bench_support.h"
#include "core/tickets/combination_builder.h"
#include "core/tickets/ticket_check.h"

namespace {

void BM_GenerateAndFilterAllCombinations(benchmark::State& state)
{
    const DrawHistory history = realHistory().empty() ? generatedHistory(1400) : realHistory();
    const ComboHistory combo = comboHistoryOf(history);
    ComboRequest request;
    for (int n = 1; n <= 31; ++n)
        request.picked.push_back(n);
    request.filters.sum = std::pair{60, 100};
    request.filters.oddEvenLetters = "BCDE";
    request.filters.lowHighLetters = "BCDE";
    request.filters.maxConsecutive = 1;
    request.filters.maxFromPrevious = 1;
    request.filters.notWon = true;
    for (auto _ : state) {
        auto result = buildCombinations(request, combo);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_GenerateAndFilterAllCombinations)->Unit(benchmark::kMillisecond);

void BM_VerifiedReductionOfFifteenNumbers(benchmark::State& state)
{
    ComboRequest request;
    request.picked = {2, 3, 5, 8, 9, 11, 14, 17, 19, 21, 23, 26, 27, 29, 30};
    request.guarantee = Guarantee{3, 3};
    long long tickets = 0;
    for (auto _ : state) {
        auto result = buildCombinations(request, {});
        tickets = result ? result->count() : -1;
        benchmark::DoNotOptimize(result);
    }
    state.counters["tickets"] = static_cast<double>(tickets);
}
BENCHMARK(BM_VerifiedReductionOfFifteenNumbers)->Unit(benchmark::kMillisecond);

// The best sizes known for covering every t-subset of v numbers with five-number tickets.
int bestKnown(int v, int t)
{
    static const int threeOfThree[] = {4,   5,   8,   12,  17,  20,  29,  34,  43,
                                       55,  65,  68,  94,  108, 133, 151, 172, 187,
                                       231, 256, 260, 319, 359, 413, 459, 504};
    static const int fourOfFour[] = {51, 66, 113, 157, 229, 294};
    if (t == 3 && v >= 6 && v <= 31) return threeOfThree[v - 6];
    if (t == 4 && v >= 10 && v <= 15) return fourOfFour[v - 10];
    return 0;
}

// Time to the shown set: the stored set relabelled, verified by enumeration and its odds.
void BM_StoredReducedSet(benchmark::State& state)
{
    const int v = static_cast<int>(state.range(0));
    const int t = static_cast<int>(state.range(1));
    ComboRequest request;
    for (int n = 1; n <= v; ++n)
        request.picked.push_back(n);
    request.guarantee = Guarantee{t, t};
    long long tickets = -1;
    for (auto _ : state) {
        auto result = buildCombinations(request, {});
        tickets = result && result->source == CoverSource::Stored ? result->count() : -1;
        benchmark::DoNotOptimize(result);
    }
    state.counters["tickets"] = static_cast<double>(tickets);
    state.counters["best_known"] = bestKnown(v, t);
}
BENCHMARK(BM_StoredReducedSet)
    ->ArgsProduct({benchmark::CreateDenseRange(6, 31, 1), {3}})
    ->ArgsProduct({benchmark::CreateDenseRange(10, 15, 1), {4}})
    ->Unit(benchmark::kMillisecond);

// A sum filter rules out the stored set: greedy, then the search's one second.
void BM_FilteredReducedSet(benchmark::State& state)
{
    ComboRequest request;
    for (int n = 1; n <= state.range(0); ++n)
        request.picked.push_back(n);
    request.guarantee = Guarantee{3, 3};
    request.filters.sum = std::pair{40, 120};
    long long tickets = -1;
    std::size_t greedy = 0;
    for (auto _ : state) {
        auto result = buildCombinations(request, {});
        tickets = result ? result->count() : -1;
        greedy = result ? result->greedySize : 0;
        benchmark::DoNotOptimize(result);
    }
    state.counters["tickets"] = static_cast<double>(tickets);
    state.counters["greedy"] = static_cast<double>(greedy);
}
BENCHMARK(BM_FilteredReducedSet)->Arg(15)->Arg(22)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_CheckTenThousandTickets(benchmark::State& state)
{
    const DrawHistory history = realHistory().empty() ? generatedHistory(1400) : realHistory();
    std::mt19937 random(7);
    std::vector<StoredTicket> tickets(10000);
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        std::array<int, 31> pool{};
        for (int n = 0; n < 31; ++n)
            pool[static_cast<std::size_t>(n)] = n + 1;
        std::shuffle(pool.begin(), pool.end(), random);
        tickets[i].id = static_cast<long long>(i + 1);
        tickets[i].drawNo = static_cast<int>(random() % 1400) + 1;
        std::copy_n(pool.begin(), 5, tickets[i].numbers.begin());
        std::sort(tickets[i].numbers.begin(), tickets[i].numbers.end());
    }
    for (auto _ : state) {
        // The lookup is part of every check: the register window builds it when it opens.
        const TicketReport report = checkTickets(tickets, DrawLookup(history), PrizeTable{});
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_CheckTenThousandTickets)->Unit(benchmark::kMillisecond);

// 購入記録 with prizes: 10,000 tickets priced from the amounts imported with every draw, with
// some typed by the player laid over them (every tenth draw's 4等).
void BM_CheckTenThousandTicketsWithPrizes(benchmark::State& state)
{
    const DrawHistory history = realHistory().empty() ? generatedHistory(1400) : realHistory();
    std::vector<DrawPrizes> imported;
    std::map<int, PrizeAmounts> typed;
    for (int drawNo = 1; drawNo <= 1400; ++drawNo) {
        DrawPrizes draw;
        draw.drawNo = drawNo;
        draw.tiers[0] = drawNo % 3 == 0 ? TierPrize{0, {}} : TierPrize{1, 12'345'600};
        draw.tiers[1] = {3, 456'700};
        draw.tiers[2] = {85, 12'300};
        draw.tiers[3] = {2345, 1100};
        imported.push_back(draw);
        if (drawNo % 10 == 0) typed[drawNo][3] = 1200;
    }
    std::mt19937 random(7);
    std::vector<StoredTicket> tickets(10000);
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        std::array<int, 31> pool{};
        for (int n = 0; n < 31; ++n)
            pool[static_cast<std::size_t>(n)] = n + 1;
        std::shuffle(pool.begin(), pool.end(), random);
        tickets[i].id = static_cast<long long>(i + 1);
        tickets[i].drawNo = static_cast<int>(random() % 1400) + 1;
        std::copy_n(pool.begin(), 5, tickets[i].numbers.begin());
        std::sort(tickets[i].numbers.begin(), tickets[i].numbers.end());
    }
    long long winnings = 0;
    for (auto _ : state) {
        // What a reload of the register does after reading: the table of amounts, the lookup
        // and the check.
        const TicketReport report =
            checkTickets(tickets, DrawLookup(history), prizeTable(typed, imported));
        winnings = report.total.winnings;
        benchmark::DoNotOptimize(report);
    }
    state.counters["winnings"] = static_cast<double>(winnings);
}
BENCHMARK(BM_CheckTenThousandTicketsWithPrizes)->Unit(benchmark::kMillisecond);

}  // namespace
