#pragma once

#include "state/surface.h"

#include <cstdint>
#include <string>

namespace quilbrix {

// The largest file loadPicture reads: more than any bitmap within the size
// cap of decodeBmp can need (16384 × 16384 pixels of 32 bits is 1 GiB).
inline constexpr std::uintmax_t MaxPictureFileSize = std::uintmax_t { 3 } << 29; // 1.5 GiB

// Loads the picture file at `path` (UTF-8) for a plane and returns its
// pixels. The reader is chosen by the extension, the part of the file name
// after its last dot, without regard to case:
//  - "bmp": the file is read whole and decoded by decodeBmp, whose errors
//    pass through unchanged;
//  - "ico", "wmf", "emf": refused with "Impossible de modifier que les
//    images comportant un bitmap", since no command could work on them;
//  - anything else, or no extension: "Extension de fichier graphique
//    inconnue (.EXT)" with the extension without its dot.
// A file that cannot be opened or read gives "Impossible d'ouvrir le fichier
// PATH"; one larger than MaxPictureFileSize gives "Image trop grande :
// fichier de N octets (1610612736 au plus)" without being read.
// Nothing but the returned surface comes of it: on any failure the caller's
// plane stays as it was.
Surface loadPicture(const std::string& path);

} // namespace quilbrix
