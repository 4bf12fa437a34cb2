#pragma once

#include "state/surface.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quilbrix {

// Bytes of one row record of a tile: the dark plane word then the light
// plane word, each big-endian. Tiles of 8 and 16 pixels keep 16-bit words
// (4 bytes); 32-pixel tiles need 32-bit words (8 bytes) to hold a whole row.
constexpr std::size_t tileRowBytes(int tileSize)
{
    return tileSize == 32 ? 8 : 4;
}

// Bytes of one tile: tileSize row records.
constexpr std::size_t tileBytes(int tileSize)
{
    return static_cast<std::size_t>(tileSize) * tileRowBytes(tileSize);
}

// Length of the tile file of `count` tiles: 32 bytes per tile at 8 pixels,
// 64 at 16, 256 at 32.
constexpr std::size_t tileFileBytes(int count, int tileSize)
{
    return static_cast<std::size_t>(count) * tileBytes(tileSize);
}

// Appends to `out` the tile file of the first `count` tiles of `strip`,
// tile k being the square x = k·tileSize … k·tileSize + tileSize − 1,
// y = 0 … tileSize − 1. Tiles in index order, each as tileSize row records
// from the top row down; no header, exactly tileFileBytes(count, tileSize)
// bytes.
//
// Every pixel gives one bit in the dark plane and one in the light plane:
// Black (1, 1), DarkGrey (1, 0), LightGrey (0, 1), anything else (0, 0),
// White, TransparentKey, any other colour and the InvalidColour of a pixel
// outside the strip alike. In a plane word column c of the row is bit
// tileSize − 1 − c, so the row's last pixel lands in bit 0: at 8 pixels the
// high byte of each 16-bit word is 00.
//
// Expects tileSize 8, 16 or 32 and count ≥ 0.
void WriteTileFile(std::vector<std::uint8_t>& out, const Surface& strip, int count, int tileSize);

// The tile count held by a count label's caption: one or more decimal
// digits, nothing else (no sign, no blanks; leading zeros are read as
// decimal). Throws Error("'<caption>' n'est pas une valeur entière
// correcte") for any other text, "N/A" before the first build included, and
// for a number beyond the range of int.
int parseCount(const std::string& caption);

} // namespace quilbrix
