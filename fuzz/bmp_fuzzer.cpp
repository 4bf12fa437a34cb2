// Feeds arbitrary bytes to the bitmap reader. A decoded picture must have a
// size within the cap and hold 24-bit colours only; any other outcome than a
// picture or an Error is a fault.
#include "state/bmp.h"
#include "state/error.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const quilbrix::Surface picture = quilbrix::decodeBmp(size ? data : nullptr, size);
        if (picture.width() <= 0 || picture.height() <= 0 || picture.width() > quilbrix::MaxPictureSide
            || picture.height() > quilbrix::MaxPictureSide)
            std::abort();
        for (int y = 0; y < picture.height(); ++y) {
            const quilbrix::Colour* row = picture.row(y);
            for (int x = 0; x < picture.width(); ++x)
                if (row[x] > 0xFFFFFFu)
                    std::abort();
        }
    } catch (const quilbrix::Error&) { }
    return 0;
}
