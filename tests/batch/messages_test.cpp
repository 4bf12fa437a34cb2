// The texts the batch tool shares with the window, and its own lines.

#include "batch/progress_line.h"
#include "batch/summary.h"
#include "state/error.h"
#include "tiles/overflow_warning.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quilbrix {
namespace {

// The error display's full stop: added after any character whose code is
// above '.' (0x2E), whatever its length in UTF-8.
TEST(WithFullStop, AddsAStopAfterCodesAboveTheFullStop)
{
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        { "Image bitmap incorrecte", "Image bitmap incorrecte." },
        { "inconnue (.txt)", "inconnue (.txt)" }, // ')' 0x29
        { "Fin.", "Fin." }, { "a-", "a-" }, // 0x2D
        { "dossier/", "dossier/." }, // 0x2F
        { "fichier 2", "fichier 2." }, { "a ", "a " }, { "a:", "a:." }, // 0x3A
        { "", "" }, { "arrière", "arrière." }, // last letter plain ASCII
        { "modifié", "modifié." }, // two-byte last character
        { "le fichier « a »", "le fichier « a »." }, // the closing guillemet, U+00BB
        { "tuiles…", "tuiles…." }, // three bytes, U+2026
        { "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80." }, // four bytes, U+1F600
        { "\x7F", "\x7F." }, { "!", "!" }, // 0x21
    };
    for (const auto& c : cases)
        EXPECT_EQ(withFullStop(c.message), c.shown) << c.message;
}

TEST(OverflowWarning, NamesEachOverflowingPlaneWithItsCountAndLimit)
{
    const std::string sprite
        = "Le plan de sprites demande 576 tuiles distinctes : au-delà de 511, la bande de "
          "tuiles et les indices de la carte ne peuvent plus les contenir. La carte et les "
          "tuiles de ce plan sont incomplètes et ne pourront pas être enregistrées.";
    const std::string background
        = "L'arrière-plan demande 1100 tuiles distinctes : au-delà de 1024, la bande de "
          "tuiles et les indices de la carte ne peuvent plus les contenir. La carte et les "
          "tuiles de ce plan sont incomplètes et ne pourront pas être enregistrées.";
    BuildReport report;
    report.sprite = { 511, 511 };
    report.background = { 0, 1024 };
    EXPECT_EQ(overflowWarning(report), "");
    report.sprite = { 576, 511 };
    EXPECT_EQ(overflowWarning(report), sprite);
    report.background = { 1100, 1024 };
    EXPECT_EQ(overflowWarning(report), sprite + "\n\n" + background);
    report.sprite = { 3, 511 };
    EXPECT_EQ(overflowWarning(report), background);
}

TEST(SummaryLine, CountsThenFiles)
{
    RoadOutcome outcome;
    EXPECT_EQ(summaryLine(outcome), "Aucun fichier écrit");
    outcome.filesWritten = { "p.bmp" };
    EXPECT_EQ(summaryLine(outcome), "Fichier écrit : p.bmp");
    outcome.lastBuild = BuildReport {};
    outcome.lastBuild->sprite.count = 12;
    outcome.lastBuild->background.count = 40;
    outcome.filesWritten = { "Demo1.lvl", "Demo2.lvl", "Demo1.bin", "Demo2.bin" };
    EXPECT_EQ(summaryLine(outcome),
        "Plan de sprites : 12 tuiles, arrière-plan : 40 tuiles ; fichiers écrits : Demo1.lvl, Demo2.lvl, "
        "Demo1.bin, Demo2.bin");
    outcome.lastBuild->sprite.count = 1;
    outcome.lastBuild->background.count = 0;
    outcome.filesWritten.clear();
    EXPECT_EQ(
        summaryLine(outcome), "Plan de sprites : 1 tuile, arrière-plan : 0 tuile ; aucun fichier écrit");
    EXPECT_EQ(decodeSummaryLine({ "a", "b" }), "Plans décodés ; fichiers écrits : a, b");
}

TEST(ProgressLine, RewritesItselfInPlaceAndLeavesNoTrace)
{
    std::ostringstream out;
    {
        ProgressLine line(out, true);
        line.start("Construction des cartes");
        line.show(42);
        line.show(100);
        line.show(0);
        line.clear();
        line.start("Aperçu Ti89");
        line.show(7);
        // Destroyed with a line shown: erased all the same.
    }
    // "Construction des cartes… 42 %" is 29 characters, the one of 100 %
    // 30; the ellipsis and the cedilla count as one each.
    EXPECT_EQ(out.str(),
        "\rConstruction des cartes… 42 %"
        "\rConstruction des cartes… 100 %"
        "\rConstruction des cartes… 0 %  "
        "\r" + std::string(30, ' ')
            + "\r"
              "\rAperçu Ti89… 7 %"
              "\r"
            + std::string(16, ' ') + "\r");
}

TEST(ProgressLine, DisabledWritesNothing)
{
    std::ostringstream out;
    ProgressLine line(out, false);
    line.start("Construction des cartes");
    line.show(42);
    line.clear();
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(progressText("Détourage des sprites", 9), "Détourage des sprites… 9 %");
}

TEST(ProgressLine, AStepThatNeverMovesTheGaugeLeavesNoLine)
{
    std::ostringstream out;
    ProgressLine line(out, true);
    line.start("Enregistrement des fichiers");
    line.clear();
    line.start("Détourage des sprites");
    EXPECT_EQ(out.str(), "");
}

} // namespace
} // namespace quilbrix
