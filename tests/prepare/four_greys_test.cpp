#include "prepare/gauge_log.h"

#include "prepare/four_greys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>
#include <vector>

namespace quilbrix {
namespace {

using testing::GaugeLog;

struct GreyCase {
    const char* name;
    Thresholds thresholds;
    std::vector<std::pair<int, Colour>> expected; // brightness, grey
};

void PrintTo(const GreyCase& c, std::ostream* os)
{
    *os << c.name;
}

// The bands of each threshold order, worked out by hand from the four band
// tests where the last one that holds decides.
const GreyCase greyCases[] = {
    { "defaults", { 100, 170, 300 },
        { { 0, Black }, { 99, Black }, { 100, DarkGrey }, { 169, DarkGrey }, { 170, LightGrey },
            { 299, LightGrey }, { 300, White }, { 765, White } } },
    { "all_equal", { 250, 250, 250 }, { { 0, Black }, { 249, Black }, { 250, White }, { 765, White } } },
    // A first-match test in rising order would give Black up to 299 and
    // DarkGrey from 300 on here.
    { "falling", { 300, 170, 100 },
        { { 0, Black }, { 99, Black }, { 100, White }, { 169, White }, { 170, White }, { 299, White },
            { 300, White }, { 765, White } } },
    // A first-match test would give LightGrey from 170 to 299.
    { "middle_above_top", { 100, 300, 170 },
        { { 99, Black }, { 100, DarkGrey }, { 169, DarkGrey }, { 170, White }, { 299, White },
            { 300, White } } },
    { "top_out_of_reach", { 100, 170, 766 }, { { 765, LightGrey }, { 170, LightGrey }, { 169, DarkGrey } } },
    { "top_at_box_maximum", { 100, 1023, 1023 }, { { 765, DarkGrey }, { 99, Black } } },
    { "first_at_zero", { 0, 170, 300 }, { { 0, DarkGrey }, { 169, DarkGrey }, { 170, LightGrey } } },
    { "all_zero", { 0, 0, 0 }, { { 0, White }, { 765, White } } },
    // T1 above T2 and T3 between: DarkGrey needs T1 <= b < T2, impossible.
    { "first_above_second", { 400, 200, 300 },
        { { 199, Black }, { 200, LightGrey }, { 299, LightGrey }, { 300, White }, { 399, White },
            { 400, White } } },
};

class GreyTable : public ::testing::TestWithParam<GreyCase> { };

TEST_P(GreyTable, GivesTheGreyOfEachBand)
{
    const GreyCase& c = GetParam();
    const auto table = greyTable(c.thresholds);
    for (const auto& [b, grey] : c.expected)
        EXPECT_EQ(table[static_cast<std::size_t>(b)], grey) << "brightness " << b;
}

INSTANTIATE_TEST_SUITE_P(ThresholdOrders, GreyTable, ::testing::ValuesIn(greyCases),
    [](const auto& info) { return std::string(info.param.name); });

// The table form "b >= T3 White, else b >= T2 LightGrey, else b >= T1
// DarkGrey, else Black" and the band tests agree for every order.
TEST(GreyTable, EqualsTheDescendingTestForEveryOrder)
{
    const int values[] = { 0, 1, 99, 100, 170, 300, 384, 510, 576, 765, 766, 1023 };
    for (int t1 : values)
        for (int t2 : values)
            for (int t3 : values) {
                const auto table = greyTable({ t1, t2, t3 });
                for (int b = 0; b <= 765; ++b) {
                    const Colour expected = b >= t3 ? White
                        : b >= t2                   ? LightGrey
                        : b >= t1                   ? DarkGrey
                                                    : Black;
                    ASSERT_EQ(table[static_cast<std::size_t>(b)], expected)
                        << t1 << " " << t2 << " " << t3 << " at " << b;
                }
            }
}

TEST(GreyTable, GreysThatNeverOccur)
{
    auto occurs = [](const Thresholds& t, Colour grey) {
        const auto table = greyTable(t);
        return std::find(table.begin(), table.end(), grey) != table.end();
    };
    EXPECT_FALSE(occurs({ 250, 250, 250 }, DarkGrey));
    EXPECT_FALSE(occurs({ 250, 250, 250 }, LightGrey));
    EXPECT_FALSE(occurs({ 300, 170, 100 }, DarkGrey));
    EXPECT_FALSE(occurs({ 300, 170, 100 }, LightGrey));
    EXPECT_FALSE(occurs({ 100, 300, 170 }, LightGrey));
    EXPECT_FALSE(occurs({ 100, 170, 766 }, White));
    EXPECT_FALSE(occurs({ 0, 170, 300 }, Black));
}

// Colours whose brightness sits on the default bands' edges, the sum spread
// over the components in different ways so that each component counts.
struct Pixel {
    Colour colour;
    Colour grey; // with the default thresholds
};
const Pixel edgePixels[] = {
    { rgb(99, 0, 0), Black },
    { rgb(0, 99, 0), Black },
    { rgb(0, 0, 99), Black },
    { rgb(33, 33, 34), DarkGrey }, // 100
    { rgb(0, 0, 100), DarkGrey },
    { rgb(0, 169, 0), DarkGrey },
    { rgb(100, 70, 0), LightGrey }, // 170
    { rgb(255, 44, 0), LightGrey }, // 299
    { rgb(0, 45, 255), White }, // 300
    { rgb(255, 255, 0), White }, // 510
    { DarkGrey, White }, // 384
    { LightGrey, White }, // 576
    { Black, Black },
    { White, White },
};

Surface edgePlane()
{
    Surface s(static_cast<int>(std::size(edgePixels)), 2);
    for (int x = 0; x < s.width(); ++x)
        for (int y = 0; y < 2; ++y)
            s.setPixel(x, y, edgePixels[x].colour);
    return s;
}

TEST(FourGreys, ConvertsBothPlanesByBrightness)
{
    Surface sprite = edgePlane();
    Surface background = edgePlane();
    Gauge gauge;
    convertToFourGreys(sprite, background, {}, gauge);
    for (int x = 0; x < sprite.width(); ++x)
        for (int y = 0; y < 2; ++y) {
            EXPECT_EQ(sprite.pixel(x, y), edgePixels[x].grey) << x;
            EXPECT_EQ(background.pixel(x, y), edgePixels[x].grey) << x;
        }
}

TEST(FourGreys, IsNotIdempotent)
{
    Surface sprite(4, 1), background(4, 1);
    const Colour greys[] = { Black, DarkGrey, LightGrey, White };
    for (int x = 0; x < 4; ++x) {
        sprite.setPixel(x, 0, greys[x]);
        background.setPixel(x, 0, greys[x]);
    }
    Gauge gauge;
    convertToFourGreys(sprite, background, {}, gauge);
    for (const Surface* s : { &sprite, &background }) {
        EXPECT_EQ(s->pixel(0, 0), Black);
        EXPECT_EQ(s->pixel(1, 0), White);
        EXPECT_EQ(s->pixel(2, 0), White);
        EXPECT_EQ(s->pixel(3, 0), White);
    }
}

TEST(FourGreys, LeavesTheSpriteKeyButConvertsTheBackgroundOne)
{
    struct Case {
        Thresholds thresholds;
        Colour background;
    };
    const Case cases[] = {
        { {}, White }, // 510 >= 300
        { { 100, 500, 600 }, LightGrey },
        { { 511, 600, 700 }, Black },
        { { 510, 511, 512 }, DarkGrey },
    };
    for (const Case& c : cases) {
        Surface sprite(1, 1, TransparentKey), background(1, 1, TransparentKey);
        Gauge gauge;
        convertToFourGreys(sprite, background, c.thresholds, gauge);
        EXPECT_EQ(sprite.pixel(0, 0), TransparentKey);
        EXPECT_EQ(background.pixel(0, 0), c.background) << c.thresholds.T1;
    }
}

TEST(FourGreys, OtherPlaneSizes)
{
    const Colour dark = rgb(10, 10, 10);
    // Larger background: only the sprite plane's extent is converted.
    {
        Surface sprite(3, 2, dark), background(5, 4, dark);
        Gauge gauge;
        convertToFourGreys(sprite, background, {}, gauge);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(background.pixel(x, y), x < 3 && y < 2 ? Black : dark) << x << "," << y;
        EXPECT_EQ(sprite, Surface(3, 2, Black));
    }
    // Smaller background, narrower and taller: what lies outside the
    // extent or outside the background changes nothing.
    {
        Surface sprite(5, 2, dark), background(2, 4, dark);
        Gauge gauge;
        convertToFourGreys(sprite, background, {}, gauge);
        EXPECT_EQ(sprite, Surface(5, 2, Black));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 2; ++x)
                EXPECT_EQ(background.pixel(x, y), y < 2 ? Black : dark) << x << "," << y;
    }
    // A plane never loaded: 105 × 105 White stays White.
    {
        Surface sprite(105, 105), background(105, 105);
        Gauge gauge;
        convertToFourGreys(sprite, background, {}, gauge);
        EXPECT_EQ(sprite, Surface(105, 105));
        EXPECT_EQ(background, Surface(105, 105));
    }
}

// Each column's percentage in turn, as the gauge shows it: the changes of
// x × 100 / W from 0.
std::vector<int> everyColumn(int width)
{
    std::vector<int> shown;
    int last = 0;
    for (int x = 0; x < width; ++x)
        if (x * 100 / width != last)
            shown.push_back(last = x * 100 / width);
    if (last != 0)
        shown.push_back(0);
    return shown;
}

TEST(FourGreys, GaugeShowsEachColumnUpTo99ThenZero)
{
    for (int width : { 1, 3, 7, 99, 100, 101, 250, 1000 }) {
        Surface sprite(width, 2), background(width / 2, 3);
        GaugeLog log;
        convertToFourGreys(sprite, background, {}, log.gauge);
        EXPECT_EQ(log.shown, everyColumn(width)) << width;
        EXPECT_LE(log.highestDuringRun(), 99);
        EXPECT_EQ(log.gauge.value(), 0);
    }
    // No rows: no position is visited, only the final 0 is set.
    Surface sprite(300, 0), background(300, 300);
    GaugeLog log(42);
    convertToFourGreys(sprite, background, {}, log.gauge);
    EXPECT_EQ(log.shown, std::vector<int> { 0 });
}

} // namespace
} // namespace quilbrix
