#include "prepare/overlay_preview.h"

#include "prepare/column_bands.h"

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

// Walks the extent band by band; paint(fullRow, spriteRow, backgroundRow or
// nullptr, first, last) paints one row of a band where the full plane lies,
// backgroundRow being given for the columns [first, last) where the
// background lies too.
template <typename Paint>
void walkPreview(const Surface& sprite, const Surface& background, Surface& full, Gauge& gauge, Paint paint)
{
    assert(&full != &sprite && &full != &background);
    const Clip clip = clipFor(sprite, background, full);
    const int height = sprite.height();
    forEachBand(sprite.width(), [&](int first, int last, int percent) {
        const int fullLast = std::min(last, clip.fullWidth);
        const int backgroundLast = std::clamp(clip.backgroundWidth, first, fullLast);
        if (first < fullLast) {
            for (int y = 0; y < clip.fullHeight; ++y) {
                Colour* out = full.row(y);
                const Colour* s = sprite.row(y);
                if (y < clip.backgroundHeight) {
                    paint(out, s, background.row(y), first, backgroundLast);
                    paint(out, s, nullptr, backgroundLast, fullLast);
                } else {
                    paint(out, s, nullptr, first, fullLast);
                }
            }
        }
        if (height > 0)
            gauge.setProgress(percent);
    });
    gauge.setProgress(0);
}

// The screen colour of a grey, or `under` for any other colour.
struct ScreenColours {
    Colour black, darkGrey, lightGrey, white;

    Colour background(Colour g, Colour under) const
    {
        Colour out = under;
        out = g == Black ? black : out;
        out = g == DarkGrey ? darkGrey : out;
        out = g == LightGrey ? lightGrey : out;
        out = g == White ? white : out;
        return out;
    }

    // The mask colour lets `under` show, like every colour outside the
    // four greys.
    template <MaskChoice Mask> Colour sprite(Colour s, Colour under) const
    {
        Colour out = under;
        if constexpr (Mask == MaskChoice::Black)
            out = s == White ? white : out;
        else
            out = s == Black ? black : out;
        out = s == LightGrey ? lightGrey : out;
        out = s == DarkGrey ? darkGrey : out;
        return out;
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
                for (int x = first; x < last; ++x)
                    out[x] = screen.sprite<Mask>(s[x], screen.background(g[x], out[x]));
            } else {
                for (int x = first; x < last; ++x)
                    out[x] = screen.sprite<Mask>(s[x], out[x]);
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
                for (int x = first; x < last; ++x)
                    out[x] = Surface::storable(s[x] != maskGrey ? s[x] : g[x]);
            } else {
                for (int x = first; x < last; ++x)
                    out[x] = s[x] != maskGrey ? Surface::storable(s[x]) : Black;
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
