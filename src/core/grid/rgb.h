// A colour of a grid cell, and the grid's plain text and background colours. Every other colour
// is in the palette (grid/palette.h).
#pragma once

#include <cstdint>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb rgb(int r, int g, int b)
{
    return Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
               static_cast<std::uint8_t>(b)};
}

inline constexpr Rgb kBlack = rgb(0, 0, 0);
inline constexpr Rgb kWhite = rgb(255, 255, 255);
