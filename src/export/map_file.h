#pragma once

#include "state/working_state.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quilbrix {

// Length of the map file of a cols × rows map: two bytes per cell.
constexpr std::size_t mapFileBytes(int cols, int rows)
{
    return 2 * static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows);
}

// Appends to `out` the map file of `map`: one 16-bit field per map cell, in
// the map's row order (row 0 left to right, then row 1, ...), each the low
// 16 bits of the entry written low byte first. No header: the file is
// exactly mapFileBytes(map.cols, map.rows) long, and a reader must know the
// column count to lay it out again.
//
// Expects a map of map.cols × map.rows entries.
void WriteMapFile(std::vector<std::uint8_t>& out, const Map& map);

} // namespace quilbrix
