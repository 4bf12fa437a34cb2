#include "export/level_decode.h"

#include "export/map_file.h"
#include "export/tile_file.h"
#include "state/error.h"
#include "tiles/tile_set.h"

#include <cassert>
#include <cstdio>
#include <limits>
#include <string>

namespace quilbrix {

namespace {

std::string cellText(int c, int r)
{
    return "(" + std::to_string(c) + ", " + std::to_string(r) + ")";
}

// The tiles of a tile file as four-grey pixels, tile by tile, row by row.
std::vector<Colour> decodeTiles(const std::vector<std::uint8_t>& tileFile, int tileSize, std::size_t tiles)
{
    const std::size_t rowBytes = tileRowBytes(tileSize);
    const std::size_t wordBytes = rowBytes / 2;
    std::vector<Colour> pixels(tiles * static_cast<std::size_t>(tileSize) * tileSize);
    Colour* out = pixels.data();
    for (std::size_t at = 0; at < tiles * tileBytes(tileSize); at += rowBytes) {
        std::uint32_t dark = 0;
        std::uint32_t light = 0;
        for (std::size_t b = 0; b < wordBytes; ++b) {
            dark = (dark << 8) | tileFile[at + b];
            light = (light << 8) | tileFile[at + wordBytes + b];
        }
        for (int c = 0; c < tileSize; ++c) {
            const int bit = tileSize - 1 - c;
            *out++ = greyFromBits((dark >> bit) & 1u, (light >> bit) & 1u);
        }
    }
    return pixels;
}

} // namespace

Surface decodePlane(const std::vector<std::uint8_t>& mapFile, const std::vector<std::uint8_t>& tileFile,
    int cols, int rows, int tileSize)
{
    assert(cols >= 0 && rows >= 0);
    assert(tileSize == 8 || tileSize == 16 || tileSize == 32);
    assert(static_cast<long long>(cols) * tileSize <= std::numeric_limits<int>::max());
    assert(static_cast<long long>(rows) * tileSize <= std::numeric_limits<int>::max());

    const std::size_t mapBytes = mapFileBytes(cols, rows);
    if (mapFile.size() != mapBytes)
        throw Error("Le fichier de carte fait " + std::to_string(mapFile.size())
            + " octets, alors qu'une carte de " + std::to_string(cols) + " x " + std::to_string(rows)
            + " cases en demande " + std::to_string(mapBytes));
    const std::size_t perTile = tileBytes(tileSize);
    if (tileFile.size() % perTile != 0)
        throw Error("Le fichier de tuiles fait " + std::to_string(tileFile.size())
            + " octets, ce qui n'est pas un nombre entier de tuiles de " + std::to_string(tileSize)
            + " pixels (" + std::to_string(perTile) + " octets chacune)");
    const std::size_t tiles = tileFile.size() / perTile;
    const std::vector<Colour> tilePixels = decodeTiles(tileFile, tileSize, tiles);

    Surface plane(cols * tileSize, rows * tileSize, White);
    const int last = tileSize - 1;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const std::size_t field = 2 * (static_cast<std::size_t>(r) * cols + c);
            const unsigned entry = mapFile[field] | (static_cast<unsigned>(mapFile[field + 1]) << 8);
            const unsigned flags = static_cast<unsigned>(FlipHorizontal | FlipVertical);
            if (entry & ~(flags | (IndexLimit - 1u))) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "0x%04X", entry);
                throw Error("La case " + cellText(c, r) + " de la carte porte l'entrée " + hex
                    + ", qui ne se lit pas comme un numéro de tuile et des drapeaux de miroir");
            }
            const unsigned index = entry & (IndexLimit - 1u);
            if (index >= tiles)
                throw Error("La case " + cellText(c, r) + " de la carte désigne la tuile "
                    + std::to_string(index) + ", mais le fichier de tuiles n'en contient que "
                    + std::to_string(tiles));
            const bool flipX = (entry & static_cast<unsigned>(FlipHorizontal)) != 0;
            const bool flipY = (entry & static_cast<unsigned>(FlipVertical)) != 0;
            const Colour* tile = tilePixels.data() + static_cast<std::size_t>(index) * tileSize * tileSize;
            for (int py = 0; py < tileSize; ++py) {
                const Colour* source = tile + static_cast<std::size_t>(flipY ? last - py : py) * tileSize;
                Colour* target = plane.row(r * tileSize + py) + c * tileSize;
                for (int px = 0; px < tileSize; ++px)
                    target[px] = source[flipX ? last - px : px];
            }
        }
    }
    return plane;
}

} // namespace quilbrix
