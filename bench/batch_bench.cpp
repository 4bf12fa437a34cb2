// Speed of quilbrix-batch's road on a 2048 × 2048 level: each step on its
// own, as the road meets it, and the whole road from the three picture
// files to the four level files, as one run of the program does it.
#include "batch/decode.h"
#include "batch/road.h"
#include "export/file_name.h"
#include "export/save.h"
#include "state/bmp.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace quilbrix {
namespace {

constexpr int Side = 2048;
constexpr int Tile = 16;

// With repetitions, the fastest run besides mean and median: the machine
// may be busy with other work, which only ever adds time.
double fastest(const std::vector<double>& runs)
{
    return *std::min_element(runs.begin(), runs.end());
}

// A colour of the band that the default thresholds turn into `grey`, so
// that the conversion has work to do and the tiles stay apart after it.
Colour colourOfBand(std::mt19937& rng, int grey)
{
    // Brightness bands of 100, 170, 300: below 100, 100-169, 170-299, 300 on.
    static constexpr int low[] = { 0, 35, 60, 110 };
    static constexpr int high[] = { 30, 52, 95, 255 };
    std::uniform_int_distribution<int> component(low[grey], high[grey]);
    return rgb(component(rng), component(rng), component(rng));
}

using Pattern = std::vector<int>; // Tile × Tile greys 0..3, row by row

Pattern randomPattern(std::mt19937& rng)
{
    std::uniform_int_distribution<int> grey(0, 3);
    Pattern p(Tile * Tile);
    for (int& g : p)
        g = grey(rng);
    return p;
}

void drawPattern(std::mt19937& rng, Surface& plane, const Pattern& p, int c, int r, bool flipX, bool flipY)
{
    for (int y = 0; y < Tile; ++y)
        for (int x = 0; x < Tile; ++x) {
            const int g
                = p[static_cast<std::size_t>((flipY ? Tile - 1 - y : y) * Tile + (flipX ? Tile - 1 - x : x))];
            plane.setPixel(c * Tile + x, r * Tile + y, colourOfBand(rng, g));
        }
}

// The level's three pictures: a background of 300 tile patterns in random
// orientations, figures of 100 other patterns over a fifth of its cells in
// the full plane, and the same figures on a flat blue ground in the sprite
// plane. Each pixel gets its own colour within its grey's band.
struct Level {
    Surface sprite, background, full;
};

const Level& level()
{
    static const Level level = [] {
        std::mt19937 rng(2048);
        std::vector<Pattern> scenery, figures;
        for (int i = 0; i < 300; ++i)
            scenery.push_back(randomPattern(rng));
        for (int i = 0; i < 100; ++i)
            figures.push_back(randomPattern(rng));
        Level l;
        l.background = Surface(Side, Side);
        l.sprite = Surface(Side, Side, rgb(0, 0, 255));
        std::uniform_int_distribution<std::size_t> pickScenery(0, scenery.size() - 1),
            pickFigure(0, figures.size() - 1);
        std::bernoulli_distribution coin(0.5), figureHere(0.2);
        for (int c = 0; c < Side / Tile; ++c)
            for (int r = 0; r < Side / Tile; ++r)
                drawPattern(rng, l.background, scenery[pickScenery(rng)], c, r, coin(rng), coin(rng));
        l.full = l.background;
        for (int c = 0; c < Side / Tile; ++c)
            for (int r = 0; r < Side / Tile; ++r)
                if (figureHere(rng)) {
                    const Pattern& figure = figures[pickFigure(rng)];
                    const bool flipX = coin(rng), flipY = coin(rng);
                    // The same seed twice: the same colours in both planes.
                    const auto seed = static_cast<unsigned>(rng());
                    std::mt19937 a(seed), b(seed);
                    drawPattern(a, l.full, figure, c, r, flipX, flipY);
                    drawPattern(b, l.sprite, figure, c, r, flipX, flipY);
                }
        return l;
    }();
    return level;
}

// The level's pictures as files, and a folder for the level files, for as
// long as the benchmarks run.
struct Files {
    std::filesystem::path folder;
    std::string sprites, background, full;

