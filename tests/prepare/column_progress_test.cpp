#include "prepare/gauge_log.h"

#include "prepare/column_progress.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <vector>

namespace quilbrix {
namespace {

using testing::GaugeLog;

// What the view of a gauge set to x × 100 / W at every column, one column
// after the other, receives.
std::vector<int> columnByColumn(int width, const std::vector<bool>& setAt)
{
    GaugeLog log;
    for (int x = 0; x < width; ++x)
        if (setAt[static_cast<std::size_t>(x)])
            log.gauge.setProgress(static_cast<int>(std::int64_t { x } * 100 / width));
    return log.shown;
}

TEST(ColumnProgress, PercentagesAndBandEnds)
{
    for (int width = 1; width <= 1200; ++width)
        for (int x = 0; x < width; ++x) {
            const int percent = columnPercent(x, width);
            ASSERT_EQ(percent, x * 100 / width) << width << " column " << x;
            ASSERT_GT(bandEnd(percent, width), x) << width << " column " << x;
            ASSERT_EQ(columnPercent(bandEnd(percent, width) - 1, width), percent) << width << " column " << x;
            if (bandEnd(percent, width) < width) {
                ASSERT_GT(columnPercent(bandEnd(percent, width), width), percent) << width << " column " << x;
            }
        }
}

// Widths past INT_MAX / 100 would overflow x × 100 in 32 bits.
TEST(ColumnProgress, WideSurfacesKeepTheTruePercentages)
{
    for (int width : { INT_MAX / 100 + 1, 100'000'007, INT_MAX }) {
        for (int x : { 0, width / 3, width / 2, width - 2, width - 1 })
            EXPECT_EQ(columnPercent(x, width), static_cast<int>(std::int64_t { x } * 100 / width)) << width;
        EXPECT_EQ(columnPercent(width - 1, width), 99);
        EXPECT_EQ(bandEnd(98, width), static_cast<int>((std::int64_t { 99 } * width + 99) / 100));
        EXPECT_EQ(bandEnd(99, width), width);
    }
}

// Rows come in order, each once, and the gauge receives what the
// column-by-column walk would give it; each percentage comes once the share
// of the rows done reaches it.
TEST(ColumnProgress, RowsInOrderWithTheGaugeOfEveryColumn)
{
    const int sizes[] = { 1, 2, 3, 7, 50, 99, 100, 101, 333, 2048 };
    for (int width : sizes)
        for (int height : sizes) {
            Gauge gauge;
            std::vector<int> shown;
            int next = 0;
            gauge.setView([&](int percent) {
                shown.push_back(percent);
                EXPECT_LE(std::int64_t { percent } * height, std::int64_t { next } * 100)
                    << width << "x" << height << " at " << percent;
            });
            walkRowsShowingColumns(width, height, gauge, [&](int first, int last) {
                ASSERT_EQ(first, next);
                ASSERT_LE(first, last);
                next = last;
            });
            EXPECT_EQ(next, height) << width << "x" << height;
            EXPECT_EQ(shown, columnByColumn(width, std::vector<bool>(static_cast<std::size_t>(width), true)))
                << width << "x" << height;
        }
}

TEST(ColumnProgress, NothingForAnEmptyExtent)
{
    for (auto [width, height] : { std::pair { 0, 5 }, std::pair { 5, 0 }, std::pair { 0, 0 } }) {
        GaugeLog log(30);
        bool called = false;
        walkRowsShowingColumns(width, height, log.gauge, [&](int, int) { called = true; });
        EXPECT_FALSE(called);
        EXPECT_TRUE(log.shown.empty());
    }
}

TEST(ColumnProgress, MarkedColumnsAgainstTheColumnWalk)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        const int width = std::uniform_int_distribution<int>(0, 400)(rng);
        const double density = std::uniform_real_distribution<double>(0, 0.1)(rng);
        std::bernoulli_distribution hit(density);
        std::vector<std::uint32_t> marked(static_cast<std::size_t>(width));
        std::vector<bool> setAt(static_cast<std::size_t>(width));
        for (int x = 0; x < width; ++x) {
            const bool h = hit(rng);
            setAt[static_cast<std::size_t>(x)] = h;
            marked[static_cast<std::size_t>(x)] = h;
        }
        GaugeLog log;
        showMarkedColumns(marked, log.gauge);
        ASSERT_EQ(log.shown, columnByColumn(width, setAt)) << width;
    }
}

} // namespace
} // namespace quilbrix
