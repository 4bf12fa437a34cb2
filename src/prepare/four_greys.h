#pragma once

#include "state/gauge.h"
#include "state/settings.h"
#include "state/surface.h"

#include <array>

namespace quilbrix {

// The grey for every brightness 0..765 under `thresholds`. Four band tests
// are made one after the other, each on its own, and the last one that holds
// decides: b < T1 Black, T1 <= b < T2 DarkGrey, T2 <= b < T3 LightGrey,
// b >= T3 White. For thresholds out of rising order this differs from a
// first-match test; it equals "b >= T3 White, else b >= T2 LightGrey, else
// b >= T1 DarkGrey, else Black" whatever the order.
std::array<Colour, 766> greyTable(const Thresholds& thresholds);

// "Couleur -> NG4": over the sprite plane's extent (its width W and height
// H), column by column, rewrites every sprite pixel but the TransparentKey
// ones, and every background pixel at the same place, with the grey of its
// brightness (greyTable). A background smaller than the extent changes only
// where it lies inside it; one larger keeps its pixels beyond it. A pixel is
// rewritten even when it already holds its grey, so a second run can change
// the picture again (DarkGrey and LightGrey become White with the defaults).
//
// The gauge shows x × 100 / W for each column x while the run goes on (only
// when H > 0) and 0 at the end. Expects two distinct surfaces.
void convertToFourGreys(Surface& sprite, Surface& background, const Thresholds& thresholds, Gauge& gauge);

} // namespace quilbrix
