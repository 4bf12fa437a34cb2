#pragma once

#include "state/surface.h"
#include "tiles/planes.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace quilbrix::testing {

using Bytes = std::vector<std::uint8_t>;

// A fresh, empty folder of its own under the system's temporary folder,
// removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device seed;
        const auto root = std::filesystem::temp_directory_path();
        do
            path_ = root / ("quilbrix-export-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        while (!std::filesystem::create_directory(path_));
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(
            path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // The names of everything the folder holds.
    std::set<std::string> names() const
    {
        std::set<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            found.insert(entry.path().filename().string());
        return found;
    }

private:
    std::filesystem::path path_;
};

inline Bytes readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

inline constexpr Colour FourGreys[] = { Black, DarkGrey, LightGrey, White };

// A random tile of the four greys, none of its own mirror images (its
// first row and column carry an asymmetric mark), so every mirrored cell
// drawn from it gets a flag.
inline Tile fourGreyTile(std::mt19937& rng, int size)
{
    std::uniform_int_distribution<int> pick(0, 3);
    Tile t(static_cast<std::size_t>(size) * size);
    for (auto& p : t)
        p = FourGreys[pick(rng)];
    t[0] = Black;
    t[static_cast<std::size_t>(size) - 1] = White;
    t[static_cast<std::size_t>(size) * (size - 1)] = LightGrey;
    t[static_cast<std::size_t>(size) * size - 1] = DarkGrey;
    return t;
}

// A four-grey plane of cols × rows cells, each one of `tiles` random
// four-grey tiles in a random orientation, plus `extra` pixels of noise in
// other colours right and below that belong to no cell.
inline Surface fourGreyPlane(std::mt19937& rng, int size, int cols, int rows, int tiles, int extra)
{
    std::vector<Tile> set;
    for (int i = 0; i < tiles; ++i)
        set.push_back(fourGreyTile(rng, size));
    Surface plane = tiledPlane(rng, set, size, cols, rows, extra);
    std::uniform_int_distribution<Colour> any(0, 0xFFFFFF);
    for (int y = 0; y < plane.height(); ++y)
        for (int x = 0; x < plane.width(); ++x)
            if (x >= cols * size || y >= rows * size)
                plane.setPixel(x, y, any(rng));
    return plane;
}

// A four-grey plane of cols × rows cells that all differ as they are
// (though some may be mirror images of others): each cell's first row
// spells its serial number in base 4 in the four greys.
inline Surface fourGreySerialPlane(int size, int cols, int rows)
{
    Surface plane(cols * size, rows * size, White);
    int serial = 0;
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r, ++serial)
            for (int digit = 0; digit < 8; ++digit)
                plane.setPixel(c * size + digit, r * size, FourGreys[(serial >> (2 * digit)) & 3]);
    return plane;
}

// The top-left w × h pixels of `surface`.
inline Surface crop(const Surface& surface, int w, int h)
{
    Surface out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.setPixel(x, y, surface.pixel(x, y));
    return out;
}

} // namespace quilbrix::testing
