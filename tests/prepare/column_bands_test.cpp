#include "prepare/column_bands.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace quilbrix {
namespace {

struct Band {
    int first, last, percent;
};

std::vector<Band> bandsOf(int width)
{
    std::vector<Band> bands;
    forEachBand(width, [&](int first, int last, int percent) { bands.push_back({ first, last, percent }); });
    return bands;
}

// Every column lies in exactly one band, in order, and carries the band's
// percentage x × 100 / W.
TEST(ColumnBands, CoverEveryColumnWithItsPercentage)
{
    for (int width = 0; width <= 1200; ++width) {
        int next = 0;
        int previous = -1;
        for (const Band& b : bandsOf(width)) {
            ASSERT_EQ(b.first, next) << width;
            ASSERT_LT(b.first, b.last) << width;
            ASSERT_GT(b.percent, previous) << width;
            for (int x = b.first; x < b.last; ++x)
                ASSERT_EQ(x * 100 / width, b.percent) << width << " column " << x;
            next = b.last;
            previous = b.percent;
        }
        ASSERT_EQ(next, width);
    }
}

// Widths past INT_MAX / 100 would overflow x × 100 in 32 bits; the bands
// keep the true percentages.
TEST(ColumnBands, WideSurfacesKeepTheTruePercentages)
{
    for (int width : { INT_MAX / 100 + 1, 100'000'007, INT_MAX }) {
        const std::vector<Band> bands = bandsOf(width);
        ASSERT_EQ(bands.size(), 100u) << width;
        for (const Band& b : bands) {
            const auto percent = [&](int x) { return static_cast<int>(std::int64_t { x } * 100 / width); };
            EXPECT_EQ(percent(b.first), b.percent);
            EXPECT_EQ(percent(b.last - 1), b.percent);
            if (b.first > 0) {
                EXPECT_EQ(percent(b.first - 1), b.percent - 1);
            }
        }
        EXPECT_EQ(bands.back().last, width);
        EXPECT_EQ(bands.back().percent, 99);
    }
}

} // namespace
} // namespace quilbrix
