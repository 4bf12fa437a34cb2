#pragma once

#include "state/gauge.h"
#include "state/surface.h"

namespace quilbrix {

// "Détourage des sprites": over the sprite plane's extent (its width W and
// height H), column by column, sets to TransparentKey every sprite pixel
// that differs from the full plane's pixel at the same place, by exact
// comparison of the whole value. Outside a smaller full plane the read gives
// InvalidColour, which equals no pixel, so every sprite pixel there is
// marked; a larger full plane takes part only over the extent. The full
// plane is never written.
//
// The gauge moves only for marked pixels: it is given, in order, x × 100 / W
// of the column of each marked pixel, as a column-by-column walk would give
// it (once the pass has found them all), then 0. A full plane equal to the
// sprite plane leaves it still. Expects two distinct surfaces.
void cutOutSprites(Surface& sprite, const Surface& full, Gauge& gauge);

} // namespace quilbrix
