#include "batch/batch_levels.h"

#include "batch/road.h"
#include "export/save.h"
#include "prepare/cut_out.h"
#include "prepare/four_greys.h"
#include "prepare/overlay_preview.h"
#include "prepare/virtual_mask.h"
#include "state/error.h"
#include "tiles/overflow_warning.h"

#include <gtest/gtest.h>

namespace quilbrix {
namespace {

using testing::Bytes;
using testing::readBytes;
using testing::TempFolder;

const testing::TrueColourLevel& level16()
{
    static const testing::TrueColourLevel level = testing::trueColourLevel(16, 16, 7, 5, 5);
    return level;
}

// A state as the loaders leave it, the planes converted to four greys and
// masked when `prepared`, so that the previews and the build see what they
// see on the road.
void loadInto(WorkingState& state, bool prepared)
{
    testing::loadLevel(state, level16());
    if (prepared) {
        cutOutSprites(state.Image1.surface(), state.Image3.surface(), state.CGauge1);
        convertToFourGreys(state.Image1.surface(), state.Image2.surface(), Thresholds {}, state.CGauge1);
        applyVirtualMask(state.Image1.surface(), MaskChoice::Black, state.CGauge1);
    }
}

void expectSamePlanes(WorkingState& a, WorkingState& b)
{
    EXPECT_TRUE(a.Image1.surface() == b.Image1.surface());
    EXPECT_TRUE(a.Image2.surface() == b.Image2.surface());
    EXPECT_TRUE(a.Image3.surface() == b.Image3.surface());
}

// Each step of the batch tool against the core command its button calls,
// each on its own state.

TEST(BatchSteps, CutOutIsTheCutOutCommand)
{
    WorkingState batch, direct;
    loadInto(batch, false);
    loadInto(direct, false);
    runCutOut(batch);
    cutOutSprites(direct.Image1.surface(), direct.Image3.surface(), direct.CGauge1);
    expectSamePlanes(batch, direct);
    EXPECT_FALSE(batch.Image1.surface() == level16().sprite);
    EXPECT_EQ(batch.CGauge1.value(), 0);
}

TEST(BatchSteps, FourGreysIsTheConversionWithTheThresholdsGiven)
{
    // Falling thresholds, where the band rule differs from a first match.
    const Thresholds falling { 300, 170, 100 };
    WorkingState batch, direct;
    loadInto(batch, false);
    loadInto(direct, false);
    runFourGreys(batch, falling);
    convertToFourGreys(direct.Image1.surface(), direct.Image2.surface(), falling, direct.CGauge1);
    expectSamePlanes(batch, direct);
    WorkingState defaults;
    loadInto(defaults, false);
    runFourGreys(defaults, Thresholds {});
    EXPECT_FALSE(defaults.Image2.surface() == batch.Image2.surface());
}

TEST(BatchSteps, VirtualMaskIsTheMaskCommandForEitherColour)
{
    for (const MaskChoice mask : { MaskChoice::Black, MaskChoice::White }) {
        WorkingState batch, direct;
        loadInto(batch, false);
        loadInto(direct, false);
        runCutOut(batch);
        runCutOut(direct);
        runVirtualMask(batch, mask);
        applyVirtualMask(direct.Image1.surface(), mask, direct.CGauge1);
        expectSamePlanes(batch, direct);
    }
}

TEST(BatchSteps, EachPreviewIsItsButtonsPreview)
{
    const struct {
        Step step;
        const Palette* palette; // nullptr for "Réel"
    } previews[] = { { Step::PreviewReal, nullptr }, { Step::PreviewTi89, &Ti89Palette },
        { Step::PreviewTi92, &Ti92Palette } };
    for (const auto& preview : previews)
        for (const MaskChoice mask : { MaskChoice::Black, MaskChoice::White }) {
            SCOPED_TRACE(stepName(preview.step));
            WorkingState batch, direct;
            loadInto(batch, true);
            loadInto(direct, true);
            runPreview(batch, preview.step, mask);
            if (preview.palette)
                previewOnCalculator(direct.Image1.surface(), direct.Image2.surface(), direct.Image3.surface(),
                    mask, *preview.palette, direct.CGauge1);
            else
                previewTrueColours(direct.Image1.surface(), direct.Image2.surface(), direct.Image3.surface(),
                    mask, direct.CGauge1);
            expectSamePlanes(batch, direct);
        }
}

TEST(BatchSteps, BuildSetsTheTileSizeThenRunsTheBuild)
{
    for (const int tileSize : TileSizes)
        for (const bool mirror : { true, false }) {
            SCOPED_TRACE(tileSize);
            WorkingState batch, direct;
            loadInto(batch, true);
            loadInto(direct, true);
            const BuildReport report = runBuild(batch, tileSize, mirror);
            direct.TileSize = tileSize;
            const BuildReport wanted = buildMaps(direct, mirror);
            EXPECT_EQ(batch.TileSize, tileSize);
            EXPECT_EQ(report.sprite.count, wanted.sprite.count);
            EXPECT_EQ(report.background.count, wanted.background.count);
            EXPECT_EQ(batch.Label23.caption, direct.Label23.caption);
            EXPECT_EQ(batch.Label26.caption, direct.Label26.caption);
            ASSERT_TRUE(batch.SpriteMap && batch.BackgroundMap);
            EXPECT_EQ(batch.SpriteMap->entries, direct.SpriteMap->entries);
            EXPECT_EQ(batch.BackgroundMap->entries, direct.BackgroundMap->entries);
            EXPECT_TRUE(batch.Image5.surface() == direct.Image5.surface());
            EXPECT_TRUE(batch.Image6.surface() == direct.Image6.surface());
        }
}

TEST(BatchSteps, SaveWritesWhatTheSaveCommandWrites)
{
    WorkingState state;
    loadInto(state, true);
    runBuild(state, 8, true);
    const TempFolder batch, direct;
    const std::vector<std::string> written = runSave(state, "Niv", utf8Text(batch.path()), "s.bmp");
    saveLevel(state, "Niv", direct.path(), "s.bmp");
    const auto names = levelFileNames("Niv");
    ASSERT_EQ(written.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(written[i], utf8Text(batch.path() / names[i]));
        EXPECT_EQ(readBytes(batch / names[i]), readBytes(direct / names[i])) << names[i];
    }
    EXPECT_EQ(batch.names(), direct.names());
}

TEST(BatchSteps, SaveBeforeABuildIsRefusedLikeTheWindows)
{
    WorkingState state;
    const TempFolder folder;
    try {
        runSave(state, "Demo", utf8Text(folder.path()), "");
        ADD_FAILURE() << "saved";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "'N/A' n'est pas une valeur entière correcte");
    }
    EXPECT_TRUE(folder.names().empty());
}

TEST(BatchSteps, LoadersReplaceOnlyThePlanesGiven)
{
    const TempFolder folder;
    testing::writeLevelFiles(level16(), folder.path());
    const std::string background = utf8Text(folder / "background.bmp");

    WorkingState state;
    loadPlanes(state, utf8Text(folder / "sprites.bmp"), "", "");
    EXPECT_TRUE(state.Image1.surface() == level16().sprite);
    EXPECT_EQ(state.Image1.width(), level16().sprite.width());
    // The planes not given are the window's blank ones.
    EXPECT_FALSE(state.Image2.hasPicture());
    EXPECT_FALSE(state.Image3.hasPicture());
    EXPECT_TRUE(state.Image2.surface() == Surface(105, 105, White));

    WorkingState all;
    loadPlanes(all, utf8Text(folder / "sprites.bmp"), background, utf8Text(folder / "full.bmp"));
    EXPECT_TRUE(all.Image2.surface() == level16().background);
    EXPECT_TRUE(all.Image3.surface() == level16().full);

    // A failing loader stops there; the planes loaded before it stay.
    WorkingState stopped;
    EXPECT_THROW(loadPlanes(stopped, utf8Text(folder / "sprites.bmp"), utf8Text(folder / "absent.bmp"),
                     utf8Text(folder / "full.bmp")),
        Error);
    EXPECT_TRUE(stopped.Image1.hasPicture());
    EXPECT_FALSE(stopped.Image3.hasPicture());
}

TEST(BatchSteps, FullPlaneIsWrittenAsABitmapThatReadsBack)
{
    WorkingState state;
    loadInto(state, true);
    runPreview(state, Step::PreviewTi92, MaskChoice::White);
    const TempFolder folder;
    writeFullPlane(state, utf8Text(folder / "apercu.bmp"));
    const Surface read = testing::readBmp(folder / "apercu.bmp");
    EXPECT_TRUE(read == state.Image3.surface());
    EXPECT_EQ(folder.names(), std::set<std::string>({ "apercu.bmp" }));
}

TEST(BatchSteps, FullPlaneIntoAMissingFolderLeavesNothing)
{
    WorkingState state;
    const TempFolder folder;
    EXPECT_THROW(writeFullPlane(state, utf8Text(folder / "absent" / "apercu.bmp")), Error);
    EXPECT_TRUE(folder.names().empty());
}

// The road as a whole.

BatchOptions roadOptions(const TempFolder& inputs, const TempFolder& output)
{
    testing::writeLevelFiles(level16(), inputs.path());
    BatchOptions options;
    options.spritePicture = utf8Text(inputs / "sprites.bmp");
    options.backgroundPicture = utf8Text(inputs / "background.bmp");
    options.fullPicture = utf8Text(inputs / "full.bmp");
    options.outputFolder = utf8Text(output.path());
    return options;
}

struct EventLog {
    std::vector<std::string> lines;
    RoadEvents events()
    {
        RoadEvents e;
        e.stepStarted = [this](const std::string& label) { lines.push_back("start " + label); };
        e.stepFinished = [this] { lines.push_back("end"); };
        e.warning = [this](const std::string& text) { lines.push_back("warning " + text); };
        return e;
    }
};

TEST(BatchRoad, DefaultRoadIsTheWindowsOrderOfCommands)
{
    const TempFolder inputs, output, direct;
    const BatchOptions options = roadOptions(inputs, output);
    WorkingState state;
    EventLog log;
    std::vector<int> gauge;
    state.CGauge1.setView([&](int percent) { gauge.push_back(percent); });
    const RoadOutcome outcome = runRoad(state, options, log.events());

    WorkingState manual;
    loadInto(manual, true);
    manual.TileSize = 16;
    const BuildReport report = buildMaps(manual, true);
    saveLevel(manual, "Demo", direct.path(), "");
    expectSamePlanes(state, manual);
    for (const std::string& name : levelFileNames("Demo"))
        EXPECT_EQ(readBytes(output / name), readBytes(direct / name)) << name;

    ASSERT_TRUE(outcome.lastBuild);
    EXPECT_EQ(outcome.lastBuild->sprite.count, report.sprite.count);
    EXPECT_EQ(outcome.lastBuild->background.count, report.background.count);
    EXPECT_EQ(outcome.filesWritten.size(), 4u);
    EXPECT_EQ(log.lines,
        std::vector<std::string>({ "start Détourage des sprites", "end", "start Conversion en quatre gris",
            "end", "start Application du masque virtuel", "end", "start Construction des cartes", "end",
            "start Enregistrement des fichiers", "end" }));
    // The build's gauge goes through 50 and back to 0 like the window's.
    EXPECT_NE(std::find(gauge.begin(), gauge.end(), 50), gauge.end());
    ASSERT_FALSE(gauge.empty());
    EXPECT_EQ(gauge.back(), 0);
}

TEST(BatchRoad, StepsRunInTheOrderGivenRepeatsIncluded)
{
    const TempFolder inputs, output;
    BatchOptions options = roadOptions(inputs, output);
    options.settings.mask = MaskChoice::White;
    options.steps = { Step::FourGreys, Step::FourGreys, Step::PreviewTi89, Step::CutOut, Step::VirtualMask,
        Step::Build };
    WorkingState state;
    const RoadOutcome outcome = runRoad(state, options, RoadEvents {});

    // The same commands by hand: the second conversion changes the greys
    // again, and the cut-out compares against the preview.
    WorkingState manual;
    loadInto(manual, false);
    for (int i = 0; i < 2; ++i)
        convertToFourGreys(manual.Image1.surface(), manual.Image2.surface(), Thresholds {}, manual.CGauge1);
    previewOnCalculator(manual.Image1.surface(), manual.Image2.surface(), manual.Image3.surface(),
        MaskChoice::White, Ti89Palette, manual.CGauge1);
    cutOutSprites(manual.Image1.surface(), manual.Image3.surface(), manual.CGauge1);
    applyVirtualMask(manual.Image1.surface(), MaskChoice::White, manual.CGauge1);
    expectSamePlanes(state, manual);
    EXPECT_TRUE(outcome.lastBuild);
    EXPECT_TRUE(outcome.filesWritten.empty());
    EXPECT_TRUE(output.names().empty());
}

TEST(BatchRoad, PreviewsFollowTheStepsAndAreWrittenInOrder)
{
    const TempFolder inputs, output;
    BatchOptions options = roadOptions(inputs, output);
    options.previews = { { Step::PreviewReal, utf8Text(output / "reel.bmp") },
        { Step::PreviewTi89, utf8Text(output / "ti89.bmp") } };
    WorkingState state;
    EventLog log;
    const RoadOutcome outcome = runRoad(state, options, log.events());

    WorkingState manual;
    loadInto(manual, true);
    previewTrueColours(manual.Image1.surface(), manual.Image2.surface(), manual.Image3.surface(),
        MaskChoice::Black, manual.CGauge1);
    EXPECT_TRUE(testing::readBmp(output / "reel.bmp") == manual.Image3.surface());
    previewOnCalculator(manual.Image1.surface(), manual.Image2.surface(), manual.Image3.surface(),
        MaskChoice::Black, Ti89Palette, manual.CGauge1);
    EXPECT_TRUE(testing::readBmp(output / "ti89.bmp") == manual.Image3.surface());

    ASSERT_EQ(outcome.filesWritten.size(), 6u);
    EXPECT_EQ(outcome.filesWritten[4], utf8Text(output / "reel.bmp"));
    EXPECT_EQ(outcome.filesWritten[5], utf8Text(output / "ti89.bmp"));
    ASSERT_GE(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[log.lines.size() - 4], "start Aperçu réel");
    EXPECT_EQ(log.lines[log.lines.size() - 2], "start Aperçu Ti89");
}

TEST(BatchRoad, OverflowWarnsThenTheSaveRefusesWritingNothing)
{
    const TempFolder inputs, output;
    // 576 cells at 32 pixels, every one its own: more than the 511 a strip
    // holds.
    testing::writeBytes(inputs / "grand.bmp", encodeBmp24(testing::distinctPlane(768, 768, 32)));
    BatchOptions options;
    options.spritePicture = utf8Text(inputs / "grand.bmp");
    options.outputFolder = utf8Text(output.path());
    options.tileSize = 32;
    options.steps = { Step::Build, Step::Save };
    WorkingState state;
    EventLog log;
    try {
        runRoad(state, options, log.events());
        ADD_FAILURE() << "saved";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(),
            "Trop de tuiles dans le plan de sprites : 576 tuiles distinctes pour une limite de 511 en tuiles "
            "de 32 pixels ; aucun fichier n'a été modifié");
    }
    BuildReport report;
    report.sprite = { 576, 511 };
    report.background = { 1, 511 };
    EXPECT_EQ(log.lines,
        std::vector<std::string>({ "start Construction des cartes", "end",
            "warning " + overflowWarning(report), "start Enregistrement des fichiers" }));
    EXPECT_TRUE(output.names().empty());
}

