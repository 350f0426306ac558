#include "core/prediction/prediction_options.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "core/base/cp932.h"
#include "core/base/file_replacement.h"

const std::array<PredictionOptionInfo, kOptionCount> kPredictionOptions = {{
    {"頻度分析Opt", "■頻度分析（出現頻度分析）"},
    {"間隔分析Opt", "■間隔分析（出現間隔分析）"},
    {"出現回数分析Opt", "■出現回数分析"},
    {"バラツキ分析Opt", "■バラツキ分析"},
    {"引っ張り分析Opt", "■引っ張り分析"},
    {"連番飛び石分析Opt", "■連番・飛び石分析"},
    {"数字合計分析Opt", "■数字合計分析"},
    {"組合せパターン分析Opt", "■組合せパターン分析"},
    {"5分割傾向分析Opt", "■4分割傾向分析"},
    {"分割データ分析Opt", "■分割データ分析"},
    {"下一桁出現傾向分析Opt", "■下一桁出現傾向分析"},
    {"下一桁連続出現回数分析Opt", "■下一桁連続出現回数分析"},
}};

int PredictionOptions::enabledCount() const
{
    return static_cast<int>(std::count(m_on.begin(), m_on.end(), true));
}

namespace {

std::vector<std::string_view> splitAt(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string_view::npos;
         start = at + 1)
        pieces.push_back(text.substr(start, at - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

void applyLine(PredictionOptions& options, std::string_view line)
{
    const auto pieces = splitAt(line, '=');
    if (pieces.size() < 2) return;
    for (int i = 0; i < kOptionCount; ++i) {
        if (pieces[0] != kPredictionOptions[i].key) continue;
        if (pieces[1] == "True")
            options.set(i, true);
        else if (pieces[1] == "False")
            options.set(i, false);
        return;
    }
}

std::string_view withoutLineEnd(std::string_view line)
{
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

void applySettingsText(PredictionOptions& options, std::string_view text)
{
    for (const auto line : splitAt(text, '\n'))
        applyLine(options, withoutLineEnd(line));
}

std::string settingsText(const PredictionOptions& options)
{
    std::string text;
    for (int i = 0; i < kOptionCount; ++i)
        text += std::string(kPredictionOptions[i].key) + '=' +
                (options.isOn(i) ? "True" : "False") + "\r\n";
    return text;
}

void ReadInitFile(PredictionOptions& options, const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return;
    // Twelve short lines make a few hundred bytes; whatever lies beyond the bound is not a
    // settings file the program wrote, and reading it all would only cost time and memory.
    std::string content(kMaxSettingsFileBytes, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(in.gcount()));
    // Line by line, so that one line in another encoding does not hide the rest. Splitting the
    // raw bytes at LF is safe: no CP932 trail byte is a control character.
    for (const auto line : splitAt(content, '\n')) {
        if (const auto text = cp932ToUtf8(withoutLineEnd(line))) applyLine(options, *text);
    }
}

Status WriteInitFile(const PredictionOptions& options, const std::string& path)
{
    const auto bytes = utf8ToCp932(settingsText(options));
    if (!bytes) return Error{path + "：設定を CP932 で書けません。"};
    auto replacement = FileReplacement::begin(path, "tmp");
    if (!replacement) return Error{replacement.error()};
    if (auto written = replacement->write(*bytes); !written) return written;
    return replacement->commit();
}
