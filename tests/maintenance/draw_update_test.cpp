#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/cli.h"
#include "core/draws/connection_string.h"
#include "core/draws/draw_database.h"
#include "core/draws/draw_database_lock.h"
#include "core/draws/draw_merge.h"
#include "core/maintenance/draw_update.h"
#include "core/maintenance/update_source.h"
#include "http_test_server.h"
#include "test_support.h"

namespace {

using Behaviour = HttpTestServer::Behaviour;

class DrawUpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        makeDatabase(m_destination,
                     {drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {7, 8, 9, 10, 11, 12})});
        m_oldBytes = readFile(m_destination);
        const std::string published = m_dir.file("published.mdb");
        makeDatabase(published, {drawRow(1, {1, 2, 3, 4, 5, 6}), drawRow(2, {7, 8, 9, 10, 11, 12}),
                                 drawRow(3, {13, 14, 15, 16, 17, 18})});
        m_newBytes = readFile(published);
        std::filesystem::remove(published);
    }

    static void makeDatabase(const std::string& path, const std::vector<DrawRow>& rows,
                             const char* extraSql = nullptr)
    {
        auto database = DrawDatabase::create(path);
        ASSERT_TRUE(database) << database.error();
        ASSERT_TRUE(database->insertDraws(rows));
        if (extraSql) {
            ASSERT_TRUE(database->execute(extraSql));
        }
    }

    UpdateResult update(const HttpTestServer& server, long timeoutMs = 10000)
    {
        UpdateOptions options;
        options.server = server.url();
        options.destination = m_destination;
        options.timeoutMs = timeoutMs;
        return updateDrawDatabase(options);
    }

    // The old database is byte-for-byte what it was, and nothing was left beside it.
    void expectUntouched()
    {
        EXPECT_EQ(readFile(m_destination), m_oldBytes);
        int files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
            ++files;
        EXPECT_EQ(files, 1) << "a temporary file was left behind";
    }

    TempDir m_dir;
    std::string m_destination = m_dir.file("Pomuran.mdb");
    std::string m_oldBytes, m_newBytes;
};

}  // namespace

TEST(DrawUpdateUrl, TheDownloadPathFollowsTheServerWithoutADoubledSeparator)
{
    EXPECT_EQ(downloadUrl("http://example.test:8080"),
              "http://example.test:8080/download/Pomuran/Pomuran.mdb");
    EXPECT_EQ(downloadUrl("http://example.test/"),
              "http://example.test/download/Pomuran/Pomuran.mdb");
}

TEST_F(DrawUpdateTest, APublishedDatabaseReplacesTheOldOne)
{
    HttpTestServer server({Behaviour::Answer, 200, m_newBytes});
    std::int64_t lastReceived = 0;
    UpdateOptions options;
    options.server = server.url();
    options.destination = m_destination;
    options.progress = [&](std::int64_t received, std::int64_t) {
        lastReceived = received;
        return true;
    };
    const UpdateResult result = updateDrawDatabase(options);
    EXPECT_EQ(result.outcome, UpdateOutcome::Updated) << result.message;
    EXPECT_EQ(result.message, "当選データを最新化しました。");
    EXPECT_EQ(server.lastPath(), "/download/Pomuran/Pomuran.mdb");
    EXPECT_EQ(readFile(m_destination), m_newBytes);
    EXPECT_EQ(lastReceived, static_cast<std::int64_t>(m_newBytes.size()));
    auto history = loadDrawHistory(connectStringForFile(m_destination));
    ASSERT_TRUE(history) << history.error();
    EXPECT_EQ(history->size(), 3u);
}

TEST_F(DrawUpdateTest, AShorterDownloadLeavesAFileOfExactlyItsLength)
{
    std::string small = m_dir.file("small.mdb");
    makeDatabase(small, {});
    const std::string bytes = readFile(small);
    std::filesystem::remove(small);
    // Grow the old file so that the new one is shorter.
    {
        auto database = DrawDatabase::open(connectStringForFile(m_destination),
                                           DrawDatabase::Access::ReadWrite);
        ASSERT_TRUE(database);
        ASSERT_TRUE(database->insertDraws(syntheticHistory(2000).rows()));
    }
    ASSERT_GT(readFile(m_destination).size(), bytes.size());
    HttpTestServer server({Behaviour::Answer, 200, bytes});
    EXPECT_EQ(update(server).outcome, UpdateOutcome::Updated);
    EXPECT_EQ(readFile(m_destination), bytes);
}