TEST(BatchRoad, AFailingOutputFolderLeavesEveryFileAsItWas)
{
    const TempFolder inputs, output;
    BatchOptions options = roadOptions(inputs, output);
    // Files of an earlier save, one of them made read-only: the save
    // refuses before touching any.
    const auto names = levelFileNames("Demo");
    for (const std::string& name : names)
        testing::writeBytes(output / name, Bytes { 1, 2, 3 });
    std::filesystem::permissions(
        output / names[2], std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    WorkingState state;
    EXPECT_THROW(runRoad(state, options, RoadEvents {}), Error);
    for (const std::string& name : names)
        EXPECT_EQ(readBytes(output / name), Bytes({ 1, 2, 3 })) << name;
    EXPECT_EQ(output.names().size(), 4u);

    // A folder that is not there: nothing is made anywhere.
    options.outputFolder = utf8Text(output / "absent");
    WorkingState again;
    EXPECT_THROW(runRoad(again, options, RoadEvents {}), Error);
    EXPECT_EQ(output.names().size(), 4u);
}

TEST(BatchRoad, APreviewThatCannotBeWrittenLeavesTheSavedFilesWhole)
{
    const TempFolder inputs, output;
    BatchOptions options = roadOptions(inputs, output);
    options.previews = { { Step::PreviewTi89, utf8Text(output / "absent" / "p.bmp") } };
    WorkingState state;
    EXPECT_THROW(runRoad(state, options, RoadEvents {}), Error);
    // The save came first and is complete; the preview left nothing.
    const auto names = levelFileNames("Demo");
    EXPECT_EQ(output.names(), std::set<std::string>(names.begin(), names.end()));
    EXPECT_EQ(readBytes(output / names[0]).size(), 2u * 7 * 5);
}

} // namespace
} // namespace quilbrix
