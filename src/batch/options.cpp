#include "batch/options.h"

#include "state/bmp.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <string_view>

namespace quilbrix {

namespace {

struct OptionInfo {
    const char* name;
    bool takesValue;
    bool withRoad; // allowed without --decode
    bool withDecode; // allowed with --decode
};

const OptionInfo KnownOptions[] = {
    { "--sprites", true, true, false },
    { "--background", true, true, false },
    { "--full", true, true, false },
    { "--thresholds", true, true, false },
    { "--mask", true, true, false },
    { "--tile-size", true, true, true },
    { "--mirror", true, true, false },
    { "--base-name", true, true, true },
    { "--output-folder", true, true, true },
    { "--steps", true, true, false },
    { "--preview", true, true, false },
    { "--decode", false, true, true },
    { "--plane-size", true, false, true },
    { "--sprite-size", true, false, true },
    { "--background-size", true, false, true },
    { "--quiet", false, true, true },
    { "--help", false, true, true },
};

const OptionInfo* findOption(std::string_view name)
{
    for (const OptionInfo& option : KnownOptions)
        if (name == option.name)
            return &option;
    return nullptr;
}

std::string quoted(std::string_view text)
{
    return "« " + std::string(text) + " »";
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

// A whole number written with decimal digits only, or nothing.
std::optional<int> wholeNumber(std::string_view text)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The length the window's name box gives a text: UTF-16 code units, so a
// character beyond the Basic Multilingual Plane counts twice. Every byte
// but the continuation bytes (10xxxxxx) starts a character, and a start
// byte of 11110xxx starts a four-byte one.
int nameBoxLength(std::string_view utf8)
{
    int length = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80)
            length += byte >= 0xF0 ? 2 : 1;
    }
    return length;
}

Thresholds parseThresholds(std::string_view text)
{
    const std::vector<std::string_view> parts = split(text, ',');
    if (parts.size() != 3)
        throw UsageError(
            "--thresholds attend trois seuils séparés par des virgules, comme 100,170,300 : " + quoted(text));
    int values[3] = {};
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> value = wholeNumber(parts[static_cast<std::size_t>(i)]);
        if (!value || *value < ThresholdMin || *value > ThresholdMax)
            throw UsageError("Le seuil T" + std::to_string(i + 1) + " doit être un nombre entier de "
                + std::to_string(ThresholdMin) + " à " + std::to_string(ThresholdMax) + " : "
                + quoted(parts[static_cast<std::size_t>(i)]));
        values[i] = *value;
    }
    return Thresholds { values[0], values[1], values[2] };
}

const Step AllSteps[] = { Step::CutOut, Step::FourGreys, Step::VirtualMask, Step::PreviewReal,
    Step::PreviewTi89, Step::PreviewTi92, Step::Build, Step::Save };

std::string stepList()
{
    std::string list;
    for (const Step step : AllSteps)
        list += (list.empty() ? "" : ", ") + std::string(stepName(step));
    return list;
}

std::vector<Step> parseSteps(std::string_view text)
{
    if (text.empty())
        throw UsageError("La liste de --steps est vide (étapes : " + stepList() + ")");
    std::vector<Step> steps;
    bool built = false;
    for (const std::string_view name : split(text, ',')) {
        const Step* found = std::find_if(
            std::begin(AllSteps), std::end(AllSteps), [&](Step step) { return name == stepName(step); });
        if (found == std::end(AllSteps))
            throw UsageError(
                "Étape inconnue " + quoted(name) + " dans --steps (étapes : " + stepList() + ")");
        if (*found == Step::Build)
            built = true;
        if (*found == Step::Save && !built)
            throw UsageError("L'étape save de --steps enregistre une construction : elle demande l'étape "
                             "build avant elle");
        steps.push_back(*found);
    }
    return steps;
}

PreviewOutput parsePreview(std::string_view text)
{
    const std::size_t colon = text.find(':');
    const std::string_view kind = text.substr(0, colon);
    PreviewOutput output;
    if (kind == "real")
        output.preview = Step::PreviewReal;
    else if (kind == "ti89")
        output.preview = Step::PreviewTi89;
    else if (kind == "ti92")
        output.preview = Step::PreviewTi92;
    if (colon == std::string_view::npos || colon + 1 == text.size()
        || (kind != "real" && kind != "ti89" && kind != "ti92"))
        throw UsageError(
            "--preview attend TYPE:FICHIER, TYPE étant real, ti89 ou ti92, comme ti89:apercu.bmp : "
            + quoted(text));
    output.file = std::string(text.substr(colon + 1));
    return output;
}

