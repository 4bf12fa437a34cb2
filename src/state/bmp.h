#pragma once

#include "state/surface.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quilbrix {

// The largest picture a plane may hold, in each direction.
inline constexpr int MaxPictureSide = 16384;

// Decodes a Windows bitmap file held in memory into a surface of 24-bit
// colours (0x00BBGGRR), so that commands read back exactly what they write.
//
// Reads the core (12-byte), info (40, 52, 56-byte), V4 (108) and V5 (124)
// headers; 1, 4 and 8 bits with a palette; 16 and 32 bits with the default
// fields (5-5-5 and 8-8-8) or with bit fields; 24 bits; RLE8 and RLE4.
// Rows may be stored bottom-up or, with a negative height, top-down (never
// for RLE). A field of fewer than 8 bits is shifted up to 8 bits (5-bit 31
// gives 248), a wider one keeps its top 8 bits; alpha is ignored. Pixels
// that an RLE stream skips (end of line, delta) are Black; an RLE run that
// goes past the end of its row (into the row's padding, as some writers do)
// is cut there; whatever follows the last row is ignored.
//
// Throws Error with:
//  - "Image bitmap incorrecte" for a bad signature, an unknown header size,
//    depth or compression, a width ≤ 0, a height of 0 or INT32_MIN, bit
//    fields that are empty, overlapping, not contiguous or wider than the
//    pixel, a palette index outside the palette (even in the cut part of
//    a run), an RLE delta that leaves the picture;
//  - "Erreur de lecture du flux" when the data ends before the header,
//    palette or pixels that the header declares (checked before any pixel
//    memory is allocated);
//  - "Image trop grande : W x H pixels (16384 x 16384 au plus)" for a
//    picture wider or taller than MaxPictureSide.
// `data` may be null only when `size` is 0.
Surface decodeBmp(const std::uint8_t* data, std::size_t size);

// Encodes `picture` as a bottom-up 24-bit bitmap with a 40-byte info
// header, rows padded to 4 bytes. The top byte of each colour is dropped.
// decodeBmp gives back the same pixels. Expects a picture of at least one
// pixel each way.
std::vector<std::uint8_t> encodeBmp24(const Surface& picture);

} // namespace quilbrix
