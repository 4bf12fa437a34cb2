#pragma once

#include "state/gauge.h"
#include "state/settings.h"
#include "state/surface.h"

namespace quilbrix {

// The grey next to a mask colour, which the sprite's own pixels of the mask
// colour move to: DarkGrey for "M. Noir", LightGrey for "M. Blanc".
constexpr Colour neighbourGrey(MaskChoice choice)
{
    return choice == MaskChoice::Black ? DarkGrey : LightGrey;
}

// "Application du masque virtuel": over the sprite plane's extent (its
// width W and height H), column by column, decides every pixel on the
// colour it held before the command:
//   "M. Noir":  Black -> DarkGrey, TransparentKey -> Black;
//   "M. Blanc": White -> LightGrey, TransparentKey -> White;
// every other colour is left as it is. A key pixel that becomes the mask
// colour is not moved on to the neighbouring grey in the same run; a second
// run does move it, merging the mask with the sprite's neighbouring grey.
//
// The gauge shows x × 100 / W for each column x while the run goes on (only
// when H > 0) and 0 at the end.
void applyVirtualMask(Surface& sprite, MaskChoice mask, Gauge& gauge);

} // namespace quilbrix
