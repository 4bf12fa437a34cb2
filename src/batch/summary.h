#pragma once

#include "batch/road.h"

#include <string>
#include <vector>

namespace quilbrix {

// The closing line of a run on standard output, without --quiet: the tile
// counts of the last build, if one ran, then the files written, e.g.
// "Plan de sprites : 12 tuiles, arrière-plan : 40 tuiles ; fichiers écrits :
// Demo1.lvl, Demo2.lvl, Demo1.bin, Demo2.bin". "aucun fichier écrit" when
// nothing was.
std::string summaryLine(const RoadOutcome& outcome);

// The closing line of --decode: "Plans décodés ; fichiers écrits : ...".
std::string decodeSummaryLine(const std::vector<std::string>& filesWritten);

} // namespace quilbrix
