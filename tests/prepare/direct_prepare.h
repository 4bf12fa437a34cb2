#pragma once

// The four pixel commands written the direct way, straight from their
// step-by-step description: every position of the sprite plane's extent
// visited column by column, every pixel read with pixel() and written with
// setPixel(), the gauge set where the description sets it. They are slow on
// purpose and serve as the yardstick of the fast commands.

#include "prepare/overlay_preview.h"
#include "state/gauge.h"
#include "state/settings.h"
#include "state/surface.h"

namespace quilbrix::direct {

// The grey of brightness b: four band tests one after the other, the last
// one that holds writes last.
inline Colour greyOf(int b, const Thresholds& t)
{
    Colour grey = InvalidColour;
    if (b < t.T1)
        grey = Black;
    if (t.T1 <= b && b < t.T2)
        grey = DarkGrey;
    if (t.T2 <= b && b < t.T3)
        grey = LightGrey;
    if (b >= t.T3)
        grey = White;
    return grey;
}

inline void convertToFourGreys(Surface& sprite, Surface& background, const Thresholds& t, Gauge& gauge)
{
    const int w = sprite.width();
    const int h = sprite.height();
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            const Colour p = sprite.pixel(x, y);
            if (p != TransparentKey)
                sprite.setPixel(x, y, greyOf(brightness(p), t));
            const Colour q = background.pixel(x, y);
            background.setPixel(x, y, greyOf(brightness(q), t));
            gauge.setProgress(static_cast<int>(static_cast<long long>(x) * 100 / w));
        }
    }
    gauge.setProgress(0);
}

inline void cutOutSprites(Surface& sprite, const Surface& full, Gauge& gauge)
{
    const int w = sprite.width();
    const int h = sprite.height();
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            if (sprite.pixel(x, y) != full.pixel(x, y)) {
                gauge.setProgress(static_cast<int>(static_cast<long long>(x) * 100 / w));
                sprite.setPixel(x, y, TransparentKey);
            }
        }
    }
    gauge.setProgress(0);
}

inline void applyVirtualMask(Surface& sprite, MaskChoice mask, Gauge& gauge)
{
    const int w = sprite.width();
    const int h = sprite.height();
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            const Colour p = sprite.pixel(x, y);
            if (mask == MaskChoice::Black) {
                if (p == Black)
                    sprite.setPixel(x, y, DarkGrey);
                else if (p == TransparentKey)
                    sprite.setPixel(x, y, Black);
            } else {
                if (p == White)
                    sprite.setPixel(x, y, LightGrey);
                else if (p == TransparentKey)
                    sprite.setPixel(x, y, White);
            }
            gauge.setProgress(static_cast<int>(static_cast<long long>(x) * 100 / w));
        }
    }
    gauge.setProgress(0);
}

inline void previewTrueColours(
    const Surface& sprite, const Surface& background, Surface& full, MaskChoice mask, Gauge& gauge)
{
    const int w = sprite.width();
    const int h = sprite.height();
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            full.setPixel(x, y, background.pixel(x, y));
            const Colour s = sprite.pixel(x, y);
            if (s != Black && mask == MaskChoice::Black)
                full.setPixel(x, y, s);
            if (s != White && mask == MaskChoice::White)
                full.setPixel(x, y, s);
            gauge.setProgress(static_cast<int>(static_cast<long long>(x) * 100 / w));
        }
    }
    gauge.setProgress(0);
}

inline void previewOnCalculator(const Surface& sprite, const Surface& background, Surface& full,
    MaskChoice mask, const Palette& p, Gauge& gauge)
{
    const int w = sprite.width();
    const int h = sprite.height();
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            const Colour g = background.pixel(x, y);
            if (g == Black)
                full.setPixel(x, y, p.black);
            else if (g == DarkGrey)
                full.setPixel(x, y, p.darkGrey);
            else if (g == LightGrey)
                full.setPixel(x, y, p.lightGrey);
            else if (g == White)
                full.setPixel(x, y, p.white);

            const Colour s = sprite.pixel(x, y);
            if (s == White) {
                if (mask == MaskChoice::Black)
                    full.setPixel(x, y, p.white);
            } else if (s == LightGrey) {
                full.setPixel(x, y, p.lightGrey);
            } else if (s == DarkGrey) {
                full.setPixel(x, y, p.darkGrey);
            } else if (s == Black) {
                if (mask == MaskChoice::White)
                    full.setPixel(x, y, p.black);
            }
            gauge.setProgress(static_cast<int>(static_cast<long long>(x) * 100 / w));
        }
    }
    gauge.setProgress(0);
}

} // namespace quilbrix::direct
