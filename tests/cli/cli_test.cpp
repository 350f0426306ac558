#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "core/base/cp932.h"
#include "core/draws/draw_csv.h"
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
const std::string kHeader = "回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n";
}  // namespace

TEST(Cli, UnknownCommandsAndOptionsPrintUsageAndExitTwo)
{
    EXPECT_EQ(cli({}).status, 2);
    EXPECT_EQ(cli({"frobnicate"}).status, 2);
    const CliRun run = cli({"export", "--verbose", "x"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage:"), std::string::npos);
    EXPECT_EQ(cli({"tables", "--db"}).status, 2);
    EXPECT_EQ(cli({"show", "どこにもない窓"}).status, 2);
}

TEST(Cli, ImportThenExportAndTablesOfASmallHistory)
{
    TempDir dir;
    const std::string csv = dir.file("draws.csv"), db = dir.file("Pomuran.mdb");
    writeFile(csv, kHeader + "1,2000-01-04,1,2,3,4,5,6\n2,,1,7,8,9,10,11\n3,,,,,,,\n");
    CliRun run = cli({"import", csv, "--db", db});
    ASSERT_EQ(run.status, 0) << run.err;

    run = cli({"export", "--db", db});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, readFile(csv));

    run = cli({"tables", "--db", db});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, 40), "{\"LatestDrawNo\": 2, \"NumberHits\": [2, 1,");
    EXPECT_NE(run.out.find("\"MaxHits\": 2"), std::string::npos);
    EXPECT_NE(run.out.find("\"HitGroupRows\": 4"), std::string::npos);

    run = cli({"tables", "--csv", dir.file("none.csv")});
    EXPECT_EQ(run.status, 1);
}

TEST(Cli, EmptyHistoryTablesHaveNoGroups)
{
    TempDir dir;
    writeFile(dir.file("empty.csv"), kHeader);
    const CliRun run = cli({"tables", "--csv", dir.file("empty.csv")});
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"HitGroups\": [], \"HitGroupRows\": 0"), std::string::npos);
}

TEST(Cli, AFailedImportWritesNothingAndKeepsTheOldDatabase)
{
    TempDir dir;
    const std::string db = dir.file("Pomuran.mdb");
    writeFile(dir.file("good.csv"), kHeader + "1,,1,2,3,4,5,6\n");
    ASSERT_EQ(cli({"import", dir.file("good.csv"), "--db", db}).status, 0);
    const std::string before = readFile(db);

    writeFile(dir.file("bad.csv"), kHeader + "1,,1,2,3,4,5,6\n2,,1,2,3,4,5,六\n");
    const CliRun run = cli({"import", dir.file("bad.csv"), "--db", db});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("line 3"), std::string::npos);
    EXPECT_EQ(readFile(db), before);

    // A file that is not this program's database is never overwritten by an import.
    writeFile(dir.file("other.mdb"), "someone else's file");
    EXPECT_EQ(cli({"import", dir.file("good.csv"), "--db", dir.file("other.mdb")}).status, 1);
    EXPECT_EQ(readFile(dir.file("other.mdb")), "someone else's file");
}

