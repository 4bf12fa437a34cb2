// The quilbrix-batch program itself, run as a Makefile runs it: exit
// statuses, what goes to each output, and the files it leaves.

#include "batch/batch_levels.h"
#include "batch/run_batch.h"

#include "batch/options.h"
#include "batch/road.h"
#include "export/save.h"
#include "state/error.h"
#include "tiles/overflow_warning.h"

#include <gtest/gtest.h>

namespace quilbrix {
namespace {

using testing::Bytes;
using testing::readBytes;
using testing::runBatch;
using testing::TempFolder;

const std::string Samples = QUILBRIX_SAMPLES;

std::vector<std::string> sampleLevel()
{
    return { "--sprites", Samples + "/sprites.bmp", "--background", Samples + "/background.bmp", "--full",
        Samples + "/full.bmp" };
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The tile counts of the road that `arguments` ask for, run in-process
// with the files going to a folder of their own.
std::string countsOf(const std::vector<std::string>& arguments)
{
    const TempFolder elsewhere;
    BatchOptions options = parseOptions(arguments);
    options.outputFolder = utf8Text(elsewhere.path());
    options.previews.clear();
    WorkingState state;
    const RoadOutcome outcome = runRoad(state, options, RoadEvents {});
    return "Plan de sprites : " + std::to_string(outcome.lastBuild->sprite.count)
        + " tuiles, arrière-plan : " + std::to_string(outcome.lastBuild->background.count) + " tuiles";
}

// The road of the sample level at each tile size gives the files the
// window's road gave (kept beside the window's tests), with the summary on
// standard output and, standard error being no terminal, nothing there.
TEST(BatchProgram, SampleLevelGivesTheWindowsFiles)
{
    const struct {
        int tileSize;
        const char* counts;
    } cases[] = { { 8, "Plan de sprites : 8 tuiles, arrière-plan : 28 tuiles" },
        { 16, "Plan de sprites : 4 tuiles, arrière-plan : 9 tuiles" },
        { 32, "Plan de sprites : 4 tuiles, arrière-plan : 9 tuiles" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tileSize);
        const TempFolder folder;
        const std::string size = std::to_string(c.tileSize);
        const auto run
            = runBatch(sampleLevel() + std::vector<std::string> { "--tile-size", size }, folder.path());
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out,
            std::string(c.counts) + " ; fichiers écrits : Demo1.lvl, Demo2.lvl, Demo1.bin, Demo2.bin\n");
        const std::filesystem::path expected = std::filesystem::path(QUILBRIX_FIXTURES) / "road" / size;
        for (const std::string& name : levelFileNames("Demo"))
            EXPECT_EQ(readBytes(folder / name), readBytes(expected / name)) << name;
        EXPECT_EQ(folder.names().size(), 4u);
    }
}

TEST(BatchProgram, QuietPrintsNothing)
{
    const TempFolder folder, output;
    const auto run = runBatch(
        sampleLevel() + std::vector<std::string> { "--quiet", "--output-folder", utf8Text(output.path()) },
        folder.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(output.names().size(), 4u);
    EXPECT_TRUE(folder.names().empty());
}

TEST(BatchProgram, SummaryNamesTheFilesWhereTheyWereWritten)
{
    const TempFolder folder, output;
    const std::vector<std::string> arguments = sampleLevel()
        + std::vector<std::string> { "--base-name", "", "--output-folder", utf8Text(output.path()),
              "--preview", "real:vue.bmp", "--mirror", "off" };
    const auto run = runBatch(arguments, folder.path());
    EXPECT_EQ(run.status, 0);
    std::string files;
    for (const std::string& name : levelFileNames(""))
        files += utf8Text(output.path() / name) + ", ";
    EXPECT_EQ(run.out, countsOf(arguments) + " ; fichiers écrits : " + files + "vue.bmp\n");
    // The preview's file is taken as given, here in the current folder.
    EXPECT_EQ(folder.names(), std::set<std::string>({ "vue.bmp" }));
    EXPECT_EQ(testing::readBmp(folder / "vue.bmp").width(), 256);
}

TEST(BatchProgram, StepsWithoutASaveWriteNothing)
{
    const TempFolder folder;
    const std::vector<std::string> arguments
        = sampleLevel() + std::vector<std::string> { "--steps", "cut-out,build" };
    const auto run = runBatch(arguments, folder.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, countsOf(arguments) + " ; aucun fichier écrit\n");
    EXPECT_TRUE(folder.names().empty());

    const auto none
        = runBatch(sampleLevel() + std::vector<std::string> { "--steps", "four-greys" }, folder.path());
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "Aucun fichier écrit\n");
}

TEST(BatchProgram, HelpListsEveryOptionWithItsDefault)
{
    const TempFolder folder;
    const auto run = runBatch({ "--help" }, folder.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, helpText());
    for (const char* option : { "--sprites", "--background", "--full", "--thresholds", "--mask",
             "--tile-size", "--mirror", "--base-name", "--output-folder", "--steps", "--preview", "--decode",
             "--plane-size", "--sprite-size", "--background-size", "--quiet", "--help" })
        EXPECT_NE(run.out.find(std::string("  ") + option + " "), std::string::npos) << option;
    for (const char* value : { "(par défaut : 100,170,300)", "(par défaut : black)", "(par défaut : 16)",
             "(par défaut : on)", "(par défaut : Demo)", "(par défaut : le dossier courant)",
             "(par défaut : cut-out,four-greys,mask,build,save)",
             "(par défaut : le plan blanc de 105 x 105 pixels)", "NOM1.decoded.bmp", "NOM2.decoded.bmp" })
        EXPECT_NE(run.out.find(value), std::string::npos) << value;
}

TEST(BatchProgram, OverflowWarnsLikeTheWindowThenTheSaveRefuses)
{
    const TempFolder folder;
    testing::writeBytes(folder / "grand.bmp", encodeBmp24(testing::distinctPlane(768, 768, 32)));
    const auto run
        = runBatch({ "--sprites", "grand.bmp", "--tile-size", "32", "--steps", "build,save" }, folder.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    BuildReport report;
    report.sprite = { 576, 511 };
    report.background = { 1, 511 };
    EXPECT_EQ(run.err,
        overflowWarning(report)
            + "\nTrop de tuiles dans le plan de sprites : 576 tuiles distinctes pour une limite de 511 en "
              "tuiles de 32 "
              "pixels ; aucun fichier n'a été modifié.\n");
    EXPECT_EQ(folder.names(), std::set<std::string>({ "grand.bmp" }));

    // Without a save the warning is all, and the run succeeds.
    const auto built = runBatch(
        { "--sprites", "grand.bmp", "--tile-size", "32", "--steps", "build", "--quiet" }, folder.path());
    EXPECT_EQ(built.status, 0);
    EXPECT_EQ(built.err, overflowWarning(report) + "\n");
}

TEST(BatchProgram, AFailedWriteEndsWithStatus1AndKeepsWhatWasThere)
{
    const TempFolder folder;
    const auto names = levelFileNames("Demo");
    for (const std::string& name : names)
        testing::writeBytes(folder / name, Bytes { 9 });
    // A folder where the last file should go: refused before any is
    // replaced.
    std::filesystem::remove(folder / names[3]);
    std::filesystem::create_directory(folder / names[3]);
    const auto run = runBatch(sampleLevel(), folder.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
        "Impossible de créer le fichier « Demo2.bin » : un dossier porte ce nom ; aucun fichier n'a été "
        "modifié.\n");
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(readBytes(folder / names[i]), Bytes { 9 }) << names[i];
    EXPECT_EQ(folder.names().size(), 4u);
}

TEST(BatchProgram, DecodeWritesThePlanesAndRefusesSpoiltFiles)
{
    const TempFolder folder;
    ASSERT_EQ(
        runBatch(sampleLevel() + std::vector<std::string> { "--quiet", "--tile-size", "8" }, folder.path())
            .status,
        0);
    const auto run = runBatch({ "--decode", "--plane-size", "256x160", "--tile-size", "8" }, folder.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "Plans décodés ; fichiers écrits : Demo1.decoded.bmp, Demo2.decoded.bmp\n");
    const Surface sprite = testing::readBmp(folder / "Demo1.decoded.bmp");
    EXPECT_EQ(sprite.width(), 256);
    EXPECT_EQ(sprite.height(), 160);

    // Decoded at another tile size the map file is of the wrong length.
    const auto wrong = runBatch({ "--decode", "--plane-size", "256x160" }, folder.path());
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(wrong.err,
        "Le fichier de carte « Demo1.lvl » fait 1280 octets, alors que le plan de sprites de 256 x 160 "
        "pixels en "
        "tuiles de 16 pixels a 16 x 10 cases et en demande 320 : il est trop long.\n");
}

#if defined(__linux__)
// Standard output on a full disk: the summary is lost, and the status
// says so.
TEST(BatchProgram, ASummaryThatCannotBeWrittenIsAFailure)
{
    const TempFolder folder;
    const auto run = [&](const std::string& options) {
        const std::string command = "cd " + testing::shellQuoted(folder.path().string()) + " && "
            + testing::shellQuoted(QUILBRIX_BATCH) + " " + options + " > /dev/full 2> /dev/null";
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    const std::string sprites = "--sprites " + testing::shellQuoted(Samples + "/sprites.bmp");
    EXPECT_EQ(run(sprites), 1);
    EXPECT_EQ(run(sprites + " --quiet"), 0);
    EXPECT_EQ(run("--help"), 1);
}
#endif

TEST(BatchProgram, StatusesOfEachKindOfEnd)
{
    const TempFolder folder;
    const struct {
        std::vector<std::string> arguments;
        int status;
    } cases[] = {
        { { "--help" }, 0 },
        { sampleLevel() + std::vector<std::string> { "--quiet" }, 0 },
        { { "--sprites", Samples + "/sprites.bmp", "--quiet", "--output-folder", "absent" }, 1 },
        { { "--sprites", "absent.bmp" }, 1 },
        { { "--decode", "--plane-size", "64x64", "--base-name", "Rien" }, 1 },
        { { "--sprites" }, 2 },
        { { "--decode", "--sprites", "s.bmp" }, 2 },
        { { "--tile-size", "64", "--sprites", "s.bmp" }, 2 },
    };
    for (const auto& c : cases) {
        const auto run = runBatch(c.arguments, folder.path());
        EXPECT_EQ(run.status, c.status) << c.arguments.front() << " " << run.err;
    }
}

} // namespace
} // namespace quilbrix