TEST_F(DrawUpdateTest, AnHttpErrorKeepsTheOldDatabase)
{
    HttpTestServer server({Behaviour::Answer, 404, "<html>Not Found</html>"});
    const UpdateResult result = update(server);
    EXPECT_EQ(result.outcome, UpdateOutcome::Failed);
    EXPECT_NE(result.message.find("HTTP 404"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("当選データは変更していません。"), std::string::npos);
    expectUntouched();
}

TEST_F(DrawUpdateTest, ATruncatedBodyKeepsTheOldDatabase)
{
    HttpTestServer server({Behaviour::Truncate, 200, m_newBytes});
    const UpdateResult result = update(server);
    EXPECT_EQ(result.outcome, UpdateOutcome::Failed);
    EXPECT_NE(result.message.find("途中で切れました"), std::string::npos) << result.message;
    expectUntouched();
}

TEST_F(DrawUpdateTest, ABodyThatIsNoDrawDatabaseKeepsTheOldDatabase)
{
    struct Case {
        const char* name;
        std::string body;
        const char* says;
    };
    std::string noQuery = m_dir.file("noquery.mdb");
    makeDatabase(noQuery, {drawRow(1, {1, 2, 3, 4, 5, 6})}, "DROP VIEW 全データ選択クエリ;");
    const std::string noQueryBytes = readFile(noQuery);
    std::filesystem::remove(noQuery);
    // The index dropped from the schema but not from the file: the engine's check lists every
    // orphaned page, over several lines.
    std::string orphans = m_dir.file("orphans.mdb");
    std::vector<DrawRow> many;
    for (int n = 1; n <= 3000; ++n)
        many.push_back(drawRow(n, {1, 2, 3, 4, 5, 6}));
    makeDatabase(orphans, many,
                 "PRAGMA writable_schema = ON; DELETE FROM sqlite_master WHERE type = 'index';");
    const std::string orphanBytes = readFile(orphans);
    std::filesystem::remove(orphans);
    // The first half of a real database: every announced byte arrived, yet pages are missing.
    const std::string halfDatabase = m_newBytes.substr(0, m_newBytes.size() / 2);
    const Case cases[] = {
        {"a proxy's page", "<html><body>Service unavailable</body></html>",
         "当選データベースではありません"},
        {"an empty body", "", "空でした"},
        {"a database without the saved query", noQueryBytes, "全データ選択クエリ"},
        {"half a database", halfDatabase, "当選データベース"},
        {"a database with orphaned pages", orphanBytes, "壊れています"},
    };
    for (const Case& c : cases) {
        HttpTestServer server({Behaviour::Answer, 200, c.body});
        const UpdateResult result = update(server);
        EXPECT_EQ(result.outcome, UpdateOutcome::Failed) << c.name;
        EXPECT_NE(result.message.find(c.says), std::string::npos)
            << c.name << ": " << result.message;
        EXPECT_EQ(result.message.find('\n'), std::string::npos) << c.name << ": " << result.message;
        // The temporary file is nothing the player knows of.
        EXPECT_EQ(result.message.find(".download-"), std::string::npos) << result.message;
        expectUntouched();
    }
}

TEST_F(DrawUpdateTest, AServerThatNeverAnswersTimesOutAndKeepsTheOldDatabase)
{
    HttpTestServer server({Behaviour::Silent, 200, m_newBytes});
    const auto start = std::chrono::steady_clock::now();
    const UpdateResult result = update(server, 1000);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(result.outcome, UpdateOutcome::Failed);
    EXPECT_NE(result.message.find("時間内に終わりませんでした（1秒）"), std::string::npos)
        << result.message;
    EXPECT_LT(took, std::chrono::seconds(5));
    expectUntouched();
}

TEST_F(DrawUpdateTest, ARefusedConnectionKeepsTheOldDatabase)
{
    std::string url;
    {
        url = HttpTestServer({Behaviour::Answer, 200, ""}).url();
    }  // nothing listens there now
    UpdateOptions options;
    options.server = url;
    options.destination = m_destination;
    const UpdateResult result = updateDrawDatabase(options);
    EXPECT_EQ(result.outcome, UpdateOutcome::Failed);
    EXPECT_NE(result.message.find("接続できませんでした"), std::string::npos) << result.message;
    expectUntouched();
}

TEST_F(DrawUpdateTest, CancellingKeepsTheOldDatabase)
{
    HttpTestServer server({Behaviour::Answer, 200, m_newBytes});
    UpdateOptions options;
    options.server = server.url();
    options.destination = m_destination;
    options.progress = [](std::int64_t, std::int64_t) { return false; };
    const UpdateResult result = updateDrawDatabase(options);
    EXPECT_EQ(result.outcome, UpdateOutcome::Cancelled);
    EXPECT_NE(result.message.find("中止しました"), std::string::npos) << result.message;
    expectUntouched();
}

TEST_F(DrawUpdateTest, AMissingDestinationIsReportedAndNeverCreated)
{
    HttpTestServer server({Behaviour::Answer, 200, m_newBytes});
    const std::string missing = m_dir.file("elsewhere/Pomuran.mdb");
    UpdateOptions options;
    options.server = server.url();
    options.destination = missing;
    const UpdateResult result = updateDrawDatabase(options);
    EXPECT_EQ(result.outcome, UpdateOutcome::MissingFile);
    EXPECT_EQ(result.message, "当選データファイル：'" + missing + "'が存在しません");
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(server.requestCount(), 0);
    expectUntouched();
}

TEST_F(DrawUpdateTest, TheCommandLineUpdateExitsOneWithOneLineOnFailure)
{
    std::ostringstream out, err;
    {
        HttpTestServer server({Behaviour::Answer, 200, m_newBytes});
        EXPECT_EQ(runCli({"update", "--server", server.url(), "--db", m_destination}, out, err), 0)
            << err.str();
        EXPECT_EQ(out.str(), "当選データを最新化しました。\n");
    }
    m_oldBytes = readFile(m_destination);
    out.str("");
    HttpTestServer failing({Behaviour::Answer, 500, "oops"});
    EXPECT_EQ(runCli({"update", "--server", failing.url(), "--db", m_destination}, out, err), 1);
    EXPECT_EQ(out.str(), "");
    const std::string failure = err.str();
    EXPECT_NE(failure.find("HTTP 500"), std::string::npos);
    EXPECT_EQ(std::count(failure.begin(), failure.end(), '\n'), 1) << failure;
    expectUntouched();

    std::ostringstream missingOut, missingErr;
    EXPECT_EQ(runCli({"update", "--server", failing.url(), "--db", m_dir.file("none.mdb")},
                     missingOut, missingErr),
              1);
    EXPECT_EQ(missingErr.str(),
              "当選データファイル：'" + m_dir.file("none.mdb") + "'が存在しません\n");
}

TEST_F(DrawUpdateTest, ACsvSourceIsMergedThroughTheReaderAndABadOneChangesNothing)
{
    const std::string header = "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n";
    std::ostringstream out, err;
    {
        HttpTestServer bad({Behaviour::Answer, 200, header + "3,,1,1,2,3,4,5\n"});
        EXPECT_EQ(runCli({"update", "--server", bad.url() + "/results.csv", "--db", m_destination},
                         out, err),
                  1);
        EXPECT_EQ(bad.lastPath(), "/results.csv");
        EXPECT_NE(err.str().find("line 2"), std::string::npos) << err.str();
        expectUntouched();
    }
    HttpTestServer server({Behaviour::Answer, 200, header + "2,,7,8,9,10,11,12\n3,,1,2,3,4,5,6\n"});
    EXPECT_EQ(
        runCli({"update", "--server", server.url() + "/results.csv?week=1", "--db", m_destination},
               out, err),
        0)
        << err.str();
    EXPECT_EQ(out.str(), "1 added, 0 replaced, 1 unchanged, 0 rejected\n");
    auto database = DrawDatabase::open(connectStringForFile(m_destination));
    ASSERT_TRUE(database);
    EXPECT_EQ(database->readAllDraws()->size(), 3u);
}

TEST(UpdateSource, TheSettingIsSavedInItsOwnFileAndThereIsNoneUntilThePlayerSetsOne)
{
    TempDir dir;
    const std::filesystem::path file = dir.path() / "config" / "update_source.json";
    EXPECT_EQ(loadUpdateSource(file), "");
    EXPECT_TRUE(saveUpdateSource("https://example.test/draws.csv", file));
    EXPECT_EQ(loadUpdateSource(file), "https://example.test/draws.csv");
    for (const char* bad : {"ftp://example.test/x.csv", "example.test", "http://", "http://a b"})
        EXPECT_FALSE(saveUpdateSource(bad, file)) << bad;
    EXPECT_EQ(loadUpdateSource(file), "https://example.test/draws.csv");
    writeFile(file.string(), "{not json");
    EXPECT_EQ(loadUpdateSource(file), "");
    // An empty source removes the setting.
    EXPECT_TRUE(saveUpdateSource("https://example.test/draws.csv", file));
    EXPECT_TRUE(saveUpdateSource("", file));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(isCsvSource("http://h/a.CSV?x=1"));
    EXPECT_FALSE(isCsvSource("http://h/a.mdb"));
    EXPECT_EQ(downloadUrl("http://h/x/a.mdb"), "http://h/x/a.mdb");
}

TEST_F(DrawUpdateTest, WithoutASourceNothingIsFetchedAndTheCommandLineSaysWhatToPass)
{
    UpdateOptions options;  // a fresh installation: no source
    options.destination = m_destination;
    const UpdateResult result = updateDrawDatabase(options);
    EXPECT_EQ(result.outcome, UpdateOutcome::NoSource);
    EXPECT_NE(result.message.find("取得先が設定されていません"), std::string::npos);
    EXPECT_NE(result.message.find(".csv"), std::string::npos) << result.message;
    expectUntouched();

    // No saved source in the player's config folder, and no --server.
    TempDir config;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    std::ostringstream out, err;
    const int status = runCli({"update", "--db", m_destination}, out, err);
    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(status, 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("取得先が設定されていません"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("--server"), std::string::npos) << err.str();
    expectUntouched();
}

TEST_F(DrawUpdateTest, AnAnswerLargerThanTheCeilingIsRefusedWhetherAnnouncedOrNot)
{
    for (const Behaviour behaviour : {Behaviour::Answer, Behaviour::Endless}) {
        HttpTestServer server({behaviour, 200, m_newBytes});
        UpdateOptions options;
        options.server = server.url();
        options.destination = m_destination;
        options.maxBytes = static_cast<std::int64_t>(m_newBytes.size()) - 1;
        const UpdateResult result = updateDrawDatabase(options);
        EXPECT_EQ(result.outcome, UpdateOutcome::Failed);
        EXPECT_NE(result.message.find("大きすぎます"), std::string::npos) << result.message;
        expectUntouched();
    }
}

TEST_F(DrawUpdateTest, AnAnnouncedSizeOverTheCeilingIsReportedAsAnnounced)
{
    // The server announces twice the body's length; libcurl stops at the header.
    HttpTestServer server({Behaviour::Truncate, 200, m_newBytes});
    UpdateOptions options;
    options.server = server.url();
    options.destination = m_destination;
    options.maxBytes = static_cast<std::int64_t>(m_newBytes.size());
    const UpdateResult result = updateDrawDatabase(options);
    EXPECT_EQ(result.outcome, UpdateOutcome::Failed);
    const std::string announced = std::to_string(m_newBytes.size() * 2 / 1024) + " KB、上限";
    EXPECT_NE(result.message.find("（" + announced), std::string::npos) << result.message;
    expectUntouched();
}

TEST_F(DrawUpdateTest, AnotherWriterHoldingTheDatabaseTurnsTheUpdateAway)
{
    HttpTestServer server({Behaviour::Answer, 200, m_newBytes});
    {
        auto lock = DrawDatabaseLock::acquire(m_destination);
        ASSERT_TRUE(lock) << lock.error();
        const UpdateResult result = update(server);
        EXPECT_EQ(result.outcome, UpdateOutcome::Failed);
        EXPECT_NE(result.message.find("使用中"), std::string::npos) << result.message;
        EXPECT_EQ(readFile(m_destination), m_oldBytes);
        EXPECT_EQ(server.requestCount(), 0);
    }
    EXPECT_EQ(update(server).outcome, UpdateOutcome::Updated);
    EXPECT_EQ(readFile(m_destination), m_newBytes);
}

TEST_F(DrawUpdateTest, InterruptingTheCommandLineUpdateLeavesNoTemporaryFile)
{
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        HttpTestServer server({Behaviour::Endless, 200, ""});
        const std::string program = std::string(POMURAN_BIN_DIR) + "/pomuran-cli";
        const std::string url = server.url();
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const int devNull = ::open("/dev/null", O_WRONLY);
            ::dup2(devNull, 1);
            ::dup2(devNull, 2);
            ::execl(program.c_str(), program.c_str(), "update", "--server", url.c_str(), "--db",
                    m_destination.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Wait for the download to be under way: its temporary file beside the database.
        bool downloading = false;
        for (int i = 0; i < 500 && !downloading; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            for (const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
                if (entry.path().string().find(".download-") != std::string::npos)
                    downloading = true;
        }
        EXPECT_TRUE(downloading);
        ::kill(pid, signalNumber);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << status;
        expectUntouched();
    }
}

TEST_F(DrawUpdateTest, DrawsOnlyInTheStoredFileAreListedAndThePlayerChoosesWhatHappens)
{
    // Stored: draws 1, 2 with prizes, and draw 5 typed in by the player. The download (draws 1,
    // 2, 3) has neither draw 5 nor a prize table.
    {
        auto database = DrawDatabase::open(connectStringForFile(m_destination),
                                           DrawDatabase::Access::ReadWrite);
        ASSERT_TRUE(database) << database.error();
        DrawPrizes first;
        first.drawNo = 1;
        first.tiers[0] = {1, 9'000'000};
        ASSERT_TRUE(database->replaceAllDraws({drawRow(1, {1, 2, 3, 4, 5, 6}),
                                               drawRow(2, {7, 8, 9, 10, 11, 12}),
                                               drawRow(5, {2, 4, 6, 8, 10, 12})},
                                              std::vector<DrawPrizes>{first}));
    }
    m_oldBytes = readFile(m_destination);
    const auto drawNos = [this] {
        std::vector<int> numbers;
        auto history = loadDrawHistory(connectStringForFile(m_destination));
        EXPECT_TRUE(history) << history.error();
        if (history)
            for (const auto& draw : history->draws())
                if (draw) numbers.push_back(draw->drawNo);
        return numbers;
    };
    struct Case {
        MissingDrawsChoice choice;
        UpdateOutcome outcome;
        const char* message;
        std::vector<int> drawsAfter;
    };
    const Case cases[] = {
        {MissingDrawsChoice::Cancel, UpdateOutcome::Cancelled, "中止しました", {1, 2, 5}},
        {MissingDrawsChoice::Keep,
         UpdateOutcome::Updated,
         "登録済みの 1 行は残しました",
         {1, 2, 3, 5}},
        {MissingDrawsChoice::Replace,
         UpdateOutcome::Updated,
         "当せん金額は登録済みのものを残しました）（ダウンロードにない登録済みの 1 行は消えました",
         {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        writeFile(m_destination, m_oldBytes);
        HttpTestServer server({Behaviour::Answer, 200, m_newBytes});
        UpdateOptions options;
        options.server = server.url();
        options.destination = m_destination;
        std::vector<int> listed;
        int asked = 0;
        options.missingDraws = [&](const CsvImport& preview) {
            ++asked;
            for (const DrawRow& row : preview.plan.onlyStored)
                listed.push_back(fieldNumber(row.drawNo).value_or(0));
            EXPECT_EQ(preview.plan.added, (std::vector<int>{3}));
            return c.choice;
        };
        const UpdateResult result = updateDrawDatabase(options);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_NE(result.message.find(c.message), std::string::npos) << result.message;
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(listed, (std::vector<int>{5}));
        EXPECT_EQ(drawNos(), c.drawsAfter);
        if (c.choice == MissingDrawsChoice::Cancel) {
            expectUntouched();
            continue;
        }
        // The stored prizes outlive a download that has none.
        auto database = DrawDatabase::open(connectStringForFile(m_destination));
        ASSERT_TRUE(database) << database.error();
        const auto prizes = database->readPrizes();
        ASSERT_TRUE(prizes) << prizes.error();
        ASSERT_EQ(prizes->size(), 1u);
        EXPECT_EQ(prizes->front().tiers[0].yen, 9'000'000);
    }

    // The command line asks by refusing: it names the draws and the two ways on.
    struct Run {
        std::vector<std::string> flags;
        int status;
        const char* says;
        std::vector<int> drawsAfter;
    };
    const Run runs[] = {
        {{},
         1,
         "lacks 1 stored rows (draws 5); run again with --keep-missing or --drop-missing",
         {1, 2, 5}},
        {{"--keep-missing"}, 0, "登録済みの 1 行は残しました", {1, 2, 3, 5}},
        {{"--drop-missing"}, 0, "登録済みの 1 行は消えました", {1, 2, 3}},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.says);
        writeFile(m_destination, m_oldBytes);
        HttpTestServer server({Behaviour::Answer, 200, m_newBytes});
        std::vector<std::string> args = {"update", "--server", server.url(), "--db", m_destination};
        args.insert(args.end(), run.flags.begin(), run.flags.end());
        std::ostringstream out, err;
        EXPECT_EQ(runCli(args, out, err), run.status);
        EXPECT_NE((out.str() + err.str()).find(run.says), std::string::npos)
            << out.str() << err.str();
        EXPECT_EQ(drawNos(), run.drawsAfter);
        if (run.status != 0) expectUntouched();
    }
}