PlaneSize parseSize(const char* option, std::string_view text)
{
    std::size_t cross = text.find('x');
    if (cross == std::string_view::npos)
        cross = text.find('X');
    const std::optional<int> width
        = cross == std::string_view::npos ? std::nullopt : wholeNumber(text.substr(0, cross));
    const std::optional<int> height
        = cross == std::string_view::npos ? std::nullopt : wholeNumber(text.substr(cross + 1));
    if (!width || !height)
        throw UsageError(
            std::string(option) + " attend LARGEURxHAUTEUR en pixels, comme 256x160 : " + quoted(text));
    if (*width < 1 || *height < 1 || *width > MaxPictureSide || *height > MaxPictureSide)
        throw UsageError(std::string(option) + " : " + quoted(text) + " sort des tailles d'un plan, de 1 à "
            + std::to_string(MaxPictureSide) + " pixels de chaque côté");
    return PlaneSize { *width, *height };
}

void checkHasCells(const char* plane, const PlaneSize& size, int tileSize)
{
    if (size.width < tileSize || size.height < tileSize)
        throw UsageError(std::string(plane) + " de " + std::to_string(size.width) + " x "
            + std::to_string(size.height) + " pixels n'a aucune case de " + std::to_string(tileSize)
            + " pixels : il n'y a rien à décoder");
}

} // namespace

const char* stepName(Step step)
{
    switch (step) {
    case Step::CutOut: return "cut-out";
    case Step::FourGreys: return "four-greys";
    case Step::VirtualMask: return "mask";
    case Step::PreviewReal: return "real";
    case Step::PreviewTi89: return "ti89";
    case Step::PreviewTi92: return "ti92";
    case Step::Build: return "build";
    case Step::Save: return "save";
    }
    return "";
}

BatchOptions parseOptions(const std::vector<std::string>& arguments)
{
    BatchOptions options;
    if (std::any_of(arguments.begin(), arguments.end(),
            [](const std::string& argument) { return argument == "--help" || argument == "-h"; })) {
        options.help = true;
        return options;
    }

    // Each option with its value, once the whole line is read, so that the
    // checks below see --decode wherever it stands.
    std::map<std::string, std::string> given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--", 0) != 0)
            throw UsageError("Argument inattendu " + quoted(argument)
                + " : chaque valeur suit son option, "
                  "comme --sprites sprites.bmp");
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionInfo* option = findOption(name);
        if (!option)
            throw UsageError("Option inconnue " + quoted(name));
        std::string value;
        if (option->takesValue) {
            if (equals != std::string::npos)
                value = argument.substr(equals + 1);
            else if (i + 1 < arguments.size() && !findOption(arguments[i + 1]))
                value = arguments[++i];
            else
                throw UsageError("L'option " + name + " attend une valeur");
        } else if (equals != std::string::npos) {
            throw UsageError("L'option " + name + " ne prend pas de valeur");
        }

        if (name == "--preview") {
            options.previews.push_back(parsePreview(value));
            given.emplace(name, value);
            continue;
        }
        if (!given.emplace(name, value).second)
            throw UsageError("L'option " + name + " est donnée deux fois");
    }

    options.decode = given.count("--decode") != 0;
    for (const auto& [name, value] : given) {
        const OptionInfo& option = *findOption(name);
        if (options.decode && !option.withDecode)
            throw UsageError("L'option " + name + " ne va pas avec --decode");
        if (!options.decode && !option.withRoad)
            throw UsageError("L'option " + name + " ne sert qu'avec --decode");
    }

    const auto value = [&](const char* name) -> const std::string* {
        const auto found = given.find(name);
        return found == given.end() ? nullptr : &found->second;
    };

    options.quiet = value("--quiet") != nullptr;
    if (const std::string* text = value("--sprites"))
        options.spritePicture = *text;
    if (const std::string* text = value("--background"))
        options.backgroundPicture = *text;
    if (const std::string* text = value("--full"))
        options.fullPicture = *text;
    if (const std::string* text = value("--thresholds"))
        options.settings.thresholds = parseThresholds(*text);
    if (const std::string* text = value("--mask")) {
        if (*text == "black")
            options.settings.mask = MaskChoice::Black;
        else if (*text == "white")
            options.settings.mask = MaskChoice::White;
        else
            throw UsageError("--mask attend black (« M. Noir ») ou white (« M. Blanc ») : " + quoted(*text));
    }
    if (const std::string* text = value("--tile-size")) {
        const std::optional<int> size = wholeNumber(*text);
        if (!size || std::find(std::begin(TileSizes), std::end(TileSizes), *size) == std::end(TileSizes))
            throw UsageError("--tile-size attend 8, 16 ou 32 : " + quoted(*text));
        options.tileSize = *size;
    }
    if (const std::string* text = value("--mirror")) {
        if (*text == "on")
            options.settings.mirrorMatching = true;
        else if (*text == "off")
            options.settings.mirrorMatching = false;
        else
            throw UsageError("--mirror attend on ou off : " + quoted(*text));
    }
    if (const std::string* text = value("--base-name")) {
        const int length = nameBoxLength(*text);
        if (length > BaseNameMaxLength)
            throw UsageError("Le nom de base " + quoted(*text) + " a " + std::to_string(length)
                + " caractères : " + std::to_string(BaseNameMaxLength)
                + " au plus, comme dans la case « Nom du fichier »");
        options.settings.baseName = *text;
    }
    if (const std::string* text = value("--output-folder"))
        options.outputFolder = *text;
    if (const std::string* text = value("--steps"))
        options.steps = parseSteps(*text);

    if (options.decode) {
        const std::string* both = value("--plane-size");
        const std::string* sprite = value("--sprite-size");
        const std::string* background = value("--background-size");
        if ((!both && !sprite) || (!both && !background))
            throw UsageError(
                "--decode demande la taille des plans en pixels : --plane-size LARGEURxHAUTEUR, ou "
                "--sprite-size et --background-size");
        options.spriteSize = sprite ? parseSize("--sprite-size", *sprite) : parseSize("--plane-size", *both);
        options.backgroundSize
            = background ? parseSize("--background-size", *background) : parseSize("--plane-size", *both);
        checkHasCells("Le plan de sprites", options.spriteSize, options.tileSize);
        checkHasCells("L'arrière-plan", options.backgroundSize, options.tileSize);
    } else if (options.spritePicture.empty()) {
        throw UsageError("Il manque le plan de sprites : donnez --sprites FICHIER");
    }
    return options;
}

