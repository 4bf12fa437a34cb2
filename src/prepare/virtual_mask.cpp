#include "prepare/virtual_mask.h"

#include "prepare/column_progress.h"
#include "prepare/select_mask.h"

namespace quilbrix {

void applyVirtualMask(Surface& sprite, MaskChoice mask, Gauge& gauge)
{
    const Colour maskGrey = maskColour(mask);
    const Colour neighbour = neighbourGrey(mask);
    const int width = sprite.width();
    // A pixel can equal at most one of maskGrey and TransparentKey, so each
    // change is a flip of bits, applied where its test holds. This form
    // leaves the loop bound by memory; two nested selections took twice as
    // long.
    const Colour toNeighbour = maskGrey ^ neighbour;
    const Colour toMask = TransparentKey ^ maskGrey;

    walkRowsShowingColumns(width, sprite.height(), gauge, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            Colour* row = sprite.row(y);
            for (int x = 0; x < width; ++x) {
                const Colour p = row[x];
                row[x] = p ^ (selectMask(p == maskGrey) & toNeighbour)
                    ^ (selectMask(p == TransparentKey) & toMask);
            }
        }
    });
    gauge.setProgress(0);
}

} // namespace quilbrix
