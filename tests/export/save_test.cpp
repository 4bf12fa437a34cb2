#include "level_files.h"

#include "export/level_decode.h"
#include "export/replace_file.h"
#include "export/save.h"
#include "export/tile_file.h"
#include "state/error.h"
#include "tiles/build.h"

#include <gtest/gtest.h>

#include <map>

#if defined(__linux__)
#include <csignal>
#include <sys/resource.h>
#endif

namespace quilbrix {
namespace {

using testing::Bytes;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

const std::string Picture = "/images/niveau/sprites.bmp";

// A working state after a build of the two planes at `tileSize`.
struct Level {
    WorkingState state;

    Level(int tileSize, Surface sprite, Surface background, bool mirror = true)
    {
        state.TileSize = tileSize;
        state.Image1.load(std::move(sprite));
        state.Image2.load(std::move(background));
        buildMaps(state, mirror);
    }

    std::string save(const TempFolder& folder, const std::string& base = "Demo") const
    {
        return saveLevel(state, base, folder.path(), Picture);
    }
};

Level randomLevel(
    unsigned seed, int tileSize, int spriteCols, int spriteRows, int backgroundCols, int backgroundRows)
{
    std::mt19937 rng(seed);
    Surface sprite = testing::fourGreyPlane(rng, tileSize, spriteCols, spriteRows, 5, 3);
    Surface background = testing::fourGreyPlane(rng, tileSize, backgroundCols, backgroundRows, 7, 0);
    return Level(tileSize, std::move(sprite), std::move(background));
}

// Every file of a folder with its bytes.
std::map<std::string, Bytes> contents(const TempFolder& folder)
{
    std::map<std::string, Bytes> all;
    for (const auto& name : folder.names())
        all[name] = readBytes(folder / name);
    return all;
}

// Earlier files of the four names in `folder`, each a few recognisable bytes.
std::map<std::string, Bytes> earlierFiles(const TempFolder& folder, const std::string& base = "Demo")
{
    std::uint8_t mark = 0x51;
    for (const auto& name : levelFileNames(base))
        writeBytes(folder / name, Bytes(37, mark++));
    return contents(folder);
}

std::string messageOf(const std::function<void()>& run)
{
    try {
        run();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

std::string shown(const std::filesystem::path& path)
{
    return path.string();
}

// --- Names, message, sizes ----------------------------------------------

struct NameCase {
    const char* name;
    std::string base;
    std::array<std::string, 4> files;
};

class FileNames : public ::testing::TestWithParam<NameCase> { };

TEST_P(FileNames, FourFilesUnderTheBaseName)
{
    const NameCase& k = GetParam();
    EXPECT_EQ(levelFileNames(k.base), k.files);
    const Level level(16, Surface(32, 16, Black), Surface(16, 16, White));
    TempFolder folder;
    level.save(folder, k.base);
    EXPECT_EQ(folder.names(), std::set<std::string>(k.files.begin(), k.files.end()));
}

INSTANTIATE_TEST_SUITE_P(Cases, FileNames,
    ::testing::Values(NameCase { "initial", "Demo", { "Demo1.lvl", "Demo2.lvl", "Demo1.bin", "Demo2.bin" } },
        NameCase { "empty", "", { "1.lvl", "2.lvl", "1.bin", "2.bin" } },
        NameCase { "seven_characters", "Niveau7",
            { "Niveau71.lvl", "Niveau72.lvl", "Niveau71.bin", "Niveau72.bin" } },
        NameCase { "blanks_kept", " a b ", { " a b 1.lvl", " a b 2.lvl", " a b 1.bin", " a b 2.bin" } },
        NameCase {
            "accents", "Château", { "Château1.lvl", "Château2.lvl", "Château1.bin", "Château2.bin" } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveLevel, ClosingMessageNamesTheSpritePicture)
{
    const Level level(8, Surface(8, 8, Black), Surface(8, 8, White));
    TempFolder folder;
    EXPECT_EQ(
        level.save(folder), "Les fichiers ont été enregistrés avec l'image : /images/niveau/sprites.bmp");
    EXPECT_EQ(saveLevel(level.state, "Demo", folder.path(), ""),
        "Les fichiers ont été enregistrés avec l'image : (aucune)");
}

struct SizeCase {
    const char* name;
    int width, height, tileSize;
    std::size_t mapBytes;
};

class MapFileSizes : public ::testing::TestWithParam<SizeCase> { };

TEST_P(MapFileSizes, TwoBytesPerWholeCell)
{
    const SizeCase& k = GetParam();
    const Level level(
        k.tileSize, testing::distinctPlane(k.width, k.height, k.tileSize), Surface(k.width, k.height));
    TempFolder folder;
    // Longer files of the same names are cut to the new length.
    for (const auto& name : levelFileNames("Demo"))
        writeBytes(folder / name, Bytes(5000, 0xEE));
    level.save(folder);
    EXPECT_EQ(readBytes(folder / "Demo1.lvl").size(), k.mapBytes);
    const int cells = (k.width / k.tileSize) * (k.height / k.tileSize);
    EXPECT_EQ(readBytes(folder / "Demo1.bin").size(), tileFileBytes(cells, k.tileSize));
    EXPECT_EQ(readBytes(folder / "Demo2.bin").size(), tileFileBytes(cells ? 1 : 0, k.tileSize));
}

INSTANTIATE_TEST_SUITE_P(Cases, MapFileSizes,
    ::testing::Values(SizeCase { "plane_40x24_at_16", 40, 24, 16, 4 },
        SizeCase { "plane_320x200_at_8", 320, 200, 8, 2000 },
        SizeCase { "plane_320x200_at_16", 320, 200, 16, 480 },
        SizeCase { "narrower_than_a_tile", 6, 40, 8, 0 }, SizeCase { "lower_than_a_tile", 64, 31, 32, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

// --- Round trip ---------------------------------------------------------

class RoundTrip : public ::testing::TestWithParam<int> { };

// A level built, saved, read back from the four files and rebuilt cell by
// cell gives the four-grey planes it came from.
TEST_P(RoundTrip, FilesRebuildBothPlanes)
{
    const int t = GetParam();
    const Level level = randomLevel(static_cast<unsigned>(t) * 31, t, 11, 7, 6, 13);
    const WorkingState& s = level.state;
    TempFolder folder;
    level.save(folder, "Rt");

    // Independent of the map objects: the grid comes from the planes.
    const int spriteCols = s.Image1.width() / t, spriteRows = s.Image1.height() / t;
    const int backgroundCols = s.Image2.width() / t, backgroundRows = s.Image2.height() / t;
    const Surface sprite = decodePlane(
        readBytes(folder / "Rt1.lvl"), readBytes(folder / "Rt1.bin"), spriteCols, spriteRows, t);
    const Surface background = decodePlane(
        readBytes(folder / "Rt2.lvl"), readBytes(folder / "Rt2.bin"), backgroundCols, backgroundRows, t);
    EXPECT_EQ(sprite, testing::crop(*s.Image1.picture(), spriteCols * t, spriteRows * t));
    EXPECT_EQ(background, testing::crop(*s.Image2.picture(), backgroundCols * t, backgroundRows * t));

    // The planes used mirrors of every kind, and tiles were shared.
    std::set<std::int32_t> flags;
    for (const auto e : s.SpriteMap->entries)
        flags.insert(e & 0xC00);
    EXPECT_EQ(flags, (std::set<std::int32_t> { 0, 0x400, 0x800, 0xC00 }));
    EXPECT_LE(parseCount(s.Label23.caption), 5);
    EXPECT_EQ(readBytes(folder / "Rt1.bin").size(), tileFileBytes(parseCount(s.Label23.caption), t));
}

INSTANTIATE_TEST_SUITE_P(TileSizes, RoundTrip, ::testing::Values(8, 16, 32));

// The largest strip a 32-pixel build keeps whole: 511 tiles, the last one
// ending 16 pixels before the strip's edge.
TEST(SaveLevel, StripFullAt32)
{
    const Level level(32, testing::fourGreySerialPlane(32, 7, 73), Surface(32, 32, DarkGrey), false);
    ASSERT_EQ(level.state.Label23.caption, "511");
    TempFolder folder;
    level.save(folder);
    const Bytes tiles = readBytes(folder / "Demo1.bin");
    EXPECT_EQ(tiles.size(), 511u * 256u);
    const Surface plane = decodePlane(readBytes(folder / "Demo1.lvl"), tiles, 7, 73, 32);
    EXPECT_EQ(plane, testing::crop(*level.state.Image1.picture(), 7 * 32, 73 * 32));
    // One DarkGrey tile: every row all dark bits, no light bits.
    Bytes darkGrey;
    for (int row = 0; row < 32; ++row)
        darkGrey.insert(darkGrey.end(), { 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00 });
    EXPECT_EQ(readBytes(folder / "Demo2.bin"), darkGrey);
}

// --- Nothing written before everything is checked -----------------------

TEST(SaveLevel, BeforeTheFirstBuildRefusesAndWritesNothing)
{
    WorkingState state;
    TempFolder folder;
    const auto before = earlierFiles(folder);
    EXPECT_EQ(messageOf([&] { saveLevel(state, "Demo", folder.path(), Picture); }),
        "'N/A' n'est pas une valeur entière correcte");
    EXPECT_EQ(contents(folder), before);
}

TEST(SaveLevel, OneCaptionThatIsNoNumberRefusesAndWritesNothing)
{
    for (const char* caption : { "N/A", "12a", "" }) {
        Level level(16, Surface(32, 32, Black), Surface(32, 32, White));
        level.state.Label26.caption = caption;
        TempFolder folder;
        const auto before = earlierFiles(folder);
        EXPECT_EQ(messageOf([&] { level.save(folder); }),
            "'" + std::string(caption) + "' n'est pas une valeur entière correcte");
        EXPECT_EQ(contents(folder), before) << caption;
    }
}

TEST(SaveLevel, MissingMapRefusesAndWritesNothing)
{
    Level level(16, Surface(32, 32, Black), Surface(32, 32, White));
    level.state.releaseMaps();
    TempFolder folder;
    const auto before = earlierFiles(folder);
    EXPECT_EQ(messageOf([&] { level.save(folder); }),
        "Il n'y a pas de carte pour le plan de sprites : lancez d'abord « Création Cartes + Sprites » ; "
        "aucun "
        "fichier n'a été modifié");
    EXPECT_EQ(contents(folder), before);
}

struct OverflowCase {
    const char* name;
    int tileSize;
    bool spritePlane;
    int cols, rows;
    const char* message;
};

class Overflow : public ::testing::TestWithParam<OverflowCase> { };

// A plane with more distinct tiles than its strip or the index field holds
// would give a map naming tiles the tile file lacks, or entries whose
// index runs into the flags.
TEST_P(Overflow, RefusedWithNothingWritten)
{
    const OverflowCase& k = GetParam();
    const int t = k.tileSize;
    Surface busy = testing::distinctPlane(k.cols * t, k.rows * t, t);
    Surface calm(2 * t, t, LightGrey);
    const Level level = k.spritePlane ? Level(t, std::move(busy), std::move(calm))
                                      : Level(t, std::move(calm), std::move(busy));
    TempFolder folder;
    const auto before = earlierFiles(folder);
    EXPECT_EQ(messageOf([&] { level.save(folder); }), k.message);
    EXPECT_EQ(contents(folder), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, Overflow,
    ::testing::Values(
        OverflowCase { "index_field_at_8", 8, true, 33, 32,
            "Trop de tuiles dans le plan de sprites : 1056 tuiles distinctes pour une limite de 1024 en "
            "tuiles de 8 pixels ; aucun fichier n'a été modifié" },
        OverflowCase { "strip_at_16", 16, false, 32, 32,
            "Trop de tuiles dans l'arrière-plan : 1024 tuiles distinctes pour une limite de 1023 en tuiles "
            "de 16 "
            "pixels ; aucun fichier n'a été modifié" },
        OverflowCase { "strip_at_32", 32, false, 16, 32,
            "Trop de tuiles dans l'arrière-plan : 512 tuiles distinctes pour une limite de 511 en tuiles de "
            "32 "
            "pixels ; aucun fichier n'a été modifié" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveLevel, MapNamingATileBeyondItsCountIsRefused)
{
    WorkingState state;
    state.SpriteMap = createMap(2, 1, 8);
    state.SpriteMap->entries = { 0, 1 + FlipVertical };
    state.BackgroundMap = createMap(0, 0, 8);
    state.Label23.caption = "1";
    state.Label26.caption = "0";
    TempFolder folder;
    EXPECT_EQ(messageOf([&] { saveLevel(state, "Demo", folder.path(), Picture); }),
        "Dans le plan de sprites, la case (1, 0) de la carte porte l'entrée 1025, qui ne désigne aucune des "
        "tuiles "
        "comptées (1) ; aucun fichier n'a été modifié");
    EXPECT_TRUE(folder.names().empty());
}

// A strip never drawn on reads as InvalidColour, and the save does not
// create its surface.
TEST(SaveLevel, StripNeverDrawnReadsAsNothing)
{
    WorkingState state;
    state.SpriteMap = createMap(1, 1, 16);
    state.BackgroundMap = createMap(0, 0, 16);
    state.Label23.caption = "1";
    state.Label26.caption = "0";
    TempFolder folder;
    saveLevel(state, "Demo", folder.path(), Picture);
    EXPECT_EQ(readBytes(folder / "Demo1.bin"), Bytes(64, 0));
    EXPECT_EQ(readBytes(folder / "Demo1.lvl"), Bytes(2, 0));
    EXPECT_TRUE(readBytes(folder / "Demo2.bin").empty());
    EXPECT_FALSE(state.Image5.hasPicture());
    EXPECT_FALSE(state.Image6.hasPicture());
}

TEST(SaveLevel, BaseNameLeavingTheFolderIsRefused)
{
    const Level level(8, Surface(8, 8, Black), Surface(8, 8, White));
    TempFolder root;
    std::filesystem::create_directory(root / "niveau");
    const std::filesystem::path folder = root / "niveau";
    for (const std::string base : { "a/b", "../x", "/tmp/x" }) {
        EXPECT_EQ(messageOf([&] { saveLevel(level.state, base, folder, Picture); }),
            "Le nom de fichier « " + base
                + " » contient un séparateur de dossier ou de lecteur : les fichiers seraient écrits hors du "
                  "dossier « "
                + folder.string() + " » ; aucun fichier n'a été modifié");
    }
    EXPECT_EQ(messageOf([&] { saveLevel(level.state, std::string("a\0b", 3), folder, Picture); }),
        "Le nom de fichier contient un caractère nul ; aucun fichier n'a été modifié");
    EXPECT_EQ(root.names(), std::set<std::string> { "niveau" });
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

#if !defined(_WIN32)
TEST(SaveLevel, BackslashIsAnOrdinaryCharacterHere)
{
    const Level level(8, Surface(8, 8, Black), Surface(8, 8, White));
    TempFolder folder;
    level.save(folder, "a\\b");
    EXPECT_TRUE(folder.names().count("a\\b1.lvl"));
}
#endif

// --- Targets that cannot be written --------------------------------------

TEST(SaveLevel, FolderThatIsAFile)
{
    const Level level(8, Surface(8, 8, Black), Surface(8, 8, White));
    TempFolder root;
    writeBytes(root / "plan", Bytes { 1, 2, 3 });
    const auto folder = root / "plan";
    EXPECT_EQ(messageOf([&] { saveLevel(level.state, "Demo", folder, Picture); }),
        "Impossible de créer le fichier « " + shown(folder / "Demo1.lvl") + " » : « " + shown(folder)
            + " » n'est pas un dossier ; aucun fichier n'a été modifié");
    EXPECT_EQ(readBytes(folder), (Bytes { 1, 2, 3 }));
    EXPECT_EQ(root.names(), std::set<std::string> { "plan" });
}

TEST(SaveLevel, MissingFolder)
{
    const Level level(8, Surface(8, 8, Black), Surface(8, 8, White));
    TempFolder root;
    const auto folder = root / "absent" / "niveau";
    EXPECT_EQ(messageOf([&] { saveLevel(level.state, "Demo", folder, Picture); }),
        "Impossible de créer le fichier « " + shown(folder / "Demo1.lvl") + " » : le dossier « "
            + shown(folder) + " » est introuvable ; aucun fichier n'a été modifié");
    EXPECT_TRUE(root.names().empty());
}

// A folder in place of the third file would fail only after two files were
// replaced; it is found before anything is written.
TEST(SaveLevel, FolderInPlaceOfATarget)
{
    const Level level(8, Surface(8, 8, Black), Surface(8, 8, White));
    TempFolder folder;
    const auto before = earlierFiles(folder);
    std::filesystem::remove(folder / "Demo1.bin");
    std::filesystem::create_directory(folder / "Demo1.bin");
    EXPECT_EQ(messageOf([&] { level.save(folder); }),
        "Impossible de créer le fichier « " + shown(folder / "Demo1.bin")
            + " » : un dossier porte ce nom ; aucun fichier n'a été modifié");
    EXPECT_EQ(readBytes(folder / "Demo1.lvl"), before.at("Demo1.lvl"));
    EXPECT_EQ(readBytes(folder / "Demo2.lvl"), before.at("Demo2.lvl"));
    EXPECT_EQ(readBytes(folder / "Demo2.bin"), before.at("Demo2.bin"));
    EXPECT_EQ(folder.names(), (std::set<std::string> { "Demo1.bin", "Demo1.lvl", "Demo2.bin", "Demo2.lvl" }));
}

TEST(SaveLevel, ReadOnlyTargetIsKept)
{
    const Level level(8, Surface(8, 8, Black), Surface(8, 8, White));
    TempFolder folder;
    const auto before = earlierFiles(folder);
    std::filesystem::permissions(folder / "Demo2.lvl", std::filesystem::perms::owner_read);
    EXPECT_EQ(messageOf([&] { level.save(folder); }),
        "Impossible de créer le fichier « " + shown(folder / "Demo2.lvl")
            + " » : le fichier est protégé en écriture ; aucun fichier n'a été modifié");
    EXPECT_EQ(contents(folder), before);
}

// A link to the full-disk device: writing through it would fail, and
// renaming over it would replace a link the user made; it is refused.
TEST(SaveLevel, LinkToTheFullDevice)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    const Level level(8, Surface(8, 8, Black), Surface(8, 8, White));
    TempFolder folder;
    const auto before = earlierFiles(folder);
    std::filesystem::remove(folder / "Demo2.bin");
    std::error_code ec;
    std::filesystem::create_symlink("/dev/full", folder / "Demo2.bin", ec);
    if (ec)
        GTEST_SKIP() << "cannot make a link: " << ec.message();
    EXPECT_EQ(messageOf([&] { level.save(folder); }),
        "Impossible de créer le fichier « " + shown(folder / "Demo2.bin")
            + " » : un élément qui n'est pas un fichier ordinaire porte ce nom ; aucun fichier n'a été "
              "modifié");
    EXPECT_EQ(readBytes(folder / "Demo1.lvl"), before.at("Demo1.lvl"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "Demo2.bin"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
    EXPECT_EQ(folder.names().size(), 4u);
}

TEST(SaveLevel, NameTheFileSystemRefuses)
{
    const Level level(8, Surface(8, 8, Black), Surface(8, 8, White));
    TempFolder folder;
    const std::string base(300, 'n');
    EXPECT_EQ(messageOf([&] { level.save(folder, base); }),
        "Impossible de créer le fichier « " + shown(folder / (base + "1.lvl"))
            + " » : nom de fichier trop long ; aucun fichier n'a été modifié");
    EXPECT_TRUE(folder.names().empty());
}

TEST(SaveLevel, FolderWithoutWritePermission)
{
    const Level level(8, Surface(8, 8, Black), Surface(8, 8, White));
    TempFolder folder;
    const auto before = earlierFiles(folder);
    std::filesystem::permissions(
        folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    {
        // Root and other privileged accounts write anyway: then there is
        // nothing to show.
        std::ofstream probe(folder / "probe", std::ios::binary);
        if (probe) {
            probe.close();
            std::filesystem::remove(folder / "probe");
            GTEST_SKIP() << "permission bits do not stop this account";
        }
    }
    EXPECT_EQ(messageOf([&] { level.save(folder); }),
        "Impossible de créer le fichier « " + shown(folder / "Demo1.lvl")
            + " » : accès refusé ; aucun fichier n'a été modifié");
    EXPECT_EQ(contents(folder), before);
}

#if defined(__linux__)
// Files larger than a limit cannot be written: the process's file size
// limit stands in for a disk that fills up while the fourth file is
// written.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_ {};
    void (*previous_)(int) = nullptr;
};

TEST(SaveLevel, WriteFailingMidFile)
{
    // The sprite files stay small; the background needs 40 tiles, 2560
    // bytes of tile file.
    const Level level(16, Surface(32, 16, Black), testing::distinctPlane(8 * 16, 5 * 16, 16));
    ASSERT_EQ(level.state.Label26.caption, "40");
    TempFolder reference;
    level.save(reference);
    TempFolder folder;
    const auto before = earlierFiles(folder);
    std::string message;
    {
        FileSizeLimit limit(1000);
        message = messageOf([&] { level.save(folder); });
    }
    EXPECT_EQ(message,
        "Impossible d'écrire le fichier « " + shown(folder / "Demo2.bin")
            + " » : fichier trop volumineux ; déjà enregistrés : Demo1.lvl, Demo2.lvl, Demo1.bin");
    for (const char* name : { "Demo1.lvl", "Demo2.lvl", "Demo1.bin" })
        EXPECT_EQ(readBytes(folder / name), readBytes(reference / name)) << name;
    EXPECT_EQ(readBytes(folder / "Demo2.bin"), before.at("Demo2.bin"));
    EXPECT_EQ(folder.names(), (std::set<std::string> { "Demo1.bin", "Demo1.lvl", "Demo2.bin", "Demo2.lvl" }));
}
#endif

// --- What is written ------------------------------------------------------

// Loading other planes and choosing another tile size after the build
// changes nothing in what the save writes: each map with its own grid, the
// strips cut with the build's tile size.
TEST(SaveLevel, WritesTheLastBuildAsItWas)
{
    Level level = randomLevel(99, 16, 4, 3, 7, 2);
    TempFolder rightAfter;
    level.save(rightAfter);
    const Surface sprite = testing::crop(*level.state.Image1.picture(), 4 * 16, 3 * 16);
    const Surface background = testing::crop(*level.state.Image2.picture(), 7 * 16, 2 * 16);

    level.state.Image1.load(Surface(200, 120, DarkGrey));
    level.state.Image2.load(Surface(24, 24, Black));
    level.state.TileSize = 8;
    TempFolder later;
    level.save(later);

    EXPECT_EQ(contents(later), contents(rightAfter));
    EXPECT_EQ(decodePlane(readBytes(later / "Demo1.lvl"), readBytes(later / "Demo1.bin"), 4, 3, 16), sprite);
    EXPECT_EQ(
        decodePlane(readBytes(later / "Demo2.lvl"), readBytes(later / "Demo2.bin"), 7, 2, 16), background);
}

TEST(SaveLevel, SavingAgainReplacesLongerFilesCompletely)
{
    TempFolder folder;
    randomLevel(5, 8, 20, 15, 18, 12).save(folder);
    const auto first = contents(folder);
    const Level smaller = randomLevel(6, 16, 2, 1, 1, 1);
    smaller.save(folder);
    TempFolder fresh;
    smaller.save(fresh);
    const auto second = contents(folder);
    EXPECT_EQ(second, contents(fresh));
    for (const auto& [name, bytes] : second)
        EXPECT_LT(bytes.size(), first.at(name).size()) << name;
}

TEST(SaveLevel, SavingTwiceWritesTheSameFiles)
{
    const Level level = randomLevel(8, 32, 3, 3, 2, 4);
    TempFolder folder;
    level.save(folder);
    const auto first = contents(folder);
    level.save(folder);
    EXPECT_EQ(contents(folder), first);
}

// A file of the temporary file's name that the user keeps is left alone.
TEST(ReplaceFile, TemporaryNameNeverTakesAnExistingFile)
{
    TempFolder folder;
    writeBytes(folder / "Demo1.lvl.quilbrix-tmp", Bytes { 9, 9 });
    EXPECT_EQ(temporaryPathFor(folder / "Demo1.lvl"), folder / "Demo1.lvl.quilbrix-tmp1");
    replaceFile(folder / "Demo1.lvl", Bytes { 1, 2, 3 });
    EXPECT_EQ(readBytes(folder / "Demo1.lvl"), (Bytes { 1, 2, 3 }));
    EXPECT_EQ(readBytes(folder / "Demo1.lvl.quilbrix-tmp"), (Bytes { 9, 9 }));
    EXPECT_EQ(folder.names(), (std::set<std::string> { "Demo1.lvl", "Demo1.lvl.quilbrix-tmp" }));
}

TEST(ReplaceFile, EmptyContentCutsTheFile)
{
    TempFolder folder;
    writeBytes(folder / "x.bin", Bytes(100, 7));
    replaceFile(folder / "x.bin", {});
    EXPECT_TRUE(readBytes(folder / "x.bin").empty());
    EXPECT_EQ(folder.names(), std::set<std::string> { "x.bin" });
}

} // namespace
} // namespace quilbrix
