#include "state/surface.h"

#include "state/digit_face.h"

#include <algorithm>
#include <array>

namespace quilbrix {

namespace {

// For each 5-bit glyph row, the six pixels of its character cell as masks:
// all ones where the glyph has ink, zero elsewhere and in the blank column.
constexpr auto InkMasks = [] {
    std::array<std::array<Colour, CharAdvance>, 32> masks {};
    for (unsigned bits = 0; bits < 32; ++bits)
        for (int gx = 0; gx < GlyphWidth; ++gx)
            masks[bits][static_cast<std::size_t>(gx)] = ((bits << gx) & 0x10u) ? 0xFFFFFFFFu : 0u;
    return masks;
}();

} // namespace

Surface::Surface(int width, int height, Colour colour)
    : width_(width)
    , height_(height)
    , pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), storable(colour))
{
    assert(width >= 0 && height >= 0);
}

void Surface::fill(int left, int top, int right, int bottom)
{
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    const int x1 = std::min(right, width_);
    const int y1 = std::min(bottom, height_);
    if (x0 >= x1 || y0 >= y1)
        return;
    for (int y = y0; y < y1; ++y)
        std::fill(row(y) + x0, row(y) + x1, White);
}

void Surface::drawText(int x, int y, std::string_view text)
{
    const int boxRight = x + textWidth(text);
    // Whole box outside: nothing to draw. Matrices call this for cells far
    // beyond their surface, so the early exit keeps those calls cheap.
    if (boxRight <= 0 || x >= width_ || y + TextHeight <= 0 || y >= height_)
        return;
    if (x >= 0 && y >= 0 && boxRight <= width_ && y + TextHeight <= height_) {
        // The whole box inside: compose each row of the box in one sweep,
        // each character cell from a mask of its glyph row.
        const Colour ink = textColour_;
        const Colour flip = ink ^ White;
        for (int by = 0; by < TextHeight; ++by) {
            Colour* line = row(y + by) + x;
            const int gy = by - GlyphTop;
            const bool glyphRow = gy >= 0 && gy < GlyphHeight;
            for (std::size_t i = 0; i < text.size(); ++i, line += CharAdvance) {
                const std::uint8_t* glyph = glyphRows(text[i]);
                const Colour* mask = InkMasks[(glyphRow && glyph != nullptr) ? glyph[gy] : 0].data();
                for (int gx = 0; gx < CharAdvance; ++gx)
                    line[gx] = White ^ (flip & mask[gx]);
            }
        }
        return;
    }
    fill(x, y, boxRight, y + TextHeight);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint8_t* glyph = glyphRows(text[i]);
        if (glyph == nullptr)
            continue;
        const int left = x + static_cast<int>(i) * CharAdvance;
        for (int gy = 0; gy < GlyphHeight; ++gy)
            for (int gx = 0; gx < GlyphWidth; ++gx)
                if (glyph[gy] & (0x10 >> gx))
                    setPixel(left + gx, y + GlyphTop + gy, textColour_);
    }
}

} // namespace quilbrix
