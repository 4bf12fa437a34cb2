#include "prepare/gauge_log.h"

#include "prepare/overlay_preview.h"
#include "prepare/virtual_mask.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace quilbrix {
namespace {

using testing::GaugeLog;

const Colour Orange = rgb(255, 128, 0);
const Colour Scene = rgb(1, 2, 3); // what the full plane held before

// The screen colours as red, green and blue components.
TEST(Palettes, HoldTheCalculatorScreenColours)
{
    EXPECT_EQ(Ti89Palette.black, rgb(49, 46, 34));
    EXPECT_EQ(Ti89Palette.darkGrey, rgb(100, 105, 91));
    EXPECT_EQ(Ti89Palette.lightGrey, rgb(152, 164, 149));
    EXPECT_EQ(Ti89Palette.white, rgb(204, 224, 207));
    EXPECT_EQ(Ti92Palette.black, rgb(83, 111, 138));
    EXPECT_EQ(Ti92Palette.darkGrey, rgb(111, 140, 149));
    EXPECT_EQ(Ti92Palette.lightGrey, rgb(139, 169, 161));
    EXPECT_EQ(Ti92Palette.white, rgb(168, 198, 173));
    EXPECT_EQ(Ti89Palette.black, 0x222E31u);
    EXPECT_EQ(Ti92Palette.white, 0xADC6A8u);
}

enum class Preview { Real, Ti89, Ti92 };

void runPreview(Preview preview, const Surface& sprite, const Surface& background, Surface& full,
    MaskChoice mask, Gauge& gauge)
{
    switch (preview) {
    case Preview::Real: previewTrueColours(sprite, background, full, mask, gauge); break;
    case Preview::Ti89: previewOnCalculator(sprite, background, full, mask, Ti89Palette, gauge); break;
    case Preview::Ti92: previewOnCalculator(sprite, background, full, mask, Ti92Palette, gauge); break;
    }
}

struct PixelCase {
    const char* name;
    Preview preview;
    MaskChoice mask;
    Colour background, sprite;
    Colour expected; // the full plane held Scene before
};

void PrintTo(const PixelCase& c, std::ostream* os)
{
    *os << c.name;
}

const PixelCase pixelCases[] = {
    { "ti89_black_mask_hides_black", Preview::Ti89, MaskChoice::Black, DarkGrey, Black, 0x5B6964 },
    { "ti89_white_mask_paints_black", Preview::Ti89, MaskChoice::White, DarkGrey, Black, 0x222E31 },
    { "ti92_black_mask_paints_white", Preview::Ti92, MaskChoice::Black, Black, White, 0xADC6A8 },
    { "ti92_white_mask_hides_white", Preview::Ti92, MaskChoice::White, Black, White, 0x8A6F53 },
    { "ti89_light_grey_over_white", Preview::Ti89, MaskChoice::White, White, LightGrey, 0x95A498 },
    { "ti92_dark_grey_over_light", Preview::Ti92, MaskChoice::Black, LightGrey, DarkGrey, 0x958C6F },
    { "ti89_key_shows_background", Preview::Ti89, MaskChoice::Black, LightGrey, TransparentKey, 0x95A498 },
    { "ti92_key_shows_background", Preview::Ti92, MaskChoice::White, White, TransparentKey, 0xADC6A8 },
    { "ti89_other_sprite_shows_background", Preview::Ti89, MaskChoice::Black, White, Orange, 0xCFE0CC },
    // A background outside the four greys writes nothing: the scene stays
    // unless the sprite paints.
    { "ti89_other_background_keeps_scene", Preview::Ti89, MaskChoice::Black, Orange, Black, Scene },
    { "ti92_other_background_keeps_scene", Preview::Ti92, MaskChoice::White, TransparentKey, White, Scene },
    { "ti92_sprite_over_other_background", Preview::Ti92, MaskChoice::White, Orange, Black, 0x8A6F53 },
    // A colour one step off a grey is no grey.
    { "ti89_near_grey_is_no_grey", Preview::Ti89, MaskChoice::Black, 0x808081, 0xC0C0C1, Scene },
    { "real_black_mask_hides_black", Preview::Real, MaskChoice::Black, Orange, Black, Orange },
    { "real_black_mask_shows_white", Preview::Real, MaskChoice::Black, Orange, White, White },
    { "real_black_mask_shows_key", Preview::Real, MaskChoice::Black, DarkGrey, TransparentKey,
        TransparentKey },
    { "real_black_mask_shows_other", Preview::Real, MaskChoice::Black, DarkGrey, Orange, Orange },
    { "real_white_mask_hides_white", Preview::Real, MaskChoice::White, TransparentKey, White,
        TransparentKey },
    { "real_white_mask_shows_black", Preview::Real, MaskChoice::White, Orange, Black, Black },
    { "real_white_mask_shows_key", Preview::Real, MaskChoice::White, White, TransparentKey, TransparentKey },
};

class PreviewPixel : public ::testing::TestWithParam<PixelCase> { };

TEST_P(PreviewPixel, PaintsBackgroundThenSprite)
{
    const PixelCase& c = GetParam();
    const Surface sprite(1, 1, c.sprite), background(1, 1, c.background);
    Surface full(1, 1, Scene);
    Gauge gauge;
    runPreview(c.preview, sprite, background, full, c.mask, gauge);
    EXPECT_EQ(full.pixel(0, 0), c.expected) << std::hex << full.pixel(0, 0);
    // The same preview again gives the same full plane.
    runPreview(c.preview, sprite, background, full, c.mask, gauge);
    EXPECT_EQ(full.pixel(0, 0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PreviewPixel, ::testing::ValuesIn(pixelCases),
    [](const auto& info) { return std::string(info.param.name); });

// The preview reads the mask choice of the moment, not the one of the last
// virtual mask.
TEST(Preview, UsesTheMaskChoiceOfTheMoment)
{
    Surface sprite(4, 1);
    const Colour colours[] = { Black, White, TransparentKey, DarkGrey };
    for (int x = 0; x < 4; ++x)
        sprite.setPixel(x, 0, colours[x]);
    Gauge gauge;
    applyVirtualMask(sprite, MaskChoice::Black, gauge); // DarkGrey, White, Black, DarkGrey
    const Surface background(4, 1, LightGrey);

    Surface full(4, 1, Scene);
    previewOnCalculator(sprite, background, full, MaskChoice::White, Ti89Palette, gauge);
    EXPECT_EQ(full.pixel(0, 0), Ti89Palette.darkGrey);
    EXPECT_EQ(full.pixel(1, 0), Ti89Palette.lightGrey); // the sprite's White lets the background show
    EXPECT_EQ(full.pixel(2, 0), Ti89Palette.black); // the mask's Black is painted
    EXPECT_EQ(full.pixel(3, 0), Ti89Palette.darkGrey);

    previewTrueColours(sprite, background, full, MaskChoice::White, gauge);
    EXPECT_EQ(full.pixel(1, 0), LightGrey);
    EXPECT_EQ(full.pixel(2, 0), Black);
}

// Planes of other sizes than the sprite plane's 4 × 3, for each preview.
struct SizeCase {
    const char* name;
    int backgroundWidth, backgroundHeight;
    int fullWidth, fullHeight;
};

void PrintTo(const SizeCase& c, std::ostream* os)
{
    *os << c.name;
}

void PrintTo(Preview p, std::ostream* os)
{
    static const char* const names[] = { "Réel", "Ti89", "Ti92" };
    *os << names[static_cast<int>(p)];
}

class PreviewSizes : public ::testing::TestWithParam<std::tuple<SizeCase, Preview>> { };

TEST_P(PreviewSizes, FollowTheSurfaceContract)
{
    const auto& [c, preview] = GetParam();
    // The sprite's left column is the mask colour, the rest LightGrey.
    Surface sprite(4, 3, LightGrey);
    for (int y = 0; y < 3; ++y)
        sprite.setPixel(0, y, Black);
    const Surface background(c.backgroundWidth, c.backgroundHeight, DarkGrey);
    Surface full(c.fullWidth, c.fullHeight, Scene);
    Gauge gauge;
    runPreview(preview, sprite, background, full, MaskChoice::Black, gauge);

    const Palette& palette = preview == Preview::Ti92 ? Ti92Palette : Ti89Palette;
    for (int y = 0; y < c.fullHeight; ++y)
        for (int x = 0; x < c.fullWidth; ++x) {
            Colour expected = Scene; // beyond the sprite plane's extent
            if (x < 4 && y < 3) {
                const bool underBackground = x < c.backgroundWidth && y < c.backgroundHeight;
                if (x > 0)
                    expected = preview == Preview::Real ? LightGrey : palette.lightGrey;
                else if (preview == Preview::Real)
                    expected = underBackground ? DarkGrey : Black; // the invalid colour stored as Black
                else
                    expected = underBackground ? palette.darkGrey : Scene;
            }
            EXPECT_EQ(full.pixel(x, y), expected) << x << "," << y;
        }
}

const SizeCase sizeCases[] = {
    { "same", 4, 3, 4, 3 },
    { "larger_full", 4, 3, 9, 7 },
    { "smaller_full", 4, 3, 2, 2 },
    { "larger_background", 10, 10, 4, 3 },
    { "narrower_background", 0, 3, 4, 3 },
    { "shorter_background", 4, 1, 6, 6 },
    { "tall_narrow_planes", 1, 9, 3, 9 },
};

std::string sizeCaseName(const ::testing::TestParamInfo<std::tuple<SizeCase, Preview>>& info)
{
    static const char* const previews[] = { "real", "ti89", "ti92" };
    return std::string(std::get<0>(info.param).name) + "_"
        + previews[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Planes, PreviewSizes,
    ::testing::Combine(
        ::testing::ValuesIn(sizeCases), ::testing::Values(Preview::Real, Preview::Ti89, Preview::Ti92)),
    sizeCaseName);

TEST(PreviewGauge, ShowsEachColumnUpTo99ThenZeroEvenOutsideTheFullPlane)
{
    for (Preview preview : { Preview::Real, Preview::Ti89, Preview::Ti92 }) {
        const Surface sprite(150, 2), background(150, 2);
        Surface full(10, 1);
        GaugeLog log;
        runPreview(preview, sprite, background, full, MaskChoice::White, log.gauge);
        std::vector<int> expected;
        for (int x = 0; x < 150; ++x)
            if (x * 100 / 150 != 0 && (expected.empty() || expected.back() != x * 100 / 150))
                expected.push_back(x * 100 / 150);
        expected.push_back(0);
        EXPECT_EQ(log.shown, expected);
        EXPECT_LE(log.highestDuringRun(), 99);
    }
}

} // namespace
} // namespace quilbrix
