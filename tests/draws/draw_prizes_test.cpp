// Prizes read with the draws: the amount parser, the reader's prize columns, and the import that
// stores them beside the draws.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_prizes.h"
#include "core/draws/import_draws.h"
#include "test_support.h"

namespace {

const std::string kSiteHeading =
    "回号,抽せん日,本数字1,本数字2,本数字3,本数字4,本数字5,ボーナス数字,"
    "1等当せん口数,1等当せん金額,2等口数,2等賞金,3等口数,3等賞金,"
    "4等口数,４等賞金（円）,キャリーオーバー\n";

DrawPrizes prizesOf(int drawNo, std::array<std::optional<long long>, kPrizeFieldCount> fields)
{
    DrawPrizes prizes;
    prizes.drawNo = drawNo;
    for (int p = 0; p < kPrizeFieldCount; ++p)
        prizeField(prizes, p) = fields[static_cast<std::size_t>(p)];
    return prizes;
}

std::vector<DrawPrizes> storedPrizes(const std::string& path)
{
    auto database = DrawDatabase::open(connectStringForFile(path));
    EXPECT_TRUE(database) << database.error();
    if (!database) return {};
    auto prizes = database->readPrizes();
    EXPECT_TRUE(prizes) << prizes.error();
    return prizes ? prizes.value() : std::vector<DrawPrizes>{};
}

}  // namespace

