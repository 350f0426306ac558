#include <gtest/gtest.h>

#include "core/tickets/combination_builder.h"
#include "core/tickets/ticket.h"
#include "test_support.h"

TEST(Ticket,
     EveryDrawSplitsAllTicketsIntoOneFiveOneHundredTwentyFiveAndThreeThousandTwoHundredFifty)
{
    ComboRequest all;
    for (int n = 1; n <= 31; ++n)
        all.picked.push_back(n);
    const auto tickets = buildCombinations(all, {});
    ASSERT_TRUE(tickets) << tickets.error();
    ASSERT_EQ(tickets->count(), kAllTicketCount);

    // Edge draws: lowest and highest numbers, the bonus below and above the main numbers.
    const std::vector<Draw> draws = {{1, {1, 2, 3, 4, 5, 6}},
                                     {2, {27, 28, 29, 30, 31, 1}},
                                     {3, {3, 9, 14, 22, 30, 17}},
                                     {4, {2, 11, 16, 25, 31, 8}}};
    for (const Draw& draw : draws) {
        std::array<long long, 5> byTier{};  // none, 1等..4等
        for (const TicketNumbers& numbers : tickets->tickets) {
            const TicketCheck check = checkTicket(numbers, draw);
            ++byTier[static_cast<std::size_t>(check.tier)];
            // The mask form used for fast checks agrees with the plain one.
            NumberMask main = 0;
            for (int k = 0; k < kMainCount; ++k)
                main |= NumberMask{1} << draw.numbers[k];
            ASSERT_EQ(prizeTier(maskOf(numbers), main, draw.numbers[kBonusIndex]), check.tier);
        }
        EXPECT_EQ(byTier[1], 1) << "draw " << draw.drawNo;
        EXPECT_EQ(byTier[2], 5);
        EXPECT_EQ(byTier[3], 125);
        EXPECT_EQ(byTier[4], 3250);
    }
}

TEST(Ticket, CheckListsTheMatchedMainNumbersAndTheBonusSeparately)
{
    const Draw draw{7, {4, 9, 15, 22, 28, 30}};
    struct Case {
        TicketNumbers numbers;
        std::vector<int> matched;
        bool bonus;
        PrizeTier tier;
    };
    const std::vector<Case> cases = {
        {{4, 9, 15, 22, 28}, {4, 9, 15, 22, 28}, false, PrizeTier::First},
        {{4, 9, 15, 22, 30}, {4, 9, 15, 22}, true, PrizeTier::Second},
        {{4, 9, 15, 22, 31}, {4, 9, 15, 22}, false, PrizeTier::Third},
        {{1, 4, 9, 28, 30}, {4, 9, 28}, true, PrizeTier::Fourth},
        {{1, 2, 4, 9, 30}, {4, 9}, true, PrizeTier::None},
    };
    for (const Case& c : cases) {
        const TicketCheck check = checkTicket(c.numbers, draw);
        EXPECT_EQ(check.matched, c.matched);
        EXPECT_EQ(check.bonus, c.bonus);
        EXPECT_EQ(check.tier, c.tier);
    }
}

TEST(Ticket, BadNumbersAndDrawNumbersGetAMessageNamingTheProblem)
{
    struct Case {
        std::vector<int> numbers;
        const char* message;  // part of the message; empty for accepted numbers
    };
    const std::vector<Case> cases = {
        {{5, 1, 31, 12, 20}, ""},    {{1, 2, 3, 4}, "5個必要"},
        {{1, 2, 3, 4, 5, 6}, "6個"}, {{0, 2, 3, 4, 5}, "0 は1から31"},
        {{1, 2, 3, 4, 32}, "32 は"}, {{1, 2, 3, 3, 5}, "3 が重複"},
    };
    for (const Case& c : cases) {
        const auto ticket = ticketNumbers(c.numbers);
        if (*c.message == '\0') {
            ASSERT_TRUE(ticket) << ticket.error();
            EXPECT_EQ(*ticket, (TicketNumbers{1, 5, 12, 20, 31}));
        } else {
            ASSERT_FALSE(ticket);
            EXPECT_NE(ticket.error().find(c.message), std::string::npos) << ticket.error();
        }
    }
    EXPECT_TRUE(checkDrawNo(1));
    EXPECT_TRUE(checkDrawNo(32767));
    EXPECT_FALSE(checkDrawNo(0));
    EXPECT_FALSE(checkDrawNo(32768));

    EXPECT_EQ(*parseNumberList("1,5, 12 20,31"), (std::vector<int>{1, 5, 12, 20, 31}));
    EXPECT_FALSE(parseNumberList("1,x"));
    EXPECT_FALSE(parseNumberList("1,-3"));
    EXPECT_FALSE(parseNumberList("1,1"));
    EXPECT_FALSE(parseNumberList("1,99999999999"));
}
