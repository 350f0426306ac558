#include "core/session/history_status.h"

#include <charconv>
#include <string_view>
#include <variant>

namespace {

// Reads digits at `at`, moving past them; nothing when there are none.
std::optional<int> readNumber(std::string_view text, std::size_t& at)
{
    int value = 0;
    const char* begin = text.data() + at;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end == begin) return std::nullopt;
    at += static_cast<std::size_t>(end - begin);
    return value;
}

bool skip(std::string_view text, std::size_t& at, std::string_view separator)
{
    if (text.substr(at, separator.size()) != separator) return false;
    at += separator.size();
    return true;
}

}  // namespace

std::optional<std::chrono::year_month_day> parseDrawDate(const RawValue& value)
{
    const auto* text = std::get_if<std::string>(&value);
    if (!text) return std::nullopt;
    const std::string_view date(*text);
    std::size_t at = 0;
    const auto year = readNumber(date, at);
    const bool kanji = year && skip(date, at, "年");
    if (!year || (!kanji && !skip(date, at, "-") && !skip(date, at, "/"))) return std::nullopt;
    const auto month = readNumber(date, at);
    if (!month || (kanji ? !skip(date, at, "月") : !skip(date, at, "-") && !skip(date, at, "/")))
        return std::nullopt;
    const auto day = readNumber(date, at);
    if (!day) return std::nullopt;
    if (kanji && !skip(date, at, "日")) return std::nullopt;
    if (at != date.size() && date[at] != ' ' && date[at] != 'T') return std::nullopt;
    const std::chrono::year_month_day parsed{std::chrono::year(*year),
                                             std::chrono::month(static_cast<unsigned>(*month)),
                                             std::chrono::day(static_cast<unsigned>(*day))};
    if (!parsed.ok()) return std::nullopt;
    return parsed;
}

HistoryStatus historyStatus(const DrawHistory& history, std::chrono::sys_days today)
{
    HistoryStatus status;
    const DrawRow* latest = nullptr;
    for (std::size_t i = 0; i < history.size(); ++i) {
        if (!history.draws()[i]) continue;
        ++status.draws;
        latest = &history.rows()[i];
        status.latestDrawNo = history.draws()[i]->drawNo;
    }
    if (!latest) return status;
    status.latestDate = parseDrawDate(latest->date);
    if (status.latestDate) {
        status.daysOld =
            static_cast<int>((today - std::chrono::sys_days(*status.latestDate)).count());
        status.probablyBehind = *status.daysOld > kStaleAfterDays;
    }
    return status;
}

std::string historyStatusText(const HistoryStatus& status)
{
    if (status.draws == 0) return "当選データがありません";
    std::string text = "当選データ" + std::to_string(status.draws) + "回分　最新は第" +
                       std::to_string(status.latestDrawNo) + "回";
    if (const auto& date = status.latestDate)
        text += "（" + std::to_string(static_cast<int>(date->year())) + "年" +
                std::to_string(static_cast<unsigned>(date->month())) + "月" +
                std::to_string(static_cast<unsigned>(date->day())) + "日）";
    else
        text += "（日付なし）";
    return text;
}

std::string historyStaleHint(const HistoryStatus& status)
{
    if (!status.probablyBehind || !status.daysOld) return {};
    return "最新の当選日から" + std::to_string(*status.daysOld) +
           "日たっています。新しい当選データが出ているかもしれません。";
}
