#include <gtest/gtest.h>

#include "analyses/text_runs.h"
#include "core/analyses/analysis_builders.h"
#include "core/analyses/group_division_analysis.h"
#include "test_support.h"

namespace {

constexpr Rgb kShaded = rgb(200, 255, 255);
constexpr Rgb kNoHit = rgb(210, 210, 210);
constexpr Rgb kMainDot = rgb(62, 158, 255);
constexpr Rgb kBonusDot = rgb(255, 128, 192);
constexpr int kFirstDrawRow = 4;

using Builder = ResultGrid (*)(const DrawHistory&, const DrawTables&);

ResultGrid build(Builder builder, const DrawHistory& history)
{
    return builder(history, LoadDrawTables(history));
}

// The grey groups of a draw row, as their letters' columns: number n is in column n + 1.
std::vector<int> greyNumbers(const ResultGrid& grid, int row)
{
    std::vector<int> numbers;
    for (int n = 1; n <= 31; ++n)
        if (grid.cell(n + 1, row).bg == kNoHit) numbers.push_back(n);
    return numbers;
}

std::vector<int> range(int first, int last)
{
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

std::vector<int> joined(std::initializer_list<std::vector<int>> parts)
{
    std::vector<int> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace

TEST(GroupDivision, GroupsMissedByAllSixNumbersAreGrey)
{
    const ResultGrid grid =
        build(buildSixGroupDivision,
              historyOf({
                  drawRow(1, {1, 6, 11, 16, 21, 26}),  // six different groups
                  drawRow(2, {1, 2, 3, 7, 12, 17}),    // three in Ａ, one each in Ｂ, Ｃ, Ｄ
              }));
    EXPECT_TRUE(greyNumbers(grid, kFirstDrawRow).empty());
    EXPECT_EQ(greyNumbers(grid, kFirstDrawRow + 1), range(21, 31));
}

TEST(GroupDivision, AGroupHitOnlyByTheBonusIsNotGreyAndItsMarkIsPink)
{
    const ResultGrid grid = build(buildSixGroupDivision, historyOf({
                                                             drawRow(1, {1, 2, 3, 4, 5, 31}),
                                                         }));
    const int row = kFirstDrawRow;
    EXPECT_EQ(greyNumbers(grid, row), range(6, 25));
    // Ｆ (26..31) is a shaded group and keeps its shade.
    EXPECT_EQ(grid.cell(27, row).bg, kShaded);
    EXPECT_EQ(grid.text(32, row), "●");
    EXPECT_EQ(grid.cell(32, row).fg, kBonusDot);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(grid.text(n + 1, row), "●");
        EXPECT_EQ(grid.cell(n + 1, row).fg, kMainDot);
    }
    EXPECT_EQ(grid.text(1, row), "1");
    EXPECT_EQ(grid.text(33, row), "1");
}

TEST(GroupDivision, EachWindowHasItsOwnGrouping)
{
    const DrawHistory history = historyOf({drawRow(1, {5, 6, 31, 12, 13, 14})});
    // 6 groups: 5 in Ａ, 6 in Ｂ, 12..14 in Ｃ, 31 in Ｆ -> Ｄ, Ｅ grey.
    EXPECT_EQ(greyNumbers(build(buildSixGroupDivision, history), kFirstDrawRow), range(16, 25));
    // 7 groups: 5 and 6 both in Ｂ (5..8); Ｃ 9..12, Ｄ 13..16, Ｇ 25..31 -> Ａ, Ｅ, Ｆ grey.
    EXPECT_EQ(greyNumbers(build(buildSevenGroupDivision, history), kFirstDrawRow),
              joined({range(1, 4), range(17, 24)}));
    // 10 groups: Ｂ (4..6), Ｄ (10..12), Ｅ (13..15), Ｊ (28..31) hit; the six others grey.
    EXPECT_EQ(greyNumbers(build(buildTenGroupDivision, history), kFirstDrawRow),
              joined({range(1, 3), range(7, 9), range(16, 27)}));
}

TEST(GroupDivision, InTheTenGroupWindowEveryDrawLeavesAtLeastFourGroupsGrey)
{
    const ResultGrid grid = build(buildTenGroupDivision, syntheticHistory(40));
    const auto& groups = groupDivisions()[2].groups;
    for (int row = kFirstDrawRow; row < kFirstDrawRow + 40; ++row) {
        int grey = 0;
        for (const auto& group : groups)
            if (grid.cell(group.first + 1, row).bg == kNoHit) ++grey;
        EXPECT_GE(grey, 4) << row;
    }
}

TEST(GroupDivision, HeadingPairsRepeatBeforeEveryFiftyDraws)
{
    {
        const ResultGrid grid = build(buildSixGroupDivision, syntheticHistory(50));
        EXPECT_EQ(grid.rowCount(), 53);
        EXPECT_EQ(grid.text(1, 53), "50");
    }
    const ResultGrid grid = build(buildSixGroupDivision, syntheticHistory(51));
    ASSERT_EQ(grid.rowCount(), 56);
    for (const int numberRow : {3, 55}) {
        EXPECT_EQ(grid.text(1, numberRow), "回");
        EXPECT_EQ(grid.text(33, numberRow), "回");
        EXPECT_EQ(grid.text(2, numberRow), "1");
        EXPECT_EQ(grid.text(32, numberRow), "31");
        EXPECT_EQ(grid.cell(2, numberRow).fg, rgb(0, 0, 255));
        EXPECT_EQ(textRuns(grid.text(2, numberRow - 1)), "9sp,Ａ,14sp");
        // One box per group in the letter row: Ａ is 1..5, so columns 2..6.
        EXPECT_TRUE(grid.cell(2, numberRow - 1).border(Side::Left).shown);
        EXPECT_FALSE(grid.cell(2, numberRow - 1).border(Side::Right).shown);
        EXPECT_TRUE(grid.cell(6, numberRow - 1).border(Side::Right).shown);
        EXPECT_TRUE(grid.cell(4, numberRow - 1).border(Side::Top).shown);
    }
    EXPECT_EQ(grid.text(1, 54), "");
    EXPECT_EQ(grid.text(1, 56), "51");
    // The frozen title and first heading pair stay in view.
    EXPECT_EQ(grid.frozenRows(), 3);
}

TEST(GroupDivision, EmptyHistoryIsTheTitleRowAlone)
{
    for (const Builder builder :
         {buildSixGroupDivision, buildSevenGroupDivision, buildTenGroupDivision}) {
        const ResultGrid grid = build(builder, DrawHistory{});
        ASSERT_EQ(grid.rowCount(), 1);
        EXPECT_EQ(grid.columnCount(), 33);
        EXPECT_FALSE(grid.text(2, 1).empty());
        // Nothing meant for the rows below lands on the title row.
        EXPECT_EQ(grid.cell(3, 1).bg, kWhite);
        EXPECT_FALSE(grid.cell(3, 1).border(Side::Left).shown);
        EXPECT_TRUE(grid.cell(3, 1).border(Side::Top).shown);
    }
}

TEST(GroupDivision, ShadedGroupsAndRowHeightsFollowTheWindow)
{
    const DrawHistory history = historyOf({drawRow(1, {1, 2, 3, 4, 5, 6})});
    const ResultGrid six = build(buildSixGroupDivision, history);
    EXPECT_EQ(six.rowHeight(1), 15);
    EXPECT_EQ(six.rowHeight(2), 12);
    EXPECT_EQ(six.rowHeight(4), 9);
    // Shaded from the letter row down: Ｂ in the letter row, the number row and a draw row.
    EXPECT_EQ(six.cell(8, 2).bg, kShaded);
    EXPECT_EQ(six.cell(8, 3).bg, kShaded);
    EXPECT_EQ(six.cell(8, 4).bg, kShaded);
    EXPECT_EQ(six.cell(2, 3).bg, kWhite);

    const ResultGrid seven = build(buildSevenGroupDivision, history);
    EXPECT_EQ(seven.rowHeight(1), 9);
    EXPECT_EQ(seven.rowHeight(2), 9);
    EXPECT_EQ(seven.cell(6, 3).bg, kShaded);  // 5 is in Ｂ (5..8)
    EXPECT_EQ(seven.cell(26, 3).bg, kWhite);  // 25 is in Ｇ

    const ResultGrid ten = build(buildTenGroupDivision, history);
    EXPECT_EQ(ten.cell(30, 3).bg, kShaded);  // 29 is in Ｊ (28..31)
    EXPECT_EQ(ten.cell(23, 3).bg, kShaded);  // 22 is in Ｈ
    EXPECT_EQ(ten.cell(26, 3).bg, kWhite);   // 25 is in Ｉ
    EXPECT_EQ(ten.cell(1, 3).bg, rgb(255, 255, 200));
    EXPECT_EQ(ten.cell(1, 3).fg, rgb(255, 0, 0));
}

TEST(GroupDivision, StoredValuesOutsideOneToThirtyOneAreNeitherMarkedNorCounted)
{
    const ResultGrid grid = build(buildSixGroupDivision, historyOf({
                                                             drawRow(7, {0, 2, 3, 4, 5, 32}),
                                                         }));
    const int row = kFirstDrawRow;
    EXPECT_EQ(grid.text(1, row), "7");
    EXPECT_EQ(grid.text(33, row), "7");
    EXPECT_EQ(greyNumbers(grid, row), range(6, 31));
}

TEST(GroupDivision, LetterTextsAreSpelledOutExactly)
{
    const auto& divisions = groupDivisions();
    std::vector<std::string> six, seven, ten;
    for (const auto& group : divisions[0].groups)
        six.push_back(textRuns(group.letterText));
    for (const auto& group : divisions[1].groups)
        seven.push_back(textRuns(group.letterText));
    for (const auto& group : divisions[2].groups)
        ten.push_back(textRuns(group.letterText));
    EXPECT_EQ(six, (std::vector<std::string>{"9sp,Ａ,14sp", "9sp,Ｂ,14sp", "9sp,Ｃ,14sp",
                                             "9sp,Ｄ,14sp", "9sp,Ｅ,14sp", "2sp,1isp,7sp,Ｆ,7sp"}));
    EXPECT_EQ(seven,
              (std::vector<std::string>{"7sp,Ａ,12sp", "7sp,Ｂ,12sp", "7sp,Ｃ,12sp", "7sp,Ｄ,12sp",
                                        "7sp,Ｅ,12sp", "7sp,Ｆ,12sp", "13sp,Ｇ,12sp"}));
    const std::string a = "1sp,2isp,%,1sp,2isp,1sp";
    const std::string b = "1sp,2isp,%,2sp,2isp";
    const std::string c = "1sp,2isp,%,2isp,2sp";
    auto shape = [](std::string pattern, const char* letter) {
        return pattern.replace(pattern.find('%'), 1, letter);
    };
    EXPECT_EQ(ten, (std::vector<std::string>{shape(a, "Ａ"), shape(b, "Ｂ"), shape(c, "Ｃ"),
                                             shape(b, "Ｄ"), shape(a, "Ｅ"), shape(a, "Ｆ"),
                                             shape(c, "Ｇ"), shape(b, "Ｈ"), shape(c, "Ｉ"),
                                             "1sp,3isp,Ｊ,1isp,2sp"}));
    for (const auto& group : divisions[2].groups)
        EXPECT_EQ(codePointCount(group.letterText), 8) << group.letterText;
}

TEST(GroupDivision, TitlesAreSpelledOutExactly)
{
    const auto& divisions = groupDivisions();
    const std::string titleA =
        "28sp,2isp,12sp,2isp,1sp,2isp,2sp,1isp,数,2isp,1sp,字,28sp,2isp,12sp,2isp,1sp,2isp,2sp,"
        "2isp";
    const std::string titleB =
        "28sp,2isp,12sp,2isp,3sp,1isp,数,2isp,1sp,字,7sp,2isp,21sp,2isp,12sp,6isp,3sp,1isp";
    EXPECT_EQ(textRuns(divisions[0].title), titleA);
    EXPECT_EQ(textRuns(divisions[1].title), titleB);
    EXPECT_EQ(textRuns(divisions[2].title), titleA);
    EXPECT_EQ(codePointCount(divisions[0].title), 106);
    EXPECT_EQ(codePointCount(divisions[1].title), 107);

    const ResultGrid grid = build(buildSevenGroupDivision, DrawHistory{});
    EXPECT_EQ(grid.text(2, 1), divisions[1].title);
    EXPECT_EQ(grid.cell(2, 1).hAlign, HAlign::Left);
    EXPECT_EQ(grid.cell(2, 1).bg, rgb(255, 200, 200));
}

TEST(GroupDivision, GroupsCoverOneToThirtyOneInOrder)
{
    for (const auto& division : groupDivisions()) {
        int next = 1;
        for (const auto& group : division.groups) {
            EXPECT_EQ(group.first, next) << division.windowName;
            EXPECT_GE(group.last, group.first);
            next = group.last + 1;
        }
        EXPECT_EQ(next, 32) << division.windowName;
    }
}
