#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli.h"
#include "core/base/cp932.h"
#include "core/prediction/prediction_options.h"
#include "test_support.h"

namespace {

struct CliResult {
    int status;
    std::string out, err;
};

CliResult cli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

// Runs in the folder for the object's life; the settings file is read from the current folder.
class InFolder {
public:
    explicit InFolder(const std::filesystem::path& folder)
        : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~InFolder() { std::filesystem::current_path(m_previous); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    std::filesystem::path m_previous;
};

std::size_t occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Twelve draws; draw 1 and draw 8 share 1 to 6 (7-draw returns), the others hold 7 to 12.
std::string historyCsv()
{
    std::string csv = "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n";
    for (int d = 1; d <= 12; ++d)
        csv += std::to_string(d) + (d == 1 || d == 8 ? ",,1,2,3,4,5,6\n" : ",,7,8,9,10,11,12\n");
    return csv;
}

}  // namespace

TEST(ShowPrediction, ListsThePredictionWindowFirst)
{
    const CliResult run = cli({"list"});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "一発ボボーン");
}

TEST(ShowPrediction, PrintsTheFourGridsAsOneJsonObject)
{
    TempDir dir;
    writeFile(dir.file("draws.csv"), historyCsv());
    const CliResult run =
        cli({"show", "一発ボボーン", "--csv", dir.file("draws.csv"), "--enabled-options", "0"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind(
                  "{\"window\": \"一発ボボーン\", \"grids\": [{\"columns\": 6, \"rows\": 5,", 0),
              0u)
        << run.out.substr(0, 80);
    EXPECT_EQ(run.out.substr(run.out.size() - 3), "]}\n");
    EXPECT_EQ(occurrences(run.out, "\"columns\": 6"), 4u);
    EXPECT_NE(run.out.find("\"rows\": 4,"), std::string::npos);
    EXPECT_NE(run.out.find("\"rows\": 3,"), std::string::npos);
    EXPECT_NE(run.out.find("\"rows\": 2,"), std::string::npos);
    // Method 0, position 1 of the cycle grid holds 1 (draw 8's return).
    EXPECT_NE(run.out.find("{\"row\": 2, \"col\": 2, \"text\": \"1\""), std::string::npos);
}

TEST(ShowPrediction, CsvAndTextPrintTheGridsOneAfterAnother)
{
    TempDir dir;
    writeFile(dir.file("draws.csv"), historyCsv());
    const CliResult run = cli({"show", "一発ボボーン", "--csv", dir.file("draws.csv"),
                               "--enabled-options", "0", "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    // 5 + 4 + 3 + 2 grid rows and three blank lines between them.
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 17);
    EXPECT_EQ(occurrences(run.out, "\n\n"), 3u);
    EXPECT_NE(run.out.find(" 7回周期法,1,2,3,4,5\n"), std::string::npos);

    const CliResult text = cli({"show", "一発ボボーン", "--csv", dir.file("draws.csv"), "--format",
                                "text", "--enabled-options", "0"});
    ASSERT_EQ(text.status, 0);
    EXPECT_EQ(occurrences(text.out, "\n\n"), 3u);
    EXPECT_NE(text.out.find("消去法"), std::string::npos);
}

TEST(ShowPrediction, WithoutACountTheSettingsFileInTheCurrentFolderDecides)
{
    TempDir dir;
    writeFile(dir.file("draws.csv"), historyCsv());
    const std::string csv = dir.file("draws.csv");
    const auto show = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"show", "一発ボボーン", "--csv", csv};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliResult run = cli(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    };
    const std::string none = show({"--enabled-options", "0"});
    const std::string two = show({"--enabled-options", "2"});
    ASSERT_NE(none, two);

    InFolder inside(dir.path());
    EXPECT_EQ(show({}), none);  // no settings file: every option off
    PredictionOptions options;
    options.set(3, true);
    options.set(11, true);
    ASSERT_TRUE(WriteInitFile(options, dir.file(kSettingsFileName)));
    EXPECT_EQ(show({}), two);
    EXPECT_EQ(show({"--enabled-options", "0"}), none);
    EXPECT_EQ(cli({"show", "一発ボボーン", "--csv", csv, "--enabled-options", "13"}).status, 2);
}
