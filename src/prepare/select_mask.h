#pragma once

#include "state/colour.h"

namespace quilbrix {

// All ones when `hit` holds, else zero. The pixel loops combine colours
// with these masks rather than with nested selections, which lets the
// compiler treat several pixels at once without blends.
constexpr Colour selectMask(bool hit)
{
    return Colour { 0 } - static_cast<Colour>(hit);
}

} // namespace quilbrix
