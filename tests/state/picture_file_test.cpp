#include "prepare/cut_out.h"
#include "state/bmp.h"
#include "state/error.h"
#include "state/picture_file.h"
#include "state/working_state.h"
#include "tiles/build.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace quilbrix {
namespace {

namespace fs = std::filesystem;

// A folder of its own under the system's temporary folder, removed after
// each test.
class PictureFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device seed;
        dir_ = fs::temp_directory_path() / ("quilbrix-picture-" + std::to_string(seed()));
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // The UTF-8 path of `name` in the folder.
    std::string path(const std::string& name) const
    {
        const std::u8string text = (dir_ / fs::path(std::u8string(name.begin(), name.end()))).u8string();
        return std::string(text.begin(), text.end());
    }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        const std::string p = path(name);
        std::ofstream out(fs::path(std::u8string(p.begin(), p.end())), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return p;
    }

    std::string writeText(const std::string& name, const std::string& text) const
    {
        return write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    static std::string messageOf(const std::string& p)
    {
        try {
            loadPicture(p);
        } catch (const Error& e) {
            return e.what();
        }
        return "(loaded)";
    }

    static Surface sample()
    {
        Surface s(5, 3, DarkGrey);
        s.setPixel(0, 0, TransparentKey);
        s.setPixel(4, 2, 0x123456);
        return s;
    }

    fs::path dir_;
};

TEST_F(PictureFile, LoadsABitmapWhateverTheCaseOfItsExtension)
{
    for (const char* name : { "plan.bmp", "PLAN.BMP", "Plan.Bmp", "arrière-plan.bmp", "deux.points.bmp" }) {
        const std::string p = write(name, encodeBmp24(sample()));
        Surface got;
        ASSERT_NO_THROW(got = loadPicture(p)) << name << ": " << messageOf(p);
        EXPECT_EQ(got, sample()) << name;
    }
}

TEST_F(PictureFile, Refusals)
{
    const std::vector<std::uint8_t> bitmap = encodeBmp24(sample());
    struct Case {
        std::string path;
        std::string message;
    };
    const Case cases[] = {
        { write("plan.txt", bitmap), "Extension de fichier graphique inconnue (.txt)" },
        { write("plan.PNG", bitmap), "Extension de fichier graphique inconnue (.PNG)" },
        { write("plan", bitmap), "Extension de fichier graphique inconnue (.)" },
        { write("plan.", bitmap), "Extension de fichier graphique inconnue (.)" },
        { write("plan.bmp.bak", bitmap), "Extension de fichier graphique inconnue (.bak)" },
        // Icons and metafiles: no command could work on them.
        { write("icone.ico", bitmap), "Impossible de modifier que les images comportant un bitmap" },
        { write("ICONE.ICO", bitmap), "Impossible de modifier que les images comportant un bitmap" },
        { write("dessin.wmf", bitmap), "Impossible de modifier que les images comportant un bitmap" },
        { write("dessin.emf", bitmap), "Impossible de modifier que les images comportant un bitmap" },
        { path("absent.bmp"), "Impossible d'ouvrir le fichier " + path("absent.bmp") },
        { writeText("texte.bmp", "Ceci est un texte, pas une image.\n"), "Image bitmap incorrecte" },
        { write("court.bmp", std::vector<std::uint8_t>(bitmap.begin(), bitmap.begin() + 40)),
            "Erreur de lecture du flux" },
        { write("vide.bmp", {}), "Erreur de lecture du flux" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(messageOf(c.path), c.message) << c.path;
}

TEST_F(PictureFile, ADotInAFolderNameIsNoExtension)
{
    fs::create_directories(fs::path(path("images.bmp")));
    const std::string p = write("images.bmp/plan", encodeBmp24(sample()));
    EXPECT_EQ(messageOf(p), "Extension de fichier graphique inconnue (.)");
}

TEST_F(PictureFile, AFolderNamedLikeABitmapCannotBeOpened)
{
    fs::create_directories(fs::path(path("dossier.bmp")));
    EXPECT_EQ(messageOf(path("dossier.bmp")), "Impossible d'ouvrir le fichier " + path("dossier.bmp"));
}

TEST_F(PictureFile, AFileLargerThanAnyPictureIsRefusedUnread)
{
    // A sparse file: its size is set, its bytes never written.
    const std::string p = write("immense.bmp", encodeBmp24(sample()));
    std::error_code error;
    fs::resize_file(fs::path(p), MaxPictureFileSize + 1, error);
    if (error)
        GTEST_SKIP() << "cannot make a large sparse file here: " << error.message();
    EXPECT_EQ(messageOf(p), "Image trop grande : fichier de 1610612737 octets (1610612736 au plus)");
}

// --- the sample level the project ships ---------------------------------------

std::string samplePath(const char* name)
{
    return std::string(QUILBRIX_FIXTURES "/../../samples/") + name;
}

int band(Colour c)
{
    const int b = brightness(c);
    return b < 100 ? 0 : b < 170 ? 1 : b < 300 ? 2 : 3;
}

class SampleLevel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_THROW(sprites_ = loadPicture(samplePath("sprites.bmp")));
        ASSERT_NO_THROW(background_ = loadPicture(samplePath("background.bmp")));
        ASSERT_NO_THROW(full_ = loadPicture(samplePath("full.bmp")));
    }

    Surface sprites_, background_, full_;
};

TEST_F(SampleLevel, ThreePlanesOfOneSizeInWholeCells)
{
    for (const Surface* s : { &sprites_, &background_, &full_ }) {
        EXPECT_EQ(s->width(), sprites_.width());
        EXPECT_EQ(s->height(), sprites_.height());
    }
    EXPECT_EQ(sprites_.width() % 32, 0);
    EXPECT_EQ(sprites_.height() % 32, 0);
}

// The full plane is the background with the sprites laid over it, and the
// sprite plane's backdrop differs from the scene everywhere, so the cut-out
// keeps exactly the sprites.
TEST_F(SampleLevel, FullPlaneIsTheBackgroundUnderTheSprites)
{
    const Colour backdrop = sprites_.pixel(0, 0);
    int spritePixels = 0;
    for (int y = 0; y < full_.height(); ++y)
        for (int x = 0; x < full_.width(); ++x) {
            const Colour s = sprites_.pixel(x, y);
            if (s == backdrop) {
                ASSERT_EQ(full_.pixel(x, y), background_.pixel(x, y)) << x << "," << y;
                ASSERT_NE(full_.pixel(x, y), backdrop) << x << "," << y;
            } else {
                ASSERT_EQ(full_.pixel(x, y), s) << x << "," << y;
                ++spritePixels;
            }
        }
    EXPECT_GT(spritePixels, 500);

    Surface cut = sprites_;
    Gauge gauge;
    cutOutSprites(cut, full_, gauge);
    for (int y = 0; y < cut.height(); ++y)
        for (int x = 0; x < cut.width(); ++x)
            ASSERT_EQ(
                cut.pixel(x, y), sprites_.pixel(x, y) == backdrop ? TransparentKey : sprites_.pixel(x, y));
}

TEST_F(SampleLevel, BothPlanesCoverEveryGreyBand)
{
    const Colour backdrop = sprites_.pixel(0, 0);
    std::array<int, 4> inSprites {}, inBackground {};
    for (int y = 0; y < sprites_.height(); ++y)
        for (int x = 0; x < sprites_.width(); ++x) {
            if (sprites_.pixel(x, y) != backdrop)
                ++inSprites[static_cast<std::size_t>(band(sprites_.pixel(x, y)))];
            ++inBackground[static_cast<std::size_t>(band(background_.pixel(x, y)))];
        }
    for (std::size_t b = 0; b < 4; ++b) {
        EXPECT_GT(inSprites[b], 0) << "band " << b;
        EXPECT_GT(inBackground[b], 0) << "band " << b;
    }
}

// After the cut-out, the build finds tiles used as they are and mirrored
// in every way it can: in the sprite plane at every tile size, in the
// background at 8 and 16.
TEST_F(SampleLevel, BuildFindsRepeatsAndMirrors)
{
    for (int size : TileSizes) {
        WorkingState state;
        Surface cut = sprites_;
        Gauge gauge;
        cutOutSprites(cut, full_, gauge);
        state.Image1.load(cut);
        state.Image2.load(background_);
        state.TileSize = size;
        const BuildReport report = buildMaps(state, true);
        ASSERT_TRUE(state.SpriteMap && state.BackgroundMap);
        auto flagsFound = [](const Map& map) {
            std::array<int, 4> kinds {}; // as is, left-right, top-bottom, both
            for (std::int32_t e : map.entries)
                ++kinds[static_cast<std::size_t>(
                    ((e & FlipHorizontal) ? 1 : 0) + ((e & FlipVertical) ? 2 : 0))];
            return kinds;
        };
        const auto sprite = flagsFound(*state.SpriteMap);
        const auto scene = flagsFound(*state.BackgroundMap);
        const int cells = static_cast<int>(state.SpriteMap->entries.size());
        EXPECT_LT(report.sprite.count, cells / 4) << size;
        EXPECT_LT(report.background.count, cells) << size;
        EXPECT_GT(sprite[1], 0) << "sprite plane, left-right, size " << size;
        EXPECT_GT(sprite[2], 0) << "sprite plane, top-bottom, size " << size;
        if (size < 32) {
            EXPECT_GT(scene[1], 0) << "background, left-right, size " << size;
            EXPECT_GT(scene[2], 0) << "background, top-bottom, size " << size;
            EXPECT_GT(scene[3], 0) << "background, both ways, size " << size;
        }
    }
}

} // namespace
} // namespace quilbrix
