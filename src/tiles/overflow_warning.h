#pragma once

#include "tiles/build.h"

#include <string>

namespace quilbrix {

// The warning after a build in which a plane needed more distinct tiles
// than its strip or the index field holds: one paragraph per such plane,
// the sprite plane first, separated by a blank line, each naming the count
// and the limit. Empty when neither plane overflowed. The window shows it
// in a warning box, the batch tool on standard error.
std::string overflowWarning(const BuildReport& report);

} // namespace quilbrix
