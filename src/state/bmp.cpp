#include "state/bmp.h"

#include "state/error.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <limits>
#include <string>

namespace quilbrix {

namespace {

constexpr std::uint32_t CompressionNone = 0; // BI_RGB
constexpr std::uint32_t CompressionRle8 = 1; // BI_RLE8
constexpr std::uint32_t CompressionRle4 = 2; // BI_RLE4
constexpr std::uint32_t CompressionBitFields = 3; // BI_BITFIELDS

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::size_t CoreHeaderSize = 12;

// A palette entry that no index may use. Its top bit is set, which no real
// colour has, so a row can be decoded without a branch per pixel and checked
// once at its end.
constexpr Colour NoEntry = 0xFFFFFFFFu;

[[noreturn]] void invalidPicture()
{
    throw Error("Image bitmap incorrecte");
}

[[noreturn]] void streamEnded()
{
    throw Error("Erreur de lecture du flux");
}

[[noreturn]] void pictureTooLarge(std::int64_t width, std::int64_t height)
{
    throw Error("Image trop grande : " + std::to_string(width) + " x " + std::to_string(height) + " pixels ("
        + std::to_string(MaxPictureSide) + " x " + std::to_string(MaxPictureSide) + " au plus)");
}

std::uint16_t le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void putLe16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putLe32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    putLe16(out, v);
    putLe16(out, v >> 16);
}

// The colour in our layout of bytes stored blue, green, red.
constexpr Colour fromBgr(const std::uint8_t* p)
{
    return static_cast<Colour>(p[2]) | (static_cast<Colour>(p[1]) << 8) | (static_cast<Colour>(p[0]) << 16);
}

// One colour component given by a bit mask over the pixel value.
class Channel {
public:
    Channel() = default;

    // Expects a non-zero contiguous mask; decodeBmp checks that first.
    explicit Channel(std::uint32_t mask)
        : mask_(mask)
        , shift_(std::countr_zero(mask))
        , bits_(std::popcount(mask))
    {
        assert(mask != 0);
    }

    std::uint32_t mask() const { return mask_; }

    // The component in 8 bits: a narrower field is shifted up, so its
    // largest value gives 248 for 5 bits and 252 for 6 bits, as the usual
    // bitmap readers give; a wider one keeps its top 8 bits.
    std::uint32_t eightBits(std::uint32_t pixel) const
    {
        const std::uint32_t v = (pixel & mask_) >> shift_;
        return bits_ >= 8 ? v >> (bits_ - 8) : v << (8 - bits_);
    }

private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    int bits_ = 0;
};

struct BitFields {
    Channel red, green, blue;

