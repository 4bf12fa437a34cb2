#include "batch/batch_levels.h"

#include "batch/decode.h"
#include "batch/road.h"
#include "export/save.h"
#include "export/tile_file.h"
#include "state/error.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quilbrix {
namespace {

using testing::Bytes;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

struct RoundTrip {
    int tileSize;
    bool mirror;
};

void PrintTo(const RoundTrip& c, std::ostream* os)
{
    *os << c.tileSize << (c.mirror ? "_mirrored" : "_as_is");
}

class DecodeRoundTrip : public ::testing::TestWithParam<RoundTrip> { };

// Four-grey planes of random tiles in random orientations, with pixels
// beyond the last whole cell, saved and decoded: each decoded picture is
// its plane over the cells, pixel for pixel.
TEST_P(DecodeRoundTrip, DecodedPicturesAreTheFourGreyPlanes)
{
    const RoundTrip c = GetParam();
    std::mt19937 rng(static_cast<unsigned>(c.tileSize * 2 + c.mirror));
    const Surface sprite = testing::fourGreyPlane(rng, c.tileSize, 9, 5, 6, 3);
    const Surface background = testing::fourGreyPlane(rng, c.tileSize, 4, 7, 9, 0);
    WorkingState state;
    state.Image1.load(sprite);
    state.Image2.load(background);
    runBuild(state, c.tileSize, c.mirror);
    const TempFolder folder;
    runSave(state, "Rt", utf8Text(folder.path()), "");

    // Mirrored cells are really in play when matching mirrors.
    std::int32_t flags = 0;
    for (const std::int32_t entry : state.SpriteMap->entries)
        flags |= entry & (FlipHorizontal | FlipVertical);
    EXPECT_EQ(flags, c.mirror ? (FlipHorizontal | FlipVertical) : 0);

    const std::vector<std::string> written
        = decodeLevel("Rt", utf8Text(folder.path()), PlaneSize { sprite.width(), sprite.height() },
            PlaneSize { background.width(), background.height() }, c.tileSize);
    EXPECT_EQ(written,
        std::vector<std::string>(
            { utf8Text(folder / "Rt1.decoded.bmp"), utf8Text(folder / "Rt2.decoded.bmp") }));
    EXPECT_TRUE(testing::readBmp(folder / "Rt1.decoded.bmp")
        == testing::crop(sprite, 9 * c.tileSize, 5 * c.tileSize));
    EXPECT_TRUE(testing::readBmp(folder / "Rt2.decoded.bmp")
        == testing::crop(background, 4 * c.tileSize, 7 * c.tileSize));
}

INSTANTIATE_TEST_SUITE_P(AllTileSizes, DecodeRoundTrip,
    ::testing::Values(
        RoundTrip { 8, true }, RoundTrip { 16, true }, RoundTrip { 32, true }, RoundTrip { 16, false }),
    [](const ::testing::TestParamInfo<RoundTrip>& info) {
        return std::to_string(info.param.tileSize) + (info.param.mirror ? "_mirrored" : "_as_is");
    });

// The sample level down the whole road: what --decode draws is the planes
// as the four greys and the mask left them.
TEST(DecodeRoundTrip, SampleLevelDecodesToItsFourGreyPlanes)
{
    for (const int tileSize : TileSizes) {
        SCOPED_TRACE(tileSize);
        const TempFolder folder;
        BatchOptions options;
        options.spritePicture = QUILBRIX_SAMPLES "/sprites.bmp";
        options.backgroundPicture = QUILBRIX_SAMPLES "/background.bmp";
        options.fullPicture = QUILBRIX_SAMPLES "/full.bmp";
        options.tileSize = tileSize;
        options.outputFolder = utf8Text(folder.path());
        WorkingState state;
        runRoad(state, options, RoadEvents {});
        const Surface& sprite = state.Image1.surface();
        const Surface& background = state.Image2.surface();
        decodeLevel("Demo", options.outputFolder, PlaneSize { sprite.width(), sprite.height() },
            PlaneSize { background.width(), background.height() }, tileSize);
        const int w = sprite.width() / tileSize * tileSize, h = sprite.height() / tileSize * tileSize;
        EXPECT_TRUE(testing::readBmp(folder / "Demo1.decoded.bmp") == testing::crop(sprite, w, h));
        EXPECT_TRUE(testing::readBmp(folder / "Demo2.decoded.bmp") == testing::crop(background, w, h));
    }
}

// A saved level of 4 × 2 cells of 8 pixels per plane, whose files a case
// then spoils.
struct SavedLevel {
    TempFolder folder;
    int spriteTiles = 0;

    SavedLevel()
    {
        WorkingState state;
        state.Image1.load(testing::fourGreySerialPlane(8, 4, 2));
        state.Image2.load(testing::fourGreySerialPlane(8, 4, 2));
        runBuild(state, 8, true);
        runSave(state, "Lv", utf8Text(folder.path()), "");
        spriteTiles = std::stoi(state.Label23.caption);
    }

    std::filesystem::path operator/(const std::string& name) const { return folder / name; }

