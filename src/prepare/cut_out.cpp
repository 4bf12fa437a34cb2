#include "prepare/cut_out.h"

#include "prepare/column_progress.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace quilbrix {

namespace {

// Marks every pixel of row[first..last) that differs from `other` and notes
// the columns marked. Writing the key over a pixel that already holds it is
// the same as leaving it, so the loop writes without a branch.
void markDifferences(Colour* row, const Colour* other, std::uint32_t* marked, int first, int last)
{
    for (int x = first; x < last; ++x) {
        const Colour p = row[x];
        const std::uint32_t differs = p != other[x];
        row[x] = differs ? TransparentKey : p;
        marked[x] |= differs;
    }
}

// The same where the full plane does not reach: every read there gives
// InvalidColour.
void markDifferences(Colour* row, std::uint32_t* marked, int first, int last)
{
    for (int x = first; x < last; ++x) {
        const Colour p = row[x];
        const std::uint32_t differs = p != InvalidColour;
        row[x] = differs ? TransparentKey : p;
        marked[x] |= differs;
    }
}

} // namespace

void cutOutSprites(Surface& sprite, const Surface& full, Gauge& gauge)
{
    assert(&sprite != &full);
    const int width = sprite.width();
    const int height = sprite.height();
    const int fullWidth = std::min(width, full.width());
    const int fullHeight = std::min(height, full.height());

    // Which columns hold a marked pixel is known only once every row is
    // done, so the gauge is given their percentages after the pass.
    std::vector<std::uint32_t> marked(static_cast<std::size_t>(height > 0 ? width : 0), 0);
    for (int y = 0; y < height; ++y) {
        Colour* row = sprite.row(y);
        if (y < fullHeight) {
            markDifferences(row, full.row(y), marked.data(), 0, fullWidth);
            markDifferences(row, marked.data(), fullWidth, width);
        } else {
            markDifferences(row, marked.data(), 0, width);
        }
    }
    showMarkedColumns(marked, gauge);
    gauge.setProgress(0);
}

} // namespace quilbrix