    Colour colour(std::uint32_t pixel) const
    {
        return red.eightBits(pixel) | (green.eightBits(pixel) << 8) | (blue.eightBits(pixel) << 16);
    }
};

// The fields of a mask triple, refused when a mask is empty, has gaps, lies
// beyond the pixel's bits or shares bits with another.
BitFields checkedFields(std::uint32_t red, std::uint32_t green, std::uint32_t blue, int bitsPerPixel)
{
    const std::uint32_t masks[] = { red, green, blue };
    for (std::uint32_t m : masks) {
        if (m == 0)
            invalidPicture();
        if (bitsPerPixel < 32 && (m >> bitsPerPixel) != 0)
            invalidPicture();
        const std::uint32_t field = m >> std::countr_zero(m);
        if ((field & (field + 1)) != 0)
            invalidPicture();
    }
    if ((red & green) != 0 || (red & blue) != 0 || (green & blue) != 0)
        invalidPicture();
    return { Channel(red), Channel(green), Channel(blue) };
}

// What the headers say about the picture.
struct Layout {
    std::int64_t width = 0;
    std::int64_t rows = 0; // |height|
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = CompressionNone;
    std::size_t offset = 0; // of the pixel data, from the file's start
    BitFields fields;
    // 256 entries whatever the depth; those past the file's palette are
    // NoEntry.
    std::array<Colour, 256> palette {};
};

Layout readHeaders(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        streamEnded();
    if (data[0] != 'B' || data[1] != 'M')
        invalidPicture();
    if (size < FileHeaderSize + 4)
        streamEnded();

    Layout layout;
    layout.offset = le32(data + 10);
    const std::size_t headerSize = le32(data + FileHeaderSize);
    switch (headerSize) {
    case CoreHeaderSize:
    case InfoHeaderSize:
    case 52: // the info header with the three masks
    case 56: // ... and the alpha mask
    case 108: // V4
    case 124: // V5
        break;
    default: invalidPicture();
    }
    if (size - FileHeaderSize < headerSize)
        streamEnded();

    const std::uint8_t* h = data + FileHeaderSize;
    const bool core = headerSize == CoreHeaderSize;
    std::uint32_t paletteCount = 0;
    if (core) {
        layout.width = le16(h + 4);
        layout.rows = le16(h + 6);
        layout.bitsPerPixel = le16(h + 10);
    } else {
        const auto height = static_cast<std::int32_t>(le32(h + 8));
        if (height == std::numeric_limits<std::int32_t>::min())
            invalidPicture();
        layout.width = static_cast<std::int32_t>(le32(h + 4));
        layout.rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
        layout.topDown = height < 0;
        layout.bitsPerPixel = le16(h + 14);
        layout.compression = le32(h + 16);
        paletteCount = le32(h + 32);
    }
    if (layout.width <= 0 || layout.rows == 0)
        invalidPicture();

    const int bits = layout.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        invalidPicture();
    switch (layout.compression) {
    case CompressionNone: break;
    case CompressionRle8:
        if (bits != 8 || layout.topDown)
            invalidPicture();
        break;
    case CompressionRle4:
        if (bits != 4 || layout.topDown)
            invalidPicture();
        break;
    case CompressionBitFields:
        if (bits != 16 && bits != 32)
            invalidPicture();
        break;
    default: invalidPicture();
    }

    std::size_t pos = FileHeaderSize + headerSize;
    if (bits == 16)
        layout.fields = checkedFields(0x7C00, 0x03E0, 0x001F, 16);
    else if (bits == 32)
        layout.fields = checkedFields(0xFF0000, 0x00FF00, 0x0000FF, 32);
    if (layout.compression == CompressionBitFields) {
        // The info header keeps its masks after it; the longer headers hold
        // them at the same place inside.
        const std::uint8_t* masks = h + InfoHeaderSize;
        if (headerSize == InfoHeaderSize) {
            if (size - pos < 12)
                streamEnded();
            pos += 12;
        }
        layout.fields = checkedFields(le32(masks), le32(masks + 4), le32(masks + 8), bits);
    }

    // Pixel data may not start inside the headers.
    if (layout.offset < pos)
        invalidPicture();

    layout.palette.fill(NoEntry);
    if (bits <= 8) {
        const std::size_t entrySize = core ? 3 : 4;
        std::size_t count = std::size_t { 1 } << bits;
        if (paletteCount != 0 && paletteCount < count)
            count = paletteCount;
        // A palette that runs into the pixel data keeps what lies before it.
        count = std::min(count, (layout.offset - pos) / entrySize);
        if (size - pos < count * entrySize)
            streamEnded();
        for (std::size_t i = 0; i < count; ++i)
            layout.palette[i] = fromBgr(data + pos + i * entrySize);
    }
    return layout;
}

void decodeRows(const Layout& layout, const std::uint8_t* data, std::size_t stride, Surface& picture)
{
    const int width = picture.width();
    const int rows = picture.height();
    const Colour* palette = layout.palette.data();
    const BitFields& fields = layout.fields;
    const bool defaultFields32 = layout.compression == CompressionNone;
    for (int r = 0; r < rows; ++r) {
        const std::uint8_t* src = data + layout.offset + static_cast<std::size_t>(r) * stride;
        Colour* out = picture.row(layout.topDown ? r : rows - 1 - r);
        Colour seen = 0;
        switch (layout.bitsPerPixel) {
        case 1:
            for (int x = 0; x < width; ++x)
                seen |= out[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                seen |= out[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
            break;
        case 8:
            for (int x = 0; x < width; ++x)
                seen |= out[x] = palette[src[x]];
            break;
        case 16:
            for (int x = 0; x < width; ++x)
                out[x] = fields.colour(le16(src + 2 * x));
            break;
        case 24:
            for (int x = 0; x < width; ++x)
                out[x] = fromBgr(src + 3 * x);
            break;
        case 32:
            if (defaultFields32) {
                for (int x = 0; x < width; ++x)
                    out[x] = fromBgr(src + 4 * x);
            } else {
                for (int x = 0; x < width; ++x)
                    out[x] = fields.colour(le32(src + 4 * x));
            }
            break;
        default: assert(false);
        }
        if (seen & 0x80000000u)
            invalidPicture();
    }
}

// Runs an RLE8 or RLE4 stream from the bottom row up. Pixels it never
// reaches stay as `picture` holds them (Black).
void decodeRle(const Layout& layout, const std::uint8_t* data, std::size_t size, Surface& picture)
{
    const bool four = layout.compression == CompressionRle4;
    const int width = picture.width();
    const int rows = picture.height();
    const Colour* palette = layout.palette.data();
    const std::uint8_t* p = data + layout.offset;
    const std::uint8_t* const end = data + size;
    auto entry = [&](unsigned index) {
        const Colour c = palette[index];
        if (c & 0x80000000u)
            invalidPicture();
        return c;
    };

    int x = 0;
    int y = 0; // counted from the bottom row
    while (y < rows) {
        if (end - p < 2) {
            // A stream may stop right after its last pixel, without codes.
            if (y == rows - 1 && x == width)
                break;
            streamEnded();
        }
        const unsigned n = p[0];
        const unsigned c = p[1];
        p += 2;
        Colour* out = picture.row(rows - 1 - y);
        if (n > 0) {
            // An encoded run. Writers pad rows to whole words and may encode
            // the padding too (ImageMagick does), so a run stops at the end of
            // its row instead of spoiling the picture.
            const int count = std::min(static_cast<int>(n), width - x);
            if (four) {
                const Colour pair[2] = { entry(c >> 4), entry(c & 0xF) };
                for (int i = 0; i < count; ++i)
                    out[x + i] = pair[i & 1];
            } else {
                std::fill(out + x, out + x + count, entry(c));
            }
            x += count;
        } else if (c == 0) { // end of line
            x = 0;
            ++y;
        } else if (c == 1) { // end of bitmap
            break;
        } else if (c == 2) { // delta: move right and up
            if (end - p < 2)
                streamEnded();
            x += p[0];
            y += p[1];
            p += 2;
            if (x > width || y >= rows)
                invalidPicture();
        } else {
            // An absolute run of c indices, padded to a 16-bit boundary.
            const std::size_t bytes = four ? (c + 1) / 2 : c;
            const std::size_t padded = bytes + (bytes & 1);
            if (static_cast<std::size_t>(end - p) < padded)
                streamEnded();
            const int count = std::min(static_cast<int>(c), width - x);
            for (unsigned i = 0; i < c; ++i) {
                const Colour colour = entry(four ? (p[i >> 1] >> ((i & 1) ? 0 : 4)) & 0xF : p[i]);
                if (static_cast<int>(i) < count)
                    out[x + static_cast<int>(i)] = colour;
            }
            x += count;
            p += padded;
        }
    }
}

} // namespace

Surface decodeBmp(const std::uint8_t* data, std::size_t size)
{
    assert(data != nullptr || size == 0);
    const Layout layout = readHeaders(data, size);
    if (layout.offset > size)
        streamEnded();
    const std::size_t available = size - layout.offset;

    // Every size check runs before the pixels are allocated, in 64 bits, so
    // that a header claiming a huge picture over a few bytes costs nothing.
    const bool rle = layout.compression == CompressionRle8 || layout.compression == CompressionRle4;
    const auto width = static_cast<std::uint64_t>(layout.width);
    const auto rows = static_cast<std::uint64_t>(layout.rows);
    std::uint64_t stride = 0;
    if (rle) {
        // Each two bytes of a stream give at most 255 pixels.
        if (width * rows > (available / 2) * 255)
            streamEnded();
    } else {
        stride = (width * static_cast<std::uint64_t>(layout.bitsPerPixel) + 31) / 32 * 4;
        if (stride > available / rows)
            streamEnded();
    }
    if (layout.width > MaxPictureSide || layout.rows > MaxPictureSide)
        pictureTooLarge(layout.width, layout.rows);

    Surface picture(static_cast<int>(layout.width), static_cast<int>(layout.rows), Black);
    if (rle)
        decodeRle(layout, data, size, picture);
    else
        decodeRows(layout, data, static_cast<std::size_t>(stride), picture);
    return picture;
}

std::vector<std::uint8_t> encodeBmp24(const Surface& picture)
{
    assert(picture.width() > 0 && picture.height() > 0);
    const auto width = static_cast<std::uint32_t>(picture.width());
    const auto height = static_cast<std::uint32_t>(picture.height());
    const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t offset = FileHeaderSize + InfoHeaderSize;
    const std::uint32_t imageSize = stride * height;

    std::vector<std::uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    putLe32(out, offset + imageSize);
    putLe32(out, 0); // reserved
    putLe32(out, offset);
    putLe32(out, InfoHeaderSize);
    putLe32(out, width);
    putLe32(out, height); // positive: bottom-up rows
    putLe16(out, 1); // planes
    putLe16(out, 24);
    putLe32(out, CompressionNone);
    putLe32(out, imageSize);
    putLe32(out, 2835); // 72 dots per inch, in dots per metre
    putLe32(out, 2835);
    putLe32(out, 0); // palette entries
    putLe32(out, 0); // important colours
    for (int y = picture.height() - 1; y >= 0; --y) {
        const Colour* row = picture.row(y);
        for (std::uint32_t x = 0; x < width; ++x) {
            out.push_back(static_cast<std::uint8_t>(blue(row[x])));
            out.push_back(static_cast<std::uint8_t>(green(row[x])));
            out.push_back(static_cast<std::uint8_t>(red(row[x])));
        }
        out.insert(out.end(), stride - width * 3, 0);
    }
    return out;
}

} // namespace quilbrix
