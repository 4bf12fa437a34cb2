#include "prepare/four_greys.h"

#include "prepare/column_bands.h"

#include <algorithm>

namespace quilbrix {

std::array<Colour, 766> greyTable(const Thresholds& thresholds)
{
    std::array<Colour, 766> table {};
    for (int b = 0; b < static_cast<int>(table.size()); ++b) {
        Colour grey = Black;
        if (b < thresholds.T1)
            grey = Black;
        if (thresholds.T1 <= b && b < thresholds.T2)
            grey = DarkGrey;
        if (thresholds.T2 <= b && b < thresholds.T3)
            grey = LightGrey;
        if (b >= thresholds.T3)
            grey = White;
        table[static_cast<std::size_t>(b)] = grey;
    }
    return table;
}

void convertToFourGreys(Surface& sprite, Surface& background, const Thresholds& thresholds, Gauge& gauge)
{
    assert(&sprite != &background);
    const std::array<Colour, 766> table = greyTable(thresholds);
    const Colour* grey = table.data();

    const int width = sprite.width();
    const int height = sprite.height();
    // Outside a smaller background the read gives InvalidColour and the
    // write is dropped, so only the part inside it takes part.
    const int backgroundWidth = std::min(width, background.width());
    const int backgroundHeight = std::min(height, background.height());

    forEachBand(width, [&](int first, int last, int percent) {
        for (int y = 0; y < height; ++y) {
            Colour* row = sprite.row(y);
            for (int x = first; x < last; ++x) {
                const Colour p = row[x];
                row[x] = p == TransparentKey ? p : grey[brightness(p)];
            }
        }
        const int backgroundLast = std::min(last, backgroundWidth);
        if (first < backgroundLast) {
            for (int y = 0; y < backgroundHeight; ++y) {
                Colour* row = background.row(y);
                for (int x = first; x < backgroundLast; ++x)
                    row[x] = grey[brightness(row[x])];
            }
        }
        if (height > 0)
            gauge.setProgress(percent);
    });
    gauge.setProgress(0);
}

} // namespace quilbrix
