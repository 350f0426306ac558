// Window sizes in the program's designs are in twips (1/1440 inch); the screen has 96 pixels per
// inch, so 15 twips make one pixel.
#pragma once

inline constexpr int kTwipsPerPixel = 15;
constexpr int twipsToPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
