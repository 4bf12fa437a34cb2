#pragma once

#include "state/settings.h"
#include "state/working_state.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quilbrix {

// A command line that cannot be run as written: an unknown option, a value
// out of its range, a missing input. Its message is French and complete;
// the program adds the hint to --help and ends with status 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message)
        : std::runtime_error(message)
    { }
};

// The commands of the window's buttons that the batch tool can run, each
// named on the command line as stepName gives it.
enum class Step {
    CutOut, // "Détourage des sprites"
    FourGreys, // "Couleur -> NG4"
    VirtualMask, // "Application du masque virtuel"
    PreviewReal, // "Réel"
    PreviewTi89, // "Ti89"
    PreviewTi92, // "Ti92"
    Build, // "Création Cartes + Sprites"
    Save, // "  Sauvegarde"
};

// The name of a step in --steps: "cut-out", "four-greys", "mask", "real",
// "ti89", "ti92", "build", "save".
const char* stepName(Step step);

// The road of one level in the window's order, run when --steps is not
// given.
inline const std::vector<Step> DefaultSteps
    = { Step::CutOut, Step::FourGreys, Step::VirtualMask, Step::Build, Step::Save };

// An overlay preview to write as a picture once the steps are done.
struct PreviewOutput {
    Step preview = Step::PreviewReal; // PreviewReal, PreviewTi89 or PreviewTi92
    std::string file; // UTF-8 path, taken as given
};

struct PlaneSize {
    int width = 0;
    int height = 0;
};

// Everything a command line says, with the window's defaults for what it
// does not.
struct BatchOptions {
    bool help = false;
    bool quiet = false;
    bool decode = false;

    // The plane pictures (UTF-8 paths); an empty one was not given, and its
    // plane stays the blank White plane the window starts with. The sprite
    // plane is required except with --decode.
    std::string spritePicture;
    std::string backgroundPicture;
    std::string fullPicture;

    // Thresholds, mask colour, mirror matching and base name, as the option
    // controls hold them at start.
    Settings settings;
    int tileSize = DefaultTileSize;
    // Where the level files are written (and, with --decode, read from and
    // the decoded pictures written); empty means the current folder.
    std::string outputFolder;

    std::vector<Step> steps = DefaultSteps;
    std::vector<PreviewOutput> previews; // in the order given

    // With --decode: each plane's size in pixels.
    PlaneSize spriteSize;
    PlaneSize backgroundSize;
};

// Reads the command line's arguments (the program's name left out) into
// options. Accepts "--name value" and "--name=value". Throws UsageError for
// an unknown option or a stray argument, a missing or malformed value, a
// value out of its range (thresholds 0..1023, tile size 8, 16 or 32, a base
// name over BaseNameMaxLength characters, plane sizes 1..MaxPictureSide),
// an option given twice (--preview excepted), a missing --sprites, a save
// step with no build before it, options that do not go with --decode or
// that only go with it, and a decoded plane smaller than one tile. When
// "--help" or "-h" is among the arguments, returns options with help set
// and nothing else checked.
BatchOptions parseOptions(const std::vector<std::string>& arguments);

// The text --help prints: every option with its default, the steps, the
// files written and the exit statuses.
std::string helpText();

// What follows a usage error's message on standard error.
inline constexpr const char* HelpHint = "Pour la liste des options : quilbrix-batch --help";

} // namespace quilbrix
