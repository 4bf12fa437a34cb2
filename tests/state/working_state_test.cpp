#include "state/error.h"
#include "state/working_state.h"

#include <gtest/gtest.h>

#include <climits>

namespace quilbrix {
namespace {

TEST(PictureControl, FirstTouchCreatesAWhiteSurfaceOfTheCurrentSize)
{
    PictureControl strip(253, 17, false);
    EXPECT_FALSE(strip.hasPicture());
    strip.setSize(16368, 32);
    Surface& s = strip.surface();
    EXPECT_EQ(s.width(), 16368);
    EXPECT_EQ(s.height(), 32);
    EXPECT_EQ(s.pixel(16367, 31), White);
    s.setPixel(16367, 31, DarkGrey);

    // A smaller displayed size only shows less: the surface keeps its size and pixels.
    strip.setSize(48, 16);
    EXPECT_EQ(strip.width(), 48);
    EXPECT_EQ(&strip.surface(), &s);
    EXPECT_EQ(strip.surface().width(), 16368);
    EXPECT_EQ(strip.surface().pixel(16367, 31), DarkGrey);
}

TEST(PictureControl, LoadingReplacesTheSurfaceAndAutoSizeFollowsIt)
{
    PictureControl plane(105, 105, true);
    plane.surface().setPixel(0, 0, Black);
    plane.load(Surface(320, 200, LightGrey));
    EXPECT_EQ(plane.width(), 320);
    EXPECT_EQ(plane.height(), 200);
    EXPECT_EQ(plane.surface().pixel(0, 0), LightGrey);

    PictureControl fixed(113, 113, false);
    fixed.load(Surface(10, 10));
    EXPECT_EQ(fixed.width(), 113);
}

TEST(WorkingState, StartState)
{
    WorkingState state;
    EXPECT_EQ(state.TileSize, 16);
    EXPECT_FALSE(state.SpriteMap || state.BackgroundMap);
    EXPECT_EQ(state.Label23.caption, "N/A");
    EXPECT_EQ(state.Label26.caption, "N/A");
    EXPECT_EQ(state.CGauge1.value(), 0);
    for (const PictureControl* c : std::initializer_list<const PictureControl*> { &state.Image1,
             &state.Image2, &state.Image3, &state.Image5, &state.Image6, &state.Image8, &state.Image9 })
        EXPECT_FALSE(c->hasPicture());
    // A command run before any load works on a 105 × 105 White plane.
    EXPECT_EQ(state.Image1.surface().width(), 105);
    EXPECT_EQ(state.Image1.surface().pixel(104, 104), White);
}

TEST(Gauge, ClampsAndNotifiesOnlyOnChange)
{
    Gauge gauge;
    std::vector<int> shown;
    gauge.setView([&](int v) { shown.push_back(v); });
    for (int v : { 0, 150, 100, 3, 3, 3, -7, 0, 99 })
        gauge.setProgress(v);
    EXPECT_EQ(shown, (std::vector<int> { 100, 3, 0, 99 }));
    EXPECT_EQ(gauge.value(), 99);
}

TEST(Map, EntriesStartAtZeroInRowOrder)
{
    Map map = createMap(3, 2, 16);
    ASSERT_EQ(map.entries.size(), 6u);
    map.at(2, 1) = 7;
    EXPECT_EQ(map.entries[5], 7);
    EXPECT_EQ(map.at(0, 0), 0);
}

TEST(Map, AMapThatCannotBeHadIsAClearError)
{
    try {
        createMap(INT_MAX, INT_MAX, 8);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Mémoire insuffisante pour créer une carte de 2147483647 x 2147483647 cases");
    }
}

} // namespace
} // namespace quilbrix
