#include <gtest/gtest.h>

#include "core/maintenance/entry_validation.h"

namespace {
EntryRowTexts row(std::string drawNo, std::array<std::string, 6> numbers)
{
    EntryRowTexts texts;
    texts[0] = std::move(drawNo);
    for (std::size_t k = 0; k < 6; ++k)
        texts[k + 1] = std::move(numbers[k]);
    return texts;
}
}  // namespace

TEST(EntryValidation, EmptyAndInRangeCellsPassOthersFail)
{
    struct Case {
        const char* text;
        bool wrong;
    };
    const Case cases[] = {
        {"", false},   {"1", false}, {"31", false},    {"05", false}, {"0", true},
        {"32", true},  {"-1", true}, {"1.5", true},    {".", true},   {"5.", true},
        {"abc", true}, {"1a", true}, {"100000", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isWrongEntry(c.text), c.wrong) << '"' << c.text << '"';
}

TEST(EntryValidation, AGridOfEmptyOrValidCellsHasNoWrongCell)
{
    EXPECT_FALSE(firstWrongCell({}));
    EXPECT_FALSE(firstWrongCell({row("1", {"1", "2", "3", "4", "5", "6"}),
                                 row("2", {"", "", "", "", "", ""}),
                                 row("3", {"31", "", "7", "", "", "30"})}));
}

TEST(EntryValidation, TheFirstWrongCellIsFoundRowByRowLeftToRight)
{
    // Row 1 has two wrong cells; row 2 has one further left; row 1's left one comes first.
    const std::vector<EntryRowTexts> rows = {row("1", {"1", "2", "3", "4", "5", "6"}),
                                             row("2", {"1", "2", "0", "4", "32", "6"}),
                                             row("3", {"40", "2", "3", "4", "5", "6"})};
    EXPECT_EQ(firstWrongCell(rows), (EntryCell{1, 3}));
}

TEST(EntryValidation, TheBonusIsCheckedButTheDrawNumberIsNot)
{
    EXPECT_EQ(firstWrongCell({row("1", {"1", "2", "3", "4", "5", "32"})}), (EntryCell{0, 6}));
    EXPECT_EQ(firstWrongCell({row("1", {"1", "2", "3", "4", "5", "0"})}), (EntryCell{0, 6}));
    EXPECT_FALSE(firstWrongCell(
        {row("0", {"1", "2", "3", "4", "5", "6"}), row("40000", {"", "", "", "", "", ""})}));
}

TEST(EntryValidation, EveryRowIsCheckedHoweverLongTheHistory)
{
    std::vector<EntryRowTexts> rows(6000, row("1", {"1", "2", "3", "4", "5", "6"}));
    EXPECT_FALSE(firstWrongCell(rows));
    rows[5999][2] = "1.5";
    EXPECT_EQ(firstWrongCell(rows), (EntryCell{5999, 2}));
}

TEST(EntryValidation, ARepeatedNumberABonusEqualToAMainNumberAndABadDateAreWrong)
{
    struct Case {
        std::array<std::string, 6> numbers;
        std::string date;
        std::optional<int> column;  // the wrong cell, if any
    };
    const Case cases[] = {
        {{"1", "2", "3", "4", "5", "6"}, "2026-12-08", std::nullopt},
        {{"1", "2", "", "", "", ""}, "", std::nullopt},  // unfinished rows are no draws yet
        {{"7", "2", "3", "07", "5", "6"}, "", 4},        // "07" is 7
        {{"1", "2", "3", "4", "5", "3"}, "", 6},
        {{"1", "2", "3", "4", "5", "6"}, "2026-02-30", 7},
        {{"1", "2", "3", "4", "5", "6"}, "12/08", 7},
        {{"1", "2", "3", "4", "5", "6"}, "2026/12/08", std::nullopt},
    };
    for (const Case& c : cases) {
        EntryRowTexts texts = row("1", c.numbers);
        texts[kDateEntryColumn] = c.date;
        const auto wrong = firstWrongCell({texts});
        EXPECT_EQ(wrong ? std::optional(wrong->column) : std::nullopt, c.column)
            << c.numbers[0] << c.numbers[3] << c.numbers[5] << " " << c.date;
    }
    EXPECT_EQ(dateAfter("2026-12-29", kDaysBetweenDraws), "2027-01-05");
    EXPECT_EQ(dateAfter("2024/02/26", kDaysBetweenDraws), "2024-03-04");
    EXPECT_EQ(dateAfter("", kDaysBetweenDraws), std::nullopt);
}