    Files()
    {
        std::random_device seed;
        folder = std::filesystem::temp_directory_path() / ("quilbrix-batch-bench-" + std::to_string(seed()));
        std::filesystem::create_directories(folder);
        const auto write = [&](const char* name, const Surface& picture) {
            const std::vector<std::uint8_t> bytes = encodeBmp24(picture);
            std::ofstream(folder / name, std::ios::binary)
                .write(
                    reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            return utf8Text(folder / name);
        };
        sprites = write("sprites.bmp", level().sprite);
        background = write("background.bmp", level().background);
        full = write("full.bmp", level().full);
    }
    ~Files()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const Files& files()
{
    static const Files f;
    return f;
}

BatchOptions roadOptions()
{
    BatchOptions options;
    options.spritePicture = files().sprites;
    options.backgroundPicture = files().background;
    options.fullPicture = files().full;
    options.outputFolder = utf8Text(files().folder);
    return options;
}

// The state as the road leaves it after the steps before `step`.
void prepare(WorkingState& state, Step step)
{
    state.Image1.load(level().sprite);
    state.Image2.load(level().background);
    state.Image3.load(level().full);
    for (const Step before : DefaultSteps) {
        if (before == step)
            return;
        switch (before) {
        case Step::CutOut: runCutOut(state); break;
        case Step::FourGreys: runFourGreys(state, Thresholds {}); break;
        case Step::VirtualMask: runVirtualMask(state, MaskChoice::Black); break;
        case Step::Build: runBuild(state, Tile, true); break;
        default: break;
        }
    }
}

// Each step changes the planes, so every run starts from a state prepared
// anew, outside the timing; the build also makes the strips and matrices,
// as it does once in each run of the program.
template <class Run> void timeStep(benchmark::State& bench, Step step, Run&& run)
{
    for (auto _ : bench) {
        bench.PauseTiming();
        auto state = std::make_unique<WorkingState>();
        prepare(*state, step);
        bench.ResumeTiming();
        run(*state);
        bench.PauseTiming();
        state.reset();
        bench.ResumeTiming();
    }
}

void BM_Batch_1_LoadPictures(benchmark::State& bench)
{
    files();
    for (auto _ : bench) {
        WorkingState state;
        loadPlanes(state, files().sprites, files().background, files().full);
        benchmark::DoNotOptimize(state.Image1.surface().row(0));
    }
}
BENCHMARK(BM_Batch_1_LoadPictures)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_Batch_2_CutOut(benchmark::State& bench)
{
    timeStep(bench, Step::CutOut, [](WorkingState& s) { runCutOut(s); });
}
BENCHMARK(BM_Batch_2_CutOut)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_Batch_3_FourGreys(benchmark::State& bench)
{
    timeStep(bench, Step::FourGreys, [](WorkingState& s) { runFourGreys(s, Thresholds {}); });
}
BENCHMARK(BM_Batch_3_FourGreys)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_Batch_4_VirtualMask(benchmark::State& bench)
{
    timeStep(bench, Step::VirtualMask, [](WorkingState& s) { runVirtualMask(s, MaskChoice::Black); });
}
BENCHMARK(BM_Batch_4_VirtualMask)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_Batch_5_Build(benchmark::State& bench)
{
    BuildReport report;
    timeStep(bench, Step::Build, [&](WorkingState& s) { report = runBuild(s, Tile, true); });
    bench.counters["sprite_tiles"] = report.sprite.count;
    bench.counters["background_tiles"] = report.background.count;
}
BENCHMARK(BM_Batch_5_Build)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_Batch_6_Save(benchmark::State& bench)
{
    // The save changes nothing in the state: one build serves every run.
    WorkingState state;
    prepare(state, Step::Save);
    const std::string folder = utf8Text(files().folder);
    for (auto _ : bench)
        benchmark::DoNotOptimize(runSave(state, "Demo", folder, files().sprites));
}
BENCHMARK(BM_Batch_6_Save)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

// One run of `quilbrix-batch --sprites ... --background ... --full ...`:
// the pictures read, the five steps, the four files written.
void BM_Batch_7_WholeRoad(benchmark::State& bench)
{
    const BatchOptions options = roadOptions();
    for (auto _ : bench) {
        WorkingState state;
        benchmark::DoNotOptimize(runRoad(state, options, RoadEvents {}));
    }
}
BENCHMARK(BM_Batch_7_WholeRoad)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

// `quilbrix-batch --decode --plane-size 2048x2048` on the files of the road.
void BM_Batch_8_Decode(benchmark::State& bench)
{
    WorkingState state;
    runRoad(state, roadOptions(), RoadEvents {});
    const PlaneSize size { Side, Side };
    for (auto _ : bench)
        benchmark::DoNotOptimize(decodeLevel("Demo", utf8Text(files().folder), size, size, Tile));
}
BENCHMARK(BM_Batch_8_Decode)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

} // namespace
} // namespace quilbrix
