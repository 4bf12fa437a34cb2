#pragma once

#include "state/surface.h"

#include <cstdint>
#include <vector>

namespace quilbrix {

// The colour of a pixel from its two bits: (1, 1) Black, (1, 0) DarkGrey,
// (0, 1) LightGrey, (0, 0) White.
constexpr Colour greyFromBits(bool dark, bool light)
{
    return dark ? (light ? Black : DarkGrey) : (light ? LightGrey : White);
}

// Rebuilds the four-grey picture of a plane from its map file and its tile
// file: a surface of cols·tileSize × rows·tileSize pixels where cell (c, r)
// shows the tile its map entry names, mirrored left-right for
// FlipHorizontal and top-bottom for FlipVertical, each pixel the grey of
// its dark and light bits. This is the reverse of WriteMapFile and
// WriteTileFile, up to the colours the tile file cannot tell apart (every
// colour but the three darker greys comes back White).
//
// Throws Error with a French message when the map file is not exactly two
// bytes per cell, when the tile file does not hold a whole number of
// tiles, or when an entry is no tile index plus flags or names a tile the
// tile file does not hold.
//
// Expects cols ≥ 0, rows ≥ 0 and tileSize 8, 16 or 32.
Surface decodePlane(const std::vector<std::uint8_t>& mapFile, const std::vector<std::uint8_t>& tileFile,
    int cols, int rows, int tileSize);

} // namespace quilbrix
