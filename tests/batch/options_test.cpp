#include "batch/run_batch.h"

#include "batch/options.h"
#include "state/error.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quilbrix {
namespace {

using testing::TempFolder;

BatchOptions parse(std::vector<std::string> arguments)
{
    return parseOptions(arguments);
}

TEST(BatchOptions, DefaultsAreTheWindowsStartState)
{
    const BatchOptions options = parse({ "--sprites", "s.bmp" });
    EXPECT_FALSE(options.help);
    EXPECT_FALSE(options.quiet);
    EXPECT_FALSE(options.decode);
    EXPECT_EQ(options.spritePicture, "s.bmp");
    EXPECT_EQ(options.backgroundPicture, "");
    EXPECT_EQ(options.fullPicture, "");
    EXPECT_EQ(options.settings.thresholds.T1, 100);
    EXPECT_EQ(options.settings.thresholds.T2, 170);
    EXPECT_EQ(options.settings.thresholds.T3, 300);
    EXPECT_EQ(options.settings.mask, MaskChoice::Black);
    EXPECT_TRUE(options.settings.mirrorMatching);
    EXPECT_EQ(options.settings.baseName, "Demo");
    EXPECT_EQ(options.tileSize, 16);
    EXPECT_EQ(options.outputFolder, "");
    EXPECT_EQ(options.steps, DefaultSteps);
    EXPECT_TRUE(options.previews.empty());
}

TEST(BatchOptions, EveryOptionReachesItsField)
{
    const BatchOptions options = parse({ "--sprites", "a b.bmp", "--background=fond.bmp", "--full", "c.bmp",
        "--thresholds", "0,1023,5", "--mask", "white", "--tile-size=32", "--mirror", "off", "--base-name",
        "Niveau7", "--output-folder", "sortie", "--steps", "four-greys,ti92,build,save,save,real",
        "--preview", "ti89:a.bmp", "--preview=real:dossier/b:c.bmp", "--quiet" });
    EXPECT_EQ(options.spritePicture, "a b.bmp");
    EXPECT_EQ(options.backgroundPicture, "fond.bmp");
    EXPECT_EQ(options.fullPicture, "c.bmp");
    EXPECT_EQ(options.settings.thresholds.T1, 0);
    EXPECT_EQ(options.settings.thresholds.T2, 1023);
    EXPECT_EQ(options.settings.thresholds.T3, 5);
    EXPECT_EQ(options.settings.mask, MaskChoice::White);
    EXPECT_EQ(options.tileSize, 32);
    EXPECT_FALSE(options.settings.mirrorMatching);
    EXPECT_EQ(options.settings.baseName, "Niveau7");
    EXPECT_EQ(options.outputFolder, "sortie");
    EXPECT_EQ(options.steps,
        std::vector<Step>(
            { Step::FourGreys, Step::PreviewTi92, Step::Build, Step::Save, Step::Save, Step::PreviewReal }));
    ASSERT_EQ(options.previews.size(), 2u);
    EXPECT_EQ(options.previews[0].preview, Step::PreviewTi89);
    EXPECT_EQ(options.previews[0].file, "a.bmp");
    // Only the first colon separates the kind from the file.
    EXPECT_EQ(options.previews[1].preview, Step::PreviewReal);
    EXPECT_EQ(options.previews[1].file, "dossier/b:c.bmp");
    EXPECT_TRUE(options.quiet);
}

TEST(BatchOptions, BaseNameIsUsedVerbatimAndMayBeEmpty)
{
    EXPECT_EQ(parse({ "--sprites", "s.bmp", "--base-name=" }).settings.baseName, "");
    EXPECT_EQ(parse({ "--sprites", "s.bmp", "--base-name", "" }).settings.baseName, "");
    EXPECT_EQ(parse({ "--sprites", "s.bmp", "--base-name", " a b " }).settings.baseName, " a b ");
    // Seven characters, five of them two bytes long in UTF-8.
    EXPECT_EQ(parse({ "--sprites", "s.bmp", "--base-name", "ééééé12" }).settings.baseName, "ééééé12");
    // A value may start with "--" when it is no option's name.
    EXPECT_EQ(parse({ "--sprites", "s.bmp", "--base-name", "--x" }).settings.baseName, "--x");
}

TEST(BatchOptions, DecodeTakesOneSizeOrOnePerPlane)
{
    const BatchOptions both = parse({ "--decode", "--plane-size", "256x160", "--tile-size", "8" });
    EXPECT_TRUE(both.decode);
    EXPECT_EQ(both.spriteSize.width, 256);
    EXPECT_EQ(both.spriteSize.height, 160);
    EXPECT_EQ(both.backgroundSize.width, 256);
    EXPECT_EQ(both.backgroundSize.height, 160);
    EXPECT_EQ(both.tileSize, 8);

    const BatchOptions apart
        = parse({ "--background-size", "16X16", "--decode", "--sprite-size", "40x24", "--base-name", "N" });
    EXPECT_EQ(apart.spriteSize.width, 40);
    EXPECT_EQ(apart.spriteSize.height, 24);
    EXPECT_EQ(apart.backgroundSize.width, 16);
    EXPECT_EQ(apart.backgroundSize.height, 16);
    EXPECT_EQ(apart.settings.baseName, "N");

    const BatchOptions overridden
        = parse({ "--decode", "--plane-size", "64x64", "--background-size", "32x48" });
    EXPECT_EQ(overridden.spriteSize.width, 64);
    EXPECT_EQ(overridden.backgroundSize.width, 32);
    EXPECT_EQ(overridden.backgroundSize.height, 48);
}

TEST(BatchOptions, HelpWinsOverEverythingElse)
{
    EXPECT_TRUE(parse({ "--help" }).help);
    EXPECT_TRUE(parse({ "--tile-size", "12", "-h" }).help);
    EXPECT_TRUE(parse({ "--nonsense", "--help" }).help);
}

// A command line that must be refused, with the message on standard error
// and the exit status of the program.
struct RefusedCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string message; // as thrown, before the full stop
    int status;
};

