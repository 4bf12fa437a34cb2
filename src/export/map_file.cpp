#include "export/map_file.h"

#include <cassert>

namespace quilbrix {

void WriteMapFile(std::vector<std::uint8_t>& out, const Map& map)
{
    assert(map.cols >= 0 && map.rows >= 0);
    assert(map.entries.size() == static_cast<std::size_t>(map.cols) * static_cast<std::size_t>(map.rows));
    const std::size_t start = out.size();
    out.resize(start + 2 * map.entries.size());
    std::uint8_t* field = out.data() + start;
    // The entries are held in the file's own row order, so they are written
    // straight through; bits 16-31 do not reach the file.
    for (const std::int32_t entry : map.entries) {
        const auto e = static_cast<std::uint32_t>(entry);
        field[0] = static_cast<std::uint8_t>(e & 0xFF);
        field[1] = static_cast<std::uint8_t>((e >> 8) & 0xFF);
        field += 2;
    }
}

} // namespace quilbrix
