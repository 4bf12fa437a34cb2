#pragma once

// Building bitmap files byte by byte in tests: fields are little-endian.

#include <cstdint>
#include <vector>

namespace quilbrix::testing {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void put32(Bytes& out, std::uint32_t v)
{
    put16(out, v);
    put16(out, v >> 16);
}

} // namespace quilbrix::testing
