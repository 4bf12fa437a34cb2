#include "planes.h"
#include "reference_build.h"

#include "state/digit_face.h"
#include "tiles/build.h"
#include "tiles/map_matrix.h"

#include <gtest/gtest.h>

namespace quilbrix {
namespace {

using testing::drawTile;
using testing::randomTile;
using testing::Symmetry;
using testing::Tile;

struct Pass {
    PictureControl plane { 105, 105, true };
    PictureControl strip { 253, 17, false };
    MatrixControl matrix { 113, 113, false };
    std::optional<Map> map;
    Label label;
    Gauge gauge;

    PlaneBuild run(Surface picture, int tileSize, bool mirror = true, int base = 0)
    {
        plane.load(std::move(picture));
        return BuildPlane(plane, strip, matrix, map, label, base, tileSize, mirror, gauge);
    }
};

TEST(BuildPlane, UniformPlaneGivesOneTile)
{
    Pass pass;
    pass.run(Surface(64, 48, LightGrey), 16);
    EXPECT_EQ(pass.label.caption, "1");
    ASSERT_TRUE(pass.map);
    EXPECT_EQ(pass.map->entries, std::vector<std::int32_t>(12, 0));
}

// Two cells: a first tile with a given symmetry, and a second cell that is
// the first mirrored. The entry of the second cell follows the fixed order
// as is, left-right, top-bottom, both.
struct MirrorCase {
    const char* name;
    Symmetry symmetry;
    bool flipX, flipY;
    bool mirror;
    std::int32_t secondEntry;
    int count;
};

void PrintTo(const MirrorCase& k, std::ostream* os)
{
    *os << k.name;
}

class MirrorOrder : public ::testing::TestWithParam<MirrorCase> { };

TEST_P(MirrorOrder, SecondCellEntry)
{
    const MirrorCase& k = GetParam();
    for (bool sideBySide : { true, false }) {
        std::mt19937 rng(7);
        const Tile tile = randomTile(rng, 8, 3, k.symmetry);
        Surface picture(sideBySide ? 16 : 8, sideBySide ? 8 : 16, White);
        drawTile(picture, tile, 8, 0, 0);
        drawTile(picture, tile, 8, sideBySide ? 1 : 0, sideBySide ? 0 : 1, k.flipX, k.flipY);
        Pass pass;
        pass.run(std::move(picture), 8, k.mirror);
        EXPECT_EQ(pass.map->entries, (std::vector<std::int32_t> { 0, k.secondEntry })) << k.name;
        EXPECT_EQ(pass.label.caption, std::to_string(k.count)) << k.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MirrorOrder,
    ::testing::Values(MirrorCase { "left-right", Symmetry::None, true, false, true, 0x800, 1 },
        MirrorCase { "left-right, flipping off", Symmetry::None, true, false, false, 1, 2 },
        MirrorCase { "top-bottom", Symmetry::None, false, true, true, 0x400, 1 },
        MirrorCase { "half turn", Symmetry::None, true, true, true, 0xC00, 1 },
        MirrorCase { "half turn, flipping off", Symmetry::None, true, true, false, 1, 2 },
        MirrorCase { "half-turn tile mirrored left-right", Symmetry::HalfTurn, true, false, true, 0x800, 1 },
        MirrorCase {
            "top-bottom tile mirrored left-right", Symmetry::TopBottom, true, false, true, 0x800, 1 },
        MirrorCase {
            "left-right tile mirrored top-bottom", Symmetry::LeftRight, false, true, true, 0x400, 1 },
        MirrorCase { "left-right tile turned", Symmetry::LeftRight, true, true, true, 0x400, 1 },
        MirrorCase { "symmetric tile turned", Symmetry::All, true, true, true, 0, 1 },
        MirrorCase { "as is", Symmetry::None, false, false, false, 0, 1 }),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(BuildPlane, TilesAreNumberedColumnByColumn)
{
    std::mt19937 rng(3);
    const Tile a = randomTile(rng, 16, 4), b = randomTile(rng, 16, 4), c = randomTile(rng, 16, 4);
    Surface picture(32, 32);
    drawTile(picture, a, 16, 0, 0);
    drawTile(picture, b, 16, 1, 0);
    drawTile(picture, c, 16, 0, 1);
    drawTile(picture, a, 16, 1, 1);
    Pass pass;
    pass.run(std::move(picture), 16);
    EXPECT_EQ(pass.map->entries, (std::vector<std::int32_t> { 0, 2, 1, 0 }));
    // The strip holds the tiles in that order.
    EXPECT_EQ(pass.strip.surface().pixel(16 + 3, 5), c[5 * 16 + 3]);
    EXPECT_EQ(pass.strip.surface().pixel(32 + 3, 5), b[5 * 16 + 3]);
}

TEST(BuildPlane, PixelsBeyondTheLastWholeCellTakeNoPart)
{
    Surface picture(100, 16, White);
    for (int x = 96; x < 100; ++x)
        picture.setPixel(x, 3, Black);
    Pass pass;
    pass.run(std::move(picture), 16);
    EXPECT_EQ(pass.map->cols, 6);
    EXPECT_EQ(pass.map->entries, std::vector<std::int32_t>(6, 0));
    EXPECT_EQ(pass.label.caption, "1");
}

TEST(BuildPlane, PlaneNarrowerThanATileHasNoCells)
{
    Pass pass;
    std::vector<int> shown;
    pass.gauge.setView([&](int v) { shown.push_back(v); });
    const PlaneBuild built = pass.run(Surface(7, 100, Black), 8);
    EXPECT_EQ(built.count, 0);
    EXPECT_EQ(pass.label.caption, "0");
    EXPECT_TRUE(pass.map->entries.empty());
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(pass.strip.width(), 0);
    EXPECT_EQ(pass.matrix.width(), 0);
    EXPECT_EQ(pass.matrix.height(), 12 * 20);
}

TEST(BuildPlane, TwoColoursOneBitApartMakeTwoTiles)
{
    Surface picture(16, 8, 0x404040);
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 16; ++x)
            picture.setPixel(x, y, 0x404041);
    Pass pass;
    pass.run(std::move(picture), 8);
    EXPECT_EQ(pass.map->entries, (std::vector<std::int32_t> { 0, 1 }));
}

TEST(BuildMaps, PlanesAreNumberedApartAndKeepTheirOwnGrid)
{
    WorkingState state;
    state.Image1.load(Surface(48, 16, DarkGrey));
    Surface background(80, 32, DarkGrey);
    background.setPixel(20, 20, Black);
    state.Image2.load(std::move(background));
    std::vector<int> shown;
    state.CGauge1.setView([&](int v) { shown.push_back(v); });

    const BuildReport report = buildMaps(state, true);

    EXPECT_EQ(report.sprite.count, 1);
    EXPECT_EQ(report.background.count, 2);
    EXPECT_FALSE(report.sprite.overflow() || report.background.overflow());
    EXPECT_EQ(state.SpriteMap->cols, 3);
    EXPECT_EQ(state.SpriteMap->rows, 1);
    EXPECT_EQ(state.BackgroundMap->cols, 5);
    EXPECT_EQ(state.BackgroundMap->rows, 2);
    // The background's first tile is 0 again, though it equals the sprite tile.
    EXPECT_EQ(state.BackgroundMap->entries, (std::vector<std::int32_t> { 0, 0, 0, 0, 0, 0, 1, 0, 0, 0 }));
    EXPECT_EQ(state.Label23.caption, "1");
    EXPECT_EQ(state.Label26.caption, "2");
    // Sprite pass: (c·50)/3 for c = 0..2; 50 between; background: (c·50)/5 + 50; 0 at the end.
    EXPECT_EQ(shown, (std::vector<int> { 16, 33, 50, 60, 70, 80, 90, 0 }));
}

TEST(BuildMaps, RebuildAfterATileSizeChangeStartsAfresh)
{
    WorkingState state;
    std::mt19937 rng(11);
    state.Image1.load(testing::tiledPlane(rng, { randomTile(rng, 16, 4), randomTile(rng, 16, 4) }, 16, 4, 4));
    buildMaps(state, true);
    const Map first = *state.SpriteMap;
    EXPECT_EQ(first.tileSize, 16);

    state.TileSize = 8;
    // Changing the tile size alone leaves the build's results as they were.
    EXPECT_EQ(state.SpriteMap->entries, first.entries);
    buildMaps(state, true);
    EXPECT_EQ(state.SpriteMap->cols, 8);
    EXPECT_EQ(state.SpriteMap->tileSize, 8);
    EXPECT_EQ(state.SpriteMap->entries[0], 0);

    const auto expected = reference::buildPlane(state.Image1.surface(), 8, true);
    EXPECT_EQ(state.SpriteMap->entries, expected.entries);
    EXPECT_EQ(state.Label23.caption, std::to_string(expected.count));
    // Slots 0..count-1 are rewritten; beyond them the strip keeps the first build's pixels.
    const Surface& strip = state.Image5.surface();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < expected.count * 8; ++x)
            ASSERT_EQ(strip.pixel(x, y), expected.strip.pixel(x, y)) << x << "," << y;
    EXPECT_NE(strip.pixel(0, 12), White);
}

TEST(MapMatrix, NumbersStandOnTheGridAndDisplaysTakeTheirSizes)
{
    std::mt19937 rng(5);
    Surface picture(48, 32, White);
    std::vector<Tile> tiles;
    for (int i = 0; i < 6; ++i)
        tiles.push_back(randomTile(rng, 16, 4));
    for (int i = 0; i < 6; ++i)
        drawTile(picture, tiles[static_cast<std::size_t>(i)], 16, i / 2, i % 2);
    Pass pass;
    pass.run(std::move(picture), 16);
    EXPECT_EQ(pass.matrix.width(), 60);
    EXPECT_EQ(pass.matrix.height(), 40);
    EXPECT_EQ(pass.strip.width(), 96);
    EXPECT_EQ(pass.strip.height(), 16);

    const Surface& m = pass.matrix.surface();
    EXPECT_EQ(m.width(), MatrixSize);
    for (int i = 0; i < 6; ++i) {
        Surface expected(40, 40, White);
        expected.drawText(0, 0, std::to_string(i));
        const int x0 = 20 * (i / 2), y0 = 20 * (i % 2);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(m.pixel(x0 + x, y0 + y), expected.pixel(x, y)) << i << " " << x << "," << y;
    }
}

TEST(MapMatrix, ColouredNumbersAndTheTextColourAfterThem)
{
    // Tile 0, then 0 mirrored top-bottom (blue), then a new tile 1 (black),
    // then 1 mirrored both ways (green), then 0 mirrored left-right (red).
    std::mt19937 rng(9);
    const Tile a = randomTile(rng, 8, 4), b = randomTile(rng, 8, 4);
    Surface picture(8, 40);
    drawTile(picture, a, 8, 0, 0);
    drawTile(picture, a, 8, 0, 1, false, true);
    drawTile(picture, b, 8, 0, 2);
    drawTile(picture, b, 8, 0, 3, true, true);
    drawTile(picture, a, 8, 0, 4, true, false);
    Pass pass;
    pass.run(std::move(picture), 8);
    EXPECT_EQ(pass.map->entries, (std::vector<std::int32_t> { 0, 0x400, 1, 0xC01, 0x800 }));

    const Surface& m = pass.matrix.surface();
    // The top row of the glyphs of "0" and "1" has ink in column 2.
    const Colour expected[] = { Black, Blue, Black, Green, Red };
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(m.pixel(2, 20 * r + GlyphTop), expected[r]) << r;
    EXPECT_EQ(m.textColour(), Black);
}

TEST(MapMatrix, RebuildClearsEveryEarlierNumber)
{
    WorkingState state;
    state.Image1.load(testing::distinctPlane(160, 160, 16));
    state.Image2.load(testing::distinctPlane(160, 160, 16));
    buildMaps(state, true);
    EXPECT_NE(state.Image9.surface().pixel(180 + 2, 180 + GlyphTop), White);

    state.Image1.load(Surface(16, 16, White));
    state.Image2.load(Surface(16, 16, White));
    buildMaps(state, true);
    for (const Surface* m : { &state.Image8.surface(), &state.Image9.surface() }) {
        int ink = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 400; ++x)
                ink += m->pixel(x, y) != White;
        // Only the "0" of the one cell remains.
        Surface zero(20, 20, White);
        zero.drawText(0, 0, "0");
        int zeroInk = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                zeroInk += zero.pixel(x, y) != White;
        EXPECT_EQ(ink, zeroInk);
    }
}

// A matrix used by earlier builds must end exactly like a fresh one: only
// the part the earlier numbers reached is cleared, so this checks that part
// is reckoned right, wide numbers overhanging the last column included.
TEST(MapMatrix, RebuildGivesTheSameMatrixAsAFreshOne)
{
    const std::vector<Surface> planes = {
        testing::distinctPlane(8 * 120, 8 * 110, 8), // four-digit numbers to the last column
        testing::distinctPlane(8 * 37, 8 * 9, 8), // three digits, fewer cells
        testing::distinctPlane(8 * 4, 8 * 300, 8), // narrow and tall, four digits
        Surface(8 * 3, 8 * 2, White),
        testing::distinctPlane(8 * 102, 8 * 3, 8),
    };
    Pass used;
    for (std::size_t i = 0; i < planes.size(); ++i) {
        used.run(planes[i], 8);
        Pass fresh;
        fresh.run(planes[i], 8);
        ASSERT_TRUE(used.matrix.surface() == fresh.matrix.surface()) << "plane " << i;
    }
}

// The painted matrix against the direct way: a White surface, then every
// cell's number drawn with showCell column by column. Random numbers of one
// to seven digits make wide boxes overhang narrow neighbours, and an earlier
// paint of another grid leaves numbers to clear.
TEST(MapMatrix, PaintEqualsDrawingEveryCellColumnByColumn)
{
    std::mt19937 rng(21);
    const std::int32_t flagChoices[] = { 0, FlipHorizontal, FlipVertical, FlipHorizontal | FlipVertical };
    const int grids[][2] = { { 120, 110 }, { 30, 7 }, { 3, 200 }, { 101, 102 }, { 1, 1 }, { 0, 5 } };
    MatrixControl used(113, 113, false);
    used.setSize(MatrixSize, MatrixSize);
    for (const auto& grid : grids) {
        const int cols = grid[0], rows = grid[1];
        std::uniform_int_distribution<int> digits(1, 7), flag(0, 3);
        std::vector<std::pair<int, std::int32_t>> cells;
        for (int i = 0; i < cols * rows; ++i) {
            int index = 0;
            for (int d = digits(rng); d > 0; --d)
                index = index * 10 + static_cast<int>(rng() % 10);
            cells.emplace_back(index, flagChoices[flag(rng)]);
        }
        MatrixCells numbers(used.surface(), cols, rows);
        Surface expected(MatrixSize, MatrixSize, White);
        for (int c = 0; c < cols; ++c)
            for (int r = 0; r < rows; ++r) {
                const auto& [index, flags] = cells[static_cast<std::size_t>(c) * rows + r];
                numbers.set(c, r, index, flags);
                showCell(expected, c, r, index, flags);
            }
        numbers.paint(used);
        ASSERT_TRUE(used.surface() == expected) << cols << " x " << rows;
    }
}

TEST(MapMatrix, CellsBeyondTheSurfaceAreDroppedButTheDisplayGrows)
{
    Pass pass;
    pass.run(Surface(8 * 110, 8, White), 8);
    EXPECT_EQ(pass.matrix.width(), 110 * 20);
    EXPECT_EQ(pass.matrix.surface().width(), MatrixSize);
}

} // namespace
} // namespace quilbrix
