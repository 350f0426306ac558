// Every window's grid on a few small made-up histories, compared with the JSON files beside
// this test: a change to any analysis, the prediction or the grid shows up here as a diff.
// POMURAN_UPDATE_GOLDEN=1 rewrites the files from the code as it is (review the diff!).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli/show_window.h"
#include "core/prediction/prediction_grids.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = POMURAN_GOLDEN_DIR;

struct GoldenCase {
    std::string window;
    std::vector<std::string> extra;  // further options of show
    std::string file;                // the golden file's name
};

// Each window once; the prediction also with options on, since their count changes the
// suggestions.
std::vector<GoldenCase> goldenCases()
{
    std::vector<GoldenCase> cases;
    for (const std::string& window : shownWindowNames()) {
        if (window == kPredictionWindowName) {
            cases.push_back({window, {"--enabled-options", "0"}, window + ".json"});
            cases.push_back({window, {"--enabled-options", "7"}, window + "_7.json"});
        } else {
            cases.push_back({window, {}, window + ".json"});
        }
    }
    return cases;
}

class GoldenShow : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenShow, EveryWindowShowsWhatItsGoldenFileHolds)
{
    const std::string history = GetParam();
    const fs::path csv = kGoldenDir / "histories" / (history + ".csv");
    const fs::path folder = kGoldenDir / history;
    const bool update = std::getenv("POMURAN_UPDATE_GOLDEN") != nullptr;
    if (update) fs::create_directories(folder);
    const auto cases = goldenCases();
    ASSERT_EQ(cases.size(), 19u);  // 17 analyses, the prediction twice
    for (const GoldenCase& golden : cases) {
        SCOPED_TRACE(history + "/" + golden.file);
        std::vector<std::string> args{"show",       golden.window, "--csv",
                                      csv.string(), "--format",    "json"};
        args.insert(args.end(), golden.extra.begin(), golden.extra.end());
        std::ostringstream out, err;
        ASSERT_EQ(runCli(args, out, err), 0) << err.str();
        const fs::path file = folder / golden.file;
        if (update) {
            writeFile(file.string(), out.str());
            continue;
        }
        ASSERT_TRUE(fs::exists(file)) << file << " is missing (POMURAN_UPDATE_GOLDEN=1 makes it)";
        EXPECT_EQ(out.str(), readFile(file.string()));
    }
}

INSTANTIATE_TEST_SUITE_P(Histories, GoldenShow,
                         ::testing::Values("weekly30", "gaps", "quirks", "empty"));

}  // namespace
