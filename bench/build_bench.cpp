// Speed of the build: the fast lookup against the direct search, and against
// a plain pass that reads every pixel of the plane once.
#include "tiles/planes.h"
#include "tiles/reference_build.h"

#include "tiles/build.h"

#include <benchmark/benchmark.h>

namespace quilbrix {
namespace {

// Builds `picture` over and over as the window does: the plane, its strip
// and its matrix live across builds, so only the first build creates their
// surfaces.
void fastBuild(benchmark::State& state, const Surface& picture, int tileSize)
{
    PictureControl plane(105, 105, true), strip(253, 17, false);
    MatrixControl matrix(113, 113, false);
    plane.load(picture);
    std::optional<Map> map;
    Label label;
    Gauge gauge;
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildPlane(plane, strip, matrix, map, label, 0, tileSize, true, gauge));
    state.counters["tiles"] = std::stod(label.caption);
}

const Surface& distinct256()
{
    static const Surface plane = testing::distinctPlane(256, 256, 16);
    return plane;
}

const Surface& fewTiles2048()
{
    static const Surface plane = [] {
        std::mt19937 rng(2048);
        std::vector<testing::Tile> pool;
        for (int i = 0; i < 200; ++i)
            pool.push_back(testing::randomTile(rng, 8, 4));
        return testing::tiledPlane(rng, pool, 8, 256, 256);
    }();
    return plane;
}

const Surface& distinct2048()
{
    static const Surface plane = testing::distinctPlane(2048, 2048, 8);
    return plane;
}

void BM_FastBuild_256_Distinct_T16(benchmark::State& state)
{
    fastBuild(state, distinct256(), 16);
}
BENCHMARK(BM_FastBuild_256_Distinct_T16)->Unit(benchmark::kMillisecond);

void BM_ReferenceSearch_256_Distinct_T16(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(reference::buildPlane(distinct256(), 16, true, false).count);
}
BENCHMARK(BM_ReferenceSearch_256_Distinct_T16)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FastBuild_2048_200Tiles_T8(benchmark::State& state)
{
    fastBuild(state, fewTiles2048(), 8);
}
BENCHMARK(BM_FastBuild_2048_200Tiles_T8)->Unit(benchmark::kMillisecond);

void BM_FastBuild_2048_Distinct_T8(benchmark::State& state)
{
    fastBuild(state, distinct2048(), 8);
}
BENCHMARK(BM_FastBuild_2048_Distinct_T8)->Unit(benchmark::kMillisecond);

// The floor: one plain pass reading every pixel of a 2048 × 2048 plane.
void BM_ReadEveryPixel_2048(benchmark::State& state)
{
    const Surface& plane = fewTiles2048();
    for (auto _ : state) {
        Colour sum = 0;
        for (int y = 0; y < plane.height(); ++y) {
            const Colour* row = plane.row(y);
            for (int x = 0; x < plane.width(); ++x)
                sum += row[x];
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ReadEveryPixel_2048)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quilbrix
