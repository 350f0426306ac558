#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>

#include "cli/cli.h"
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

// Three made-up draws and one row that is not a complete draw.
std::string writeHistory(const TempDir& dir)
{
    const std::string path = dir.file("draws.csv");
    writeFile(path, "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n"
                    "1,,1,2,3,4,5,6\n"
                    "2,,1,2,20,21,31,7\n"
                    "3,,,,,,,\n"
                    "4,,10,12,14,16,18,1\n");
    return path;
}

std::int64_t total(const nlohmann::json& counts)
{
    std::int64_t sum = 0;
    for (const auto& [key, value] : counts.items())
        sum += value.get<std::int64_t>();
    return sum;
}

}  // namespace

TEST(StatsCommand, JsonHasEveryMeasureUnderStableKeys)
{
    TempDir dir;
    const CliRun run = cli({"stats", "--csv", writeHistory(dir)});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["draws"], 3);
    ASSERT_EQ(json["frequency"].size(), 31u);
    EXPECT_EQ(json["frequency"][0]["number"], 1);
    EXPECT_EQ(json["frequency"][0]["observed"], 2);
    EXPECT_DOUBLE_EQ(json["frequency"][0]["expected"].get<double>(), 15.0 / 31);
    EXPECT_EQ(json["frequency"][0]["high"], 2);
    EXPECT_EQ(json["frequency_with_bonus"][0]["observed"], 3);
    EXPECT_EQ(json["chi_square"]["df"], 30);
    EXPECT_GT(json["chi_square"]["p_value"].get<double>(), 0.0);
    EXPECT_EQ(json["gaps"]["observed"]["1"], 2);  // 1 and 2 in draws 1 and 2
    EXPECT_EQ(json["gaps"]["current"].size(), 31u);
    EXPECT_EQ(json["gaps"]["current"][0]["gap"], 1);
    for (const char* key : {"sum", "odd_even", "low_high", "consecutive", "last_digit"}) {
        EXPECT_EQ(total(json[key]["exact"]), 169911) << key;
        EXPECT_EQ(total(json[key]["observed"]), 3) << key;
    }
    EXPECT_EQ(json["sum"]["observed"]["15"], 1);
    EXPECT_EQ(json["odd_even"]["test"]["df"], 0);     // three draws: too few to test
    EXPECT_EQ(json["odd_even"]["exact"]["0"], 3003);  // C(15, 5): five even numbers
    EXPECT_EQ(json["consecutive"]["observed"]["4"], 1);
    ASSERT_EQ(json["pairs"]["most"].size(), 10u);
    EXPECT_EQ(json["pairs"]["most"][0]["pair"], nlohmann::json({1, 2}));
    EXPECT_EQ(json["pairs"]["most"][0]["observed"], 2);
    EXPECT_EQ(json["pairs"]["least"].size(), 10u);
    EXPECT_DOUBLE_EQ(json["pairs"]["expected"].get<double>(), 3 * 2.0 / 93);
}

TEST(StatsCommand, LastNCsvTextAndBadInput)
{
    TempDir dir;
    const std::string path = writeHistory(dir);
    CliRun run = cli({"stats", "--csv", path, "--last", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["draws"], 1);
    run = cli({"stats", "--csv", path, "--last", "100"});
    EXPECT_EQ(nlohmann::json::parse(run.out)["draws"], 3);

    run = cli({"stats", "--csv", path, "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "measure,key,observed,expected,low,high,combinations,probability");
    EXPECT_NE(run.out.find("\ndraws,,3,"), std::string::npos);
    EXPECT_NE(run.out.find("\nodd_even,0,1,"), std::string::npos);  // 10, 12, 14, 16, 18
    EXPECT_NE(run.out.find("\npairs_most,1-2,2,"), std::string::npos);

    run = cli({"stats", "--csv", path, "--format", "text"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("■出現頻度"), std::string::npos);
    EXPECT_NE(run.out.find("■ペア"), std::string::npos);

    EXPECT_EQ(cli({"stats", "--csv", dir.file("missing.csv")}).status, 1);
    EXPECT_EQ(cli({"stats", "--csv", path, "--last", "-1"}).status, 2);
    EXPECT_EQ(cli({"stats", "--csv", path, "--format", "xml"}).status, 2);

    TempDir empty;
    writeFile(empty.file("empty.csv"),
              "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n");
    run = cli({"stats", "--csv", empty.file("empty.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["draws"], 0);
    EXPECT_EQ(json["chi_square"]["p_value"], 1.0);
}
