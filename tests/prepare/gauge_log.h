#pragma once

#include "state/gauge.h"

#include <vector>

namespace quilbrix::testing {

// A gauge with a view that records every percentage it is shown, as the
// window's gauge would repaint it.
struct GaugeLog {
    explicit GaugeLog(int start = 0)
    {
        gauge.setProgress(start);
        gauge.setView([this](int shown) { this->shown.push_back(shown); });
    }
    GaugeLog(const GaugeLog&) = delete;
    GaugeLog& operator=(const GaugeLog&) = delete;

    // The highest percentage shown before the last one (the run's end).
    int highestDuringRun() const
    {
        int highest = 0;
        for (std::size_t i = 0; i + 1 < shown.size(); ++i)
            highest = shown[i] > highest ? shown[i] : highest;
        return highest;
    }

    Gauge gauge;
    std::vector<int> shown;
};

} // namespace quilbrix::testing
