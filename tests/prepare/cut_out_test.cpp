#include "prepare/gauge_log.h"

#include "prepare/cut_out.h"
#include "prepare/overlay_preview.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace quilbrix {
namespace {

using testing::GaugeLog;

// A picture in which every pixel has its own colour.
Surface numbered(int width, int height)
{
    Surface s(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.setPixel(x, y, static_cast<Colour>(0x010000 * x + 0x000100 * y + 7));
    return s;
}

TEST(CutOut, IdenticalPlanesChangeNothingAndLeaveTheGaugeStill)
{
    Surface sprite = numbered(130, 9);
    const Surface full = numbered(130, 9);
    GaugeLog log;
    cutOutSprites(sprite, full, log.gauge);
    EXPECT_EQ(sprite, full);
    EXPECT_TRUE(log.shown.empty());
}

TEST(CutOut, OneStepInOneComponentIsADifference)
{
    const Colour base = rgb(100, 150, 200);
    const Colour others[] = { rgb(101, 150, 200), rgb(99, 150, 200), rgb(100, 151, 200), rgb(100, 149, 200),
        rgb(100, 150, 201), rgb(100, 150, 199) };
    for (Colour other : others) {
        Surface sprite(2, 1, base);
        Surface full(2, 1, base);
        full.setPixel(1, 0, other);
        Gauge gauge;
        cutOutSprites(sprite, full, gauge);
        EXPECT_EQ(sprite.pixel(0, 0), base);
        EXPECT_EQ(sprite.pixel(1, 0), TransparentKey) << std::hex << other;
    }
}

TEST(CutOut, ASecondRunChangesNoPixel)
{
    Surface sprite = numbered(20, 20);
    Surface full = numbered(20, 20);
    for (int i = 0; i < 20; ++i)
        full.setPixel(i, (i * 7) % 20, Black);
    Gauge gauge;
    cutOutSprites(sprite, full, gauge);
    const Surface once = sprite;
    cutOutSprites(sprite, full, gauge);
    EXPECT_EQ(sprite, once);
}

struct SizeCase {
    const char* name;
    int fullWidth, fullHeight;
};

void PrintTo(const SizeCase& c, std::ostream* os)
{
    *os << c.name;
}

class CutOutSizes : public ::testing::TestWithParam<SizeCase> { };

// Against a smaller full plane every sprite pixel outside it is marked,
// since the invalid colour read there equals no pixel; a larger one takes
// part only over the sprite plane's extent and is never written.
TEST_P(CutOutSizes, OutsideTheFullPlaneEverythingIsMarked)
{
    const SizeCase& c = GetParam();
    Surface sprite = numbered(12, 10);
    const Surface full = numbered(c.fullWidth, c.fullHeight);
    const Surface fullBefore = full;
    Gauge gauge;
    cutOutSprites(sprite, full, gauge);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inside = x < c.fullWidth && y < c.fullHeight;
            EXPECT_EQ(sprite.pixel(x, y), inside ? numbered(12, 10).pixel(x, y) : TransparentKey)
                << x << "," << y;
        }
    EXPECT_EQ(full, fullBefore);
}

INSTANTIATE_TEST_SUITE_P(FullPlanes, CutOutSizes,
    ::testing::Values(SizeCase { "same", 12, 10 }, SizeCase { "narrower", 5, 10 },
        SizeCase { "shorter", 12, 4 }, SizeCase { "narrower_and_shorter", 3, 2 },
        SizeCase { "narrower_but_taller", 7, 30 }, SizeCase { "larger", 40, 33 }, SizeCase { "empty", 0, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

// A full plane never loaded is 105 × 105 White: every sprite pixel that is
// not White is marked, and every one beyond the 105th column or row.
TEST(CutOut, AgainstAFullPlaneNeverLoaded)
{
    Surface sprite(120, 110, White);
    sprite.setPixel(3, 4, DarkGrey);
    sprite.setPixel(104, 104, Black);
    Gauge gauge;
    cutOutSprites(sprite, Surface(105, 105), gauge);
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 120; ++x) {
            const bool marked = x >= 105 || y >= 105 || (x == 3 && y == 4) || (x == 104 && y == 104);
            ASSERT_EQ(sprite.pixel(x, y), marked ? TransparentKey : White) << x << "," << y;
        }
}

// After a preview the full plane holds the preview, and that is what the
// cut-out compares with.
TEST(CutOut, ComparesWithWhatAPreviewLeft)
{
    Surface sprite(3, 1, DarkGrey);
    sprite.setPixel(1, 0, Black);
    const Surface background(3, 1, LightGrey);
    // The loaded scene equals the sprite only at x = 1.
    Surface full(3, 1, White);
    full.setPixel(1, 0, Black);
    Gauge gauge;
    previewTrueColours(sprite, background, full, MaskChoice::Black, gauge);
    // The preview shows the background's LightGrey at x = 1 and the
    // sprite's DarkGrey elsewhere.
    cutOutSprites(sprite, full, gauge);
    EXPECT_EQ(sprite.pixel(0, 0), DarkGrey);
    EXPECT_EQ(sprite.pixel(1, 0), TransparentKey);
    EXPECT_EQ(sprite.pixel(2, 0), DarkGrey);
}

// The gauge shows the percentage of the column of each marked pixel, and
// only when it changes.
TEST(CutOut, GaugeFollowsTheMarkedColumns)
{
    struct Case {
        int width;
        std::vector<int> columns; // columns holding a differing pixel
        std::vector<int> shown;
    };
    const Case cases[] = {
        { 200, { 13, 57, 199 }, { 6, 28, 99, 0 } },
        { 200, { 12, 13 }, { 6, 0 } }, // both columns give 6
        { 200, { 0, 1 }, {} }, // 0 throughout: nothing to show
        { 3, { 2 }, { 66, 0 } },
        { 1000, { 999 }, { 99, 0 } },
    };
    for (const Case& c : cases) {
        Surface sprite(c.width, 5, White);
        Surface full(c.width, 5, White);
        for (int x : c.columns) {
            full.setPixel(x, 1, Black);
            full.setPixel(x, 4, Black);
        }
        GaugeLog log;
        cutOutSprites(sprite, full, log.gauge);
        EXPECT_EQ(log.shown, c.shown) << c.width;
        EXPECT_EQ(log.gauge.value(), 0);
    }
}

} // namespace
} // namespace quilbrix
