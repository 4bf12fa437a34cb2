#include "state/working_state.h"

#include "state/error.h"

#include <new>
#include <stdexcept>

namespace quilbrix {

Map createMap(int cols, int rows, int tileSize)
{
    assert(cols >= 0 && rows >= 0);
    const auto cells = static_cast<std::uint64_t>(cols) * static_cast<std::uint64_t>(rows);
    Map map;
    map.cols = cols;
    map.rows = rows;
    map.tileSize = tileSize;
    const auto outOfMemory = [&] {
        return Error("Mémoire insuffisante pour créer une carte de " + std::to_string(cols) + " x "
            + std::to_string(rows) + " cases");
    };
    if (cells > map.entries.max_size())
        throw outOfMemory();
    try {
        map.entries.assign(static_cast<std::size_t>(cells), 0);
    } catch (const std::bad_alloc&) {
        throw outOfMemory();
    } catch (const std::length_error&) {
        throw outOfMemory();
    }
    return map;
}

} // namespace quilbrix
