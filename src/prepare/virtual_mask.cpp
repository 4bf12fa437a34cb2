#include "prepare/virtual_mask.h"

#include "prepare/column_progress.h"

namespace quilbrix {

void applyVirtualMask(Surface& sprite, MaskChoice mask, Gauge& gauge)
{
    const Colour maskGrey = maskColour(mask);
    const Colour neighbour = neighbourGrey(mask);
    const int width = sprite.width();

    walkRowsShowingColumns(width, sprite.height(), gauge, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            Colour* row = sprite.row(y);
            for (int x = 0; x < width; ++x) {
                const Colour p = row[x];
                row[x] = p == maskGrey ? neighbour : p == TransparentKey ? maskGrey : p;
            }
        }
    });
    gauge.setProgress(0);
}

} // namespace quilbrix
