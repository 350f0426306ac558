#include <gtest/gtest.h>

#include "core/base/cp932.h"
#include "core/draws/draw_csv.h"
#include "test_support.h"

namespace {
const std::string kHeader = "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n";
}

TEST(DrawCsv, StrictImportKeepsEmptyFieldsAsNullAndRowsWithOnlyTheDrawNumber)
{
    const auto rows = parseDrawCsv(kHeader + "1,2000-01-04,4,9,15,22,30,11\r\n2,,,,,,,\n3,,,,,,,\n",
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
    EXPECT_NE(rows.error().find("見出し"), std::string::npos);

    rows = parseDrawCsv("番号" + kHeader.substr(6), CsvValues::StrictNumbers);
    ASSERT_FALSE(rows);
    EXPECT_NE(rows.error().find("見出し"), std::string::npos);

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

namespace {
const std::string kDraw = "1,2000-01-04,4,9,15,22,30,11\n";
std::string cp932(const std::string& utf8)
{
    return *utf8ToCp932(utf8);
}
}  // namespace

TEST(DrawCsvReader, EachBrokenRuleRejectsItsLineWithTheReasonAndKeepsTheOthers)
{
    struct Case {
        const char* line;
        const char* reason;
    };
    const Case cases[] = {
        {"2,,0,9,15,22,30,11", "第1数字 0 は 1〜31 の範囲外"},
        {"2,,4,9,15,22,32,11", "第5数字 32 は 1〜31"},
        {"2,,4,9,15,22,30,-5", "ボーナス数字 -5 は"},
        {"2,,5,5,5,5,5,5", "本数字 5 が二度"},
        {"2,,4,9,15,22,30,9", "ボーナス数字 9 が本数字と同じ"},
        {"0,,4,9,15,22,30,11", "回数 0 は 1〜32767"},
        {"-5,,4,9,15,22,30,11", "回数 -5 は"},
        {"32768,,4,9,15,22,30,11", "回数 32768 は"},
        {",,4,9,15,22,30,11", "回数が空"},
        {"2,,4,9,x,22,30,11", "第3数字 'x' は数字ではありません"},
        {"2,,4,9,15,22,30", "項目の数が見出しと違います（7 個、見出しは 8 個）"},
        {"2,,4,9,15,22,30,11,1", "項目の数"},
        {"2", "項目の数"},
        {"2,2000-13-01,4,9,15,22,30,11", "日付 '2000-13-01' が読めません"},
        {"1,,4,9,15,22,30,12", "回数 1 が 2行目と違う数字で二度"},
        {"2,\"2000-01-04,4,9,15,22,30,11", "引用符"},
    };
    for (const Case& c : cases) {
        const auto read =
            readDrawCsv(kHeader + kDraw + c.line + "\n3,,1,2,3,4,5,6\n", CsvValues::StrictNumbers);
        ASSERT_TRUE(read) << c.line << ": " << read.error();
        ASSERT_EQ(read->rejected.size(), 1u) << c.line;
        EXPECT_EQ(read->rejected[0].line, 3) << c.line;
        EXPECT_NE(read->rejected[0].reason.find(c.reason), std::string::npos)
            << c.line << " -> " << read->rejected[0].reason;
        // The lines around the bad one are still read.
        ASSERT_EQ(read->rows.size(), 2u) << c.line;
        EXPECT_EQ(fieldNumber(read->rows[1].drawNo), 3) << c.line;
    }
}

TEST(DrawCsvReader, AResultsFileInShiftJisWithOtherHeadingsFullWidthDigitsAndExtraColumns)
{
    const std::string utf8 =
        "開催回,抽せん日,本数字1,本数字2,本数字3,本数字4,本数字5,ボーナス数字,1等口数,1等賞金\r\n"
        "第1353回,2025/09/23,\"１\",２, 3 ,　４　,5,6,1,\"12,345,600円\"\r\n"
        "\"第1354回\",2025年9月30日,7,8,9,10,11,,0,キャリーオーバー\r\n";
    for (const std::string& bytes : {cp932(utf8), utf8, "\xEF\xBB\xBF" + utf8}) {
        const auto read = readDrawCsv(bytes, CsvValues::StrictNumbers);
        ASSERT_TRUE(read) << read.error();
        EXPECT_TRUE(read->rejected.empty()) << read->rejected[0].reason;
        ASSERT_EQ(read->rows.size(), 2u);
        const DrawRow& first = read->rows[0];
        EXPECT_EQ(fieldNumber(first.drawNo), 1353);
        EXPECT_EQ(rawText(first.date), "2025-09-23");
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(fieldNumber(first.numbers[static_cast<std::size_t>(k)]), k + 1);
        EXPECT_EQ(rawText(read->rows[1].date), "2025-09-30");
        EXPECT_TRUE(isEmptyField(read->rows[1].numbers[5]));  // typed in part: kept incomplete
    }
    EXPECT_EQ(readDrawCsv(cp932(utf8), CsvValues::StrictNumbers)->encoding, CsvEncoding::Cp932);
    EXPECT_EQ(readDrawCsv(utf8, CsvValues::StrictNumbers)->encoding, CsvEncoding::Utf8);
    // Forcing the wrong encoding fails clearly instead of reading mojibake.
    EXPECT_FALSE(readDrawCsv(cp932(utf8), CsvValues::StrictNumbers, CsvEncoding::Utf8));
}

TEST(DrawCsvReader, TabsAndOtherNumberHeadingsAreRecognised)
{
    const auto read = readDrawCsv(
        "回号\t日付\t数字1\t数字2\t数字3\t数字4\t数字5\tB数字\n12\t\t1\t2\t3\t4\t5\t6\n",
        CsvValues::StrictNumbers);
    ASSERT_TRUE(read) << read.error();
    EXPECT_EQ(read->separator, '\t');
    ASSERT_EQ(read->rows.size(), 1u);
    EXPECT_EQ(fieldNumber(read->rows[0].numbers[5]), 6);
}

TEST(DrawCsvReader, FilesThatCannotBeUsedFailWithAClearMessage)
{
    const std::string garbage = [] {
        std::string bytes;
        unsigned state = 12345;
        for (int i = 0; i < 1 << 20; ++i) {
            state = state * 1103515245 + 12345;
            bytes += static_cast<char>(state >> 24);
        }
        return bytes;
    }();
    const struct {
        std::string bytes;
        const char* message;
    } cases[] = {
        {"", "空"},
        {"\n\n", "空"},
        {garbage, ""},
        {"just some words\nand more\n", "見出し"},
        {"回数,第1数字\n1,2\n", "見出し"},
        {"回数,回号,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n", "二つ"},
        {"\xFF\xFE\x41\x00", "UTF-16"},
    };
    for (const auto& c : cases) {
        const auto read = readDrawCsv(c.bytes, CsvValues::StrictNumbers);
        ASSERT_FALSE(read) << c.message;
        EXPECT_NE(read.error().find(c.message), std::string::npos) << read.error();
        EXPECT_LT(read.error().size(), 400u);
    }
    // A heading-only file is a valid, empty history.
    const auto empty = readDrawCsv(kHeader, CsvValues::StrictNumbers);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->rows.empty());
}

TEST(DrawCsvReader, MessagesQuoteAtMostFortyCharactersWithControlBytesEscaped)
{
    EXPECT_EQ(quotedForMessage("a\x01\nb"), "a\\x01\\nb");
    EXPECT_EQ(quotedForMessage(std::string(100, 'x')), std::string(40, 'x') + "…");
    EXPECT_EQ(quotedForMessage("あいう"), "あいう");
    const std::string hugeField(5'000'000, '7');
    const auto read =
        readDrawCsv(kHeader + "2,," + hugeField + ",2,3,4,5,6\n", CsvValues::StrictNumbers);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->rejected.size(), 1u);
    EXPECT_LT(read->rejected[0].reason.size(), 200u);
    const auto hugeDate =
        readDrawCsv(kHeader + "2," + hugeField + ",1,2,3,4,5,6\n", CsvValues::StrictNumbers);
    ASSERT_EQ(hugeDate->rejected.size(), 1u);
    EXPECT_LT(hugeDate->rejected[0].reason.size(), 300u);
}

TEST(DrawCsvReader, AnUnclosedQuoteCostsOneLineNotTheRestOfTheFile)
{
    const auto read =
        readDrawCsv(kHeader + "1,\"2000-01-04,4,9,15,22,30,11\n2,,1,2,3,4,5,6\n3,,1,2,3,4,5,7\n",
                    CsvValues::StrictNumbers);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->rejected.size(), 1u);
    EXPECT_EQ(read->rejected[0].line, 2);
    EXPECT_EQ(read->rows.size(), 2u);
    // A proper quoted field may still span lines.
    const auto spanning = readDrawCsv(kHeader + "1,\"2000-\n01-04\",4,9,15,22,30,11\n2,,,,,,,\n",
                                      CsvValues::AsWritten);
    ASSERT_TRUE(spanning);
    ASSERT_EQ(spanning->rows.size(), 2u);
    EXPECT_EQ(rawText(spanning->rows[0].date), "2000-\n01-04");
}
