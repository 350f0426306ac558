#include <gtest/gtest.h>

#include "core/base/cp932.h"
#include "core/prediction/prediction_options.h"
#include "test_support.h"

namespace {
std::string cp932(const std::string& utf8)
{
    return utf8ToCp932(utf8).value();
}
}  // namespace

TEST(SettingsText, SplitsAtEveryEqualsSignMatchesKeysExactlyAndLastLineWins)
{
    PredictionOptions options;
    applySettingsText(options,
                      "頻度分析Opt =True\r\n"  // key piece ends in a space: not recognised
                      "間隔分析Opt=True\r\n"
                      "出現回数分析Opt=True=False\r\n"  // pieces after the second ignored
                      "間隔分析Opt=False\r\n"
                      "\r\n"
                      "バラツキ分析Opt\r\n"      // no "=": ignored
                      "引っ張り分析Opt=yes\r\n"  // not True/False: ignored
                      "unknown=True\r\n"
                      "数字合計分析Opt=True");
    EXPECT_FALSE(options.isOn(0));
    EXPECT_FALSE(options.isOn(1));
    EXPECT_TRUE(options.isOn(2));
    EXPECT_FALSE(options.isOn(3));
    EXPECT_FALSE(options.isOn(4));
    EXPECT_TRUE(options.isOn(6));
    EXPECT_EQ(options.enabledCount(), 2);
}

TEST(SettingsFile, WritesTwelveCp932LinesAndReadsThemBack)
{
    TempDir dir;
    const std::string path = dir.file("ポムラン.ini");
    PredictionOptions options;
    options.set(0, true);
    options.set(8, true);
    ASSERT_TRUE(WriteInitFile(options, path));

    const std::string bytes = readFile(path);
    EXPECT_EQ(bytes.substr(0, cp932("頻度分析Opt=True\r\n").size()), cp932("頻度分析Opt=True\r\n"));
    EXPECT_NE(bytes.find(cp932("5分割傾向分析Opt=True\r\n")), std::string::npos);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 12);
    EXPECT_EQ(bytes, cp932(settingsText(options)));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    PredictionOptions reread;
    ReadInitFile(reread, path);
    EXPECT_EQ(reread, options);
}

TEST(SettingsFile, MissingOrInvalidFilesLeaveOptionsAsTheyWere)
{
    TempDir dir;
    PredictionOptions options;
    ReadInitFile(options, dir.file("absent.ini"));
    EXPECT_EQ(options.enabledCount(), 0);

    const std::string path = dir.file("broken.ini");
    writeFile(path, "\x81\x20\xff\xfe=True\r\n" + cp932("引っ張り分析Opt=True\r\n") + "\x82");
    ReadInitFile(options, path);
    EXPECT_TRUE(options.isOn(4));
    EXPECT_EQ(options.enabledCount(), 1);
}

TEST(SettingsFile, AFailedWriteKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.file("ポムラン.ini");
    writeFile(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);  // read-only
    EXPECT_FALSE(WriteInitFile(PredictionOptions(), path));
    EXPECT_EQ(readFile(path), "old");
}

TEST(SettingsFile, WritingKeepsModeAndLinksNeverWritesThroughAStrayLinkAndSaysWhatIsInTheWay)
{
    namespace fs = std::filesystem;
    struct Case {
        const char* name;
        void (*prepare)(const TempDir& dir, const std::string& path);
        bool written;
    };
    const Case cases[] = {
        {"a link at the old temporary name is left alone",
         [](const TempDir& dir, const std::string& path) {
             writeFile(dir.file("victim.txt"), "keep me");
             fs::create_symlink(dir.file("victim.txt"), path + ".tmp");
         },
         true},
        {"a file readable by its owner only stays so",
         [](const TempDir&, const std::string& path) {
             writeFile(path, "old");
             fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
         },
         true},
        {"a link the player made stays a link to the file written",
         [](const TempDir& dir, const std::string& path) {
             writeFile(dir.file("elsewhere.ini"), "old");
             fs::create_symlink(dir.file("elsewhere.ini"), path);
         },
         true},
        {"a read-only file is not replaced",
         [](const TempDir&, const std::string& path) {
             writeFile(path, "old");
             fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
         },
         false},
        {"a folder in the way",
         [](const TempDir&, const std::string& path) { fs::create_directory(path); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("ポムラン.ini");
        c.prepare(dir, path);
        const auto before = fs::symlink_status(path);
        const auto beforeFile = fs::status(path);
        PredictionOptions options;
        options.set(3, true);
        const Status written = WriteInitFile(options, path);
        ASSERT_EQ(written.ok(), c.written) << (written ? "" : written.error());
        if (c.written) {
            EXPECT_EQ(fs::symlink_status(path).type(),
                      fs::exists(before) ? before.type() : fs::file_type::regular);
            EXPECT_EQ(readFile(path), cp932(settingsText(options)));
            if (fs::exists(beforeFile)) {
                EXPECT_EQ(fs::status(path).permissions(), beforeFile.permissions());
            }
        } else {
            EXPECT_NE(written.error().find(path), std::string::npos) << written.error();
            EXPECT_EQ(fs::symlink_status(path).type(), before.type());
            if (fs::is_regular_file(before)) {
                EXPECT_EQ(readFile(path), "old");
            }
        }
        if (fs::exists(dir.file("victim.txt"))) {
            EXPECT_EQ(readFile(dir.file("victim.txt")), "keep me");
        }
        for (const auto& entry : fs::directory_iterator(dir.path()))
            EXPECT_EQ(entry.path().string().find(".tmp-"), std::string::npos)
                << "temporary left: " << entry.path();
    }
}

TEST(SettingsFile, OnlyTheBeginningOfAHugeFileIsRead)
{
    TempDir dir;
    const std::string path = dir.file("ポムラン.ini");
    // A line the program wrote, then a very long line, then a key only a full read would see.
    writeFile(path, cp932("引っ張り分析Opt=True\r\n") + std::string(kMaxSettingsFileBytes, 'x') +
                        cp932("\r\n頻度分析Opt=True\r\n"));
    PredictionOptions options;
    ReadInitFile(options, path);
    EXPECT_TRUE(options.isOn(4));
    EXPECT_FALSE(options.isOn(0));
}
