#pragma once

// Window and page sizes come in twips, 1/1440 inch: 15 to a screen pixel at
// 96 dots per inch.
namespace twips {

inline constexpr int per_pixel = 15;

// Twips to whole screen pixels, the rest dropped.
constexpr int pixel(int misura)
{
    return misura / per_pixel;
}

} // namespace twips
