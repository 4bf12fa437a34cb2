#pragma once

#include <cstdint>

namespace quilbrix {

// A colour laid out 0x00BBGGRR: red in the low byte, blue in bits 16-23.
// Colours are compared by exact equality, never with a tolerance.
using Colour = std::uint32_t;

inline constexpr Colour Black = 0x000000;
inline constexpr Colour DarkGrey = 0x808080;
inline constexpr Colour LightGrey = 0xC0C0C0;
inline constexpr Colour White = 0xFFFFFF;
inline constexpr Colour TransparentKey = 0xFF00FF;

// What a read outside a surface yields. Its top bit is set, so no stored
// pixel can ever equal it.
inline constexpr Colour InvalidColour = 0xFFFFFFFF;

// Colours of the mirror flags in the map matrices and their legend.
inline constexpr Colour Red = 0x0000FF;
inline constexpr Colour Blue = 0xFF0000;
inline constexpr Colour Green = 0x008000;

constexpr int red(Colour c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int green(Colour c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blue(Colour c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

constexpr Colour rgb(int r, int g, int b)
{
    return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8)
        | (static_cast<Colour>(b & 0xFF) << 16);
}

// Sum of the three 8-bit components, 0 to 765.
constexpr int brightness(Colour c)
{
    return red(c) + green(c) + blue(c);
}

} // namespace quilbrix
