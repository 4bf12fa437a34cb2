#include "prepare/cut_out.h"

#include "prepare/column_bands.h"

#include <algorithm>

namespace quilbrix {

namespace {

// Marks every pixel of row[first..last) that differs from `other` and tells
// whether any did. Writing the key over a pixel that already holds it is the
// same as leaving it, so the loop writes without a branch.
bool markDifferences(Colour* row, const Colour* other, int first, int last)
{
    unsigned marked = 0;
    for (int x = first; x < last; ++x) {
        const bool differs = row[x] != other[x];
        row[x] = differs ? TransparentKey : row[x];
        marked |= differs;
    }
    return marked != 0;
}

// The same against a plane that lies wholly outside: every read there gives
// InvalidColour.
bool markDifferences(Colour* row, int first, int last)
{
    unsigned marked = 0;
    for (int x = first; x < last; ++x) {
        const bool differs = row[x] != InvalidColour;
        row[x] = differs ? TransparentKey : row[x];
        marked |= differs;
    }
    return marked != 0;
}

} // namespace

void cutOutSprites(Surface& sprite, const Surface& full, Gauge& gauge)
{
    assert(&sprite != &full);
    const int width = sprite.width();
    const int height = sprite.height();
    const int fullWidth = std::min(width, full.width());
    const int fullHeight = std::min(height, full.height());

    forEachBand(width, [&](int first, int last, int percent) {
        const int inside = std::clamp(fullWidth, first, last);
        bool marked = false;
        for (int y = 0; y < height; ++y) {
            Colour* row = sprite.row(y);
            if (y < fullHeight) {
                marked |= markDifferences(row, full.row(y), first, inside);
                marked |= markDifferences(row, inside, last);
            } else {
                marked |= markDifferences(row, first, last);
            }
        }
        // Every column of the band shares one percentage, so one update for
        // the band shows what one update per marked pixel would.
        if (marked)
            gauge.setProgress(percent);
    });
    gauge.setProgress(0);
}

} // namespace quilbrix