std::string helpText()
{
    return R"(quilbrix-batch : la route d'un niveau de Quilbrix, sans fenêtre, pour les Makefiles.

Usage :
  quilbrix-batch --sprites FICHIER [options]
  quilbrix-batch --decode --plane-size LxH [options]

Plans (fichiers BMP) :
  --sprites FICHIER        plan de sprites (obligatoire)
  --background FICHIER     arrière-plan (par défaut : le plan blanc de 105 x 105 pixels)
  --full FICHIER           plan complet (par défaut : le plan blanc de 105 x 105 pixels)

Réglages :
  --thresholds T1,T2,T3    seuils des gris, de 0 à 1023 (par défaut : 100,170,300)
  --mask black|white       couleur du masque, « M. Noir » ou « M. Blanc » (par défaut : black)
  --tile-size 8|16|32      côté des tuiles en pixels (par défaut : 16)
  --mirror on|off          tuiles en miroir mises en commun, « Activer le flipping »
                           (par défaut : on)
  --base-name NOM          nom de base des fichiers, pris tel quel, 7 caractères au plus,
                           vide permis (par défaut : Demo)
  --output-folder DOSSIER  dossier des fichiers du niveau (par défaut : le dossier courant)

Étapes :
  --steps LISTE            étapes à lancer, dans l'ordre donné, séparées par des virgules
                           (par défaut : cut-out,four-greys,mask,build,save) :
      cut-out              « Détourage des sprites »
      four-greys           « Couleur -> NG4 »
      mask                 « Application du masque virtuel »
      real, ti89, ti92     aperçu « Réel », « Ti89 » ou « Ti92 » peint dans le plan complet
      build                « Création Cartes + Sprites »
      save                 « Sauvegarde » de NOM1.lvl, NOM2.lvl, NOM1.bin et NOM2.bin ;
                           demande un build plus tôt dans la liste
  --preview TYPE:FICHIER   après les étapes, lance l'aperçu TYPE (real, ti89 ou ti92) et écrit
                           le plan complet en BMP 24 bits dans FICHIER ; peut être répétée,
                           les aperçus suivent l'ordre donné (par défaut : aucun)

Décodage :
  --decode                 relit NOM1.lvl et NOM1.bin, NOM2.lvl et NOM2.bin dans le dossier
                           de --output-folder et y écrit chaque plan tel que la calculatrice le
                           dessinera, en quatre gris, miroirs appliqués : NOM1.decoded.bmp
                           (sprites) et NOM2.decoded.bmp (arrière-plan), en BMP 24 bits ;
                           va avec --tile-size, --base-name, --output-folder et --quiet
  --plane-size LxH         taille des deux plans en pixels (requise, sauf si les deux
                           options suivantes sont données)
  --sprite-size LxH        taille du plan de sprites (par défaut : celle de --plane-size)
  --background-size LxH    taille de l'arrière-plan (par défaut : celle de --plane-size)

Sortie :
  --quiet                  ni résumé sur la sortie standard ni progression
  --help                   cette aide

Les fichiers sont écrits entiers ou pas du tout. Les erreurs vont sur la sortie d'erreur.
Statut de sortie : 0 réussite, 1 entrée refusée ou écriture échouée, 2 mauvais usage.
)";
}

} // namespace quilbrix
