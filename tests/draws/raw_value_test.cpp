#include <gtest/gtest.h>

#include "core/base/raw_value.h"
#include "core/draws/draw_row.h"

TEST(FieldNumber, ReadsIntegersAndWholeNumberText)
{
    EXPECT_EQ(fieldNumber(RawValue{std::int64_t{17}}), 17);
    EXPECT_EQ(fieldNumber(RawValue{std::string("05")}), 5);
    EXPECT_EQ(fieldNumber(RawValue{std::string(" 7 ")}), 7);
    EXPECT_EQ(fieldNumber(RawValue{std::string("-3")}), -3);
}

TEST(FieldNumber, GivesNothingForEmptyOrNonNumericOrOutOfRangeValues)
{
    EXPECT_FALSE(fieldNumber(RawValue{}));
    EXPECT_FALSE(fieldNumber(RawValue{std::string()}));
    EXPECT_FALSE(fieldNumber(RawValue{std::string("abc")}));
    EXPECT_FALSE(fieldNumber(RawValue{std::string("5.0")}));
    EXPECT_FALSE(fieldNumber(RawValue{std::int64_t{40000}}));
    EXPECT_FALSE(fieldNumber(RawValue{std::string("-40000")}));
}

TEST(CompleteDraw, NeedsAllSixNumberFieldsButNotTheDrawNumber)
{
    DrawRow row;
    for (int k = 0; k < 6; ++k)
        row.numbers[k] = std::int64_t{k + 1};
    const auto draw = completeDraw(row);
    ASSERT_TRUE(draw);
    EXPECT_EQ(draw->drawNo, 0);  // an empty 回数 counts as draw 0
    EXPECT_EQ(draw->numbers[kBonusIndex], 6);

    row.numbers[kBonusIndex] = std::string();
    EXPECT_FALSE(completeDraw(row));
    row.numbers[kBonusIndex] = std::string("x");
    EXPECT_FALSE(completeDraw(row));
}
