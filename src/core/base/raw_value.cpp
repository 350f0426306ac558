#include "core/base/raw_value.h"

#include <charconv>
#include <limits>

bool isEmptyField(const RawValue& value)
{
    if (std::holds_alternative<std::monostate>(value)) return true;
    if (const auto* text = std::get_if<std::string>(&value)) return text->empty();
    return false;
}

std::optional<std::int64_t> parseWholeNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::int64_t number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

std::optional<int> fieldNumber(const RawValue& value)
{
    std::optional<std::int64_t> number;
    if (const auto* integer = std::get_if<std::int64_t>(&value))
        number = *integer;
    else if (const auto* text = std::get_if<std::string>(&value))
        number = parseWholeNumber(*text);
    if (!number || *number < std::numeric_limits<std::int16_t>::min() ||
        *number > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<int>(*number);
}

std::string rawText(const RawValue& value)
{
    if (const auto* integer = std::get_if<std::int64_t>(&value)) return std::to_string(*integer);
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    return {};
}
