// Runs of spaces and ideographic spaces (U+3000): the heading texts of several windows are padded
// with both so that they sit over the middle of the columns they overflow into.
#pragma once

#include <string>

inline std::string spaces(int count)
{
    return std::string(count > 0 ? count : 0, ' ');
}

inline std::string ideographicSpaces(int count)
{
    static constexpr char kIdeographicSpace[] = "\u3000";  // three bytes in UTF-8
    std::string text;
    for (int i = 0; i < count; ++i)
        text += kIdeographicSpace;
    return text;
}
