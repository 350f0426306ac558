// Two pomuran-cli imports into one database at the same moment, as two players (or two scripts)
// might start them: the database is always one complete history, never a mixture or a stub.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>

#include "core/draws/connection_string.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_database.h"
#include "test_support.h"

extern char** environ;

namespace {

// Starts pomuran-cli with its standard error in `errFile`; returns the process id.
pid_t startCli(const std::vector<std::string>& args, const std::string& errFile)
{
    const std::string program = std::string(POMURAN_BIN_DIR) + "/pomuran-cli";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int exitStatus(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string historyCsv(int draws, int offset)
{
    std::vector<DrawRow> rows;
    for (int n = 1; n <= draws; ++n) {
        const int b = (n * 7 + offset) % 26;
        rows.push_back(drawRow(n, {b + 1, b + 2, b + 3, b + 4, b + 5, (b + 9) % 31 + 1}));
    }
    return drawCsv(rows);
}

}  // namespace

TEST(ConcurrentImport, ThirtyRoundsOfTwoImportsAlwaysLeaveOneCompleteHistory)
{
    TempDir dir;
    const std::string db = dir.file("db.mdb");
    // Two histories of nearly the same size, so that both imports write at the same moment; the
    // draw count tells them apart.
    const std::string first = dir.file("first.csv"), second = dir.file("second.csv");
    writeFile(first, historyCsv(32767, 0));
    writeFile(second, historyCsv(32667, 3));
    const std::vector<std::string> csvs = {first, second};
    const std::vector<std::size_t> sizes = {32767, 32667};

    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        pid_t pids[2];
        for (int i = 0; i < 2; ++i)
            pids[i] =
                startCli({"import", csvs[i], "--db", db}, dir.file("err" + std::to_string(i)));
        ASSERT_GT(pids[0], 0);
        ASSERT_GT(pids[1], 0);
        int statuses[2] = {exitStatus(pids[0]), exitStatus(pids[1])};
        ASSERT_TRUE(statuses[0] == 0 || statuses[1] == 0)
            << readFile(dir.file("err0")) << readFile(dir.file("err1"));
        for (int i = 0; i < 2; ++i) {
            if (statuses[i] == 0) continue;
            EXPECT_EQ(statuses[i], 1);
            EXPECT_NE(readFile(dir.file("err" + std::to_string(i))).find("使用中"),
                      std::string::npos)
                << readFile(dir.file("err" + std::to_string(i)));
        }
        const auto history = loadDrawHistory(connectStringForFile(db));
        ASSERT_TRUE(history) << history.error();
        const std::size_t rows = history->rows().size();
        // Exactly the history of an import that succeeded; with one refused, the other's.
        const bool onlyOne = statuses[0] != statuses[1];
        const std::size_t expected = statuses[0] == 0 ? sizes[0] : sizes[1];
        if (onlyOne)
            EXPECT_EQ(rows, expected);
        else
            EXPECT_TRUE(rows == sizes[0] || rows == sizes[1]) << rows;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 5)
            << "a temporary or lock file was left";
    }
}
