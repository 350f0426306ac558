#include <gtest/gtest.h>

#include "draws/cp932.h"
#include "prediction/prediction_options.h"
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
    std::filesystem::create_directory(path + ".tmp");  // the temporary cannot be created
    EXPECT_FALSE(WriteInitFile(PredictionOptions(), path));
    EXPECT_EQ(readFile(path), "old");
}
