#include "prepare/gauge_log.h"

#include "prepare/virtual_mask.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace quilbrix {
namespace {

using testing::GaugeLog;

const Colour Orange = rgb(255, 128, 0);

// One row holding the given colours.
Surface rowOf(const std::vector<Colour>& colours)
{
    Surface s(static_cast<int>(colours.size()), 1);
    for (std::size_t x = 0; x < colours.size(); ++x)
        s.setPixel(static_cast<int>(x), 0, colours[x]);
    return s;
}

std::vector<Colour> pixelsOf(const Surface& s)
{
    std::vector<Colour> out;
    for (int x = 0; x < s.width(); ++x)
        out.push_back(s.pixel(x, 0));
    return out;
}

struct MaskCase {
    const char* name;
    std::vector<MaskChoice> runs;
    std::vector<Colour> before;
    std::vector<Colour> after;
};

void PrintTo(const MaskCase& c, std::ostream* os)
{
    *os << c.name;
}

const std::vector<Colour> fiveColours = { Black, DarkGrey, LightGrey, White, TransparentKey };

// Colours other than the three that move, near Black and White included.
const std::vector<Colour> untouched = { Orange, rgb(0, 0, 1), rgb(254, 255, 255), 0x00FE00FF, DarkGrey };

const MaskCase maskCases[] = {
    { "black", { MaskChoice::Black }, fiveColours, { DarkGrey, DarkGrey, LightGrey, White, Black } },
    { "white", { MaskChoice::White }, fiveColours, { Black, DarkGrey, LightGrey, LightGrey, White } },
    // A second run moves the mask itself to the neighbouring grey.
    { "black_twice", { MaskChoice::Black, MaskChoice::Black }, fiveColours,
        { DarkGrey, DarkGrey, LightGrey, White, DarkGrey } },
    { "white_twice", { MaskChoice::White, MaskChoice::White }, fiveColours,
        { Black, DarkGrey, LightGrey, LightGrey, LightGrey } },
    // No key is left for the second run: the mask stays Black and the
    // sprite's White moves to LightGrey.
    { "black_then_white", { MaskChoice::Black, MaskChoice::White }, fiveColours,
        { DarkGrey, DarkGrey, LightGrey, LightGrey, Black } },
    { "other_colours_black", { MaskChoice::Black }, untouched, untouched },
    { "other_colours_white", { MaskChoice::White }, untouched, untouched },
    // Without keys the sprite still loses its pixels of the mask colour.
    { "no_key_black", { MaskChoice::Black }, { White, Black, Orange, Black },
        { White, DarkGrey, Orange, DarkGrey } },
    { "no_key_white", { MaskChoice::White }, { White, Black, Orange, White },
        { LightGrey, Black, Orange, LightGrey } },
};

class VirtualMask : public ::testing::TestWithParam<MaskCase> { };

TEST_P(VirtualMask, DecidesEachPixelOnItsColourBefore)
{
    const MaskCase& c = GetParam();
    Surface sprite = rowOf(c.before);
    Gauge gauge;
    for (MaskChoice mask : c.runs)
        applyVirtualMask(sprite, mask, gauge);
    EXPECT_EQ(pixelsOf(sprite), c.after);
}

INSTANTIATE_TEST_SUITE_P(Mappings, VirtualMask, ::testing::ValuesIn(maskCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VirtualMaskGauge, ShowsEachColumnUpTo99ThenZero)
{
    for (MaskChoice mask : { MaskChoice::Black, MaskChoice::White }) {
        Surface sprite(300, 4, TransparentKey);
        GaugeLog log;
        applyVirtualMask(sprite, mask, log.gauge);
        ASSERT_EQ(log.shown.size(), 100u);
        for (int p = 1; p < 100; ++p)
            EXPECT_EQ(log.shown[static_cast<std::size_t>(p - 1)], p);
        EXPECT_EQ(log.shown.back(), 0);
        EXPECT_EQ(log.gauge.value(), 0);
    }
    // Seven columns: 0, 14, 28, 42, 57, 71, 85.
    Surface sprite(7, 1);
    GaugeLog log;
    applyVirtualMask(sprite, MaskChoice::Black, log.gauge);
    EXPECT_EQ(log.shown, (std::vector<int> { 14, 28, 42, 57, 71, 85, 0 }));
}

} // namespace
} // namespace quilbrix
