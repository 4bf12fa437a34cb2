#pragma once

#include "state/gauge.h"

#include <cassert>
#include <cstdint>
#include <vector>

namespace quilbrix {

// The gauge percentage of column x in a walk over `width` columns:
// x × 100 / width, truncated. Computed in 64 bits so that very wide
// surfaces cannot overflow it. Expects 0 <= x < width.
constexpr int columnPercent(int x, int width)
{
    assert(x >= 0 && x < width);
    return static_cast<int>(static_cast<std::int64_t>(x) * 100 / width);
}

// The first column whose percentage exceeds `percent`, or `width` if there
// is none: the smallest x with x × 100 >= (percent + 1) × width.
constexpr int bandEnd(int percent, int width)
{
    const std::int64_t end = ((static_cast<std::int64_t>(percent) + 1) * width + 99) / 100;
    return end < width ? static_cast<int>(end) : width;
}

// The pixel commands walk the sprite plane column by column and set the
// gauge to each column's percentage as they go. Every pixel's result
// depends on that pixel alone, so the commands treat the picture row by row
// instead, which reads the row-major buffers in order and lets the
// compiler work on several pixels at once; the gauge is then given the same
// percentages in the same order, which is all its view can see.

// For commands that set the gauge at every position: calls rows(first,
// last) on consecutive row ranges that cover 0..height-1 from the top, and
// between them shows, in order, the percentage of every column of a walk
// over `width` columns. Each percentage comes once the share of the rows
// done is at least the share of the columns before its band, as in the
// column walk, so the gauge follows the work. Shows nothing when width or
// height is 0.
template <typename Rows> void walkRowsShowingColumns(int width, int height, Gauge& gauge, Rows&& rows)
{
    assert(width >= 0 && height >= 0);
    if (width == 0 || height == 0)
        return;
    int done = 0;
    for (int first = 0; first < width;) {
        const int percent = columnPercent(first, width);
        // ceil(first × height / width): the rows that stand for the columns
        // before this band.
        const auto until = static_cast<int>((static_cast<std::int64_t>(first) * height + width - 1) / width);
        if (until > done) {
            rows(done, until);
            done = until;
        }
        gauge.setProgress(percent);
        first = bandEnd(percent, width);
    }
    rows(done, height);
}

// For the cut-out, which sets the gauge only at the pixels it marks: shows,
// in order, the percentage of every column x with marked[x] != 0, as a
// column-by-column walk marking those columns would.
inline void showMarkedColumns(const std::vector<std::uint32_t>& marked, Gauge& gauge)
{
    const int width = static_cast<int>(marked.size());
    for (int first = 0; first < width;) {
        const int percent = columnPercent(first, width);
        const int last = bandEnd(percent, width);
        for (int x = first; x < last; ++x) {
            if (marked[static_cast<std::size_t>(x)] != 0) {
                gauge.setProgress(percent);
                break;
            }
        }
        first = last;
    }
}

} // namespace quilbrix
