#pragma once

#include "state/colour.h"

#include <string>

namespace quilbrix {

// Bounds of the three threshold boxes.
inline constexpr int ThresholdMin = 0;
inline constexpr int ThresholdMax = 1023;

// Longest base name the name box accepts.
inline constexpr int BaseNameMaxLength = 7;

// The grey thresholds, compared with a colour's brightness (0..765).
struct Thresholds {
    int T1 = 100;
    int T2 = 170;
    int T3 = 300;
};

// "M. Noir" or "M. Blanc": which grey marks transparent sprite pixels.
enum class MaskChoice { Black, White };

constexpr Colour maskColour(MaskChoice choice)
{
    return choice == MaskChoice::Black ? Black : White;
}

// What the option controls hold, read by a command when it starts. The
// window builds one from its controls each time; nothing keeps a copy.
struct Settings {
    Thresholds thresholds;
    MaskChoice mask = MaskChoice::Black;
    bool mirrorMatching = true;
    std::string baseName = "Demo";
};

} // namespace quilbrix
