#include <gtest/gtest.h>

#include "core/draws/connection_string.h"
#include "core/draws/draw_database.h"
#include "core/tickets/ticket_check.h"
#include "core/tickets/ticket_grids.h"
#include "core/tickets/ticket_register.h"
#include "test_support.h"

TEST(TicketCheck, TotalsCountTicketsCostTiersWinningsAndWhatIsStillOpen)
{
    const DrawHistory history = historyOf(
        {drawRow(10, {3, 8, 14, 21, 27, 30}), incompleteRow(11), drawRow(12, {1, 2, 3, 4, 5, 6})});
    auto line = [](long long id, int drawNo, TicketNumbers numbers, int count) {
        StoredTicket t;
        t.id = id;
        t.drawNo = drawNo;
        t.numbers = numbers;
        t.count = count;
        return t;
    };
    const std::vector<StoredTicket> tickets = {
        line(1, 10, {3, 8, 14, 21, 30}, 2),  // four and the bonus: 2等
        line(2, 10, {3, 8, 14, 1, 2}, 1),    // 4等
        line(3, 10, {1, 2, 4, 5, 6}, 1),     // nothing
        line(4, 11, {1, 2, 3, 4, 5}, 4),     // draw 11 not complete: unchecked
        line(5, 12, {1, 2, 3, 4, 5}, 1),     // 1等
    };
    std::map<int, PrizeAmounts> amounts;
    amounts[10][3] = 1200;  // 4等 of draw 10 known, 2等 not

    const TicketReport report = checkTickets(tickets, DrawLookup(history), amounts);
    ASSERT_EQ(report.tickets.size(), 5u);
    EXPECT_EQ(report.tickets[0].check->tier, PrizeTier::Second);
    EXPECT_FALSE(report.tickets[0].prize);
    EXPECT_EQ(report.tickets[1].check->matched, (std::vector<int>{3, 8, 14}));
    EXPECT_EQ(report.tickets[1].prize, 1200);
    EXPECT_EQ(report.tickets[2].check->tier, PrizeTier::None);
    EXPECT_FALSE(report.tickets[3].check);
    EXPECT_EQ(report.tickets[4].check->tier, PrizeTier::First);

    const TicketTotals& draw10 = report.byDraw.at(10);
    EXPECT_EQ(draw10.tickets, 4);
    EXPECT_EQ(draw10.cost, 800);
    EXPECT_EQ(draw10.byTier, (std::array<long long, 4>{0, 2, 0, 1}));
    EXPECT_EQ(draw10.winnings, 1200);
    EXPECT_EQ(draw10.unpriced, 2);
    EXPECT_DOUBLE_EQ(*draw10.returnRate(), 1.5);
    EXPECT_FALSE(report.byDraw.at(11).returnRate());  // nothing checked yet
    // Shown: not known while the 2等 amount is missing; a draw without a win has its rate.
    EXPECT_EQ(returnRateText(draw10), "未確定");
    EXPECT_EQ(returnRateText(report.byDraw.at(11)), "－");
    TicketTotals lost;
    lost.add(report.tickets[2]);
    EXPECT_EQ(returnRateText(lost), "0.0%");

    EXPECT_EQ(report.total.tickets, 9);
    EXPECT_EQ(report.total.cost, 1800);
    EXPECT_EQ(report.total.unchecked, 4);
    EXPECT_EQ(report.total.checkedCost, 1000);
    EXPECT_EQ(report.total.byTier, (std::array<long long, 4>{1, 2, 0, 1}));
    EXPECT_EQ(report.total.unpriced, 3);
}

TEST(TicketCheck, LooksUpOnlyCompleteDrawsInRange)
{
    const DrawLookup lookup(
        historyOf({drawRow(0, {1, 2, 3, 4, 5, 6}), drawRow(3, {1, 2, 3, 4, 5, 6}),
                   drawRow(3, {7, 8, 9, 10, 11, 12})}));
    EXPECT_FALSE(lookup.find(0));
    EXPECT_FALSE(lookup.find(-1));
    EXPECT_FALSE(lookup.find(4));
    EXPECT_FALSE(lookup.find(40000));
    ASSERT_TRUE(lookup.find(3));
    EXPECT_EQ(lookup.find(3)->numbers[0], 1);  // the first row of a repeated draw number
}

