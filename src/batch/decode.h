#pragma once

#include "batch/options.h"

#include <array>
#include <string>
#include <vector>

namespace quilbrix {

// The pictures --decode writes: the base name used verbatim followed by
// "1.decoded.bmp" (sprite plane) and "2.decoded.bmp" (background plane).
std::array<std::string, 2> decodedFileNames(const std::string& baseName);

// The reverse road: reads the map file and the tile file of each plane
// (the names of levelFileNames, in `folder`, UTF-8, empty for the current
// folder), rebuilds each plane with decodePlane as the calculator will draw
// it (cols = width div tileSize, rows = height div tileSize of its size),
// and writes each as a 24-bit bitmap under decodedFileNames in the same
// folder through replaceFile. Returns the pictures written, as paths in
// that folder (bare names for the current folder).
//
// Both planes are read and checked before anything is written. Throws
// Error, naming the file, when a file cannot be opened, when a map file is
// shorter or longer than its cols × rows cells require, when a tile file is
// no whole number of tiles, holds more tiles than an index can name, fewer
// than its map names, or more (tiles that no cell uses, which a save never
// writes), and when a base name would take a file out of the folder.
//
// Expects sizes of at least one tile each way and tileSize 8, 16 or 32.
std::vector<std::string> decodeLevel(const std::string& baseName, const std::string& folder,
    const PlaneSize& spriteSize, const PlaneSize& backgroundSize, int tileSize);

} // namespace quilbrix
