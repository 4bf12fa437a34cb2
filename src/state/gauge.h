#pragma once

#include <algorithm>
#include <functional>

namespace quilbrix {

// The progress gauge: a whole percentage, 0 to 100. A view is told only when
// the shown percentage changes, so it repaints at most 101 times per command
// however often a command sets the value.
class Gauge {
public:
    int value() const { return value_; }

    // Shows `percent`, clamped to 0..100.
    void setProgress(int percent)
    {
        const int shown = std::clamp(percent, 0, 100);
        if (shown == value_)
            return;
        value_ = shown;
        if (onChange_)
            onChange_(shown);
    }

    // Called with the new percentage each time the shown value changes.
    void setView(std::function<void(int)> onChange) { onChange_ = std::move(onChange); }

private:
    int value_ = 0;
    std::function<void(int)> onChange_;
};

} // namespace quilbrix
