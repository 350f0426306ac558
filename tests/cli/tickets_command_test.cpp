#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "core/tickets/ticket_store.h"
#include "test_support.h"

namespace {
struct CliRun {
    int status;
    std::string out, err;
};
CliRun cli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}
}  // namespace

TEST(TicketsCommand, AddedTicketsAreCheckedAgainstTheirDrawsWithTotals)
{
    TempDir dir;
    const std::string file = dir.file("tickets.sqlite"), csv = dir.file("draws.csv");
    writeFile(csv, "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n"
                   "7,,4,9,15,22,28,30\n");
    ASSERT_EQ(cli({"tickets", "add", "--tickets", file, "--draw", "7", "--numbers", "30,22,15,9,4",
                   "--count", "2"})
                  .status,
              0);
    ASSERT_EQ(
        cli({"tickets", "add", "--tickets", file, "--draw", "8", "--numbers", "1,2,3,4,5"}).status,
        0);

    const CliRun check = cli({"tickets", "check", "--tickets", file, "--csv", csv});
    ASSERT_EQ(check.status, 0) << check.err;
    const auto json = nlohmann::json::parse(check.out);
    ASSERT_EQ(json["tickets"].size(), 2u);
    const auto& first = json["tickets"][0];
    EXPECT_EQ(first["numbers"], nlohmann::json({4, 9, 15, 22, 30}));
    EXPECT_EQ(first["matched"], nlohmann::json({4, 9, 15, 22}));
    EXPECT_EQ(first["bonus"], true);
    EXPECT_EQ(first["tier"], "2等");
    EXPECT_TRUE(json["tickets"][1]["tier"].is_null());
    EXPECT_EQ(json["totals"]["tickets"], 3);
    EXPECT_EQ(json["totals"]["cost"], 600);
    EXPECT_EQ(json["totals"]["by_tier"]["2等"], 2);
    EXPECT_EQ(json["totals"]["unchecked"], 1);

    const CliRun onlyEight =
        cli({"tickets", "check", "--tickets", file, "--csv", csv, "--draw", "8"});
    EXPECT_EQ(nlohmann::json::parse(onlyEight.out)["tickets"].size(), 1u);

    const CliRun removed = cli({"tickets", "remove", "--tickets", file, "2"});
    EXPECT_EQ(removed.status, 0) << removed.err;
    EXPECT_EQ(cli({"tickets", "remove", "--tickets", file, "2"}).status, 1);
    const CliRun list = cli({"tickets", "list", "--tickets", file, "--format", "csv"});
    EXPECT_EQ(list.out, "id,draw,n1,n2,n3,n4,n5,count,source\n1,7,4,9,15,22,30,2,コマンドライン\n");
}

TEST(TicketsCommand, BadInputIsRefusedWithAMessageAndNothingStored)
{
    TempDir dir;
    const std::string file = dir.file("tickets.sqlite");
    const std::vector<std::vector<std::string>> bad = {
        {"--draw", "0", "--numbers", "1,2,3,4,5"},  {"--draw", "32768", "--numbers", "1,2,3,4,5"},
        {"--draw", "1", "--numbers", "1,2,3,4"},    {"--draw", "1", "--numbers", "1,2,3,4,5,6"},
        {"--draw", "1", "--numbers", "1,2,3,4,32"}, {"--draw", "1", "--numbers", "1,2,3,3,5"},
        {"--draw", "1", "--numbers", "1,2,x,4,5"},
    };
    for (const auto& arguments : bad) {
        std::vector<std::string> args = {"tickets", "add", "--tickets", file};
        args.insert(args.end(), arguments.begin(), arguments.end());
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, 1) << arguments[1] << " " << arguments[3];
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_EQ(cli({"tickets", "list", "--tickets", file}).out, "0 lines\n");

    writeFile(dir.file("damaged.sqlite"), std::string(2048, '\x7f'));
    const CliRun damaged = cli({"tickets", "list", "--tickets", dir.file("damaged.sqlite")});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("damaged.sqlite"), std::string::npos);
}

