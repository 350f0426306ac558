#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "core/draws/draw_csv.h"
#include "test_support.h"

namespace {

struct ShellRun {
    int status = -1;
    std::string out;
};

ShellRun shell(const std::string& command)
{
    ShellRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        run.out.append(buffer, n);
    run.status = ::pclose(pipe);
    return run;
}

std::string cli()
{
    return "'" + std::string(POMURAN_BIN_DIR) + "/pomuran-cli'";
}

std::vector<std::string> nonEmptyLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.find_first_not_of(" \f") != std::string::npos) lines.push_back(line);
    return lines;
}

std::string withoutSpaces(std::string text)
{
    std::erase(text, ' ');
    return text;
}

}  // namespace

TEST(ShowFile, APdfRepeatsTheHeadingsAtTheTopOfEveryPageAndEndsWithTheLastDraw)
{
    if (shell("command -v pdftotext >/dev/null && command -v pdfinfo >/dev/null").status != 0)
        GTEST_SKIP() << "poppler-utils is not installed";
    TempDir dir;
    const std::string csv = dir.file("draws.csv"), pdf = dir.file("interval.pdf");
    writeFile(csv, drawCsv(syntheticHistory(150).rows()));
    const ShellRun made = shell(cli() + " show 出現間隔分析 --csv '" + csv +
                                "' --format pdf --output '" + pdf + "' 2>&1");
    if (made.out.find("without Qt") != std::string::npos) GTEST_SKIP() << made.out;
    ASSERT_EQ(made.status, 0) << made.out;

    const ShellRun info = shell("pdfinfo '" + pdf + "'");
    const auto pagesAt = info.out.find("Pages:");
    ASSERT_NE(pagesAt, std::string::npos);
    const int pages = std::stoi(info.out.substr(pagesAt + 6));
    ASSERT_GE(pages, 2);

    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        const ShellRun text = shell("pdftotext -layout -f " + std::to_string(page) + " -l " +
                                    std::to_string(page) + " '" + pdf + "' -");
        const auto lines = nonEmptyLines(text.out);
        ASSERT_GE(lines.size(), 5u);
        EXPECT_NE(lines[0].find("出現間隔分析"), std::string::npos);
        EXPECT_NE(lines[0].find("印刷日"), std::string::npos);
        EXPECT_NE(lines[1].find("第1回〜第150回"), std::string::npos);
        // The two frozen heading rows, then the draws.
        EXPECT_NE(lines[2].find("数字"), std::string::npos);
        EXPECT_EQ(withoutSpaces(lines[3]).substr(0, 6), "回数");
        EXPECT_EQ(withoutSpaces(lines.back()), std::to_string(page) + "/" + std::to_string(pages));
        if (page == pages) {
            // The last draw's row, wherever the layout puts its first column.
            const bool lastDraw = std::any_of(lines.begin(), lines.end(), [](std::string line) {
                return line.erase(0, line.find_first_not_of(' ')).starts_with("150 ");
            });
            EXPECT_TRUE(lastDraw);
        }
    }
}

TEST(ShowFile, FileFormatsNeedAWritableOutputAndLeaveNothingOnFailure)
{
    TempDir dir;
    const std::string csv = dir.file("draws.csv");
    writeFile(csv, drawCsv(syntheticHistory(20).rows()));
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"show", "出現間隔分析", "--csv", csv, "--format", "xlsx"}, out, err), 2);
    EXPECT_EQ(runCli({"show", "出現間隔分析", "--csv", csv, "--format", "xlsx", "--output",
                      dir.file("none/x.xlsx")},
                     out, err),
              1);
    EXPECT_NE(err.str().find("none/x.xlsx"), std::string::npos);

    // One page for the prediction window, its options and four grids.
    const std::string pdf = dir.file("p.pdf");
    const ShellRun made = shell(cli() + " show 一発ボボーン --enabled-options 3 --csv '" + csv +
                                "' --format pdf --output '" + pdf + "' 2>&1");
    if (made.out.find("without Qt") != std::string::npos) return;
    ASSERT_EQ(made.status, 0) << made.out;
    if (shell("command -v pdftotext >/dev/null").status != 0) return;
    const std::string text = shell("pdftotext -layout '" + pdf + "' -").out;
    for (const char* expected : {"一発ボボーン予想", "●周期法による予想", "●一発ボボーン予想",
                                 "反映するオプション: 3 / 12", "1/1"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"draws.csv", "p.pdf"}));
}

TEST(ShowFile, ASaveThatRunsOutOfSpaceFailsAndKeepsTheOldFile)
{
    TempDir dir;
    const std::string csv = dir.file("draws.csv");
    writeFile(csv, drawCsv(syntheticHistory(400).rows()));
    // A file-size limit (in KB) stands in for a full disk; the write then fails with EFBIG
    // instead of ending the process.
    for (const char* format : {"pdf", "json"}) {
        SCOPED_TRACE(format);
        const std::string saved = dir.file(std::string("saved.") + format);
        writeFile(saved, "the old file");
        const ShellRun run =
            shell("trap '' XFSZ; ulimit -f 4; " + cli() + " show 出現間隔分析 --csv '" + csv +
                  "' --format " + format + " --output '" + saved + "' 2>&1");
        if (run.out.find("without Qt") != std::string::npos) continue;
        EXPECT_NE(run.status, 0) << run.out;
        EXPECT_EQ(readFile(saved), "the old file");
    }
}
