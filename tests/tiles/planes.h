#pragma once

#include "state/surface.h"

#include <random>
#include <vector>

namespace quilbrix::testing {

// A square tile of size² pixels, row by row.
using Tile = std::vector<Colour>;

enum class Symmetry { None, LeftRight, TopBottom, HalfTurn, All };

// A random tile over `palette` colours; with a symmetry, the tile equals its
// own mirror image of that kind.
inline Tile randomTile(std::mt19937& rng, int size, int palette, Symmetry symmetry = Symmetry::None)
{
    std::uniform_int_distribution<int> pick(0, palette - 1);
    Tile t(static_cast<std::size_t>(size) * size);
    for (auto& p : t)
        p = static_cast<Colour>(pick(rng)) * 0x010203u;
    auto at = [&](int x, int y) -> Colour& { return t[static_cast<std::size_t>(y) * size + x]; };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            switch (symmetry) {
            case Symmetry::LeftRight: at(size - 1 - x, y) = at(x, y); break;
            case Symmetry::TopBottom: at(x, size - 1 - y) = at(x, y); break;
            case Symmetry::HalfTurn: at(size - 1 - x, size - 1 - y) = at(x, y); break;
            case Symmetry::All:
                at(size - 1 - x, y) = at(x, y);
                at(x, size - 1 - y) = at(x, y);
                at(size - 1 - x, size - 1 - y) = at(x, y);
                break;
            case Symmetry::None: break;
            }
        }
    }
    return t;
}

// Draws `tile` at cell (c, r), mirrored left-right and/or top-bottom.
inline void drawTile(
    Surface& plane, const Tile& tile, int size, int c, int r, bool flipX = false, bool flipY = false)
{
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            plane.setPixel(c * size + x, r * size + y,
                tile[static_cast<std::size_t>(flipY ? size - 1 - y : y) * size + (flipX ? size - 1 - x : x)]);
}

// A plane of cols × rows cells (plus `extra` pixels right and below) made
// of `tiles`, each cell a random one of them in a random orientation.
inline Surface tiledPlane(
    std::mt19937& rng, const std::vector<Tile>& tiles, int size, int cols, int rows, int extra = 0)
{
    Surface plane(cols * size + extra, rows * size + extra, White);
    std::uniform_int_distribution<std::size_t> which(0, tiles.size() - 1);
    std::bernoulli_distribution coin(0.5);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r)
            drawTile(plane, tiles[which(rng)], size, c, r, coin(rng), coin(rng));
    return plane;
}

// A plane whose every cell is distinct in every orientation: each cell
// carries its own serial number in its first two pixels.
inline Surface distinctPlane(int width, int height, int size)
{
    Surface plane(width, height, White);
    int serial = 0;
    for (int c = 0; c < width / size; ++c)
        for (int r = 0; r < height / size; ++r, ++serial) {
            plane.setPixel(c * size, r * size, static_cast<Colour>(serial) & 0xFFFFFF);
            plane.setPixel(c * size + 1, r * size, 0x800000 | (static_cast<Colour>(serial) & 0xFFFFFF));
        }
    return plane;
}

} // namespace quilbrix::testing
