#include "state/picture_file.h"

#include "state/bmp.h"
#include "state/error.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace quilbrix {

namespace {

std::filesystem::path fromUtf8(const std::string& path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

// The part of the file name after its last dot, as written; empty when the
// name has no dot. Dots in folder names do not count.
std::string extensionOf(const std::string& path)
{
    const std::size_t nameStart = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart))
        return {};
    return path.substr(dot + 1);
}

std::string lowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

[[noreturn]] void cannotOpen(const std::string& path)
{
    throw Error("Impossible d'ouvrir le fichier " + path);
}

std::vector<std::uint8_t> readWholeFile(const std::string& path)
{
    const std::filesystem::path file = fromUtf8(path);
    std::ifstream in(file, std::ios::binary);
    if (!in)
        cannotOpen(path);
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        cannotOpen(path);
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        cannotOpen(path);
    if (size > MaxPictureFileSize)
        throw Error("Image trop grande : fichier de " + std::to_string(size) + " octets ("
            + std::to_string(MaxPictureFileSize) + " au plus)");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    // The file shrank between the size query and the read: decode what
    // was there, which the reader then judges like any short file.
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

} // namespace

Surface loadPicture(const std::string& path)
{
    const std::string extension = extensionOf(path);
    const std::string kind = lowerAscii(extension);
    if (kind == "ico" || kind == "wmf" || kind == "emf")
        throw Error("Impossible de modifier que les images comportant un bitmap");
    if (kind != "bmp")
        throw Error("Extension de fichier graphique inconnue (." + extension + ")");
    const std::vector<std::uint8_t> bytes = readWholeFile(path);
    return decodeBmp(bytes.data(), bytes.size());
}

} // namespace quilbrix
