#pragma once

#include "state/working_state.h"
#include "tiles/tile_set.h"

#include <algorithm>

namespace quilbrix {

// The most tiles a plane can keep with a correct strip and map: what the
// strip holds whole (2046, 1023, 511) and what the 10-bit index field holds
// (1024), whichever is less.
constexpr int tileLimit(int tileSize)
{
    return std::min(StripWidth / tileSize, IndexLimit);
}

// One plane's outcome, for the window and the save to warn about.
struct PlaneBuild {
    int count = 0; // distinct tiles the plane needed
    int limit = 0; // tileLimit of the build's tile size
    bool overflow() const { return count > limit; }
};

struct BuildReport {
    PlaneBuild sprite;
    PlaneBuild background;
};

// One plane's pass: cuts `plane` into tileSize cells, visited column by
// column, gives every cell a map entry (tile index plus mirror flags) in a
// new map installed in `map`, stores each new tile in `strip`, draws every
// cell's number on `matrix`, publishes the count in `countLabel` and moves
// the gauge from `gaugeBase` up to at most gaugeBase + 49.
//
// The map left in `map` keeps the grid and tile size of this pass. If the
// map cannot be allocated the pass throws Error and `map` holds no map.
PlaneBuild BuildPlane(PictureControl& plane, PictureControl& strip, MatrixControl& matrix,
    std::optional<Map>& map, Label& countLabel, int gaugeBase, int tileSize, bool mirrorMatching,
    Gauge& gauge);

// The build command: the sprite pass, the gauge at 50, the background pass,
// the gauge at 0, at the state's TileSize. Nothing of an earlier build takes
// part. The counts may pass the limits; the report tells so, the results
// stay as the passes made them.
BuildReport buildMaps(WorkingState& state, bool mirrorMatching);

} // namespace quilbrix