    std::vector<std::string> decode() const
    {
        return decodeLevel("Lv", utf8Text(folder.path()), PlaneSize { 32, 16 }, PlaneSize { 32, 16 }, 8);
    }
};

struct SpoiltCase {
    const char* name;
    const char* file; // the file spoilt
    int change; // bytes added (> 0) or cut (< 0) at its end
    const char* message; // FOLDER stands for the level's folder
};

void PrintTo(const SpoiltCase& c, std::ostream* os)
{
    *os << c.name;
}

const SpoiltCase spoiltCases[] = {
    { "map_shorter", "Lv1.lvl", -2,
        "Le fichier de carte « FOLDER/Lv1.lvl » fait 14 octets, alors que le plan de sprites de 32 x 16 "
        "pixels en "
        "tuiles de 8 pixels a 4 x 2 cases et en demande 16 : il est trop court" },
    { "map_longer", "Lv2.lvl", 2,
        "Le fichier de carte « FOLDER/Lv2.lvl » fait 18 octets, alors que l'arrière-plan de 32 x 16 pixels "
        "en "
        "tuiles de 8 pixels a 4 x 2 cases et en demande 16 : il est trop long" },
    { "map_empty", "Lv1.lvl", -16,
        "Le fichier de carte « FOLDER/Lv1.lvl » fait 0 octets, alors que le plan de sprites de 32 x 16 "
        "pixels en "
        "tuiles de 8 pixels a 4 x 2 cases et en demande 16 : il est trop court" },
    { "tiles_one_tile_short", "Lv1.bin", -32,
        "La case (3, 1) de la carte désigne la tuile 7, mais le fichier de tuiles n'en contient que 7 (le "
        "plan de "
        "sprites, fichiers « FOLDER/Lv1.lvl » et « FOLDER/Lv1.bin »)" },
    { "tiles_one_tile_long", "Lv2.bin", 32,
        "Le fichier de tuiles « FOLDER/Lv2.bin » contient 9 tuiles, alors que la carte « FOLDER/Lv2.lvl » "
        "n'en "
        "désigne que 8 : il est trop long pour elle" },
    { "tiles_cut_in_a_row", "Lv1.bin", -3,
        "Le fichier de tuiles fait 253 octets, ce qui n'est pas un nombre entier de tuiles de 8 pixels (32 "
        "octets "
        "chacune) (le plan de sprites, fichiers « FOLDER/Lv1.lvl » et « FOLDER/Lv1.bin »)" },
    { "tiles_beyond_any_index", "Lv2.bin", 1024 * 32,
        "Le fichier de tuiles « FOLDER/Lv2.bin » fait 33024 octets, plus que les 32768 octets de 1024 tuiles "
        "de 8 "
        "pixels, le plus qu'une carte peut désigner" },
};

class SpoiltLevel : public ::testing::TestWithParam<SpoiltCase> { };

std::string withFolder(std::string text, const std::string& folder)
{
    for (std::size_t at; (at = text.find("FOLDER")) != std::string::npos;)
        text.replace(at, 6, folder);
    return text;
}

TEST_P(SpoiltLevel, IsRefusedByNameAndNothingIsWritten)
{
    const SpoiltCase& c = GetParam();
    const SavedLevel level;
    ASSERT_EQ(level.spriteTiles, 8);
    Bytes bytes = readBytes(level / c.file);
    if (c.change < 0)
        bytes.resize(bytes.size() - static_cast<std::size_t>(-c.change));
    else
        bytes.resize(bytes.size() + static_cast<std::size_t>(c.change), 0);
    writeBytes(level / c.file, bytes);
    const std::set<std::string> before = level.folder.names();
    try {
        level.decode();
        ADD_FAILURE() << "decoded";
    } catch (const Error& error) {
        EXPECT_EQ(error.what(), withFolder(c.message, utf8Text(level.folder.path())));
    }
    // The sprite plane is decoded before the background, yet neither
    // picture is written when either plane fails.
    EXPECT_EQ(level.folder.names(), before);
}

INSTANTIATE_TEST_SUITE_P(Table, SpoiltLevel, ::testing::ValuesIn(spoiltCases),
    [](const ::testing::TestParamInfo<SpoiltCase>& info) { return std::string(info.param.name); });

TEST(DecodeLevel, MissingFilesAreNamed)
{
    const SavedLevel level;
    std::filesystem::remove(level / "Lv2.bin");
    try {
        level.decode();
        ADD_FAILURE() << "decoded";
    } catch (const Error& error) {
        EXPECT_EQ(error.what(), "Impossible d'ouvrir le fichier " + utf8Text(level / "Lv2.bin"));
    }
    // A folder in place of a map file cannot be read either.
    std::filesystem::remove(level / "Lv1.lvl");
    std::filesystem::create_directory(level / "Lv1.lvl");
    EXPECT_THROW(level.decode(), Error);
}

TEST(DecodeLevel, BaseNameStaysInTheFolder)
{
    const SavedLevel level;
    EXPECT_THROW(
        decodeLevel("../Lv", utf8Text(level.folder.path()), PlaneSize { 32, 16 }, PlaneSize { 32, 16 }, 8),
        Error);
    EXPECT_THROW(decodeLevel(std::string("L\0v", 3), utf8Text(level.folder.path()), PlaneSize { 32, 16 },
                     PlaneSize { 32, 16 }, 8),
        Error);
}

TEST(DecodeLevel, DecodingAgainReplacesThePictures)
{
    const SavedLevel level;
    writeBytes(level / "Lv1.decoded.bmp", Bytes { 'o', 'l', 'd' });
    level.decode();
    EXPECT_EQ(testing::readBmp(level / "Lv1.decoded.bmp").width(), 32);
    // Replaced through a temporary file that is gone afterwards.
    EXPECT_EQ(level.folder.names().size(), 6u);
}

TEST(DecodeLevel, FileNames)
{
    EXPECT_EQ(
        decodedFileNames("Demo"), (std::array<std::string, 2> { "Demo1.decoded.bmp", "Demo2.decoded.bmp" }));
    EXPECT_EQ(decodedFileNames(""), (std::array<std::string, 2> { "1.decoded.bmp", "2.decoded.bmp" }));
}

} // namespace
} // namespace quilbrix
