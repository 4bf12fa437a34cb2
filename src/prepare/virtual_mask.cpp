#include "prepare/virtual_mask.h"

#include "prepare/column_bands.h"

namespace quilbrix {

void applyVirtualMask(Surface& sprite, MaskChoice mask, Gauge& gauge)
{
    const Colour maskGrey = maskColour(mask);
    const Colour neighbour = neighbourGrey(mask);
    const int width = sprite.width();
    const int height = sprite.height();

    forEachBand(width, [&](int first, int last, int percent) {
        for (int y = 0; y < height; ++y) {
            Colour* row = sprite.row(y);
            for (int x = first; x < last; ++x) {
                const Colour p = row[x];
                row[x] = p == maskGrey ? neighbour : p == TransparentKey ? maskGrey : p;
            }
        }
        if (height > 0)
            gauge.setProgress(percent);
    });
    gauge.setProgress(0);
}

} // namespace quilbrix
