// A field value exactly as the database returned it: null, a whole number or text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

using RawValue = std::variant<std::monostate, std::int64_t, std::string>;

// Null and the empty text are empty fields.
bool isEmptyField(const RawValue& value);

// The value as a 16-bit whole number. Text such as "05" or " 7" reads as a number; null, empty
// text, text that is not a whole number ("abc", "5.0") and values outside -32768..32767 give
// nothing, so such a field never makes a row a complete draw.
std::optional<int> fieldNumber(const RawValue& value);

// Whole-number text parsing shared by the CSV reader and the settings of the entry window.
std::optional<std::int64_t> parseWholeNumber(std::string_view text);

// Plain text of a raw value for export: "" for null, the decimal text of a number, text as is.
std::string rawText(const RawValue& value);
