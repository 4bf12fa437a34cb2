#include "prepare/four_greys.h"

#include "prepare/column_progress.h"

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

namespace {

// The table never steps down as the brightness rises (whatever the order of
// the thresholds, the grey is decided by the highest Tk that b reaches), so
// three edges describe it whole: the first brightness at which it reaches
// DarkGrey or lighter, LightGrey or lighter, and White (766 for never).
// A lookup per pixel cannot be done on several pixels at once; three
// comparisons can.
struct GreyEdges {
    int dark = 766, light = 766, white = 766;

    explicit GreyEdges(const std::array<Colour, 766>& table)
    {
        for (int b = 765; b >= 0; --b) {
            const Colour grey = table[static_cast<std::size_t>(b)];
            if (grey != Black)
                dark = b;
            if (grey == LightGrey || grey == White)
                light = b;
            if (grey == White)
                white = b;
        }
        assert(reproduces(table));
    }

    // The edges are nested (dark <= light <= white), so the masks of the
    // greys add up: 0x808080 | 0xC0C0C0 is LightGrey, | 0xFFFFFF is White.
    Colour operator()(Colour c) const
    {
        const int b = brightness(c);
        return (b >= dark ? DarkGrey : Black) | (b >= light ? LightGrey : Black)
            | (b >= white ? White : Black);
    }

    // Whether the edges give the table's grey for every brightness.
    bool reproduces(const std::array<Colour, 766>& table) const
    {
        for (int b = 0; b < 766; ++b) {
            const Colour c = rgb(std::min(b, 255), std::clamp(b - 255, 0, 255), std::max(b - 510, 0));
            if ((*this)(c) != table[static_cast<std::size_t>(b)])
                return false;
        }
        return dark <= light && light <= white;
    }
};

} // namespace

void convertToFourGreys(Surface& sprite, Surface& background, const Thresholds& thresholds, Gauge& gauge)
{
    assert(&sprite != &background);
    const GreyEdges grey(greyTable(thresholds));

    const int width = sprite.width();
    // Outside a smaller background the read gives InvalidColour and the
    // write is dropped, so only the part inside it takes part.
    const int backgroundWidth = std::min(width, background.width());
    const int backgroundHeight = std::min(sprite.height(), background.height());

    walkRowsShowingColumns(width, sprite.height(), gauge, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            Colour* row = sprite.row(y);
            for (int x = 0; x < width; ++x) {
                const Colour p = row[x];
                const Colour g = grey(p);
                row[x] = p == TransparentKey ? p : g;
            }
            if (y < backgroundHeight) {
                Colour* under = background.row(y);
                for (int x = 0; x < backgroundWidth; ++x)
                    under[x] = grey(under[x]);
            }
        }
    });
    gauge.setProgress(0);
}

} // namespace quilbrix