TEST(CombosCommand, PrintsTheFilteredCombinationsWithWhatEachFilterRemoved)
{
    const CliRun run =
        cli({"combos", "--numbers", "1,2,3,4,5,6,7", "--sum", "15-17", "--odd-even", "CD"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    // Sum keeps 1..7 without (4,7), (5,6), (5,7), (6,7); all have two or three odd numbers.
    EXPECT_EQ(json["count"], 4);
    EXPECT_EQ(json["cost"], 800);
    EXPECT_TRUE(json["guarantee"].is_null());
    EXPECT_EQ(json["removed_by"]["sum"], 17);
    EXPECT_EQ(json["removed_by"]["odd_even"], 0);
    EXPECT_EQ(json["tickets"][0], nlohmann::json({1, 2, 3, 4, 5}));
    EXPECT_EQ(json["tickets"][3], nlohmann::json({1, 2, 3, 5, 6}));

    const CliRun reduced = cli({"combos", "--numbers", "1,2,3,4,5,6,7,8,9", "--reduce", "3"});
    ASSERT_EQ(reduced.status, 0) << reduced.err;
    const auto reducedJson = nlohmann::json::parse(reduced.out);
    EXPECT_FALSE(reducedJson["guarantee"].is_null());
    EXPECT_LT(reducedJson["count"], 126);

    // --reduce 3 is --guarantee 3/3; the reduction block says what the set gives.
    const CliRun guaranteed =
        cli({"combos", "--numbers", "1,2,3,4,5,6,7,8,9", "--guarantee", "3/3"});
    ASSERT_EQ(guaranteed.status, 0) << guaranteed.err;
    const auto guaranteedJson = nlohmann::json::parse(guaranteed.out);
    EXPECT_EQ(guaranteedJson["tickets"], reducedJson["tickets"]);
    EXPECT_EQ(guaranteedJson["reduction"]["full_count"], 126);
    EXPECT_EQ(guaranteedJson["reduction"]["checked_sets"], 84);
    EXPECT_EQ(guaranteedJson["reduction"]["draws"], 169911);
    EXPECT_EQ(guaranteedJson["reduction"]["source"], "stored");

    // Every bad request is a usage error.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"combos", "--numbers", "1,2,3"},
          {"combos", "--numbers", "1,2,3,4,5,6", "--reduce", "4"},
          {"combos", "--numbers", "1,2,3,4,5,6", "--sum", "60"},
          {"combos", "--numbers", "1,2,3,4,5,6", "--fixed", "1,2,3,4,5,6"},
          {"combos", "--numbers", "1,2,3,4,5,6", "--guarantee", "4/3"},
          {"combos", "--numbers", "1,2,3,4,5,6", "--guarantee", "0/2"},
          {"combos", "--numbers", "1,2,3,4,5,6", "--guarantee", "3/6"},
          {"combos", "--numbers", "1,2,3,4,5,6", "--guarantee", "3/3", "--fixed", "1,2,3"},
          {"combos", "--numbers", "1,2,3,4", "--guarantee", "2/2"},
          {"combos", "--numbers", "1,2,3,4,5,6", "--reduce", "3", "--guarantee", "2/2"}})
        EXPECT_EQ(cli(args).status, 2) << args.back();
}

TEST(TicketsCommand, AReadOnlyTicketFileIsRefusedInOneLineAndStaysAsItWas)
{
    TempDir dir;
    const std::string file = dir.file("tickets.sqlite");
    const std::vector<std::string> add = {"tickets", "add", "--tickets", file,
                                          "--draw",  "8",   "--numbers", "1,2,3,4,5"};
    ASSERT_EQ(cli(add).status, 0);
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    const std::string before = readFile(file);
    // By the file's mode, so also where the system would let this process write (root).
    for (const std::vector<std::string>& args :
         {add, std::vector<std::string>{"tickets", "remove", "--tickets", file, "1"}}) {
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("読み取り専用"), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_EQ(readFile(file), before);
}

TEST(TicketsCommand, PrizesGoInWithImportComeBackWithExportAndPriceTheCheck)
{
    TempDir dir;
    const std::string db = dir.file("Pomuran.mdb"), file = dir.file("tickets.sqlite");
    const std::string exported =
        "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字,1等口数,1等賞金,2等口数,"
        "2等賞金,3等口数,3等賞金,4等口数,4等賞金,キャリーオーバー\n"
        "7,2025-09-02,4,9,15,22,28,30,0,0,2,600000,40,12000,1500,1000,30000000\n"
        "8,2025-09-09,1,2,3,4,5,6,,,,,,,,,\n";
    // A site's file: other headings, yen signs, full-width digits, 該当なし.
    writeFile(dir.file("site.csv"),
              "回号,抽せん日,本数字1,本数字2,本数字3,本数字4,本数字5,ボーナス数字,1等当せん口数,"
              "1等当せん金額,2等当せん口数,2等当せん金額,3等当せん口数,3等当せん金額,"
              "4等当せん口数,4等当せん金額,キャリーオーバー\n"
              "第7回,2025/09/02,4,9,15,22,28,30,該当なし,該当なし,２口,\"600,000円\",40口,"
              "\"12,000円\",\"1,500口\",\"1,000円\",\"30,000,000円\"\n"
              "第8回,2025/09/09,1,2,3,4,5,6,,,,,,,,,\n");
    CliRun run = cli({"import", dir.file("site.csv"), "--db", db});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "2 added, 0 replaced, 0 unchanged, 0 rejected, prizes for 1 draws (9 "
                       "amounts new or changed)\n");
    run = cli({"export", "--prizes", "--db", db});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, exported);
    // The export reads back as it was written, into a fresh database.
    writeFile(dir.file("exported.csv"), run.out);
    ASSERT_EQ(cli({"import", dir.file("exported.csv"), "--db", dir.file("copy.mdb")}).status, 0);
    EXPECT_EQ(cli({"export", "--prizes", "--db", dir.file("copy.mdb")}).out, exported);
    EXPECT_EQ(cli({"export", "--db", db}).out.find("1等"), std::string::npos);

    for (const char* numbers : {"4,9,15,22,30", "4,9,15,1,2", "4,9,15,22,28"})
        ASSERT_EQ(
            cli({"tickets", "add", "--tickets", file, "--draw", "7", "--numbers", numbers}).status,
            0);
    auto store = TicketStore::open(file);
    ASSERT_TRUE(store) << store.error();
    ASSERT_TRUE(store->setPrizeAmount(7, PrizeTier::Fourth, 1100));
    run = cli({"tickets", "check", "--tickets", file, "--db", db});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    const std::pair<nlohmann::json, nlohmann::json> expected[] = {
        {600000, "imported"}, {1100, "typed"}, {0, "imported"}};  // 2等, 4等, 1等 (該当なし)
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(json["tickets"][i]["prize"], expected[i].first) << i;
        EXPECT_EQ(json["tickets"][i]["prize_source"], expected[i].second) << i;
    }
    EXPECT_EQ(json["totals"]["winnings"], 601100);
    EXPECT_EQ(json["totals"]["unpriced"], 0);
}
