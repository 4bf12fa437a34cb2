#include "level_files.h"

#include "export/level_decode.h"
#include "export/map_file.h"
#include "export/system_reason.h"
#include "export/tile_file.h"
#include "state/error.h"
#include "tiles/build.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace quilbrix {
namespace {

using testing::Bytes;

// --- Map file -----------------------------------------------------------

struct MapCase {
    const char* name;
    int cols, rows;
    std::vector<std::int32_t> entries;
    Bytes file;
};

class MapFileExamples : public ::testing::TestWithParam<MapCase> { };

TEST_P(MapFileExamples, Bytes)
{
    const MapCase& k = GetParam();
    Map map = createMap(k.cols, k.rows, 16);
    map.entries = k.entries;
    Bytes out { 0xAA }; // the writer appends
    WriteMapFile(out, map);
    ASSERT_EQ(out.size(), 1 + mapFileBytes(k.cols, k.rows));
    EXPECT_EQ(Bytes(out.begin() + 1, out.end()), k.file);
}

INSTANTIATE_TEST_SUITE_P(Cases, MapFileExamples,
    ::testing::Values(
        MapCase { "two_cells_second_mirrored_left_right", 2, 1, { 0, 0x801 }, { 0x00, 0x00, 0x01, 0x08 } },
        MapCase { "two_by_two_in_row_order", 2, 2, { 0, 1, 0x400, 0xC02 },
            { 0x00, 0x00, 0x01, 0x00, 0x00, 0x04, 0x02, 0x0C } },
        MapCase { "tile_300_mirrored_left_right", 1, 1, { 0x92C }, { 0x2C, 0x09 } },
        MapCase { "bits_16_to_31_not_written", 1, 1, { 0x12345 }, { 0x45, 0x23 } },
        MapCase {
            "rows_outer_columns_inner", 3, 2, { 1, 2, 3, 4, 5, 6 }, { 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0 } },
        MapCase { "no_cells", 0, 3, {}, {} }),
    [](const auto& info) { return std::string(info.param.name); });

// --- Tile file: one row record ------------------------------------------

struct RowCase {
    const char* name;
    int tileSize;
    std::vector<Colour> row;
    Bytes record;
};

std::vector<Colour> runs(std::initializer_list<std::pair<int, Colour>> parts)
{
    std::vector<Colour> row;
    for (const auto& [n, colour] : parts)
        row.insert(row.end(), static_cast<std::size_t>(n), colour);
    return row;
}

// What the tile file keeps of a colour.
Colour asGrey(Colour c)
{
    return c == Black || c == DarkGrey || c == LightGrey ? c : White;
}

class TileRowExamples : public ::testing::TestWithParam<RowCase> { };

TEST_P(TileRowExamples, EveryRowGivesTheRecord)
{
    const RowCase& k = GetParam();
    const int t = k.tileSize;
    ASSERT_EQ(k.row.size(), static_cast<std::size_t>(t));
    ASSERT_EQ(k.record.size(), tileRowBytes(t));
    Surface strip(t, t, White);
    for (int y = 0; y < t; ++y)
        for (int x = 0; x < t; ++x)
            strip.setPixel(x, y, k.row[static_cast<std::size_t>(x)]);

    Bytes file;
    WriteTileFile(file, strip, 1, t);
    Bytes expected;
    for (int y = 0; y < t; ++y)
        expected.insert(expected.end(), k.record.begin(), k.record.end());
    EXPECT_EQ(file, expected);

    // Read back, the row comes out in the greys the bits stand for.
    const Surface plane = decodePlane({ 0, 0 }, file, 1, 1, t);
    for (int x = 0; x < t; ++x)
        EXPECT_EQ(plane.pixel(x, t - 1), asGrey(k.row[static_cast<std::size_t>(x)])) << "column " << x;
}

INSTANTIATE_TEST_SUITE_P(Cases, TileRowExamples,
    ::testing::Values(RowCase { "size16_eight_black_eight_white", 16, runs({ { 8, Black }, { 8, White } }),
                          { 0xFF, 0x00, 0xFF, 0x00 } },
        RowCase { "size16_four_greys_and_key", 16,
            runs({ { 4, DarkGrey }, { 4, LightGrey }, { 4, Black }, { 1, TransparentKey }, { 3, White } }),
            { 0xF0, 0xF0, 0x0F, 0xF0 } },
        RowCase { "size8_mixed", 8,
            { Black, DarkGrey, LightGrey, White, TransparentKey, Black, Black, White },
            { 0x00, 0xC6, 0x00, 0xA6 } },
        RowCase { "size8_high_bytes_zero", 8, runs({ { 8, Black } }), { 0x00, 0xFF, 0x00, 0xFF } },
        RowCase { "size16_key_like_white", 16, runs({ { 16, TransparentKey } }), { 0, 0, 0, 0 } },
        RowCase { "size8_not_quite_dark_grey", 8, runs({ { 8, 0x808081 } }), { 0, 0, 0, 0 } },
        RowCase { "size16_light_word_empty_without_black_or_light_grey", 16,
            runs({ { 5, DarkGrey }, { 11, White } }), { 0xF8, 0x00, 0x00, 0x00 } },
        RowCase { "size32_four_runs", 32,
            runs({ { 8, Black }, { 8, DarkGrey }, { 8, LightGrey }, { 8, White } }),
            { 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00 } },
        RowCase { "size32_first_and_last_column", 32, runs({ { 1, Black }, { 30, White }, { 1, DarkGrey } }),
            { 0x80, 0x00, 0x00, 0x01, 0x80, 0x00, 0x00, 0x00 } },
        RowCase { "size32_left_half_kept", 32, runs({ { 16, Black }, { 16, White } }),
            { 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00 } }),
    [](const auto& info) { return std::string(info.param.name); });

// --- Tile file: whole files ---------------------------------------------

struct FileCase {
    const char* name;
    int tileSize;
    int stripWidth, stripHeight;
    std::vector<Colour> tileColours; // tile k of the strip filled with tileColours[k]
    int count;
    Bytes file;
};

Bytes repeat(std::initializer_list<std::uint8_t> pattern, int times)
{
    Bytes out;
    for (int i = 0; i < times; ++i)
        out.insert(out.end(), pattern);
    return out;
}

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

class TileFileExamples : public ::testing::TestWithParam<FileCase> { };

TEST_P(TileFileExamples, Bytes)
{
    const FileCase& k = GetParam();
    Surface strip(k.stripWidth, k.stripHeight, White);
    for (std::size_t i = 0; i < k.tileColours.size(); ++i)
        for (int y = 0; y < k.tileSize; ++y)
            for (int x = 0; x < k.tileSize; ++x)
                strip.setPixel(static_cast<int>(i) * k.tileSize + x, y, k.tileColours[i]);
    Bytes file;
    WriteTileFile(file, strip, k.count, k.tileSize);
    EXPECT_EQ(file.size(), tileFileBytes(k.count, k.tileSize));
    EXPECT_EQ(file, k.file);
}

INSTANTIATE_TEST_SUITE_P(Cases, TileFileExamples,
    ::testing::Values(FileCase { "size8_black_then_white", 8, StripWidth, StripHeight, { Black, White }, 2,
                          join({ repeat({ 0x00, 0xFF, 0x00, 0xFF }, 8), repeat({ 0 }, 32) }) },
        FileCase { "size16_one_white_tile", 16, StripWidth, StripHeight, { White }, 1, repeat({ 0 }, 64) },
        FileCase {
            "size32_one_black_tile", 32, StripWidth, StripHeight, { Black }, 1, repeat({ 0xFF }, 256) },
        FileCase { "count_zero", 16, StripWidth, StripHeight, { Black }, 0, {} },
        FileCase { "tile_wholly_beyond_the_strip", 8, 16, 8, { Black, DarkGrey }, 3,
            join({ repeat({ 0x00, 0xFF, 0x00, 0xFF }, 8), repeat({ 0x00, 0xFF, 0x00, 0x00 }, 8),
                repeat({ 0 }, 32) }) },
        FileCase { "size32_tile_straddling_the_edge", 32, 48, 32, { White, Black }, 2,
            join({ repeat({ 0 }, 256), repeat({ 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00 }, 32) }) },
        FileCase { "strip_lower_than_the_tile", 8, 8, 3, { LightGrey }, 1,
            join({ repeat({ 0x00, 0x00, 0x00, 0xFF }, 3), repeat({ 0 }, 20) }) },
        FileCase { "no_strip_at_all", 16, 0, 0, {}, 2, repeat({ 0 }, 128) }),
    [](const auto& info) { return std::string(info.param.name); });

// The tile file as the algorithm states it, pixel by pixel through the
// surface's read: each bit shifted in from the left, words written high
// byte first.
Bytes slowTileFile(const Surface& strip, int count, int t)
{
    const int wordBytes = t == 32 ? 4 : 2;
    Bytes out;
    for (int k = 0; k < count; ++k)
        for (int r = 0; r < t; ++r) {
            std::uint64_t dark = 0, light = 0;
            for (int c = 0; c < t; ++c) {
                const long long x = static_cast<long long>(k) * t + c;
                const Colour p = x > 0x7FFFFFFF ? InvalidColour : strip.pixel(static_cast<int>(x), r);
                dark = dark * 2 + ((p == Black || p == DarkGrey) ? 1 : 0);
                light = light * 2 + ((p == Black || p == LightGrey) ? 1 : 0);
            }
            for (int b = wordBytes - 1; b >= 0; --b)
                out.push_back(static_cast<std::uint8_t>(dark >> (8 * b)));
            for (int b = wordBytes - 1; b >= 0; --b)
                out.push_back(static_cast<std::uint8_t>(light >> (8 * b)));
        }
    return out;
}

TEST(TileFile, MatchesTheDirectAlgorithmOnRandomStrips)
{
    std::mt19937 rng(2024);
    const Colour palette[]
        = { Black, DarkGrey, LightGrey, White, TransparentKey, 0x808081, 0x00C0C0, 0x123456 };
    std::uniform_int_distribution<int> pick(0, 7);
    for (const int t : TileSizes) {
        for (int round = 0; round < 20; ++round) {
            const int width = std::uniform_int_distribution<int>(0, 6 * t)(rng);
            const int height = std::uniform_int_distribution<int>(0, t + 4)(rng);
            Surface strip(width, height, White);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    strip.setPixel(x, y, palette[pick(rng)]);
            const int count = std::uniform_int_distribution<int>(0, 8)(rng);
            Bytes fast;
            WriteTileFile(fast, strip, count, t);
            ASSERT_EQ(fast, slowTileFile(strip, count, t))
                << "tile size " << t << ", strip " << width << " x " << height << ", count " << count;
        }
    }
}

// --- Count captions -----------------------------------------------------

struct CountCase {
    const char* caption;
    int value; // -1: refused
};

class CountCaptions : public ::testing::TestWithParam<CountCase> { };

TEST_P(CountCaptions, Conversion)
{
    const CountCase& k = GetParam();
    if (k.value >= 0) {
        EXPECT_EQ(parseCount(k.caption), k.value);
        return;
    }
    try {
        parseCount(k.caption);
        FAIL() << "accepted '" << k.caption << "'";
    } catch (const Error& e) {
        EXPECT_EQ(
            std::string(e.what()), "'" + std::string(k.caption) + "' n'est pas une valeur entière correcte");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CountCaptions,
    ::testing::Values(CountCase { "0", 0 }, CountCase { "1", 1 }, CountCase { "1023", 1023 },
        CountCase { "007", 7 }, CountCase { "2147483647", 2147483647 }, CountCase { "N/A", -1 },
        CountCase { "", -1 }, CountCase { "-1", -1 }, CountCase { "+5", -1 }, CountCase { " 5", -1 },
        CountCase { "5 ", -1 }, CountCase { "12a", -1 }, CountCase { "0x10", -1 }, CountCase { "$10", -1 },
        CountCase { "2147483648", -1 }, CountCase { "99999999999999999999", -1 }));

// --- Decoding -----------------------------------------------------------

struct DecodeFailure {
    const char* name;
    Bytes map, tiles;
    int cols, rows, tileSize;
    const char* message;
};

class DecodeFailures : public ::testing::TestWithParam<DecodeFailure> { };

TEST_P(DecodeFailures, Message)
{
    const DecodeFailure& k = GetParam();
    try {
        decodePlane(k.map, k.tiles, k.cols, k.rows, k.tileSize);
        FAIL() << "decoded";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), k.message);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeFailures,
    ::testing::Values(
        DecodeFailure { "map_short", { 0, 0, 0 }, Bytes(64), 2, 1, 16,
            "Le fichier de carte fait 3 octets, alors qu'une carte de 2 x 1 cases en demande 4" },
        DecodeFailure { "map_long", { 0, 0, 0, 0, 0, 0 }, Bytes(64), 2, 1, 16,
            "Le fichier de carte fait 6 octets, alors qu'une carte de 2 x 1 cases en demande 4" },
        DecodeFailure { "tiles_cut", { 0, 0 }, Bytes(65), 1, 1, 16,
            "Le fichier de tuiles fait 65 octets, ce qui n'est pas un nombre entier de tuiles de 16 pixels "
            "(64 "
            "octets chacune)" },
        DecodeFailure { "tiles_in_the_old_32_layout", { 0, 0 }, Bytes(128), 1, 1, 32,
            "Le fichier de tuiles fait 128 octets, ce qui n'est pas un nombre entier de tuiles de 32 pixels "
            "(256 "
            "octets chacune)" },
        DecodeFailure { "index_beyond_the_tiles", { 0, 0, 0x02, 0x08 }, Bytes(64), 2, 1, 8,
            "La case (1, 0) de la carte désigne la tuile 2, mais le fichier de tuiles n'en contient que 2" },
        DecodeFailure { "no_tiles", { 0, 0 }, {}, 1, 1, 8,
            "La case (0, 0) de la carte désigne la tuile 0, mais le fichier de tuiles n'en contient que 0" },
        DecodeFailure { "index_past_the_field", { 0x00, 0x10 }, Bytes(32), 1, 1, 8,
            "La case (0, 0) de la carte porte l'entrée 0x1000, qui ne se lit pas comme un numéro de tuile et "
            "des drapeaux de miroir" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecodePlane, NoCellsGivesAnEmptyPicture)
{
    const Surface plane = decodePlane({}, {}, 0, 4, 16);
    EXPECT_EQ(plane.width(), 0);
    EXPECT_EQ(plane.height(), 64);
}

// The plane a map and a strip stand for, rebuilt straight from the build's
// own results (not from any file): each cell the strip's tile mirrored as
// its entry says, in the greys the tile file keeps.
Surface directRebuild(const Map& map, const Surface& strip)
{
    const int t = map.tileSize;
    Surface out(map.cols * t, map.rows * t);
    for (int r = 0; r < map.rows; ++r)
        for (int c = 0; c < map.cols; ++c) {
            const std::int32_t entry = map.at(c, r);
            const int index = entry & 0x3FF;
            for (int y = 0; y < t; ++y)
                for (int x = 0; x < t; ++x) {
                    const int sx = (entry & FlipHorizontal) ? t - 1 - x : x;
                    const int sy = (entry & FlipVertical) ? t - 1 - y : y;
                    out.setPixel(c * t + x, r * t + y, asGrey(strip.pixel(index * t + sx, sy)));
                }
        }
    return out;
}

// Planes of any colours: the key, greys and others, which the tile file
// turns into White. The decoder must agree with the direct rebuild from the
// build's map and strip.
TEST(DecodePlane, AgreesWithTheBuildsMapAndStrip)
{
    for (const int t : TileSizes) {
        std::mt19937 rng(static_cast<unsigned>(t));
        std::vector<testing::Tile> tiles;
        for (int i = 0; i < 12; ++i)
            tiles.push_back(testing::randomTile(rng, t, 6));
        for (auto& tile : tiles)
            for (std::size_t i = 0; i < tile.size(); i += 7)
                tile[i] = (i % 3 == 0) ? TransparentKey : testing::FourGreys[i % 4];
        WorkingState state;
        state.TileSize = t;
        state.Image1.load(testing::tiledPlane(rng, tiles, t, 9, 7, 3));
        state.Image2.load(testing::tiledPlane(rng, tiles, t, 4, 11, 0));
        buildMaps(state, true);

        struct Plane {
            const Map& map;
            const Surface* strip;
            const Label& count;
        };
        for (const Plane& p : { Plane { *state.SpriteMap, state.Image5.picture(), state.Label23 },
                 Plane { *state.BackgroundMap, state.Image6.picture(), state.Label26 } }) {
            ASSERT_NE(p.strip, nullptr);
            Bytes mapBytes, tileBytes;
            WriteMapFile(mapBytes, p.map);
            WriteTileFile(tileBytes, *p.strip, parseCount(p.count.caption), t);
            EXPECT_EQ(
                decodePlane(mapBytes, tileBytes, p.map.cols, p.map.rows, t), directRebuild(p.map, *p.strip))
                << "tile size " << t;
        }
    }
}

// --- System reasons -----------------------------------------------------

struct ReasonCase {
    std::errc code;
    const char* text;
};

class SystemReasons : public ::testing::TestWithParam<ReasonCase> { };

TEST_P(SystemReasons, FrenchText)
{
    EXPECT_EQ(systemReason(std::make_error_code(GetParam().code)), GetParam().text);
    EXPECT_EQ(errnoReason(static_cast<int>(GetParam().code)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, SystemReasons,
    ::testing::Values(ReasonCase { std::errc::permission_denied, "accès refusé" },
        ReasonCase { std::errc::no_space_on_device, "plus de place sur le disque" },
        ReasonCase { std::errc::read_only_file_system, "le support est en lecture seule" },
        ReasonCase { std::errc::no_such_file_or_directory, "dossier introuvable" },
        ReasonCase { std::errc::filename_too_long, "nom de fichier trop long" },
        ReasonCase { std::errc::invalid_argument, "nom de fichier refusé par le système de fichiers" },
        ReasonCase { std::errc::file_too_large, "fichier trop volumineux" },
        ReasonCase { std::errc::is_a_directory, "un dossier porte ce nom" }));

TEST(SystemReason, OtherCodesKeepTheSystemsText)
{
    const auto code = std::make_error_code(std::errc::connection_refused);
    EXPECT_EQ(systemReason(code), code.message());
    EXPECT_EQ(systemReason(std::error_code()), "le système n'a pas donné de raison");
}

} // namespace
} // namespace quilbrix
