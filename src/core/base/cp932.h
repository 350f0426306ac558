// Conversion between UTF-8 and the Japanese ANSI code page (CP932) of the settings file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Nothing when the bytes are not valid in the source encoding.
std::optional<std::string> cp932ToUtf8(std::string_view bytes);
std::optional<std::string> utf8ToCp932(std::string_view text);