TEST(PrizeText, AmountsAsSitesWriteThemNoWinnerAndWhatIsNoAmount)
{
    using Kind = PrizeTextKind;
    struct Case {
        const char* text;
        Kind kind;
        long long value;
    };
    const Case cases[] = {
        {"10,000,000円", Kind::Value, 10'000'000},
        {"10000000", Kind::Value, 10'000'000},
        {"１０，０００，０００円", Kind::Value, 10'000'000},
        {"￥1,200", Kind::Value, 1200},
        {" 0 ", Kind::Value, 0},
        {"1,000,000,000円", Kind::Value, kMaxPrizeYen},
        {"", Kind::Empty, 0},
        {"　", Kind::Empty, 0},
        {"該当なし", Kind::NoWinner, 0},
        {"-", Kind::NoWinner, 0},
        {"－", Kind::NoWinner, 0},
        {"未定", Kind::NotAnAmount, 0},
        {"1.5", Kind::NotAnAmount, 0},
        {"12a", Kind::NotAnAmount, 0},
        {"1,500口", Kind::Value, 1500},
        {"２口", Kind::Value, 2},
        {"-100", Kind::OutOfRange, -100},
        {"－１００円", Kind::OutOfRange, -100},
        {"1,000,000,001", Kind::OutOfRange, 1'000'000'001},
        {"99999999999999999999999", Kind::OutOfRange, 0},
    };
    for (const Case& c : cases) {
        const PrizeText read = parsePrizeText(c.text);
        EXPECT_EQ(read.kind, c.kind) << c.text;
        EXPECT_EQ(read.value, c.value) << c.text;
    }
    // Typed by the player: the same forms, and a message naming the field otherwise.
    EXPECT_EQ(typedPrizeAmount("該当なし", "1等の当選金額").value(), 0);
    EXPECT_FALSE(typedPrizeAmount("", "1等の当選金額").value());
    const auto bad = typedPrizeAmount("-5", "2等の当選金額");
    ASSERT_FALSE(bad);
    EXPECT_NE(bad.error().find("2等の当選金額「-5」"), std::string::npos) << bad.error();
}

TEST(PrizeText, HeadingsAreRecognisedByMeaning)
{
    const std::pair<const char*, int> cases[] = {
        {"1等口数", 0},
        {"1等当せん口数", 0},
        {"１等当選口数", 0},
        {"1等賞金", 1},
        {"1等当せん金額", 1},
        {"4等賞金（円）", 7},
        {"3等口数(口)", 4},
        {"キャリーオーバー", 8},
        {"キャリーオーバー（円）", 8},
        {"5等賞金", -1},
        {"1等", -1},
        {"販売実績額", -1},
        {"0等口数", -1},
        {"1等賞品", -1},
    };
    for (const auto& [heading, field] : cases)
        EXPECT_EQ(prizeFieldOfHeading(heading), field) << heading;
}

TEST(DrawCsvPrizes, ASiteShapedFileBringsItsPrizesAndABadAmountCostsOnlyItselfOrItsLine)
{
    const std::string file =
        kSiteHeading +
        "1,2025/09/02,1,2,3,4,5,6,1,\"10,000,000円\",3,\"123,400円\",90,\"8,000円\",2000,1000,0\n"
        "2,2025/09/"
        "09,1,2,3,4,5,7,該当なし,-,２,\"１２０，０００円\",-,-,1500,1100,\"5,000,000円\"\n"
        "3,2025/09/16,1,2,3,4,5,8,1,未定,,,,,,,\n"
        "4,2025/09/23,1,2,3,4,5,9,未定,,,,,-5,,,\n"
        "5,2025/09/30,1,2,3,4,5,10,,,,,,,,\"1,000,000,001\",\n"
        "6,2025/10/07,1,2,3,4,5,11,,,,,,,,,\n";
    const auto read = readDrawCsv(file, CsvValues::StrictNumbers);
    ASSERT_TRUE(read) << read.error();
    EXPECT_EQ(read->prizeColumns, kPrizeFieldCount);

    std::vector<int> drawNos;
    for (const DrawRow& row : read->rows)
        drawNos.push_back(static_cast<int>(fieldNumber(row.drawNo).value_or(0)));
    EXPECT_EQ(drawNos, (std::vector<int>{1, 2, 3, 6})) << "a prize never costs a draw but 4, 5";

    ASSERT_EQ(read->rejected.size(), 2u);
    EXPECT_EQ(read->rejected[0].line, 5);
    EXPECT_NE(read->rejected[0].reason.find("14列目 3等賞金 '-5'"), std::string::npos)
        << read->rejected[0].reason;
    EXPECT_EQ(read->rejected[1].line, 6);
    EXPECT_NE(read->rejected[1].reason.find("16列目 4等賞金"), std::string::npos)
        << read->rejected[1].reason;

    // Line 5's 未定 is no warning: its draw was not taken at all.
    ASSERT_EQ(read->prizeWarnings.size(), 1u);
    EXPECT_EQ(read->prizeWarnings[0].line, 4);
    EXPECT_NE(read->prizeWarnings[0].reason.find("10列目 1等賞金 '未定' は金額ではありません"),
              std::string::npos)
        << read->prizeWarnings[0].reason;

    // Draw 6 has no prize data at all, so it brings no entry.
    const std::vector<DrawPrizes> expected = {
        prizesOf(1, {1, 10'000'000, 3, 123'400, 90, 8000, 2000, 1000, 0}),
        prizesOf(2, {0, 0, 2, 120'000, 0, 0, 1500, 1100, 5'000'000}),
        prizesOf(3, {1, {}, {}, {}, {}, {}, {}, {}, {}}),
    };
    EXPECT_EQ(read->prizes, expected);
    // 該当なし in either column of a tier is 0 yen paid; an amount not given is not known.
    EXPECT_EQ(expected[1].paidYen(0), 0);
    EXPECT_EQ(expected[1].paidYen(2), 0);
    EXPECT_FALSE(expected[2].paidYen(0));

    // Read as written (a snapshot straight from a file), bad amounts are left out, not refused.
    const auto asWritten = readDrawCsv(file, CsvValues::AsWritten);
    ASSERT_TRUE(asWritten) << asWritten.error();
    EXPECT_EQ(asWritten->rows.size(), 6u);
    EXPECT_TRUE(asWritten->rejected.empty());
    EXPECT_EQ(asWritten->prizes.size(), 3u);
}

TEST(ImportDrawsPrizes, AMergeKeepsAmountsTheFileLacksAndAReplacementThoseOfDrawsItKeeps)
{
    const std::vector<DrawRow> draws = {drawRow(1, {1, 2, 3, 4, 5, 6}),
                                        drawRow(2, {2, 3, 4, 5, 6, 7})};
    const std::vector<DrawPrizes> stored = {
        prizesOf(1, {1, 9'000'000, 2, 100'000, 50, 9000, 1000, 1000, 0}),
        prizesOf(2, {2, 4'000'000, {}, {}, {}, {}, {}, {}, {}}),
    };
    // Draw 2: 1等賞金 differs, 2等賞金 is new, 1等口数 is not in the file; draw 3 is new.
    const std::string file = kSiteHeading + "2,,2,3,4,5,6,7,,4500000,,130000,,,,,\n" +
                             "3,,3,4,5,6,7,8,該当なし,,,,,,,,\"7,000,000\"\n";
    struct Case {
        MergeMode mode;
        const char* line;
        std::vector<DrawPrizes> after;
    };
    const std::vector<Case> cases = {
        {MergeMode::AddAndReplace,
         "1 added, 0 replaced, 1 unchanged, 0 rejected, prizes for 2 draws (4 amounts new or "
         "changed)",
         {stored[0], prizesOf(2, {2, 4'500'000, {}, 130'000, {}, {}, {}, {}, {}}),
          prizesOf(3, {0, {}, {}, {}, {}, {}, {}, {}, 7'000'000})}},
        {MergeMode::ReplaceAll,
         "1 added, 0 replaced, 1 unchanged, 1 removed, 0 rejected, prizes for 2 draws (4 "
         "amounts new or changed)",
         {prizesOf(2, {2, 4'500'000, {}, 130'000, {}, {}, {}, {}, {}}),
          prizesOf(3, {0, {}, {}, {}, {}, {}, {}, {}, 7'000'000})}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TempDir dir;
        const std::string path = dir.file("Pomuran.mdb");
        {
            auto database = DrawDatabase::create(path);
            ASSERT_TRUE(database) << database.error();
            ASSERT_TRUE(database->replaceAllDraws(draws, stored));
        }
        auto read = readDrawCsv(file, CsvValues::StrictNumbers);
        ASSERT_TRUE(read) << read.error();
        auto prepared = DrawImport::prepare(connectStringForFile(path), std::move(read.value()));
        ASSERT_TRUE(prepared) << prepared.error();
        // The preview names the stored amount the file gives otherwise.
        const PrizeMerge& plan = prepared->plan().prizes;
        EXPECT_EQ(plan.drawsWithPrizes, 2);
        ASSERT_EQ(plan.differing.size(), 1u);
        EXPECT_EQ(plan.differing[0].drawNo, 2);
        EXPECT_EQ(prizeFieldName(plan.differing[0].field), "1等賞金");
        EXPECT_EQ(plan.differing[0].stored, 4'000'000);
        EXPECT_EQ(plan.differing[0].incoming, 4'500'000);
        auto outcome = prepared->apply(c.mode);
        ASSERT_TRUE(outcome) << outcome.error();
        EXPECT_EQ(summaryLine(outcome->summary), c.line);
        EXPECT_EQ(storedPrizes(path), c.after);
    }
}

TEST(ImportDrawsPrizes, DrawsAndPrizesAreOneWriteAndARejectedFileChangesNoByte)
{
    TempDir dir;
    const std::string path = dir.file("Pomuran.mdb");
    {
        auto database = DrawDatabase::create(path);
        ASSERT_TRUE(database) << database.error();
        const std::vector<DrawPrizes> prizes = {prizesOf(1, {1, 1000, {}, {}, {}, {}, {}, {}, {}})};
        ASSERT_TRUE(database->replaceAllDraws({drawRow(1, {1, 2, 3, 4, 5, 6})}, prizes));
        // The prize table refuses draw 3, after the draws have been written in the same
        // transaction.
        ASSERT_TRUE(database->execute("CREATE TRIGGER refuse BEFORE INSERT ON 当せん金マスタ "
                                      "WHEN NEW.回数 = 3 BEGIN SELECT RAISE(ABORT, 'refused'); "
                                      "END;"));
    }
    const std::string before = readFile(path);
    const std::string file =
        kSiteHeading + "2,,2,3,4,5,6,7,1,2000,,,,,,,\n" + "3,,3,4,5,6,7,8,1,3000,,,,,,,\n";
    for (MergeMode mode : {MergeMode::AddAndReplace, MergeMode::ReplaceAll}) {
        auto read = readDrawCsv(file, CsvValues::StrictNumbers);
        ASSERT_TRUE(read) << read.error();
        auto outcome = importDraws(connectStringForFile(path), std::move(read.value()), mode);
        ASSERT_FALSE(outcome);
        EXPECT_NE(outcome.error().find("refused"), std::string::npos) << outcome.error();
        EXPECT_EQ(readFile(path), before) << "draws written without their prizes";
    }

    // The command line refuses a file with a rejected line whole: not a byte changes.
    writeFile(dir.file("bad.csv"),
              kSiteHeading + "2,,2,3,4,5,6,7,1,2000,,,,,,,\n" + "4,,3,4,5,6,7,8,1,-3000,,,,,,,\n");
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"import", dir.file("bad.csv"), "--merge", "--db", path}, out, err), 1);
    EXPECT_NE(err.str().find("line 3"), std::string::npos) << err.str();
    EXPECT_EQ(readFile(path), before);
}
