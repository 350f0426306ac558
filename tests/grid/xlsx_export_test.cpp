#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "core/grid/xlsx_export.h"
#include "test_support.h"

namespace {

// The output of a shell command, or nothing when it fails.
std::optional<std::string> commandOutput(const std::string& command)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    if (::pclose(pipe) != 0) return std::nullopt;
    return output;
}

// Column 1 and row 1 frozen; B2 holds the number 42 on a distinctive fill, C2 the text "12回前".
ResultGrid sampleGrid(int rows = 3)
{
    ResultGrid grid(3, rows);
    grid.setText(2, 1, "本 数 字");
    grid.setText(2, 2, "42");
    grid.setText(3, 2, "12回前");
    grid.setText(1, 3, "05");  // written with a leading zero: stays text
    grid.setColors(cellAt(2, 2), rgb(0, 0, 255), rgb(0x12, 0xAB, 0x34));
    grid.setAllBorders(blockOf(1, 1, 3, 2));
    grid.setFrozenRows(1);
    grid.setFrozenColumns(1);
    return grid;
}

std::vector<std::string> filesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

}  // namespace

TEST(XlsxExport, TheWorkbookHoldsValuesFillsAndTheFrozenPane)
{
    if (!commandOutput("unzip -v >/dev/null 2>&1")) GTEST_SKIP() << "unzip is not installed";
    TempDir dir;
    const std::string file = dir.file("表.xlsx");
    const Status saved = saveXlsx(sampleGrid(), "出現間隔分析", file);
    ASSERT_TRUE(saved.ok()) << saved.error();
    const auto sheet = commandOutput("unzip -p '" + file + "' xl/worksheets/sheet1.xml");
    const auto styles = commandOutput("unzip -p '" + file + "' xl/styles.xml");
    const auto book = commandOutput("unzip -p '" + file + "' xl/workbook.xml");
    ASSERT_TRUE(sheet && styles && book);
    EXPECT_NE(sheet->find(R"(<c r="B2" s=")"), std::string::npos);
    EXPECT_NE(sheet->find("<v>42</v>"), std::string::npos);  // a number, not text
    EXPECT_NE(sheet->find("<t>12回前</t>"), std::string::npos);
    EXPECT_NE(sheet->find("<t>05</t>"), std::string::npos);
    EXPECT_NE(sheet->find(R"(xSplit="1" ySplit="1")"), std::string::npos);
    EXPECT_NE(sheet->find(R"(state="frozen")"), std::string::npos);
    EXPECT_NE(styles->find(R"(<fgColor rgb="FF12AB34"/>)"), std::string::npos);
    EXPECT_NE(styles->find(R"(<color rgb="FF0000FF"/>)"), std::string::npos);
    EXPECT_NE(book->find(R"(<sheet name="出現間隔分析")"), std::string::npos);
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"表.xlsx"});
}

TEST(XlsxExport, CsvStartsWithAByteOrderMarkAndQuotesWhereNeeded)
{
    TempDir dir;
    ResultGrid grid = sampleGrid();
    grid.setText(3, 3, "a,\"b\"");
    ASSERT_TRUE(saveCsvWithBom(grid, dir.file("t.csv")).ok());
    EXPECT_EQ(readFile(dir.file("t.csv")),
              "\xEF\xBB\xBF,本 数 字,\r\n,42,12回前\r\n05,,\"a,\"\"b\"\"\"\r\n");
}

TEST(XlsxExport, CancelledAndFailedSavesLeaveNoFile)
{
    struct Case {
        const char* name;
        Status (*save)(const ResultGrid&, const std::string&, const SaveProgress&);
    };
    const Case cases[] = {
        {"xlsx", [](const ResultGrid& g, const std::string& f,
                    const SaveProgress& p) { return saveXlsx(g, "s", f, p); }},
        {"csv", saveCsvWithBom},
    };
    const ResultGrid big = sampleGrid(5000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeFile(dir.file("old"), "kept");
        int calls = 0;
        const Status cancelled = c.save(big, dir.file("out"), [&](double) { return ++calls < 3; });
        ASSERT_FALSE(cancelled.ok());
        EXPECT_EQ(cancelled.error(), kSaveCancelled);
        EXPECT_EQ(calls, 3);
        EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"old"});

        // Over an existing file: a cancelled save keeps the old one whole.
        EXPECT_FALSE(c.save(big, dir.file("old"), [](double) { return false; }).ok());
        EXPECT_EQ(readFile(dir.file("old")), "kept");

        const Status missing = c.save(big, dir.file("no/such/folder/out"), {});
        ASSERT_FALSE(missing.ok());
        EXPECT_NE(missing.error().find("no/such/folder/out"), std::string::npos);
        EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"old"});
    }
}

TEST(XlsxExport, SheetNamesFitExcelsRules)
{
    EXPECT_EQ(xlsxSheetName("出現間隔分析"), "出現間隔分析");
    EXPECT_EQ(xlsxSheetName("a/b:c?"), "a_b_c_");
    EXPECT_EQ(xlsxSheetName(""), "Sheet1");
    EXPECT_EQ(xlsxSheetName(std::string(40, 'x')), std::string(31, 'x'));
}
