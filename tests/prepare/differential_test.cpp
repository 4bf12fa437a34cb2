// The fast pixel commands against their direct per-pixel versions, on random
// levels of random sizes whose other planes are smaller, larger or as large
// as the sprite plane.
#include "prepare/direct_prepare.h"
#include "prepare/gauge_log.h"

#include "prepare/cut_out.h"
#include "prepare/four_greys.h"
#include "prepare/overlay_preview.h"
#include "prepare/virtual_mask.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>
#include <string>

namespace quilbrix {
namespace {

using testing::GaugeLog;

// A colour as the commands meet them: mostly the four greys and the key,
// then arbitrary colours and colours one step off a grey, and now and then
// a value with its top bits set, which only a direct write into a row
// buffer can leave.
Colour randomColour(std::mt19937& rng)
{
    const Colour named[] = { Black, DarkGrey, LightGrey, White, TransparentKey };
    std::uniform_int_distribution<int> kind(0, 99);
    std::uniform_int_distribution<Colour> any(0, 0xFFFFFF);
    const int k = kind(rng);
    if (k < 60)
        return named[static_cast<std::size_t>(k % 5)];
    if (k < 85)
        return any(rng);
    if (k < 97)
        return named[static_cast<std::size_t>(k % 5)] ^ (Colour { 1 } << (k % 24));
    return k == 97 ? InvalidColour : (any(rng) | 0x81000000u);
}

Surface randomSurface(std::mt19937& rng, int width, int height)
{
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        Colour* row = s.row(y);
        for (int x = 0; x < width; ++x)
            row[x] = randomColour(rng);
    }
    return s;
}

// A full plane that shares many pixels with the sprite plane where both lie,
// so the cut-out meets equal and differing pixels alike.
Surface sceneOver(std::mt19937& rng, const Surface& sprite, int width, int height)
{
    Surface s = randomSurface(rng, width, height);
    std::bernoulli_distribution same(0.6);
    for (int y = 0; y < std::min(height, sprite.height()); ++y)
        for (int x = 0; x < std::min(width, sprite.width()); ++x)
            if (same(rng))
                s.row(y)[x] = sprite.row(y)[x];
    return s;
}

// A size near `around`: zero now and then, otherwise smaller, equal or
// larger.
int sizeNear(std::mt19937& rng, int around)
{
    std::uniform_int_distribution<int> kind(0, 9);
    switch (kind(rng)) {
    case 0: return 0;
    case 1:
    case 2: return around;
    default: return std::uniform_int_distribution<int>(0, around + 24)(rng);
    }
}

struct Level {
    Surface sprite, background, full;
    std::string describe() const
    {
        std::ostringstream out;
        out << "sprite " << sprite.width() << "x" << sprite.height() << ", background " << background.width()
            << "x" << background.height() << ", full " << full.width() << "x" << full.height();
        return out.str();
    }
};

Level randomLevel(std::mt19937& rng)
{
    // Widths on both sides of 100 columns: narrower pictures skip
    // percentages, wider ones share them between columns.
    std::uniform_int_distribution<int> pickWidth(0, 9);
    const int w = pickWidth(rng) == 0 ? 0 : std::uniform_int_distribution<int>(1, 330)(rng);
    const int h = pickWidth(rng) == 0 ? 0 : std::uniform_int_distribution<int>(1, 40)(rng);
    Level level;
    level.sprite = randomSurface(rng, w, h);
    level.background = randomSurface(rng, sizeNear(rng, w), sizeNear(rng, h));
    level.full = sceneOver(rng, level.sprite, sizeNear(rng, w), sizeNear(rng, h));
    return level;
}

using Command = std::function<void(Level&, Gauge&)>;

// Runs `fast` and `direct` on copies of many random levels, each from a
// random gauge value, and expects the same three planes and the same
// percentages shown.
void expectSameAsDirect(unsigned seed, const Command& fast, const Command& direct)
{
    std::mt19937 rng(seed);
    for (int round = 0; round < 400; ++round) {
        const Level level = randomLevel(rng);
        const int start = std::uniform_int_distribution<int>(0, 3)(rng) == 0
            ? std::uniform_int_distribution<int>(0, 100)(rng)
            : 0;
        Level a = level, b = level;
        GaugeLog fastGauge(start), directGauge(start);
        fast(a, fastGauge.gauge);
        direct(b, directGauge.gauge);
        const std::string what = "round " + std::to_string(round) + ": " + level.describe();
        ASSERT_TRUE(a.sprite == b.sprite) << what;
        ASSERT_TRUE(a.background == b.background) << what;
        ASSERT_TRUE(a.full == b.full) << what;
        ASSERT_EQ(fastGauge.shown, directGauge.shown) << what;
        ASSERT_EQ(fastGauge.gauge.value(), 0) << what;
    }
}

TEST(PrepareDifferential, FourGreysWithRandomThresholds)
{
    std::mt19937 rng(21);
    std::uniform_int_distribution<int> threshold(ThresholdMin, ThresholdMax);
    std::uniform_int_distribution<int> inRange(0, 765);
    for (int i = 0; i < 8; ++i) {
        // Half the runs keep the thresholds inside the brightness range,
        // where every band can occur.
        Thresholds t;
        auto pick = [&] { return i % 2 ? inRange(rng) : threshold(rng); };
        t.T1 = pick();
        t.T2 = pick();
        t.T3 = pick();
        SCOPED_TRACE(::testing::Message() << "T1 " << t.T1 << " T2 " << t.T2 << " T3 " << t.T3);
        expectSameAsDirect(
            100 + i, [&](Level& l, Gauge& g) { convertToFourGreys(l.sprite, l.background, t, g); },
            [&](Level& l, Gauge& g) { direct::convertToFourGreys(l.sprite, l.background, t, g); });
    }
}

TEST(PrepareDifferential, CutOut)
{
    expectSameAsDirect(
        22, [](Level& l, Gauge& g) { cutOutSprites(l.sprite, l.full, g); },
        [](Level& l, Gauge& g) { direct::cutOutSprites(l.sprite, l.full, g); });
}

TEST(PrepareDifferential, VirtualMask)
{
    for (MaskChoice mask : { MaskChoice::Black, MaskChoice::White }) {
        expectSameAsDirect(
            23 + static_cast<unsigned>(mask),
            [&](Level& l, Gauge& g) { applyVirtualMask(l.sprite, mask, g); },
            [&](Level& l, Gauge& g) { direct::applyVirtualMask(l.sprite, mask, g); });
    }
}

TEST(PrepareDifferential, TrueColourPreview)
{
    for (MaskChoice mask : { MaskChoice::Black, MaskChoice::White }) {
        expectSameAsDirect(
            25 + static_cast<unsigned>(mask),
            [&](Level& l, Gauge& g) { previewTrueColours(l.sprite, l.background, l.full, mask, g); },
            [&](Level& l, Gauge& g) { direct::previewTrueColours(l.sprite, l.background, l.full, mask, g); });
    }
}

TEST(PrepareDifferential, CalculatorPreviews)
{
    unsigned seed = 27;
    for (const Palette& palette : { Ti89Palette, Ti92Palette }) {
        for (MaskChoice mask : { MaskChoice::Black, MaskChoice::White }) {
            expectSameAsDirect(
                seed++,
                [&](Level& l, Gauge& g) {
                    previewOnCalculator(l.sprite, l.background, l.full, mask, palette, g);
                },
                [&](Level& l, Gauge& g) {
                    direct::previewOnCalculator(l.sprite, l.background, l.full, mask, palette, g);
                });
        }
    }
}

// The commands one after the other, as the road of a level takes them, so
// each meets what the earlier ones leave rather than random colours.
TEST(PrepareDifferential, TheWholeRoad)
{
    std::mt19937 rng(31);
    for (int round = 0; round < 150; ++round) {
        const Level level = randomLevel(rng);
        const MaskChoice mask = round % 2 ? MaskChoice::White : MaskChoice::Black;
        const MaskChoice previewMask = round % 3 ? mask : (round % 2 ? MaskChoice::Black : MaskChoice::White);
        const Thresholds t { std::uniform_int_distribution<int>(0, 400)(rng),
            std::uniform_int_distribution<int>(200, 600)(rng),
            std::uniform_int_distribution<int>(300, 800)(rng) };
        Level a = level, b = level;
        GaugeLog fastGauge, directGauge;
        cutOutSprites(a.sprite, a.full, fastGauge.gauge);
        convertToFourGreys(a.sprite, a.background, t, fastGauge.gauge);
        applyVirtualMask(a.sprite, mask, fastGauge.gauge);
        previewOnCalculator(a.sprite, a.background, a.full, previewMask, Ti89Palette, fastGauge.gauge);
        previewTrueColours(a.sprite, a.background, a.full, previewMask, fastGauge.gauge);
        cutOutSprites(a.sprite, a.full, fastGauge.gauge);

        direct::cutOutSprites(b.sprite, b.full, directGauge.gauge);
        direct::convertToFourGreys(b.sprite, b.background, t, directGauge.gauge);
        direct::applyVirtualMask(b.sprite, mask, directGauge.gauge);
        direct::previewOnCalculator(
            b.sprite, b.background, b.full, previewMask, Ti89Palette, directGauge.gauge);
        direct::previewTrueColours(b.sprite, b.background, b.full, previewMask, directGauge.gauge);
        direct::cutOutSprites(b.sprite, b.full, directGauge.gauge);

        const std::string what = "round " + std::to_string(round) + ": " + level.describe();
        ASSERT_TRUE(a.sprite == b.sprite) << what;
        ASSERT_TRUE(a.background == b.background) << what;
        ASSERT_TRUE(a.full == b.full) << what;
        ASSERT_EQ(fastGauge.shown, directGauge.shown) << what;
    }
}

} // namespace
} // namespace quilbrix
