#pragma once

#include <cassert>
#include <cstdint>

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

// Calls visit(first, last, percent) for consecutive runs of columns
// [first, last) covering 0..width-1 from left to right, every column of a
// run having the gauge percentage `percent`, and the runs in rising order.
//
// The pixel commands walk column by column and set the gauge to each
// column's percentage. Since every pixel's result depends on that pixel
// alone, a command may treat one run at a time row by row, which reads the
// row-major buffers in order, and set the gauge once per run: the gauge then
// shows the same percentages in the same order.
template <typename Visit> void forEachBand(int width, Visit&& visit)
{
    assert(width >= 0);
    for (int first = 0; first < width;) {
        const int percent = columnPercent(first, width);
        const int last = bandEnd(percent, width);
        assert(last > first);
        visit(first, last, percent);
        first = last;
    }
}

} // namespace quilbrix
