#include "reference_build.h"

namespace quilbrix::reference {

PlaneResult buildPlane(const Surface& plane, int tileSize, bool mirrorMatching, bool stopEarly)
{
    const int T = tileSize;
    PlaneResult result;
    result.cols = plane.width() / T;
    result.rows = plane.height() / T;
    result.entries.assign(static_cast<std::size_t>(result.cols) * result.rows, 0);
    result.strip = Surface(16368, 32, White);
    Surface& strip = result.strip;

    for (int c = 0; c < result.cols; ++c) {
        for (int r = 0; r < result.rows; ++r) {
            bool found = false;
            std::int32_t entry = 0;
            for (int t = 0; t < result.count && !found; ++t) {
                bool asIs = true, leftRight = true, topBottom = true, both = true;
                for (int px = 0;
                     px < T && (!stopEarly || asIs || (mirrorMatching && (leftRight || topBottom || both)));
                     ++px) {
                    for (int py = 0; py < T; ++py) {
                        const Colour s = strip.pixel(t * T + px, py);
                        if (plane.pixel(c * T + px, r * T + py) != s)
                            asIs = false;
                        if (mirrorMatching) {
                            if (plane.pixel(c * T + T - 1 - px, r * T + py) != s)
                                leftRight = false;
                            if (plane.pixel(c * T + px, r * T + T - 1 - py) != s)
                                topBottom = false;
                            if (plane.pixel(c * T + T - 1 - px, r * T + T - 1 - py) != s)
                                both = false;
                        }
                    }
                }
                if (!mirrorMatching)
                    leftRight = topBottom = both = false;
                if (asIs) {
                    entry = t;
                    found = true;
                } else if (leftRight) {
                    entry = t + 0x800;
                    found = true;
                } else if (topBottom) {
                    entry = t + 0x400;
                    found = true;
                } else if (both) {
                    entry = t + 0xC00;
                    found = true;
                }
            }
            if (!found) {
                entry = result.count;
                for (int px = 0; px < T; ++px)
                    for (int py = 0; py < T; ++py)
                        strip.setPixel(result.count * T + px, py, plane.pixel(c * T + px, r * T + py));
                ++result.count;
            }
            result.entries[static_cast<std::size_t>(r) * result.cols + c] = entry;
        }
    }
    return result;
}

} // namespace quilbrix::reference
