#include "state/bmp.h"
#include "state/error.h"
#include "state/picture_file.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace quilbrix
