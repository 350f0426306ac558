#include "core/grid/xlsx_export.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <map>
#include <tuple>

#include "core/base/csv_field.h"
#include "core/base/file_replacement.h"
#include "core/grid/grid_geometry.h"

namespace {

constexpr const char* kGridFontName = "ＭＳ Ｐゴシック";
constexpr double kGridFontPoints = 9;
constexpr int kSpreadsheetCellPadding = 5;  // pixels
constexpr int kRowsPerProgress = 256;

lxw_color_t toColor(Rgb c)
{
    return static_cast<lxw_color_t>(c.r) << 16 | static_cast<lxw_color_t>(c.g) << 8 | c.b;
}

// A whole number Excel keeps exactly (15 digits), written as plain decimal text ("-3", "120").
bool isWholeNumber(std::string_view text)
{
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == i || text.size() - i > 15) return false;
    if (text[i] == '0' && text.size() - i > 1) return false;  // "05" stays text, as written
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// What a cell looks like; cells that look alike share one workbook format.
struct CellStyle {
    Rgb fg, bg;
    HAlign hAlign;
    VAlign vAlign;
    std::array<Border, 4> edges;  // the line drawn on each side, whichever neighbour owns it
    auto key() const
    {
        std::array<std::uint32_t, 4> lines{};
        for (std::size_t s = 0; s < 4; ++s)
            lines[s] = edges[s].shown ? (toColor(edges[s].color) | 1u << 24) : 0;
        return std::tuple(toColor(fg), toColor(bg), static_cast<int>(hAlign),
                          static_cast<int>(vAlign), lines);
    }
    bool isPlain() const
    {
        for (const Border& b : edges)
            if (b.shown) return false;
        return fg == kBlack && bg == kWhite;
    }
};

// The line on one side of a cell: the cell's own, else its neighbour's on the shared edge (the
// grid view draws either).
Border edge(const ResultGrid& grid, const Cell& cell, int col, int row, Side side)
{
    const Border& own = cell.border(side);
    if (own.shown) return own;
    switch (side) {
    case Side::Left:
        return grid.border(col - 1, row, Side::Right);
    case Side::Right:
        return grid.border(col + 1, row, Side::Left);
    case Side::Top:
        return grid.border(col, row - 1, Side::Bottom);
    case Side::Bottom:
        return grid.border(col, row + 1, Side::Top);
    }
    return own;
}

class FormatCache {
public:
    explicit FormatCache(lxw_workbook* workbook) : m_workbook(workbook) {}

    lxw_format* format(const CellStyle& style)
    {
        auto [it, added] = m_formats.try_emplace(style.key(), nullptr);
        if (added) it->second = make(style);
        return it->second;
    }

private:
    lxw_format* make(const CellStyle& style)
    {
        lxw_format* f = workbook_add_format(m_workbook);
        format_set_font_name(f, kGridFontName);
        format_set_font_size(f, kGridFontPoints);
        if (style.fg != kBlack) format_set_font_color(f, toColor(style.fg));
        // White is the sheet's own colour once grid lines are hidden; no fill keeps files small.
        if (style.bg != kWhite) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, toColor(style.bg));
        }
        format_set_align(f, style.hAlign == HAlign::Left    ? LXW_ALIGN_LEFT
                            : style.hAlign == HAlign::Right ? LXW_ALIGN_RIGHT
                                                            : LXW_ALIGN_CENTER);
        format_set_align(f, style.vAlign == VAlign::Top      ? LXW_ALIGN_VERTICAL_TOP
                            : style.vAlign == VAlign::Bottom ? LXW_ALIGN_VERTICAL_BOTTOM
                                                             : LXW_ALIGN_VERTICAL_CENTER);
        const Border& left = style.edges[static_cast<int>(Side::Left)];
        const Border& top = style.edges[static_cast<int>(Side::Top)];
        const Border& right = style.edges[static_cast<int>(Side::Right)];
        const Border& bottom = style.edges[static_cast<int>(Side::Bottom)];
        if (left.shown) {
            format_set_left(f, LXW_BORDER_THIN);
            format_set_left_color(f, toColor(left.color));
        }
        if (top.shown) {
            format_set_top(f, LXW_BORDER_THIN);
            format_set_top_color(f, toColor(top.color));
        }
        if (right.shown) {
            format_set_right(f, LXW_BORDER_THIN);
            format_set_right_color(f, toColor(right.color));
        }
        if (bottom.shown) {
            format_set_bottom(f, LXW_BORDER_THIN);
            format_set_bottom_color(f, toColor(bottom.color));
        }
        return f;
    }

    lxw_workbook* m_workbook;
    std::map<decltype(CellStyle{}.key()), lxw_format*> m_formats;
};

Status failure(const std::string& destination, lxw_error error)
{
    return Error{destination + " に保存できません: " + lxw_strerror(error)};
}

}  // namespace

