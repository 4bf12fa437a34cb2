#pragma once

#include "state/working_state.h"

#include <array>
#include <filesystem>
#include <string>

namespace quilbrix {

// What the closing message shows after "l'image : " when no sprite picture
// was ever chosen.
inline constexpr const char* NoPictureChosen = "(aucune)";

// The four file names of a level, in the order they are written: the base
// name used verbatim (empty included) followed by "1.lvl", "2.lvl",
// "1.bin" and "2.bin".
std::array<std::string, 4> levelFileNames(const std::string& baseName);

// The save command: writes the map file and the tile file of each plane of
// the last build into `folder` (the current folder; empty means the
// process's working directory), under the names of levelFileNames, and
// returns the closing message "Les fichiers ont été enregistrés avec
// l'image : <spritePicturePath>" (NoPictureChosen when the path is empty).
//
// What is written is the last build as it was: each map with its own
// columns, rows and tile size, each strip (state.Image5, state.Image6) cut
// with that tile size and the count of its label (state.Label23,
// state.Label26), whatever was loaded or selected since. The working state
// is not changed, and no strip surface is created.
//
// Everything is checked before the first file is touched; a refusal throws
// Error and writes nothing:
//  - a count caption that is not a whole number ("N/A" before the first
//    build) gives "'<caption>' n'est pas une valeur entière correcte";
//  - a missing map;
//  - a plane whose count passes tileLimit of its tile size, or whose map
//    names a tile beyond its count;
//  - a base name that would put a file outside `folder` (a folder separator,
//    a drive, a NUL character);
//  - a folder that does not exist or is not a folder, or a target that
//    exists and is no ordinary file or is read-only.
// Then the files are written one at a time, each through replaceFile. If a
// file cannot be written (a name the file system refuses, no permission, a
// full disk), Error names it and gives the system's reason; the files
// finished before it are complete and in place, it and the ones after it
// keep what they held.
std::string saveLevel(const WorkingState& state, const std::string& baseName,
    const std::filesystem::path& folder, const std::string& spritePicturePath);

} // namespace quilbrix
