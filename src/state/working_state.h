#pragma once

#include "state/gauge.h"
#include "state/picture_control.h"

#include <cassert>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quilbrix {

// The tile sizes the build offers, and the one selected at start.
inline constexpr int TileSizes[] = { 8, 16, 32 };
inline constexpr int DefaultTileSize = 16;

// What a count label reads before the first build.
inline constexpr const char* NotAvailable = "N/A";

// A plane's map: one 32-bit entry (tile index plus mirror flags) per map
// cell, in row order. It keeps the grid and the tile size of the build that
// made it, so later changes of the planes or of TileSize cannot make a
// reader walk past it.
struct Map {
    int cols = 0;
    int rows = 0;
    int tileSize = 0;
    std::vector<std::int32_t> entries;

    std::int32_t& at(int c, int r) { return entries[static_cast<std::size_t>(r) * cols + c]; }
    std::int32_t at(int c, int r) const { return entries[static_cast<std::size_t>(r) * cols + c]; }
};

// A map of cols × rows entries, all 0, for a build at `tileSize`. Throws
// Error with a French message when the memory cannot be had.
Map createMap(int cols, int rows, int tileSize);

// A label whose caption holds a value as text.
struct Label {
    std::string caption = NotAvailable;
};

// Everything the commands share while the window lives. Members carry the
// names of the controls that hold them.
struct WorkingState {
    PictureControl Image1 { 105, 105, true }; // sprite plane
    PictureControl Image2 { 105, 105, true }; // background plane
    PictureControl Image3 { 105, 105, true }; // full plane
    PictureControl Image5 { 253, 17, false }; // tile strip of the sprite plane
    PictureControl Image6 { 253, 17, false }; // tile strip of the background plane
    MatrixControl Image8 { 113, 113, false }; // map matrix of the sprite plane
    MatrixControl Image9 { 113, 113, false }; // map matrix of the background plane

    int TileSize = DefaultTileSize;

    std::optional<Map> SpriteMap;
    std::optional<Map> BackgroundMap;

    Label Label23; // tile count of the sprite plane
    Label Label26; // tile count of the background plane

    Gauge CGauge1;

    // Releases both maps, as closing the window does.
    void releaseMaps()
    {
        SpriteMap.reset();
        BackgroundMap.reset();
    }
};

} // namespace quilbrix
