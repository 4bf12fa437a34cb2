// Speed of the four pixel commands on a 2048 × 2048 level, beside the floor
// they are measured against: one plain pass that reads every pixel of a
// 2048 × 2048 surface and writes it back changed.
#include "prepare/cut_out.h"
#include "prepare/four_greys.h"
#include "prepare/overlay_preview.h"
#include "prepare/virtual_mask.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace quilbrix {
namespace {

constexpr int Side = 2048;

// With repetitions, the fastest run besides mean and median: the machine
// may be busy with other work, which only ever adds time.
double fastest(const std::vector<double>& runs)
{
    return *std::min_element(runs.begin(), runs.end());
}

// One level as each command meets it on the road: the scene, the sprite
// plane as loaded (sprites over a flat colour), and the planes after the
// cut-out, after the four-grey conversion and after the virtual mask.
struct Level {
    Surface scene, background;
    Surface loadedSprite, cutSprite, greySprite, greyBackground, maskedSprite;
};

const Level& level()
{
    static const Level level = [] {
        Level l;
        std::mt19937 rng(2048);
        std::uniform_int_distribution<Colour> anyColour(0, 0xFFFFFF);
        l.background = Surface(Side, Side);
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x)
                l.background.row(y)[x] = anyColour(rng);
        // Sprites: rectangles of noise pasted over the background.
        l.scene = l.background;
        l.loadedSprite = Surface(Side, Side, rgb(0, 0, 255));
        std::uniform_int_distribution<int> at(0, Side - 1), side(8, 96);
        for (int i = 0; i < 600; ++i) {
            const int left = at(rng), top = at(rng), w = side(rng), h = side(rng);
            for (int y = top; y < std::min(Side, top + h); ++y)
                for (int x = left; x < std::min(Side, left + w); ++x) {
                    const Colour c = anyColour(rng);
                    l.scene.row(y)[x] = c;
                    l.loadedSprite.row(y)[x] = c;
                }
        }
        Gauge gauge;
        l.cutSprite = l.loadedSprite;
        cutOutSprites(l.cutSprite, l.scene, gauge);
        l.greySprite = l.cutSprite;
        l.greyBackground = l.background;
        convertToFourGreys(l.greySprite, l.greyBackground, {}, gauge);
        l.maskedSprite = l.greySprite;
        applyVirtualMask(l.maskedSprite, MaskChoice::Black, gauge);
        return l;
    }();
    return level;
}

// The commands' loops have no branch that depends on the pixels, so a
// command run again over the planes its last run changed does the same
// work: the benchmarks run each command over and over on one copy of its
// planes, as the plain passes do on theirs.

// The floor: every pixel of one 2048 × 2048 surface read and written back
// changed.
void BM_PlainReadWritePass_2048(benchmark::State& state)
{
    Surface plane = level().background;
    for (auto _ : state) {
        for (int y = 0; y < plane.height(); ++y) {
            Colour* row = plane.row(y);
            for (int x = 0; x < plane.width(); ++x)
                row[x] = row[x] ^ 0x010101;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainReadWritePass_2048)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

// The same plain work over as many planes as the commands touch: two
// planes read and written back (the four-grey conversion), and two planes
// read into a third (the cut-out reads two and writes one, a preview reads
// two and writes the third). They tell how much of a command's time is the
// memory it must move.
void BM_PlainPassTwoPlanesWritten_2048(benchmark::State& state)
{
    Surface a = level().background, b = level().scene;
    for (auto _ : state) {
        for (int y = 0; y < Side; ++y) {
            Colour* ra = a.row(y);
            Colour* rb = b.row(y);
            for (int x = 0; x < Side; ++x)
                ra[x] = ra[x] ^ 0x010101;
            for (int x = 0; x < Side; ++x)
                rb[x] = rb[x] ^ 0x010101;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainPassTwoPlanesWritten_2048)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);

void BM_PlainPassTwoPlanesIntoThird_2048(benchmark::State& state)
{
    const Surface& a = level().maskedSprite;
    const Surface& b = level().greyBackground;
    Surface out = level().scene;
    for (auto _ : state) {
        for (int y = 0; y < Side; ++y) {
            const Colour* ra = a.row(y);
            const Colour* rb = b.row(y);
            Colour* ro = out.row(y);
            for (int x = 0; x < Side; ++x)
                ro[x] = ra[x] ^ rb[x];
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainPassTwoPlanesIntoThird_2048)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);

void BM_CutOutSprites_2048(benchmark::State& state)
{
    Surface sprite = level().loadedSprite;
    Gauge gauge;
    for (auto _ : state) {
        cutOutSprites(sprite, level().scene, gauge);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CutOutSprites_2048)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

// Two planes converted: the sprite plane and the background plane.
void BM_ConvertToFourGreys_2048(benchmark::State& state)
{
    Surface sprite = level().cutSprite, background = level().background;
    Gauge gauge;
    for (auto _ : state) {
        convertToFourGreys(sprite, background, {}, gauge);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ConvertToFourGreys_2048)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_ApplyVirtualMask_2048(benchmark::State& state)
{
    Surface sprite = level().greySprite;
    Gauge gauge;
    for (auto _ : state) {
        applyVirtualMask(sprite, MaskChoice::Black, gauge);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ApplyVirtualMask_2048)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

// The previews read two planes and write the third.
void BM_PreviewTrueColours_2048(benchmark::State& state)
{
    Surface full = level().scene;
    Gauge gauge;
    for (auto _ : state) {
        previewTrueColours(level().maskedSprite, level().greyBackground, full, MaskChoice::Black, gauge);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PreviewTrueColours_2048)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_PreviewOnTi89_2048(benchmark::State& state)
{
    Surface full = level().scene;
    Gauge gauge;
    for (auto _ : state) {
        previewOnCalculator(
            level().maskedSprite, level().greyBackground, full, MaskChoice::Black, Ti89Palette, gauge);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PreviewOnTi89_2048)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

} // namespace
} // namespace quilbrix
