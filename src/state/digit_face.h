#pragma once

#include <cstdint>
#include <string_view>

namespace quilbrix {

// The core's own bitmap face for decimal numbers, sized like an 8-point
// sans-serif at 96 dpi: a text box 11 pixels high, each character cell 6
// pixels wide (a 5-pixel glyph and one blank column). It lets map matrices
// render identically on every platform and be tested without a toolkit.
inline constexpr int TextHeight = 11;
inline constexpr int CharAdvance = 6;
inline constexpr int GlyphWidth = 5;
inline constexpr int GlyphHeight = 8;
// First row of the glyphs inside the text box.
inline constexpr int GlyphTop = 2;

// Width in pixels of the box that drawText paints for `text`.
inline int textWidth(std::string_view text)
{
    return static_cast<int>(text.size()) * CharAdvance;
}

namespace detail {
// Each glyph is 8 rows of 5 columns, written as the bit pattern of the row
// with the leftmost column in bit 4.
inline constexpr std::uint8_t DigitGlyphs[10][GlyphHeight] = {
    { 0b01110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110 }, // 0
    { 0b00100, 0b01100, 0b10100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100 }, // 1
    { 0b01110, 0b10001, 0b00001, 0b00010, 0b00100, 0b01000, 0b10000, 0b11111 }, // 2
    { 0b01110, 0b10001, 0b00001, 0b00110, 0b00001, 0b00001, 0b10001, 0b01110 }, // 3
    { 0b00010, 0b00110, 0b01010, 0b10010, 0b11111, 0b00010, 0b00010, 0b00010 }, // 4
    { 0b11111, 0b10000, 0b10000, 0b11110, 0b00001, 0b00001, 0b10001, 0b01110 }, // 5
    { 0b01110, 0b10001, 0b10000, 0b11110, 0b10001, 0b10001, 0b10001, 0b01110 }, // 6
    { 0b11111, 0b00001, 0b00010, 0b00010, 0b00100, 0b00100, 0b01000, 0b01000 }, // 7
    { 0b01110, 0b10001, 0b10001, 0b01110, 0b10001, 0b10001, 0b10001, 0b01110 }, // 8
    { 0b01110, 0b10001, 0b10001, 0b10001, 0b01111, 0b00001, 0b10001, 0b01110 }, // 9
};
} // namespace detail

// Rows of the glyph of `c`, top row first; bit 4 is the leftmost column.
// Returns nullptr for a character without a glyph (anything but 0-9).
constexpr const std::uint8_t* glyphRows(char c)
{
    return (c < '0' || c > '9') ? nullptr : detail::DigitGlyphs[c - '0'];
}

} // namespace quilbrix
