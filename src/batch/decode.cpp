#include "batch/decode.h"

#include "export/file_name.h"
#include "export/level_decode.h"
#include "export/map_file.h"
#include "export/replace_file.h"
#include "export/save.h"
#include "export/tile_file.h"
#include "state/bmp.h"
#include "state/error.h"
#include "tiles/tile_set.h"

#include <cassert>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace quilbrix {

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string quoted(const std::filesystem::path& path)
{
    return "« " + utf8Text(path) + " »";
}

// The size of a file to be read, or the error that names it.
std::uintmax_t fileSize(const std::filesystem::path& file)
{
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::is_regular_file(status))
        throw Error("Impossible d'ouvrir le fichier " + utf8Text(file));
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        throw Error("Impossible d'ouvrir le fichier " + utf8Text(file));
    return size;
}

Bytes readFile(const std::filesystem::path& file, std::uintmax_t size)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw Error("Impossible d'ouvrir le fichier " + utf8Text(file));
    Bytes bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uintmax_t>(in.gcount()) != size)
        throw Error("Erreur de lecture du fichier " + utf8Text(file));
    return bytes;
}

struct PlaneFiles {
    const char* plane; // "le plan de sprites" or "l'arrière-plan", for messages
    std::filesystem::path map;
    std::filesystem::path tiles;
    PlaneSize size;
};

Surface decodeFiles(const PlaneFiles& files, int tileSize)
{
    const int cols = files.size.width / tileSize;
    const int rows = files.size.height / tileSize;

    // Both lengths are checked before a byte is read: a file named by
    // mistake may be of any size.
    const std::uintmax_t mapSize = fileSize(files.map);
    const std::size_t mapWanted = mapFileBytes(cols, rows);
    if (mapSize != mapWanted)
        throw Error("Le fichier de carte " + quoted(files.map) + " fait " + std::to_string(mapSize)
            + " octets, alors que " + files.plane + " de " + std::to_string(files.size.width) + " x "
            + std::to_string(files.size.height) + " pixels en tuiles de " + std::to_string(tileSize)
            + " pixels a " + std::to_string(cols) + " x " + std::to_string(rows) + " cases et en demande "
            + std::to_string(mapWanted) + " : il est trop " + (mapSize < mapWanted ? "court" : "long"));
    const std::uintmax_t tileSizeBytes = fileSize(files.tiles);
    const std::size_t mostTiles = tileFileBytes(IndexLimit, tileSize);
    if (tileSizeBytes > mostTiles)
        throw Error("Le fichier de tuiles " + quoted(files.tiles) + " fait " + std::to_string(tileSizeBytes)
            + " octets, plus que les " + std::to_string(mostTiles) + " octets de "
            + std::to_string(IndexLimit) + " tuiles de " + std::to_string(tileSize)
            + " pixels, le plus qu'une carte peut désigner");

    const Bytes map = readFile(files.map, mapSize);
    const Bytes tiles = readFile(files.tiles, tileSizeBytes);
    Surface plane;
    try {
        plane = decodePlane(map, tiles, cols, rows, tileSize);
    } catch (const Error& failure) {
        throw Error(std::string(failure.what()) + " (" + files.plane + ", fichiers " + quoted(files.map)
            + " et " + quoted(files.tiles) + ")");
    }

    // A save writes exactly the tiles its map names: every tile was made by
    // a cell that names it. Tiles that no cell names mean the tile file
    // does not belong with this map.
    std::size_t named = 0;
    for (std::size_t at = 0; at < map.size(); at += 2) {
        const unsigned entry = map[at] | (static_cast<unsigned>(map[at + 1]) << 8);
        named = std::max<std::size_t>(named, (entry & (IndexLimit - 1u)) + 1);
    }
    const std::size_t held = tiles.size() / tileBytes(tileSize);
    if (held > named)
        throw Error("Le fichier de tuiles " + quoted(files.tiles) + " contient " + std::to_string(held)
            + " tuiles, alors que la carte " + quoted(files.map) + " n'en désigne que "
            + std::to_string(named) + " : il est trop long pour elle");
    return plane;
}

} // namespace

std::array<std::string, 2> decodedFileNames(const std::string& baseName)
{
    return { baseName + "1.decoded.bmp", baseName + "2.decoded.bmp" };
}

std::vector<std::string> decodeLevel(const std::string& baseName, const std::string& folder,
    const PlaneSize& spriteSize, const PlaneSize& backgroundSize, int tileSize)
{
    assert(tileSize == 8 || tileSize == 16 || tileSize == 32);
    assert(spriteSize.width >= tileSize && spriteSize.height >= tileSize);
    assert(backgroundSize.width >= tileSize && backgroundSize.height >= tileSize);

    const std::filesystem::path place = pathFromUtf8(folder);
    const std::array<std::string, 4> levelNames = levelFileNames(baseName);
    const std::array<std::string, 2> pictureNames = decodedFileNames(baseName);
    // As the save does, a base name reads and writes only inside the folder.
    requireNamesInFolder(baseName, { pictureNames.begin(), pictureNames.end() }, place, "lus et écrits");

    const PlaneFiles planes[] = {
        { "le plan de sprites", place / pathFromUtf8(levelNames[0]), place / pathFromUtf8(levelNames[2]),
            spriteSize },
        { "l'arrière-plan", place / pathFromUtf8(levelNames[1]), place / pathFromUtf8(levelNames[3]),
            backgroundSize },
    };
    std::vector<Bytes> pictures;
    for (const PlaneFiles& plane : planes)
        pictures.push_back(encodeBmp24(decodeFiles(plane, tileSize)));

    std::vector<std::string> written;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const std::filesystem::path target = place / pathFromUtf8(pictureNames[i]);
        replaceFile(target, pictures[i]);
        written.push_back(folder.empty() ? pictureNames[i] : utf8Text(target));
    }
    return written;
}

} // namespace quilbrix
