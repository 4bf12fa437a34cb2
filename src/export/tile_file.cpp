#include "export/tile_file.h"

#include "state/error.h"

#include <cassert>
#include <climits>

namespace quilbrix {

namespace {

// Appends the `bytes` low bytes of `word`, high byte first.
void putBigEndian(std::uint8_t*& out, std::uint32_t word, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        *out++ = static_cast<std::uint8_t>((word >> shift) & 0xFF);
}

template <int Size> void writeTiles(std::uint8_t* out, const Surface& strip, int count)
{
    constexpr int WordBytes = Size == 32 ? 4 : 2;
    Colour outside[Size];
    for (int k = 0; k < count; ++k) {
        const long long left = static_cast<long long>(k) * Size;
        const bool inside = left + Size <= strip.width();
        for (int r = 0; r < Size; ++r) {
            const Colour* row;
            if (inside && r < strip.height()) {
                row = strip.row(r) + left;
            } else {
                // A tile at or beyond the strip's edge: the pixels outside
                // read as InvalidColour, which gives (0, 0).
                for (int c = 0; c < Size; ++c) {
                    const long long x = left + c;
                    outside[c] = x < strip.width() ? strip.pixel(static_cast<int>(x), r) : InvalidColour;
                }
                row = outside;
            }
            std::uint32_t dark = 0;
            std::uint32_t light = 0;
            for (int c = 0; c < Size; ++c) {
                const Colour p = row[c];
                dark = (dark << 1) | static_cast<std::uint32_t>(p == Black || p == DarkGrey);
                light = (light << 1) | static_cast<std::uint32_t>(p == Black || p == LightGrey);
            }
            putBigEndian(out, dark, WordBytes);
            putBigEndian(out, light, WordBytes);
        }
    }
}

} // namespace

void WriteTileFile(std::vector<std::uint8_t>& out, const Surface& strip, int count, int tileSize)
{
    assert(tileSize == 8 || tileSize == 16 || tileSize == 32);
    assert(count >= 0);
    const std::size_t start = out.size();
    out.resize(start + tileFileBytes(count, tileSize));
    std::uint8_t* bytes = out.data() + start;
    switch (tileSize) {
    case 8: writeTiles<8>(bytes, strip, count); break;
    case 16: writeTiles<16>(bytes, strip, count); break;
    default: writeTiles<32>(bytes, strip, count); break;
    }
}

int parseCount(const std::string& caption)
{
    const auto refuse = [&] { return Error("'" + caption + "' n'est pas une valeur entière correcte"); };
    if (caption.empty())
        throw refuse();
    long long value = 0;
    for (const char ch : caption) {
        if (ch < '0' || ch > '9')
            throw refuse();
        value = value * 10 + (ch - '0');
        if (value > INT_MAX)
            throw refuse();
    }
    return static_cast<int>(value);
}

} // namespace quilbrix
