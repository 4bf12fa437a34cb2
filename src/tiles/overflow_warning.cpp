#include "tiles/overflow_warning.h"

namespace quilbrix {

std::string overflowWarning(const BuildReport& report)
{
    std::string text;
    const auto describe = [&](const PlaneBuild& plane, const char* subject) {
        if (!plane.overflow())
            return;
        if (!text.empty())
            text += "\n\n";
        text += std::string(subject) + " demande " + std::to_string(plane.count)
            + " tuiles distinctes : au-delà de " + std::to_string(plane.limit)
            + ", la bande de tuiles et les indices de la carte ne peuvent plus les contenir. La carte et "
              "les tuiles de ce plan sont incomplètes et ne pourront pas être enregistrées.";
    };
    describe(report.sprite, "Le plan de sprites");
    describe(report.background, "L'arrière-plan");
    return text;
}

} // namespace quilbrix
