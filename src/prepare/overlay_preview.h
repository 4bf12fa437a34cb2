#pragma once

#include "state/gauge.h"
#include "state/settings.h"
#include "state/surface.h"

namespace quilbrix {

// The screen colours a calculator preview gives the four greys.
struct Palette {
    Colour black;
    Colour darkGrey;
    Colour lightGrey;
    Colour white;
};

// The screens of the two calculators, 0x00BBGGRR.
inline constexpr Palette Ti89Palette { 0x222E31, 0x5B6964, 0x95A498, 0xCFE0CC };
inline constexpr Palette Ti92Palette { 0x8A6F53, 0x958C6F, 0xA1A98B, 0xADC6A8 };

// "Réel": over the sprite plane's extent (its width W and height H), column
// by column, paints into the full plane the background pixel, then over it
// the sprite pixel unless that is the mask colour of `mask`, whatever its
// colour (TransparentKey shows magenta). Where a smaller background gives
// InvalidColour the full plane stores Black, which the sprite may still
// paint over. Positions outside the full plane are dropped; its pixels
// beyond the extent are left alone.
//
// The gauge shows x × 100 / W for each column x while the run goes on (only
// when H > 0) and 0 at the end. Expects `full` to be neither of the others.
void previewTrueColours(
    const Surface& sprite, const Surface& background, Surface& full, MaskChoice mask, Gauge& gauge);

// "Ti89" and "Ti92": as previewTrueColours, in the screen colours of
// `palette`. A background pixel that is one of the four greys paints its
// screen colour; any other (a plane not yet converted, or InvalidColour
// outside a smaller background) paints nothing and the full plane keeps its
// pixel. A sprite pixel paints its screen colour over that if it is one of
// the four greys and not the mask colour; the mask colour and every other
// colour, TransparentKey included, let what lies under show.
void previewOnCalculator(const Surface& sprite, const Surface& background, Surface& full, MaskChoice mask,
    const Palette& palette, Gauge& gauge);

} // namespace quilbrix
