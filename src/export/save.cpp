#include "export/save.h"

#include "export/file_name.h"
#include "export/map_file.h"
#include "export/replace_file.h"
#include "export/system_reason.h"
#include "export/tile_file.h"
#include "state/error.h"
#include "tiles/build.h"

#include <new>
#include <system_error>
#include <vector>

namespace quilbrix {

namespace {

// What the save takes from one plane of the last build.
struct PlaneSource {
    const char* name; // "le plan de sprites" or "l'arrière-plan", for messages
    const std::optional<Map>& map;
    const PictureControl& strip;
};

// A plane's map and count, checked so that its two files are sound.
struct CheckedPlane {
    const Map* map;
    const Surface* strip; // nullptr: the strip was never drawn on
    int count;
};

const char* const NothingWritten = " ; aucun fichier n'a été modifié";

CheckedPlane checkPlane(const PlaneSource& plane, int count)
{
    if (!plane.map)
        throw Error(std::string("Il n'y a pas de carte pour ") + plane.name
            + " : lancez d'abord « Création Cartes + Sprites »" + NothingWritten);
    const Map& map = *plane.map;
    const int limit = tileLimit(map.tileSize);
    if (count > limit)
        throw Error(std::string("Trop de tuiles dans ") + plane.name + " : " + std::to_string(count)
            + " tuiles distinctes pour une limite de " + std::to_string(limit) + " en tuiles de "
            + std::to_string(map.tileSize) + " pixels" + NothingWritten);
    // Every entry must be an index below the count plus the two flags, or
    // the map file would send the game to a tile the tile file lacks.
    for (int r = 0; r < map.rows; ++r)
        for (int c = 0; c < map.cols; ++c) {
            const std::int32_t entry = map.at(c, r);
            const std::int32_t index = entry & (IndexLimit - 1);
            if (entry < 0 || entry > (FlipHorizontal | FlipVertical | (IndexLimit - 1)) || index >= count)
                throw Error(std::string("Dans ") + plane.name + ", la case (" + std::to_string(c) + ", "
                    + std::to_string(r) + ") de la carte porte l'entrée " + std::to_string(entry)
                    + ", qui ne désigne aucune des tuiles comptées (" + std::to_string(count) + ")"
                    + NothingWritten);
        }
    return CheckedPlane { &map, plane.strip.picture(), count };
}

std::vector<std::uint8_t> mapFile(const CheckedPlane& plane)
{
    std::vector<std::uint8_t> bytes;
    WriteMapFile(bytes, *plane.map);
    return bytes;
}

std::vector<std::uint8_t> tileFile(const CheckedPlane& plane)
{
    // A strip that was never drawn on reads as InvalidColour throughout,
    // like a surface of no pixels, and asking the control for its surface
    // would create one.
    static const Surface noPixels;
    std::vector<std::uint8_t> bytes;
    WriteTileFile(bytes, plane.strip ? *plane.strip : noPixels, plane.count, plane.map->tileSize);
    return bytes;
}

void checkTargets(const std::filesystem::path& folder, const std::vector<std::filesystem::path>& targets)
{
    using std::filesystem::file_type;
    const std::filesystem::path shownFolder = folder.empty() ? std::filesystem::path(".") : folder;
    const auto refuse = [&](const std::filesystem::path& target, const std::string& reason) {
        return Error(
            "Impossible de créer le fichier « " + utf8Text(target) + " » : " + reason + NothingWritten);
    };

    std::error_code ec;
    const auto place = std::filesystem::status(shownFolder, ec);
    if (place.type() == file_type::not_found)
        throw refuse(targets.front(), "le dossier « " + utf8Text(shownFolder) + " » est introuvable");
    if (ec)
        throw refuse(targets.front(), systemReason(ec));
    if (place.type() != file_type::directory)
        throw refuse(targets.front(), "« " + utf8Text(shownFolder) + " » n'est pas un dossier");

    // Renaming over a folder fails only after the file before it was
    // replaced, and over a device (a link to one included) it would put an
    // ordinary file in the device's place: both are refused beforehand.
    for (const auto& target : targets) {
        const auto existing = std::filesystem::status(target, ec);
        if (existing.type() == file_type::not_found)
            continue;
        if (existing.type() == file_type::regular) {
            // Renaming would replace a file the user made read-only, which
            // writing into it never could.
            if ((existing.permissions() & std::filesystem::perms::owner_write)
                == std::filesystem::perms::none)
                throw refuse(target, "le fichier est protégé en écriture");
            continue;
        }
        if (ec)
            throw refuse(target, systemReason(ec));
        if (existing.type() == file_type::directory)
            throw refuse(target, "un dossier porte ce nom");
        throw refuse(target, "un élément qui n'est pas un fichier ordinaire porte ce nom");
    }
}

} // namespace

std::array<std::string, 4> levelFileNames(const std::string& baseName)
{
    return { baseName + "1.lvl", baseName + "2.lvl", baseName + "1.bin", baseName + "2.bin" };
}

std::string saveLevel(const WorkingState& state, const std::string& baseName,
    const std::filesystem::path& folder, const std::string& spritePicturePath)
{
    // Both captions first: before the first build they read "N/A", and the
    // save refuses with the conversion error before anything else.
    const int spriteCount = parseCount(state.Label23.caption);
    const int backgroundCount = parseCount(state.Label26.caption);
    const CheckedPlane sprite
        = checkPlane(PlaneSource { "le plan de sprites", state.SpriteMap, state.Image5 }, spriteCount);
    const CheckedPlane background
        = checkPlane(PlaneSource { "l'arrière-plan", state.BackgroundMap, state.Image6 }, backgroundCount);

    const std::array<std::string, 4> names = levelFileNames(baseName);
    requireNamesInFolder(baseName, { names.begin(), names.end() }, folder, "écrits", NothingWritten);
    std::vector<std::filesystem::path> targets;
    for (const std::string& name : names)
        targets.push_back(folder / pathFromUtf8(name));
    checkTargets(folder, targets);

    std::vector<std::vector<std::uint8_t>> contents;
    try {
        contents.push_back(mapFile(sprite));
        contents.push_back(mapFile(background));
        contents.push_back(tileFile(sprite));
        contents.push_back(tileFile(background));
    } catch (const std::bad_alloc&) {
        throw Error(
            std::string("Mémoire insuffisante pour préparer les fichiers du niveau") + NothingWritten);
    }

    for (std::size_t i = 0; i < targets.size(); ++i) {
        try {
            replaceFile(targets[i], contents[i]);
        } catch (const Error& failure) {
            std::string done;
            for (std::size_t j = 0; j < i; ++j)
                done += (j ? ", " : "") + names[j];
            throw Error(std::string(failure.what())
                + (i == 0 ? std::string(NothingWritten) : " ; déjà enregistrés : " + done));
        }
    }

    return "Les fichiers ont été enregistrés avec l'image : "
        + (spritePicturePath.empty() ? std::string(NoPictureChosen) : spritePicturePath);
}

} // namespace quilbrix
