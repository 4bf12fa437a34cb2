#pragma once

#include "state/surface.h"

#include <cstdint>
#include <vector>

namespace quilbrix::reference {

// One plane's pass done the direct way: every cell compared pixel by pixel
// with every stored tile in index order, reading the strip through the
// surface's per-pixel read, the four tests decided in their fixed order.
// It is slow on purpose and serves as the yardstick of the fast build.
struct PlaneResult {
    int cols = 0;
    int rows = 0;
    std::vector<std::int32_t> entries; // row order
    int count = 0;
    Surface strip; // 16368 × 32, started White
};

// With `stopEarly`, a comparison ends once every test in play has failed,
// which changes no outcome; without it every comparison covers all T²
// positions, as the plain search does.
PlaneResult buildPlane(const Surface& plane, int tileSize, bool mirrorMatching, bool stopEarly = true);

} // namespace quilbrix::reference
