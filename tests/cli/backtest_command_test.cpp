#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <random>
#include <sstream>

#include "cli/cli.h"
#include "core/backtest/hit_distribution.h"
#include "test_support.h"

namespace {

// A made-up history of `count` draws as CSV.
std::string madeUpCsv(int count)
{
    std::mt19937 random(5);
    std::string csv = "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n";
    for (int d = 1; d <= count; ++d) {
        std::array<int, 31> pool;
        for (int i = 0; i < 31; ++i)
            pool[i] = i + 1;
        std::shuffle(pool.begin(), pool.end(), random);
        csv += std::to_string(d) + ",";
        for (int k = 0; k < 6; ++k) {
            csv += ',';
            csv += std::to_string(pool[k]);
        }
        csv += '\n';
    }
    return csv;
}

int run(const std::vector<std::string>& args, std::string& out, std::string& err)
{
    std::ostringstream o, e;
    const int status = runCli(args, o, e);
    out = o.str();
    err = e.str();
    return status;
}

}  // namespace

TEST(BacktestCommand, JsonHoldsEverySetWithCountsThatAddUp)
{
    TempDir dir;
    const std::string csv = dir.file("draws.csv");
    writeFile(csv, madeUpCsv(120));
    std::string out, err;
    ASSERT_EQ(run({"backtest", "--csv", csv, "--from", "71", "--all-options"}, out, err), 0) << err;
    const auto json = nlohmann::json::parse(out);
    EXPECT_EQ(json["targets"], 50);
    EXPECT_EQ(json["from"], 71);
    ASSERT_EQ(json["sets"].size(), 13u * 7u);
    EXPECT_EQ(json["sets"][0]["name"], "7回周期法");
    EXPECT_EQ(json["sets"][6]["name"], "１発予想");
    EXPECT_EQ(json["sets"][90]["enabled_options"], 12);
    for (const auto& set : json["sets"]) {
        int targets = 0, hits = 0;
        for (int x = 0; x <= 5; ++x) {
            targets += set["hits"][x].get<int>();
            hits += x * set["hits"][x].get<int>();
        }
        EXPECT_EQ(targets, 50);
        EXPECT_EQ(set["observed_hits"], hits);
        // Expected hits are 5k/31 per target, so their mean set size gives them back.
        EXPECT_NEAR(set["expected_hits"].get<double>(),
                    50 * expectedHits(1) * set["mean_size"].get<double>(), 1e-6);
        const double p = set["p_value"];
        EXPECT_TRUE(p >= 0.0 && p <= 1.0);
        EXPECT_TRUE(set["tiers"].contains("4等"));
    }
    EXPECT_EQ(json["option_choice"].size(), 7u);

    ASSERT_EQ(
        run({"backtest", "--csv", csv, "--enabled-options", "4", "--format", "csv"}, out, err), 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1 + 7);
}

TEST(BacktestCommand, ConflictingOrMissingInputIsAClearError)
{
    TempDir dir;
    const std::string csv = dir.file("draws.csv");
    writeFile(csv, madeUpCsv(30));
    std::string out, err;
    EXPECT_EQ(run({"backtest", "--csv", csv, "--all-options", "--enabled-options", "1"}, out, err),
              2);
    // Fewer than 50 draws: no default first target.
    EXPECT_EQ(run({"backtest", "--csv", csv}, out, err), 1);
    EXPECT_NE(err.find("--from"), std::string::npos);
    EXPECT_EQ(run({"backtest", "--csv", dir.file("none.csv")}, out, err), 1);
}
