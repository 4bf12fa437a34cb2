#include "batch/summary.h"

namespace quilbrix {

namespace {

// French puts 0 and 1 in the singular.
std::string tiles(int count)
{
    return std::to_string(count) + (count < 2 ? " tuile" : " tuiles");
}

std::string files(const std::vector<std::string>& written)
{
    if (written.empty())
        return "aucun fichier écrit";
    std::string text = written.size() == 1 ? "fichier écrit : " : "fichiers écrits : ";
    for (std::size_t i = 0; i < written.size(); ++i)
        text += (i ? ", " : "") + written[i];
    return text;
}

} // namespace

std::string summaryLine(const RoadOutcome& outcome)
{
    std::string line;
    if (outcome.lastBuild)
        line = "Plan de sprites : " + tiles(outcome.lastBuild->sprite.count)
            + ", arrière-plan : " + tiles(outcome.lastBuild->background.count) + " ; ";
    std::string written = files(outcome.filesWritten);
    // Alone, the list starts the sentence.
    if (line.empty())
        written[0] = static_cast<char>(written[0] - 'a' + 'A');
    return line + written;
}

std::string decodeSummaryLine(const std::vector<std::string>& filesWritten)
{
    return "Plans décodés ; " + files(filesWritten);
}

} // namespace quilbrix