void PrintTo(const RefusedCase& c, std::ostream* os)
{
    *os << c.name;
}

const std::string Steps = "(étapes : cut-out, four-greys, mask, real, ti89, ti92, build, save)";

// SAMPLES stands for the sample folder in the arguments of the refused
// inputs (status 1), which reach the core.
const RefusedCase refusedCases[] = {
    { "nothing", {}, "Il manque le plan de sprites : donnez --sprites FICHIER", 2 },
    { "unknown_option", { "--sprites", "s.bmp", "--colour", "x" }, "Option inconnue « --colour »", 2 },
    { "stray_argument", { "s.bmp" },
        "Argument inattendu « s.bmp » : chaque valeur suit son option, comme --sprites sprites.bmp", 2 },
    { "single_dash", { "-q" },
        "Argument inattendu « -q » : chaque valeur suit son option, comme --sprites sprites.bmp", 2 },
    { "missing_value_at_end", { "--sprites" }, "L'option --sprites attend une valeur", 2 },
    { "missing_value_before_option", { "--sprites", "--quiet" }, "L'option --sprites attend une valeur", 2 },
    { "value_for_a_flag", { "--sprites", "s.bmp", "--quiet=yes" }, "L'option --quiet ne prend pas de valeur",
        2 },
    { "given_twice", { "--sprites", "s.bmp", "--tile-size", "8", "--tile-size", "8" },
        "L'option --tile-size est donnée deux fois", 2 },
    { "two_thresholds", { "--sprites", "s.bmp", "--thresholds", "100,170" },
        "--thresholds attend trois seuils séparés par des virgules, comme 100,170,300 : « 100,170 »", 2 },
    { "threshold_above_range", { "--sprites", "s.bmp", "--thresholds", "100,1024,300" },
        "Le seuil T2 doit être un nombre entier de 0 à 1023 : « 1024 »", 2 },
    { "negative_threshold", { "--sprites", "s.bmp", "--thresholds", "-1,170,300" },
        "Le seuil T1 doit être un nombre entier de 0 à 1023 : « -1 »", 2 },
    { "threshold_not_a_number", { "--sprites", "s.bmp", "--thresholds", "100,170,3e2" },
        "Le seuil T3 doit être un nombre entier de 0 à 1023 : « 3e2 »", 2 },
    { "threshold_far_too_large", { "--sprites", "s.bmp", "--thresholds", "99999999999,170,300" },
        "Le seuil T1 doit être un nombre entier de 0 à 1023 : « 99999999999 »", 2 },
    { "empty_threshold", { "--sprites", "s.bmp", "--thresholds", "100,,300" },
        "Le seuil T2 doit être un nombre entier de 0 à 1023 : «  »", 2 },
    { "mask_in_french", { "--sprites", "s.bmp", "--mask", "noir" },
        "--mask attend black (« M. Noir ») ou white (« M. Blanc ») : « noir »", 2 },
    { "tile_size_12", { "--sprites", "s.bmp", "--tile-size", "12" },
        "--tile-size attend 8, 16 ou 32 : « 12 »", 2 },
    { "tile_size_with_unit", { "--sprites", "s.bmp", "--tile-size", "16px" },
        "--tile-size attend 8, 16 ou 32 : « 16px »", 2 },
    { "mirror_yes", { "--sprites", "s.bmp", "--mirror", "yes" }, "--mirror attend on ou off : « yes »", 2 },
    { "base_name_of_8", { "--sprites", "s.bmp", "--base-name", "Niveau12" },
        "Le nom de base « Niveau12 » a 8 caractères : 7 au plus, comme dans la case « Nom du fichier »", 2 },
    // Outside the Basic Multilingual Plane a character takes two places
    // in the name box, as in the window.
    { "base_name_with_emoji",
        { "--sprites", "s.bmp", "--base-name",
            "Nive\xF0\x9F\x98\x80"
            "12" },
        "Le nom de base « Nive\xF0\x9F\x98\x80"
        "12 » a 8 caractères : 7 au plus, comme dans la case « Nom du fichier »",
        2 },
    { "unknown_step", { "--sprites", "s.bmp", "--steps", "cut-out,greys" },
        "Étape inconnue « greys » dans --steps " + Steps, 2 },
    { "empty_step", { "--sprites", "s.bmp", "--steps", "build,,save" },
        "Étape inconnue «  » dans --steps " + Steps, 2 },
    { "empty_steps", { "--sprites", "s.bmp", "--steps", "" }, "La liste de --steps est vide " + Steps, 2 },
    { "save_before_build", { "--sprites", "s.bmp", "--steps", "save,build" },
        "L'étape save de --steps enregistre une construction : elle demande l'étape build avant elle", 2 },
    { "save_without_build", { "--sprites", "s.bmp", "--steps", "four-greys,save" },
        "L'étape save de --steps enregistre une construction : elle demande l'étape build avant elle", 2 },
    { "preview_without_file", { "--sprites", "s.bmp", "--preview", "ti89" },
        "--preview attend TYPE:FICHIER, TYPE étant real, ti89 ou ti92, comme ti89:apercu.bmp : « ti89 »", 2 },
    { "preview_with_empty_file", { "--sprites", "s.bmp", "--preview", "real:" },
        "--preview attend TYPE:FICHIER, TYPE étant real, ti89 ou ti92, comme ti89:apercu.bmp : « real: »",
        2 },
    { "preview_of_unknown_kind", { "--sprites", "s.bmp", "--preview", "ti83:a.bmp" },
        "--preview attend TYPE:FICHIER, TYPE étant real, ti89 ou ti92, comme ti89:apercu.bmp : « ti83:a.bmp "
        "»",
        2 },
    { "size_without_decode", { "--sprites", "s.bmp", "--plane-size", "64x64" },
        "L'option --plane-size ne sert qu'avec --decode", 2 },
    { "sprites_with_decode", { "--decode", "--plane-size", "64x64", "--sprites", "s.bmp" },
        "L'option --sprites ne va pas avec --decode", 2 },
    { "steps_with_decode", { "--decode", "--plane-size", "64x64", "--steps", "build" },
        "L'option --steps ne va pas avec --decode", 2 },
    { "decode_without_size", { "--decode" },
        "--decode demande la taille des plans en pixels : --plane-size LARGEURxHAUTEUR, ou --sprite-size et "
        "--background-size",
        2 },
    { "decode_with_one_plane_size", { "--decode", "--sprite-size", "64x64" },
        "--decode demande la taille des plans en pixels : --plane-size LARGEURxHAUTEUR, ou --sprite-size et "
        "--background-size",
        2 },
    { "size_without_cross", { "--decode", "--plane-size", "256" },
        "--plane-size attend LARGEURxHAUTEUR en pixels, comme 256x160 : « 256 »", 2 },
    { "size_of_zero", { "--decode", "--plane-size", "0x16" },
        "--plane-size : « 0x16 » sort des tailles d'un plan, de 1 à 16384 pixels de chaque côté", 2 },
    { "size_too_large", { "--decode", "--sprite-size", "16x16385", "--background-size", "16x16" },
        "--sprite-size : « 16x16385 » sort des tailles d'un plan, de 1 à 16384 pixels de chaque côté", 2 },
    { "plane_without_cells", { "--decode", "--plane-size", "64x64", "--background-size", "40x8" },
        "L'arrière-plan de 40 x 8 pixels n'a aucune case de 16 pixels : il n'y a rien à décoder", 2 },
    { "sprites_without_cells_at_32", { "--decode", "--plane-size", "31x320", "--tile-size", "32" },
        "Le plan de sprites de 31 x 320 pixels n'a aucune case de 32 pixels : il n'y a rien à décoder", 2 },
    // Refused by the core, not by the options: status 1.
    { "missing_picture", { "--sprites", "absent.bmp" }, "Impossible d'ouvrir le fichier absent.bmp", 1 },
    { "picture_of_unknown_kind", { "--sprites", "SAMPLES/sprites.png" },
        "Extension de fichier graphique inconnue (.png)", 1 },
    { "base_name_with_separator", { "--sprites", "SAMPLES/sprites.bmp", "--base-name", "a/b" },
        "Le nom de fichier « a/b » contient un séparateur de dossier ou de lecteur : les fichiers seraient "
        "écrits "
        "hors du dossier « . » ; aucun fichier n'a été modifié",
        1 },
    { "missing_output_folder", { "--sprites", "SAMPLES/sprites.bmp", "--output-folder", "absent" },
        "Impossible de créer le fichier « absent/Demo1.lvl » : le dossier « absent » est introuvable ; aucun "
        "fichier n'a été modifié",
        1 },
};

