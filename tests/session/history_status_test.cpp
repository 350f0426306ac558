// How current the history is: the status-bar line and the hint, from made-up histories.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/session/history_status.h"
#include "test_support.h"

namespace {

using namespace std::chrono;

DrawRow dated(int drawNo, RawValue date)
{
    DrawRow row = drawRow(drawNo, {1, 2, 3, 4, 5, 6});
    row.date = std::move(date);
    return row;
}

constexpr sys_days kToday = sys_days(year(2025) / 12 / 3);

TEST(HistoryStatusTest, LatestCompleteDrawItsDateAndTheHint)
{
    const struct {
        const char* name;
        std::vector<DrawRow> rows;
        std::string text;
        std::string hint;
    } cases[] = {
        {"empty", {}, "当選データがありません", ""},
        {"seven days: current",
         {dated(1, std::string("2025-11-19")), dated(2, std::string("2025-11-26"))},
         "当選データ2回分　最新は第2回（2025年11月26日）",
         ""},
        {"eight days: probably behind",
         {dated(1351, std::string("2025/11/25 0:00:00"))},
         "当選データ1回分　最新は第1351回（2025年11月25日）",
         "最新の当選日から8日たっています。新しい当選データが出ているかもしれません。"},
        {"an incomplete last row does not count",
         {dated(10, std::string("2025年11月1日")), incompleteRow(11)},
         "当選データ1回分　最新は第10回（2025年11月1日）",
         "最新の当選日から32日たっています。新しい当選データが出ているかもしれません。"},
        {"no date", {dated(5, RawValue{})}, "当選データ1回分　最新は第5回（日付なし）", ""},
        {"not a date",
         {dated(5, std::string("2025-02-30"))},
         "当選データ1回分　最新は第5回（日付なし）",
         ""},
        {"a date in the future",
         {dated(5, std::string("2025-12-10"))},
         "当選データ1回分　最新は第5回（2025年12月10日）",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HistoryStatus status = historyStatus(historyOf(c.rows), kToday);
        EXPECT_EQ(historyStatusText(status), c.text);
        EXPECT_EQ(historyStaleHint(status), c.hint);
        EXPECT_EQ(status.probablyBehind, !c.hint.empty());
    }
}

TEST(HistoryStatusTest, DrawDatesAsStoredOrNothing)
{
    const struct {
        const char* text;
        bool reads;
    } cases[] = {
        {"2025-11-25", true},         {"2025/11/25", true},
        {"2025/11/25 0:00:00", true}, {"2025-11-25T00:00", true},
        {"2025年11月25日", true},     {"2025-13-01", false},
        {"2025-11", false},           {"25.11.2025", false},
        {"2025-11-25x", false},       {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = parseDrawDate(RawValue{std::string(c.text)});
        ASSERT_EQ(parsed.has_value(), c.reads);
        if (c.reads) {
            EXPECT_EQ(*parsed, year(2025) / 11 / 25);
        }
    }
    EXPECT_FALSE(parseDrawDate(RawValue{std::int64_t{20251125}}));
}

}  // namespace
