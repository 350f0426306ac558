#include <gtest/gtest.h>

#include "draws/draw_csv.h"
#include "test_support.h"

namespace {
const std::string kHeader = "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n";
}

TEST(DrawCsv, StrictImportKeepsEmptyFieldsAsNullAndRowsWithOnlyTheDrawNumber)
{
    const auto rows = parseDrawCsv(kHeader + "1,2000-01-04,4,9,15,22,30,11\r\n2,,,,,,,\n3\n",
                                   CsvValues::StrictNumbers);
    ASSERT_TRUE(rows) << rows.error();
    ASSERT_EQ(rows->size(), 3u);
    EXPECT_EQ(std::get<std::int64_t>((*rows)[0].numbers[5]), 11);
    EXPECT_TRUE(isEmptyField((*rows)[1].numbers[0]));
    EXPECT_TRUE(isEmptyField((*rows)[1].date));
    EXPECT_EQ(fieldNumber((*rows)[2].drawNo), 3);
}

TEST(DrawCsv, MalformedInputNamesTheLine)
{
    auto rows = parseDrawCsv("回数,日付,第1数字\n", CsvValues::StrictNumbers);
    ASSERT_FALSE(rows);
    EXPECT_NE(rows.error().find("line 1"), std::string::npos);

    rows = parseDrawCsv("番号" + kHeader.substr(6), CsvValues::StrictNumbers);
    ASSERT_FALSE(rows);
    EXPECT_NE(rows.error().find("line 1"), std::string::npos);

    rows = parseDrawCsv(kHeader + "1,,1,2,3,4,5,6\n2,,1,2,x,4,5,6\n", CsvValues::StrictNumbers);
    ASSERT_FALSE(rows);
    EXPECT_NE(rows.error().find("line 3"), std::string::npos);
    EXPECT_NE(rows.error().find("第3数字"), std::string::npos);
}

TEST(DrawCsv, AsWrittenKeepsLeadingZeroTextAndSortsLikeTheQuery)
{
    const auto rows = parseDrawCsv(kHeader + "3,,05,2,3,4,5,6\n,,1,2,3,4,5,6\n1,,1,2,3,4,5,6\n",
                                   CsvValues::AsWritten);
    ASSERT_TRUE(rows);
    EXPECT_EQ(std::get<std::string>((*rows)[0].numbers[0]), "05");
    const auto sorted = sortedByDrawNo(rows.value());
    EXPECT_TRUE(isEmptyField(sorted[0].drawNo));
    EXPECT_EQ(fieldNumber(sorted[1].drawNo), 1);
    EXPECT_EQ(fieldNumber(sorted[2].drawNo), 3);
}

TEST(DrawCsv, WritesWhatItReads)
{
    const std::string text = kHeader + "1,2000-01-04,4,9,15,22,30,11\n2,,,,,,,\n";
    const auto rows = parseDrawCsv(text, CsvValues::StrictNumbers);
    ASSERT_TRUE(rows);
    EXPECT_EQ(drawCsv(rows.value()), text);
}
