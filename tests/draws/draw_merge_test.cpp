#include <gtest/gtest.h>

#include "core/draws/draw_merge.h"
#include "test_support.h"

namespace {
DrawRow dated(DrawRow row, const std::string& date)
{
    row.date = date;
    return row;
}
}  // namespace

TEST(DrawMerge, NewChangedAndIdenticalDrawsAreToldApartAndTheHistoryKeepsWhatTheFileLacks)
{
    const std::vector<DrawRow> stored = {dated(drawRow(1, {1, 2, 3, 4, 5, 6}), "2000-01-04"),
                                         drawRow(2, {7, 8, 9, 10, 11, 12}),
                                         drawRow(3, {1, 2, 3, 4, 5, 6}), incompleteRow(4)};
    const std::vector<DrawRow> incoming = {
        drawRow(1, {1, 2, 3, 4, 5, 6}),                          // same numbers, no date: identical
        dated(drawRow(2, {7, 8, 9, 10, 11, 12}), "2000-01-11"),  // a date the history lacks
        drawRow(4, {2, 3, 4, 5, 6, 7}),                          // completes the typed-in row
        drawRow(6, {1, 2, 3, 4, 5, 6}), drawRow(5, {1, 2, 3, 4, 5, 7})};
    const MergePlan plan = planMerge(stored, incoming);
    EXPECT_EQ(plan.unchanged, 1);
    ASSERT_EQ(plan.changed.size(), 2u);
    EXPECT_EQ(fieldNumber(plan.changed[0].stored.drawNo), 2);
    EXPECT_EQ(fieldNumber(plan.changed[1].incoming.numbers[0]), 2);
    ASSERT_EQ(plan.added.size(), 2u);
    EXPECT_EQ(plan.added, (std::vector<int>{6, 5}));

    ASSERT_EQ(plan.merged.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(fieldNumber(plan.merged[static_cast<std::size_t>(i)].drawNo), i + 1);
    EXPECT_EQ(rawText(plan.merged[0].date), "2000-01-04");  // kept: the file gave no date
    EXPECT_EQ(rawText(plan.merged[1].date), "2000-01-11");
    EXPECT_EQ(fieldNumber(plan.merged[2].numbers[0]), 1);  // draw 3 is not in the file: kept
}

TEST(DrawMerge, SummaryLineCountsEachKind)
{
    EXPECT_EQ(summaryLine({3, 1, 1350, 2}), "3 added, 1 replaced, 1350 unchanged, 2 rejected");
}
