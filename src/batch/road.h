#pragma once

#include "batch/options.h"
#include "state/working_state.h"
#include "tiles/build.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quilbrix {

// The road of one level without the window: each step calls the core
// command that the window's button calls, with the same arguments, on a
// working state of the same shape, so both give the same planes and files.
// The gauge of the state (CGauge1) moves as in the window; whoever runs the
// road watches it through the gauge's view.

// What the road tells as it goes. Any of them may be empty.
struct RoadEvents {
    // Before each step, with the text that names it ("Construction des
    // cartes"), and after it when it ended without an error.
    std::function<void(const std::string& label)> stepStarted;
    std::function<void()> stepFinished;
    // The build's warning when a plane overflowed (overflowWarning).
    std::function<void(const std::string& text)> warning;
};

// What a road did, for the closing summary.
struct RoadOutcome {
    std::optional<BuildReport> lastBuild; // the report of the last build step
    std::vector<std::string> filesWritten; // UTF-8, in the order written
};

// The text naming a step on the progress line, without the ellipsis:
// "Détourage des sprites", "Conversion en quatre gris", "Application du
// masque virtuel", "Aperçu réel", "Aperçu Ti89", "Aperçu Ti92",
// "Construction des cartes", "Enregistrement des fichiers".
std::string stepLabel(Step step);

// The three loaders: each picture given (a UTF-8 path; empty for none) is
// read with loadPicture and replaces its plane, sprites, background then
// full plane. A plane not given stays as it is (a fresh state's is the
// blank White 105 × 105 plane). loadPicture's errors pass through.
void loadPlanes(WorkingState& state, const std::string& spritePicture, const std::string& backgroundPicture,
    const std::string& fullPicture);

// "Détourage des sprites" (SpeedButton4Click): cutOutSprites of the sprite
// plane against the full plane.
void runCutOut(WorkingState& state);

// "Couleur -> NG4" (SpeedButton5Click): convertToFourGreys of the sprite
// and background planes.
void runFourGreys(WorkingState& state, const Thresholds& thresholds);

// "Application du masque virtuel" (SpeedButton6Click): applyVirtualMask of
// the sprite plane.
void runVirtualMask(WorkingState& state, MaskChoice mask);

// "Réel", "Ti89" or "Ti92" (SpeedButton8Click, 11, 12): the overlay
// preview painted into the full plane. Expects `preview` to be one of
// Step::PreviewReal, PreviewTi89, PreviewTi92.
void runPreview(WorkingState& state, Step preview, MaskChoice mask);

// The tile size radio, then "Création Cartes + Sprites" (SpeedButton9Click):
// sets state.TileSize and runs buildMaps. Expects 8, 16 or 32.
BuildReport runBuild(WorkingState& state, int tileSize, bool mirrorMatching);

// "  Sauvegarde" (SpeedButton10Click): saveLevel into `outputFolder` (UTF-8;
// empty for the current folder), with its checks and refusals. Returns the
// four files written, as paths in that folder (bare names for the current
// folder), in the order written.
std::vector<std::string> runSave(const WorkingState& state, const std::string& baseName,
    const std::string& outputFolder, const std::string& spritePicture);

// Writes the full plane, its whole surface, as a 24-bit bitmap to `file`
// (UTF-8) through replaceFile: the file is whole or keeps what it held.
void writeFullPlane(WorkingState& state, const std::string& file);

// The road a command line asks for: sets the tile size, loads the planes,
// runs the steps in their order, then each preview of options.previews,
// writing its picture. The first error stops the road where it arose, as a
// command of the window stops: what was written before stays, complete.
// Expects options without help or decode.
RoadOutcome runRoad(WorkingState& state, const BatchOptions& options, const RoadEvents& events);

} // namespace quilbrix
