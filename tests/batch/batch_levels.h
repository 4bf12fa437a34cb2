#pragma once

// Levels for the batch tool's tests: three planes in true colours whose
// figures differ from the scene, written as bitmap files when a test runs
// the road from files.

#include "export/level_files.h"
#include "tiles/planes.h"

#include "export/file_name.h"
#include "state/bmp.h"
#include "state/working_state.h"

#include <random>
#include <string>

namespace quilbrix::testing {

// Three planes of one size: a scene of mirrored tiles in many colours
// (the background), figures of other tiles drawn over some of its cells
// (the full plane), and the figures alone on a plain ground (the sprites),
// so that the cut-out has both pixels to keep and pixels to mark.
struct TrueColourLevel {
    Surface sprite;
    Surface background;
    Surface full;
};

inline TrueColourLevel trueColourLevel(unsigned seed, int tileSize, int cols, int rows, int extra = 0)
{
    std::mt19937 rng(seed);
    std::vector<Tile> scenery, figures;
    for (int i = 0; i < 12; ++i)
        scenery.push_back(randomTile(rng, tileSize, 200));
    for (int i = 0; i < 6; ++i)
        figures.push_back(randomTile(rng, tileSize, 200));
    TrueColourLevel level;
    level.background = tiledPlane(rng, scenery, tileSize, cols, rows, extra);
    level.full = level.background;
    level.sprite = Surface(level.background.width(), level.background.height(), 0x30A050);
    std::bernoulli_distribution figureHere(0.3);
    std::uniform_int_distribution<std::size_t> which(0, figures.size() - 1);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r)
            if (figureHere(rng)) {
                const Tile& figure = figures[which(rng)];
                const bool flipX = figureHere(rng), flipY = figureHere(rng);
                drawTile(level.full, figure, tileSize, c, r, flipX, flipY);
                drawTile(level.sprite, figure, tileSize, c, r, flipX, flipY);
            }
    return level;
}

// A working state holding the level's planes, as after the three loaders.
inline void loadLevel(WorkingState& state, const TrueColourLevel& level)
{
    state.Image1.load(level.sprite);
    state.Image2.load(level.background);
    state.Image3.load(level.full);
}

// The level's planes as sprites.bmp, background.bmp and full.bmp in
// `folder`.
inline void writeLevelFiles(const TrueColourLevel& level, const std::filesystem::path& folder)
{
    writeBytes(folder / "sprites.bmp", encodeBmp24(level.sprite));
    writeBytes(folder / "background.bmp", encodeBmp24(level.background));
    writeBytes(folder / "full.bmp", encodeBmp24(level.full));
}

inline Surface readBmp(const std::filesystem::path& file)
{
    const Bytes bytes = readBytes(file);
    return decodeBmp(bytes.data(), bytes.size());
}

} // namespace quilbrix::testing
