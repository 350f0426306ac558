// pomuran-cli import --merge killed (SIGKILL) at moments spread over its whole run, then the
// commands that come next: export, update and another merge. Every one of them must see either
// the old or the new complete history, never an error and never a mixture. Rounds:
// POMURAN_KILLED_MERGE_ROUNDS (default 16; 50 for the full sweep).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "core/draws/draw_csv.h"
#include "maintenance/http_test_server.h"
#include "test_support.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

pid_t startCli(const std::vector<std::string>& args, const std::string& outFile)
{
    const std::string program = std::string(POMURAN_BIN_DIR) + "/pomuran-cli";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int waitFor(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs to the end; the exit status, and standard output and error in `output`.
int run(const std::vector<std::string>& args, const std::string& outFile, std::string& output)
{
    const int status = waitFor(startCli(args, outFile));
    output = readFile(outFile);
    return status;
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

int rounds()
{
    const char* text = std::getenv("POMURAN_KILLED_MERGE_ROUNDS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 16;
}

}  // namespace

TEST(InterruptedImport, AKilledMergeLeavesTheOldOrTheNewHistoryForExportUpdateAndTheNextMerge)
{
    TempDir dir;
    const std::string db = dir.file("Pomuran.mdb"), out = dir.file("out.txt");
    const std::string oldCsv = historyCsv(20000, 0), newCsv = historyCsv(20000, 5);
    writeFile(dir.file("old.csv"), oldCsv);
    writeFile(dir.file("new.csv"), newCsv);
    std::string output;
    ASSERT_EQ(run({"import", dir.file("old.csv"), "--db", db}, out, output), 0) << output;
    const std::string oldDb = readFile(db);
    HttpTestServer server({HttpTestServer::Behaviour::Answer, 200, oldDb});
    const std::vector<std::string> merge = {"import", dir.file("new.csv"), "--db", db, "--merge"};

    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(run(merge, out, output), 0) << output;
    const auto whole = std::chrono::steady_clock::now() - started;
    std::mt19937 random(20261209);
    int journals = 0;
    const int n = rounds();
    // Until a kill has come during a write: a slow build (the sanitizers) stretches the reading
    // before it, so rounds past the planned ones aim at the later part of the merge.
    for (int round = 0; round < n || (journals == 0 && round < 4 * n); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        writeFile(db, oldDb);
        // Moments from the start to past the end of a whole merge, a little apart each round.
        const double share = std::uniform_real_distribution<>(0, 1)(random);
        const auto delay = round < n ? whole * (round + share) / n : whole * (0.4 + 0.7 * share);
        const pid_t pid = startCli(merge, dir.file("killed.txt"));
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(delay);
        ::kill(pid, SIGKILL);
        waitFor(pid);
        if (fs::exists(db + "-journal")) ++journals;

        ASSERT_EQ(run({"export", "--db", db}, out, output), 0) << output;
        ASSERT_TRUE(output == oldCsv || output == newCsv) << output.substr(0, 200);
        if (round % 3 == 0) {
            ASSERT_EQ(
                run({"update", "--server", server.url() + "/Pomuran.mdb", "--db", db}, out, output),
                0)
                << output;
            ASSERT_EQ(run({"export", "--db", db}, out, output), 0) << output;
            EXPECT_EQ(output, oldCsv);
        } else {
            ASSERT_EQ(run(merge, out, output), 0) << output;
            ASSERT_EQ(run({"export", "--db", db}, out, output), 0) << output;
            EXPECT_EQ(output, newCsv);
        }
        EXPECT_FALSE(fs::exists(db + "-journal"));
        for (const auto& entry : fs::directory_iterator(dir.path()))
            EXPECT_EQ(entry.path().filename().string().find("Pomuran.mdb."), std::string::npos)
                << "left over: " << entry.path();
    }
    // Otherwise no kill came during a write, and the rounds proved little.
    EXPECT_GT(journals, 0);
    RecordProperty("rounds that left a journal", journals);
}