class RefusedCommandLine : public ::testing::TestWithParam<RefusedCase> { };

std::vector<std::string> withSamples(std::vector<std::string> arguments)
{
    for (std::string& argument : arguments)
        if (argument.rfind("SAMPLES/", 0) == 0)
            argument = QUILBRIX_SAMPLES + argument.substr(7);
    return arguments;
}

TEST_P(RefusedCommandLine, ParsingAndTheProgramGiveTheMessageAndStatus)
{
    const RefusedCase& c = GetParam();
    if (c.status == 2) {
        try {
            parseOptions(c.arguments);
            ADD_FAILURE() << "accepted";
        } catch (const UsageError& error) {
            EXPECT_EQ(error.what(), c.message);
        }
    } else {
        EXPECT_NO_THROW(parseOptions(withSamples(c.arguments)));
    }

    const TempFolder folder;
    const testing::BatchRun run = testing::runBatch(withSamples(c.arguments), folder.path());
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, "");
    const std::string hint = c.status == 2 ? std::string(HelpHint) + "\n" : std::string();
    EXPECT_EQ(run.err, withFullStop(c.message) + "\n" + hint);
    // A refused run writes nothing.
    EXPECT_TRUE(folder.names().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedCommandLine, ::testing::ValuesIn(refusedCases),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace quilbrix
