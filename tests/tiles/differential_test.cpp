// The fast build against the direct search on many random planes.
#include "planes.h"
#include "reference_build.h"

#include "tiles/build.h"

#include <gtest/gtest.h>

namespace quilbrix {
namespace {

using testing::randomTile;
using testing::Symmetry;
using testing::Tile;

struct Scenario {
    const char* name;
    int tileSize;
    int poolSize; // distinct tiles to draw cells from
    int palette; // colours per tile
    int cols, rows;
    int extra; // pixels beyond the last whole cell
    bool overflow = false; // the plane needs more tiles than the strip holds
};

void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }

PlaneBuild expectSameAsReference(const Surface& picture, int tileSize, bool mirror, const std::string& what)
{
    PictureControl plane(105, 105, true), strip(253, 17, false);
    MatrixControl matrix(113, 113, false);
    plane.load(picture);
    std::optional<Map> map;
    Label label;
    Gauge gauge;
    const PlaneBuild built = BuildPlane(plane, strip, matrix, map, label, 0, tileSize, mirror, gauge);

    const auto expected = reference::buildPlane(picture, tileSize, mirror);
    EXPECT_EQ(built.count, expected.count) << what;
    EXPECT_EQ(label.caption, std::to_string(expected.count)) << what;
    EXPECT_EQ(map->entries, expected.entries) << what;
    EXPECT_TRUE(strip.surface() == expected.strip) << what;
    return built;
}

class Differential : public ::testing::TestWithParam<Scenario> { };

TEST_P(Differential, SameEntriesIndicesStripsAndCounts)
{
    const Scenario& s = GetParam();
    std::mt19937 rng(static_cast<unsigned>(s.tileSize * 7919 + s.poolSize));
    const Symmetry kinds[]
        = { Symmetry::None, Symmetry::LeftRight, Symmetry::TopBottom, Symmetry::HalfTurn, Symmetry::All };
    for (int round = 0; round < 3; ++round) {
        std::vector<Tile> pool;
        for (int i = 0; i < s.poolSize; ++i)
            pool.push_back(randomTile(rng, s.tileSize, s.palette, kinds[(i + round) % 5]));
        const Surface picture = testing::tiledPlane(rng, pool, s.tileSize, s.cols, s.rows, s.extra);
        for (bool mirror : { true, false }) {
            const PlaneBuild built = expectSameAsReference(picture, s.tileSize, mirror,
                std::string(s.name) + " round " + std::to_string(round)
                    + (mirror ? " flipping" : " no flipping"));
            EXPECT_EQ(built.count > StripWidth / s.tileSize, s.overflow) << built.count;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RandomPlanes, Differential,
    ::testing::Values(
        // Two colours make accidental symmetries and repeats likely.
        Scenario { "few_tiles_8", 8, 6, 2, 12, 9, 3 }, Scenario { "few_tiles_16", 16, 6, 2, 8, 7, 0 },
        Scenario { "few_tiles_32", 32, 5, 2, 5, 4, 17 },
        Scenario { "tiny_tiles_two_colours", 8, 40, 2, 20, 20, 0 },
        Scenario { "many_tiles_8", 8, 1500, 4, 48, 40, 5 },
        Scenario { "many_tiles_16", 16, 800, 4, 40, 30, 0 },
        // Past the strip: tiles from slot 511 on at 32 and 2046 on at 8 can
        // never match again; indices of 1024 and more run into the flags.
        Scenario { "overflow_32", 32, 700, 4, 40, 30, 0, true },
        Scenario { "overflow_8", 8, 2600, 4, 80, 60, 0, true }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Differential, EveryCellDistinct)
{
    for (int size : { 8, 16, 32 })
        expectSameAsReference(
            testing::distinctPlane(256, 160, size), size, true, "distinct " + std::to_string(size));
}

TEST(Differential, PlaneSmallerThanOneTileAndUniformPlanes)
{
    expectSameAsReference(Surface(31, 31, DarkGrey), 32, true, "small");
    expectSameAsReference(Surface(105, 105, White), 16, true, "blank");
}

} // namespace
} // namespace quilbrix