std::string xlsxSheetName(std::string_view windowName)
{
    std::string name;
    int characters = 0;
    for (std::size_t i = 0; i < windowName.size() && characters < 31;) {
        const unsigned char lead = static_cast<unsigned char>(windowName[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        // A character outside the basic plane counts twice in Excel's UTF-16 limit.
        if (length == 4 && characters + 2 > 31) break;
        std::string_view ch = windowName.substr(i, length);
        if (ch.size() == 1 && std::string_view("[]:*?/\\").find(ch[0]) != std::string_view::npos)
            name += '_';
        else
            name += ch;
        characters += length == 4 ? 2 : 1;
        i += length;
    }
    // A sheet name may not start or end with an apostrophe.
    if (!name.empty() && name.front() == '\'') name.front() = '_';
    if (!name.empty() && name.back() == '\'') name.back() = '_';
    return name.empty() ? std::string("Sheet1") : name;
}

Status saveXlsx(const ResultGrid& grid, std::string_view sheetName, const std::string& destination,
                const SaveProgress& progress)
{
    auto pending = FileReplacement::begin(destination, "save");
    if (!pending) return Error{pending.error()};

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(pending->temporaryPath().c_str(), &options);
    if (!workbook) return Error{destination + " に保存できません。"};
    const std::string name = xlsxSheetName(sheetName);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, name.c_str());
    if (!sheet) {
        workbook_close(workbook);
        return Error{destination + " に保存できません。"};
    }
    worksheet_gridlines(sheet, LXW_HIDE_ALL_GRIDLINES);

    // A spreadsheet shows a number too wide for its column as "###": every text gets its room
    // in the grid font plus the few pixels of padding a spreadsheet puts around a cell's text.
    const GridGeometry geometry(grid, gridFontWidths(), kSpreadsheetCellPadding);
    for (int c = 1; c <= grid.columnCount(); ++c)
        worksheet_set_column_pixels(sheet, static_cast<lxw_col_t>(c - 1),
                                    static_cast<lxw_col_t>(c - 1), geometry.columnWidth(c),
                                    nullptr);
    if (grid.frozenRows() > 0 || grid.frozenColumns() > 0)
        worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(geometry.frozenRows()),
                               static_cast<lxw_col_t>(geometry.frozenColumns()));

    FormatCache formats(workbook);
    lxw_error error = LXW_NO_ERROR;
    bool cancelled = false;
    for (int r = 1; r <= grid.rowCount() && error == LXW_NO_ERROR; ++r) {
        if (progress && r % kRowsPerProgress == 0 &&
            !progress(static_cast<double>(r) / grid.rowCount())) {
            cancelled = true;
            break;
        }
        const auto row = static_cast<lxw_row_t>(r - 1);
        // In constant-memory mode a row's height must be set before its cells are written.
        worksheet_set_row_pixels(sheet, row, geometry.rowHeight(r), nullptr);
        for (int c = 1; c <= grid.columnCount() && error == LXW_NO_ERROR; ++c) {
            const auto col = static_cast<lxw_col_t>(c - 1);
            const Cell cell = grid.cell(c, r);
            const std::string& text = cell.text;
            CellStyle style{cell.fg, cell.bg, cell.hAlign, cell.vAlign, {}};
            for (const Side side : {Side::Left, Side::Top, Side::Right, Side::Bottom})
                style.edges[static_cast<int>(side)] = edge(grid, cell, c, r, side);
            if (text.empty() && style.isPlain()) continue;
            lxw_format* format = formats.format(style);
            if (text.empty())
                error = worksheet_write_blank(sheet, row, col, format);
            else if (isWholeNumber(text))
                error = worksheet_write_number(sheet, row, col,
                                               static_cast<double>(std::stoll(text)), format);
            else
                error = worksheet_write_string(sheet, row, col, text.c_str(), format);
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (cancelled) return Error{kSaveCancelled};
    if (error != LXW_NO_ERROR) return failure(destination, error);
    if (closed != LXW_NO_ERROR) return failure(destination, closed);
    if (progress) progress(1.0);
    return pending->commit();
}

Status saveCsvWithBom(const ResultGrid& grid, const std::string& destination,
                      const SaveProgress& progress)
{
    auto pending = FileReplacement::begin(destination, "save");
    if (!pending) return Error{pending.error()};
    std::FILE* file = std::fopen(pending->temporaryPath().c_str(), "wb");
    if (!file) return Error{destination + " に保存できません。"};
    bool written = std::fputs("\xEF\xBB\xBF", file) >= 0;
    std::string line;
    for (int r = 1; r <= grid.rowCount() && written; ++r) {
        if (progress && r % kRowsPerProgress == 0 &&
            !progress(static_cast<double>(r) / grid.rowCount())) {
            std::fclose(file);
            return Error{kSaveCancelled};
        }
        line.clear();
        for (int c = 1; c <= grid.columnCount(); ++c) {
            if (c > 1) line += ',';
            appendCsvField(line, grid.textView(c, r));
        }
        line += "\r\n";
        written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    }
    if (std::fclose(file) != 0 || !written) return Error{destination + " に保存できません。"};
    return pending->commit();
}
