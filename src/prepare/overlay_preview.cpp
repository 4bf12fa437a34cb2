#include "prepare/overlay_preview.h"

#include "prepare/column_progress.h"
#include "prepare/select_mask.h"

#include <algorithm>

namespace quilbrix {

namespace {

// The part of the extent where a preview writes, and the part of that where
// the background can be read: positions outside the full plane are dropped,
// positions outside the background read InvalidColour.
struct Clip {
    int fullWidth, fullHeight;
    int backgroundWidth, backgroundHeight;
};

Clip clipFor(const Surface& sprite, const Surface& background, const Surface& full)
{
    Clip clip {};
    clip.fullWidth = std::min(sprite.width(), full.width());
    clip.fullHeight = std::min(sprite.height(), full.height());
    clip.backgroundWidth = std::min(clip.fullWidth, background.width());
    clip.backgroundHeight = std::min(clip.fullHeight, background.height());
    return clip;
}

// Walks the extent row by row; paint(fullRow, spriteRow, backgroundRow or
// nullptr, first, last) paints the columns [first, last) of one row where
// the full plane lies, backgroundRow being given where the background lies
// too.
template <typename Paint>
void walkPreview(const Surface& sprite, const Surface& background, Surface& full, Gauge& gauge, Paint paint)
{
    assert(&full != &sprite && &full != &background);
    const Clip clip = clipFor(sprite, background, full);
    walkRowsShowingColumns(sprite.width(), sprite.height(), gauge, [&](int first, int last) {
        for (int y = first; y < std::min(last, clip.fullHeight); ++y) {
            Colour* out = full.row(y);
            const Colour* s = sprite.row(y);
            if (y < clip.backgroundHeight) {
                paint(out, s, background.row(y), 0, clip.backgroundWidth);
                paint(out, s, nullptr, clip.backgroundWidth, clip.fullWidth);
            } else {
                paint(out, s, nullptr, 0, clip.fullWidth);
            }
        }
    });
    gauge.setProgress(0);
}

// The screen colour of a grey, or `under` for any other colour. At most
// one of the tests holds, so the hits are combined with masks, which lets
// the compiler treat several pixels at once.
struct ScreenColours {
    Colour black, darkGrey, lightGrey, white;

    Colour background(Colour g, Colour under) const
    {
        const Colour b = selectMask(g == Black), d = selectMask(g == DarkGrey),
                     l = selectMask(g == LightGrey), w = selectMask(g == White);
        return (b & black) | (d & darkGrey) | (l & lightGrey) | (w & white) | (~(b | d | l | w) & under);
    }

    // The mask colour lets `under` show, like every colour outside the
    // four greys.
    template <MaskChoice Mask> Colour sprite(Colour s, Colour under) const
    {
        const Colour l = selectMask(s == LightGrey), d = selectMask(s == DarkGrey);
        const Colour o = Mask == MaskChoice::Black ? selectMask(s == White) : selectMask(s == Black);
        const Colour other = Mask == MaskChoice::Black ? white : black;
        return (l & lightGrey) | (d & darkGrey) | (o & other) | (~(l | d | o) & under);
    }
};

template <MaskChoice Mask>
void previewOnCalculator(
    const Surface& sprite, const Surface& background, Surface& full, const Palette& palette, Gauge& gauge)
{
    const ScreenColours screen { palette.black, palette.darkGrey, palette.lightGrey, palette.white };
    walkPreview(sprite, background, full, gauge,
        [screen](Colour* out, const Colour* s, const Colour* g, int first, int last) {
            if (g != nullptr) {
                for (int x = first; x < last; ++x) {
                    const Colour sv = s[x], gv = g[x], under = out[x];
                    out[x] = screen.sprite<Mask>(sv, screen.background(gv, under));
                }
            } else {
                for (int x = first; x < last; ++x) {
                    const Colour sv = s[x], under = out[x];
                    out[x] = screen.sprite<Mask>(sv, under);
                }
            }
        });
}

} // namespace

void previewTrueColours(
    const Surface& sprite, const Surface& background, Surface& full, MaskChoice mask, Gauge& gauge)
{
    const Colour maskGrey = maskColour(mask);
    walkPreview(sprite, background, full, gauge,
        [maskGrey](Colour* out, const Colour* s, const Colour* g, int first, int last) {
            // The full plane stores each pixel as a write stores it: outside
            // the background the InvalidColour read there becomes Black.
            if (g != nullptr) {
                for (int x = first; x < last; ++x) {
                    const Colour sv = s[x], gv = g[x];
                    out[x] = Surface::storable(sv != maskGrey ? sv : gv);
                }
            } else {
                for (int x = first; x < last; ++x) {
                    const Colour sv = s[x];
                    out[x] = sv != maskGrey ? Surface::storable(sv) : Black;
                }
            }
        });
}

void previewOnCalculator(const Surface& sprite, const Surface& background, Surface& full, MaskChoice mask,
    const Palette& palette, Gauge& gauge)
{
    if (mask == MaskChoice::Black)
        previewOnCalculator<MaskChoice::Black>(sprite, background, full, palette, gauge);
    else
        previewOnCalculator<MaskChoice::White>(sprite, background, full, palette, gauge);
}

} // namespace quilbrix
