#include "batch/road.h"

#include "export/file_name.h"
#include "export/replace_file.h"
#include "export/save.h"
#include "prepare/cut_out.h"
#include "prepare/four_greys.h"
#include "prepare/overlay_preview.h"
#include "prepare/virtual_mask.h"
#include "state/bmp.h"
#include "state/picture_file.h"
#include "tiles/overflow_warning.h"

#include <cassert>

namespace quilbrix {

std::string stepLabel(Step step)
{
    switch (step) {
    case Step::CutOut: return "Détourage des sprites";
    case Step::FourGreys: return "Conversion en quatre gris";
    case Step::VirtualMask: return "Application du masque virtuel";
    case Step::PreviewReal: return "Aperçu réel";
    case Step::PreviewTi89: return "Aperçu Ti89";
    case Step::PreviewTi92: return "Aperçu Ti92";
    case Step::Build: return "Construction des cartes";
    case Step::Save: return "Enregistrement des fichiers";
    }
    return {};
}

void loadPlanes(WorkingState& state, const std::string& spritePicture, const std::string& backgroundPicture,
    const std::string& fullPicture)
{
    const struct {
        const std::string& path;
        PictureControl& plane;
    } loads[] = { { spritePicture, state.Image1 }, { backgroundPicture, state.Image2 },
        { fullPicture, state.Image3 } };
    for (const auto& load : loads)
        if (!load.path.empty())
            load.plane.load(loadPicture(load.path));
}

void runCutOut(WorkingState& state)
{
    cutOutSprites(state.Image1.surface(), state.Image3.surface(), state.CGauge1);
}

void runFourGreys(WorkingState& state, const Thresholds& thresholds)
{
    convertToFourGreys(state.Image1.surface(), state.Image2.surface(), thresholds, state.CGauge1);
}

void runVirtualMask(WorkingState& state, MaskChoice mask)
{
    applyVirtualMask(state.Image1.surface(), mask, state.CGauge1);
}

void runPreview(WorkingState& state, Step preview, MaskChoice mask)
{
    assert(preview == Step::PreviewReal || preview == Step::PreviewTi89 || preview == Step::PreviewTi92);
    if (preview == Step::PreviewReal)
        previewTrueColours(
            state.Image1.surface(), state.Image2.surface(), state.Image3.surface(), mask, state.CGauge1);
    else
        previewOnCalculator(state.Image1.surface(), state.Image2.surface(), state.Image3.surface(), mask,
            preview == Step::PreviewTi89 ? Ti89Palette : Ti92Palette, state.CGauge1);
}

BuildReport runBuild(WorkingState& state, int tileSize, bool mirrorMatching)
{
    assert(tileSize == 8 || tileSize == 16 || tileSize == 32);
    state.TileSize = tileSize;
    return buildMaps(state, mirrorMatching);
}

std::vector<std::string> runSave(const WorkingState& state, const std::string& baseName,
    const std::string& outputFolder, const std::string& spritePicture)
{
    const std::filesystem::path folder = pathFromUtf8(outputFolder);
    // The closing message is the window's box text; the batch tool reports
    // the files instead.
    saveLevel(state, baseName, folder, spritePicture);
    std::vector<std::string> written;
    for (const std::string& name : levelFileNames(baseName))
        written.push_back(outputFolder.empty() ? name : utf8Text(folder / pathFromUtf8(name)));
    return written;
}

void writeFullPlane(WorkingState& state, const std::string& file)
{
    // A plane holds at least one pixel each way: a loaded picture always
    // does, and so does the blank plane.
    replaceFile(pathFromUtf8(file), encodeBmp24(state.Image3.surface()));
}

RoadOutcome runRoad(WorkingState& state, const BatchOptions& options, const RoadEvents& events)
{
    assert(!options.help && !options.decode);
    const auto started = [&](Step step) {
        if (events.stepStarted)
            events.stepStarted(stepLabel(step));
    };
    const auto finished = [&] {
        if (events.stepFinished)
            events.stepFinished();
    };

    // The tile size radio is read by the build only; setting it first is
    // what clicking it at any time before the build does.
    state.TileSize = options.tileSize;
    loadPlanes(state, options.spritePicture, options.backgroundPicture, options.fullPicture);

    RoadOutcome outcome;
    const Settings& settings = options.settings;
    for (const Step step : options.steps) {
        started(step);
        switch (step) {
        case Step::CutOut: runCutOut(state); break;
        case Step::FourGreys: runFourGreys(state, settings.thresholds); break;
        case Step::VirtualMask: runVirtualMask(state, settings.mask); break;
        case Step::PreviewReal:
        case Step::PreviewTi89:
        case Step::PreviewTi92: runPreview(state, step, settings.mask); break;
        case Step::Build:
            outcome.lastBuild = runBuild(state, options.tileSize, settings.mirrorMatching);
            break;
        case Step::Save: {
            const std::vector<std::string> written
                = runSave(state, settings.baseName, options.outputFolder, options.spritePicture);
            outcome.filesWritten.insert(outcome.filesWritten.end(), written.begin(), written.end());
            break;
        }
        }
        finished();
        if (step == Step::Build && events.warning) {
            const std::string warning = overflowWarning(*outcome.lastBuild);
            if (!warning.empty())
                events.warning(warning);
        }
    }

    for (const PreviewOutput& preview : options.previews) {
        started(preview.preview);
        runPreview(state, preview.preview, settings.mask);
        finished();
        writeFullPlane(state, preview.file);
        outcome.filesWritten.push_back(preview.file);
    }
    return outcome;
}

} // namespace quilbrix