TEST(Cli, ImportKeepsTheModeOfTheDatabaseAndNeverReplacesAReadOnlyOne)
{
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string db = dir.file("Pomuran.mdb");
    writeFile(dir.file("good.csv"), kHeader + "1,,1,2,3,4,5,6\n");
    ASSERT_EQ(cli({"import", dir.file("good.csv"), "--db", db}).status, 0);

    fs::permissions(db, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(cli({"import", dir.file("good.csv"), "--db", db}).status, 0);
    EXPECT_EQ(fs::status(db).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::permissions(db, fs::perms::owner_read | fs::perms::group_read);
    const std::string before = readFile(db);
    writeFile(dir.file("other.csv"), kHeader + "7,,1,2,3,4,5,6\n");
    const CliRun run = cli({"import", dir.file("other.csv"), "--db", db});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("読み取り専用"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(readFile(db), before);
    EXPECT_EQ(fs::status(db).permissions(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 3) << "a file was left";
}

TEST(Cli, ImportNamesAValueOutOfRangeAsSuch)
{
    TempDir dir;
    struct Case {
        const char* value;
        const char* message;
    };
    // A number must lie in 1..31; the message names the column, the value and the line.
    for (const Case& c : {Case{"32768", "line 2: 第5数字 32768 は 1〜31 の範囲外"},
                          Case{"-32769", "line 2: 第5数字 -32769 は 1〜31 の範囲外"},
                          Case{"5x", "line 2: 第5数字 '5x' は数字ではありません"}}) {
        writeFile(dir.file("bad.csv"), kHeader + "1,,1,2,3,4," + c.value + ",6\n");
        const CliRun run = cli({"import", dir.file("bad.csv"), "--db", dir.file("x.mdb")});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

TEST(Cli, DatabasesThatCannotBeOpenedSayWhyInOneLine)
{
    TempDir dir;
    writeFile(dir.file("empty.mdb"), "");
    std::filesystem::create_directory(dir.file("folder.mdb"));
    writeFile(dir.file("junk.mdb"), std::string(4096, 'j'));
    struct Case {
        std::string db, reason;
    };
    for (const Case& c :
         {Case{dir.file("empty.mdb"), "空です"}, Case{dir.file("folder.mdb"), "フォルダーです"},
          Case{dir.file("missing.mdb"), "ありません"},
          Case{dir.file("junk.mdb"), "当選データベースではないか"}}) {
        const CliRun run = cli({"tables", "--db", c.db});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.db), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(Cli, BadDatabasesEndWithStatusOneAndOneLineNamingTheFile)
{
    TempDir dir;
    writeFile(dir.file("junk.mdb"), std::string(4096, 'j'));
    for (const std::string& db : {dir.file("missing.mdb"), dir.file("junk.mdb")}) {
        const CliRun run = cli({"tables", "--db", db});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(db), std::string::npos);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.mdb")));
}

TEST(Cli, TheShippedDatabaseHoldsTheSharedHistory)
{
    REQUIRE_SHARED_DRAWS(csv);
    const CliRun exported = cli({"export"});  // the database beside the executable
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, readFile(csv));
    EXPECT_NE(readFile(std::string(POMURAN_BIN_DIR) + "/Pomuran.mdb").substr(0, 15),
              "SQLite format 3");

    const CliRun tables = cli({"tables"});
    ASSERT_EQ(tables.status, 0);
    EXPECT_EQ(tables.out.substr(0, 22), "{\"LatestDrawNo\": 1353,");
    EXPECT_EQ(cli({"tables", "--csv", csv}).out, tables.out);
}

TEST(Cli, TheProgramFindsItsDatabaseBesideTheExecutableNotInTheWorkingDirectory)
{
    REQUIRE_SHARED_DRAWS(csv);
    TempDir elsewhere;
    writeFile(elsewhere.file("Pomuran.mdb"), "a decoy in the working directory");
    const std::string command = "cd '" + elsewhere.path().string() + "' && '" +
                                std::string(POMURAN_BIN_DIR) + "/pomuran-cli' tables 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    EXPECT_EQ(::pclose(pipe), 0) << output;
    EXPECT_EQ(output.substr(0, 22), "{\"LatestDrawNo\": 1353,");
}

namespace {
// Runs a shell command and returns its exit status and what it printed.
CliRun shell(const std::string& command)
{
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, "", "popen failed"};
    std::string output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output, ""};
}
}  // namespace

TEST(Cli, AnInstalledCopyKeepsItsDatabaseInThePlayersDataFolder)
{
    // An installed pomuran-cli: no database beside it, a fresh home folder.
    TempDir root;
    const std::filesystem::path bin = root.path() / "usr/bin", home = root.path() / "home";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(home / "work");
    std::filesystem::copy_file(std::string(POMURAN_BIN_DIR) + "/pomuran-cli", bin / "pomuran-cli");
    const std::string run = "cd '" + (home / "work").string() + "' && env -u XDG_DATA_HOME -u " +
                            "XDG_CONFIG_HOME HOME='" + home.string() + "' '" +
                            (bin / "pomuran-cli").string() + "' ";
    const std::string database = (home / ".local/share/pomuran/Pomuran.mdb").string();

    CliRun version = shell(run + "--version");
    EXPECT_EQ(version.status, 0) << version.out;
    EXPECT_NE(version.out.find("2.30"), std::string::npos) << version.out;
    EXPECT_NE(version.out.find("draw database: " + database + " (not there yet"), std::string::npos)
        << version.out;
    EXPECT_NE(
        version.out.find("settings file: " + (home / ".config/pomuran/ポムラン.ini").string()),
        std::string::npos)
        << version.out;
    EXPECT_FALSE(std::filesystem::exists(database)) << "--version makes nothing";

    // The first command that needs the database makes it empty; import then fills it.
    CliRun exported = shell(run + "export");
    EXPECT_EQ(exported.status, 0) << exported.out;
    EXPECT_EQ(exported.out, kHeader);
    writeFile((home / "work/draws.csv").string(), kHeader + "1,2000-01-04,1,2,3,4,5,6\n");
    CliRun imported = shell(run + "import draws.csv");
    EXPECT_EQ(imported.status, 0) << imported.out;
    EXPECT_NE(imported.out.find("1 added"), std::string::npos) << imported.out;
    EXPECT_EQ(shell(run + "export").out, readFile((home / "work/draws.csv").string()));

    // A settings file in the working directory is the one in use.
    writeFile((home / "work/ポムラン.ini").string(), "");
    EXPECT_NE(shell(run + "--version")
                  .out.find("settings file: " + (home / "work/ポムラン.ini").string() + "\n"),
              std::string::npos);

    // A damaged database there is reported and left as it was.
    writeFile(database, "damaged");
    CliRun damaged = shell(run + "tables");
    EXPECT_EQ(damaged.status, 1) << damaged.out;
    EXPECT_NE(damaged.out.find(database), std::string::npos) << damaged.out;
    EXPECT_EQ(readFile(database), "damaged");
}

TEST(Cli, ImportMergeAddsAndReplacesAndPrintsOneSummaryLine)
{
    TempDir dir;
    const std::string db = dir.file("Pomuran.mdb");
    writeFile(dir.file("old.csv"), kHeader + "1,,1,2,3,4,5,6\n2,,1,7,8,9,10,11\n");
    ASSERT_EQ(cli({"import", dir.file("old.csv"), "--db", db}).status, 0);
    // A results file in CP932 with other headings: draw 2 corrected, draw 3 new.
    writeFile(dir.file("new.csv"),
              *utf8ToCp932("開催回,本数字1,本数字2,本数字3,本数字4,本数字5,ボーナス数字\n"
                           "第2回,1,7,8,9,10,12\n第3回,３,４,５,６,７,８\n"));
    CliRun run = cli({"import", dir.file("new.csv"), "--db", db, "--merge"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1 added, 1 replaced, 0 unchanged, 0 rejected\n");
    run = cli({"export", "--db", db});
    EXPECT_EQ(run.out, kHeader + "1,,1,2,3,4,5,6\n2,,1,7,8,9,10,12\n3,,3,4,5,6,7,8\n");
    EXPECT_EQ(cli({"export", "--db", db, "--encoding", "cp932"}).out, *utf8ToCp932(run.out));

    // Rejected lines are all listed and nothing is written.
    const std::string before = readFile(db);
    writeFile(dir.file("bad.csv"), kHeader + "4,,1,2,3,4,5,6\n5,,5,5,5,5,5,5\n0,,1,2,3,4,5,6\n");
    run = cli({"import", dir.file("bad.csv"), "--db", db, "--merge"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("line 3"), std::string::npos);
    EXPECT_NE(run.err.find("line 4"), std::string::npos);
    EXPECT_NE(run.err.find("2 rejected; nothing written"), std::string::npos);
    EXPECT_EQ(readFile(db), before);

    // A file without draws never replaces a history of draws; unusable files change nothing.
    writeFile(dir.file("heading.csv"), kHeader);
    writeFile(dir.file("garbage.csv"), std::string(1 << 16, '\x8f'));
    for (const std::string& file : {dir.file("heading.csv"), dir.file("garbage.csv"),
                                    dir.path().string(), dir.file("no.csv")}) {
        for (const bool merge : {false, true}) {
            std::vector<std::string> args = {"import", file, "--db", db};
            if (merge) args.push_back("--merge");
            run = cli(args);
            // Merging a heading-only file adds nothing and is no error.
            if (merge && file == dir.file("heading.csv")) {
                EXPECT_EQ(run.out, "0 added, 0 replaced, 0 unchanged, 0 rejected\n");
            } else {
                EXPECT_EQ(run.status, 1) << file;
                EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            }
            EXPECT_EQ(readFile(db), before) << file;
        }
    }
}

TEST(Cli, ImportReadsOnlyRegularFilesOfABoundedSizeAndNeverWritesAReadOnlyDatabase)
{
    TempDir dir;
    const std::string db = dir.file("Pomuran.mdb"), fifo = dir.file("fifo.csv");
    writeFile(dir.file("good.csv"), kHeader + "1,,1,2,3,4,5,6\n");
    ASSERT_EQ(cli({"import", dir.file("good.csv"), "--db", db}).status, 0);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string big = dir.file("big.csv");
    // Sparse: the size says it all, nothing needs reading.
    writeFile(big, kHeader);
    std::filesystem::resize_file(big, kMaxDrawFileBytes + 1);
    const std::string before = readFile(db);
    for (const std::string& file : {std::string("/dev/zero"), fifo, big}) {
        for (const char* merge : {"", " --merge"}) {
            // A FIFO nobody writes into must not block the import.
            const CliRun run =
                shell("timeout 20 '" + std::string(POMURAN_BIN_DIR) + "/pomuran-cli' import '" +
                      file + "' --db '" + db + "'" + merge);
            EXPECT_EQ(run.status, 1) << file << run.out;
            EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
            EXPECT_NE(run.out.find(file), std::string::npos) << run.out;
        }
    }
    EXPECT_EQ(readFile(db), before);

    // Read-only by its mode: refused in one Japanese line by every writer, also for root.
    std::filesystem::permissions(db, std::filesystem::perms::owner_read);
    writeFile(dir.file("new.csv"), kHeader + "2,,1,2,3,4,5,7\n");
    const CliRun merged = cli({"import", dir.file("new.csv"), "--db", db, "--merge"});
    EXPECT_EQ(merged.status, 1);
    EXPECT_NE(merged.err.find("読み取り専用"), std::string::npos) << merged.err;
    EXPECT_EQ(readFile(db), before);
}
