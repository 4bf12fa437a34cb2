#pragma once

#include "state/colour.h"

#include <cassert>
#include <cstddef>
#include <string_view>
#include <vector>

namespace quilbrix {

// A rectangle of pixels held as one contiguous row-major buffer of colours,
// with the drawing state that fills and text use.
//
// The contract every command relies on:
//  - a pixel written inside is read back unchanged, all 24 bits;
//  - a read outside gives InvalidColour, a write outside does nothing;
//  - writing a value with its top bit set (InvalidColour) stores Black;
//  - fill(l, t, r, b) paints x = l..r-1, y = t..b-1 in White, clipped;
//  - drawText puts the top-left of an opaque White box at (x, y) and the
//    digits in the text colour inside it, clipped.
// A surface's size is fixed when it is made.
class Surface {
public:
    Surface() = default;
    // A width × height surface with every pixel set to `colour`.
    Surface(int width, int height, Colour colour = White);

    int width() const { return width_; }
    int height() const { return height_; }

    bool contains(int x, int y) const
    {
        return static_cast<unsigned>(x) < static_cast<unsigned>(width_)
            && static_cast<unsigned>(y) < static_cast<unsigned>(height_);
    }

    Colour pixel(int x, int y) const { return contains(x, y) ? pixels_[index(x, y)] : InvalidColour; }

    void setPixel(int x, int y, Colour colour)
    {
        if (contains(x, y))
            pixels_[index(x, y)] = storable(colour);
    }

    // What a write of `colour` stores: a value with its top bit set is no
    // colour and becomes Black.
    static constexpr Colour storable(Colour colour)
    {
        return (colour & 0x80000000u) ? Black : (colour & 0x00FFFFFFu);
    }

    // Paints x = left..right-1, y = top..bottom-1 with the fill colour
    // (White); whatever lies outside the surface is dropped.
    void fill(int left, int top, int right, int bottom);

    // Draws `text` with the top-left corner of its box at (x, y): the box is
    // painted White and the glyphs in the text colour. Only decimal digits
    // have glyphs; other characters leave a blank cell of the same width.
    void drawText(int x, int y, std::string_view text);

    Colour textColour() const { return textColour_; }
    void setTextColour(Colour colour) { textColour_ = storable(colour); }

    // Direct access for the commands' tight loops. Row y holds width()
    // pixels starting at row(y).
    Colour* row(int y)
    {
        assert(y >= 0 && y < height_);
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    const Colour* row(int y) const
    {
        assert(y >= 0 && y < height_);
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }

    bool operator==(const Surface& other) const
    {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
    // The window-text colour of the standard scheme.
    Colour textColour_ = Black;
};

} // namespace quilbrix