TEST(TicketRegisterPrizes, WinningTicketsArePricedFromTheStoredAmountsAndTypedAmountsWin)
{
    TempDir dir;
    const std::string db = dir.file("Pomuran.mdb");
    {
        auto database = DrawDatabase::create(db);
        ASSERT_TRUE(database) << database.error();
        DrawPrizes ten;
        ten.drawNo = 10;
        ten.tiers[1] = {3, 50'000};  // 2等
        ten.tiers[2] = {0, {}};      // 3等: nobody won it
        ten.tiers[3] = {900, 1000};  // 4等
        DrawPrizes eleven;           // prize data, but not for 1等
        eleven.drawNo = 11;
        eleven.carryOver = 1'000'000;
        ASSERT_TRUE(database->replaceAllDraws(
            {drawRow(10, {3, 8, 14, 21, 27, 30}), drawRow(11, {1, 2, 3, 4, 5, 6})},
            std::vector<DrawPrizes>{ten, eleven}));
    }
    TicketRegister tickets(connectStringForFile(db), DrawHistory(), dir.file("tickets.sqlite"));
    ASSERT_TRUE(tickets.writable()) << tickets.storeError();
    ASSERT_TRUE(tickets.add(10, "3,8,14,21,30", 2));  // 2等
    ASSERT_TRUE(tickets.add(10, "3,8,14,21,1", 1));   // 3等
    ASSERT_TRUE(tickets.add(10, "3,8,14,1,2", 1));    // 4等
    ASSERT_TRUE(tickets.add(11, "1,2,3,4,5", 1));     // 1等
    ASSERT_TRUE(tickets.setTypedAmount(10, PrizeTier::Fourth, "1,200"));

    struct Expected {
        const char* tier;
        const char* prize;
        PrizeSource source;
    };
    const Expected expected[] = {
        {"2等", "100,000", PrizeSource::Imported},
        {"3等", "0", PrizeSource::Imported},  // no winner in the data: 0, not 金額未入力
        {"4等", "1,200", PrizeSource::Typed},
        {"1等", "金額未入力", PrizeSource::Unknown},
    };
    const TicketReport& report = tickets.report();
    ASSERT_EQ(report.tickets.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].tier);
        EXPECT_EQ(tierText(report.tickets[i]), expected[i].tier);
        EXPECT_EQ(prizeText(report.tickets[i]), expected[i].prize);
        EXPECT_EQ(report.tickets[i].prizeSource, expected[i].source);
    }
    EXPECT_EQ(tickets.prizes().at(10).yen[2], 0);
    EXPECT_EQ(tickets.importedAmount(10, 3), 1000);
    EXPECT_EQ(tickets.typedAmount(10, 3), 1200);
    EXPECT_EQ(report.total.winnings, 101'200);
    EXPECT_EQ(report.total.unpriced, 1);
    EXPECT_EQ(tickets.statusText(), "5 口　購入額 1,000 円　当選金 101,200 円　回収率 未確定　"
                                    "当選金額が未入力の当選 1 口");

    // Cleared, the typed amount gives way to the imported one again; typed for 1等, the return
    // rate is settled.
    ASSERT_TRUE(tickets.setTypedAmount(10, PrizeTier::Fourth, ""));
    ASSERT_TRUE(tickets.setTypedAmount(11, PrizeTier::First, "20,000,000円"));
    EXPECT_EQ(prizeText(tickets.report().tickets[2]), "1,000");
    EXPECT_EQ(tickets.report().tickets[2].prizeSource, PrizeSource::Imported);
    EXPECT_EQ(tickets.report().total.winnings, 20'101'000);
    EXPECT_EQ(returnRateText(tickets.report().total), "2010100.0%");
}
