// Tickets: generating and filtering every combination, a verified three-number reduction, and
// checking a large register against the real history.
#include <benchmark/benchmark.h>

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
    request.reduce = true;
    long long tickets = 0;
    for (auto _ : state) {
        auto result = buildCombinations(request, {});
        tickets = result ? result->count() : -1;
        benchmark::DoNotOptimize(result);
    }
    state.counters["tickets"] = static_cast<double>(tickets);
}
BENCHMARK(BM_VerifiedReductionOfFifteenNumbers)->Unit(benchmark::kMillisecond);

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

}  // namespace
