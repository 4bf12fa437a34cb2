// Our bitmap reader against Qt's: the committed corpus (written by
// ImageMagick, Pillow and scripts/make-bmp-fixtures) and random well-formed
// files of every layout, decoded by both and compared pixel by pixel.
#include "state/bmp.h"
#include "state/colour.h"
#include "state/error.h"
#include "state/little_endian.h"

#include <QByteArray>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace quilbrix {
namespace {

using testing::Bytes;
using testing::put16;
using testing::put32;

// What Qt makes of pixels that an RLE stream skips is whatever its memory
// held; we make them Black. Files with skips use palettes without Black, and
// their Black pixels are left out of the comparison.
enum class Skips { None, LeftOut };

// Compares our decoding of `file` with Qt's decoding of `qtFile` (the same
// pixels, in a layout Qt reads when it cannot read that of `file`); says
// where and how they first differ.
::testing::AssertionResult sameAsQt(const Bytes& file, const Bytes& qtFile, Skips skips = Skips::None)
{
    const QImage theirs = QImage::fromData(
        reinterpret_cast<const uchar*>(qtFile.data()), static_cast<int>(qtFile.size()), "BMP");
    if (theirs.isNull())
        return ::testing::AssertionFailure() << "Qt cannot decode it";
    Surface ours;
    try {
        ours = decodeBmp(file.data(), file.size());
    } catch (const Error& e) {
        return ::testing::AssertionFailure() << "we refuse it: " << e.what();
    }
    if (ours.width() != theirs.width() || ours.height() != theirs.height())
        return ::testing::AssertionFailure() << "size " << ours.width() << "x" << ours.height() << ", Qt "
                                             << theirs.width() << "x" << theirs.height();
    int differences = 0;
    std::ostringstream first;
    for (int y = 0; y < ours.height(); ++y)
        for (int x = 0; x < ours.width(); ++x) {
            const QRgb q = theirs.pixel(x, y);
            const Colour expected = rgb(qRed(q), qGreen(q), qBlue(q));
            if (skips == Skips::LeftOut && ours.pixel(x, y) == Black)
                continue;
            if (ours.pixel(x, y) != expected && differences++ == 0)
                first << std::hex << "at (" << std::dec << x << ", " << y << ") ours " << std::hex
                      << ours.pixel(x, y) << ", Qt " << expected;
        }
    if (differences > 0)
        return ::testing::AssertionFailure() << differences << " pixels differ, first " << first.str();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult sameAsQt(const Bytes& file, Skips skips = Skips::None)
{
    return sameAsQt(file, file, skips);
}

Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> corpus()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(QUILBRIX_FIXTURES "/bmp"))
        if (entry.path().extension() == ".bmp")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Corpus : public ::testing::TestWithParam<std::string> { };

Bytes fixture(const std::string& name)
{
    return readFile(std::filesystem::path(QUILBRIX_FIXTURES "/bmp") / (name + ".bmp"));
}

TEST_P(Corpus, DecodesAsQtDoes)
{
    const std::string& name = GetParam();
    const Bytes file = fixture(name);
    ASSERT_FALSE(file.empty());
    // Qt reads neither of the short info headers with masks; these files
    // are the V5 file with its header cut, so Qt reads that one.
    if (name == "info52-rgb565" || name == "info56-rgb565")
        EXPECT_TRUE(sameAsQt(file, fixture("v5-rgb565")));
    else
        EXPECT_TRUE(sameAsQt(file, name.find("skips") != std::string::npos ? Skips::LeftOut : Skips::None));
}

INSTANTIATE_TEST_SUITE_P(Bmp, Corpus, ::testing::ValuesIn(corpus()), [](const auto& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST(Corpus, CoversEveryLayout)
{
    // The layouts the reader takes; a missing one means the fixtures were
    // made without it.
    const auto names = corpus();
    for (const char* expected : { "pal1", "pal4", "pal8", "rle4", "rle8", "rgb16-default", "v5-rgb555",
             "v5-rgb565", "rgb24", "pillow-rgb32", "bitfields32-rgbx", "core24", "core8", "v4-argb32",
             "v5-argb32", "info52-rgb565", "info56-rgb565", "topdown-rgb24" })
        EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
}

// --- random well-formed files ----------------------------------------------

// Draws the layout, the header and the pixels of a valid bitmap.
class RandomBitmap {
public:
    explicit RandomBitmap(std::mt19937& rng)
        : rng_(rng)
    { }

    Bytes make()
    {
        static constexpr int depths[] = { 1, 4, 8, 16, 24, 32 };
        // Qt reads no 52 or 56-byte header; the corpus has those.
        static constexpr int headers[] = { 12, 40, 108, 124 };
        bits_ = depths[pick(0, 5)];
        headerSize_ = headers[pick(0, 3)];
        if (headerSize_ == 12 && (bits_ == 16 || bits_ == 32))
            headerSize_ = 40;
        width_ = pick(1, 70);
        height_ = pick(1, 40);
        compression_ = 0;
        if (headerSize_ != 12) {
            if (bits_ == 8 && pick(0, 1))
                compression_ = 1;
            else if (bits_ == 4 && pick(0, 1))
                compression_ = 2;
            else if ((bits_ == 16 || bits_ == 32) && pick(0, 2))
                compression_ = 3;
        }
        topDown_ = headerSize_ != 12 && compression_ != 1 && compression_ != 2 && pick(0, 3) == 0;
        // A core header's palette always has 2^bits entries.
        paletteCount_ = bits_ > 8 ? 0 : headerSize_ == 12 ? 1 << bits_ : pick(1, 1 << bits_);
        if (compression_ == 3)
            drawMasks();

        Bytes pixels = compression_ == 1 || compression_ == 2 ? rleStream() : rows();
        Bytes header = infoHeader(static_cast<std::uint32_t>(pixels.size()));
        Bytes extra;
        if (compression_ == 3 && headerSize_ == 40)
            for (std::uint32_t m : masks_)
                put32(extra, m);
        Bytes palette;
        for (int i = 0; i < paletteCount_; ++i) {
            palette.push_back(byte() | 1); // never Black: see Skips
            palette.push_back(byte());
            palette.push_back(byte());
            if (headerSize_ != 12)
                palette.push_back(0);
        }
        Bytes file { 'B', 'M' };
        const auto offset = static_cast<std::uint32_t>(14 + header.size() + extra.size() + palette.size());
        put32(file, offset + static_cast<std::uint32_t>(pixels.size()));
        put32(file, 0);
        put32(file, offset);
        file.insert(file.end(), header.begin(), header.end());
        file.insert(file.end(), extra.begin(), extra.end());
        file.insert(file.end(), palette.begin(), palette.end());
        file.insert(file.end(), pixels.begin(), pixels.end());
        return file;
    }

    bool rle() const { return compression_ == 1 || compression_ == 2; }

    std::string describe() const
    {
        std::ostringstream s;
        s << width_ << "x" << height_ << " bits " << bits_ << " header " << headerSize_ << " compression "
          << compression_ << (topDown_ ? " top-down" : "") << " palette " << paletteCount_;
        return s.str();
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    std::uint8_t byte() { return static_cast<std::uint8_t>(pick(0, 255)); }
    unsigned index() { return static_cast<unsigned>(pick(0, paletteCount_ - 1)); }

    // Three contiguous, disjoint fields of 1 to 8 bits in a random order.
    void drawMasks()
    {
        int order[3] = { 0, 1, 2 };
        std::shuffle(std::begin(order), std::end(order), rng_);
        int low = 0;
        for (int k : order) {
            const int width = pick(1, 8);
            const int room = bits_ - low - width;
            if (room < 0) {
                masks_[k] = 1u << (bits_ - 1 - k); // the pixel is full: single bits at the top
                continue;
            }
            low += pick(0, std::min(room, 3));
            masks_[k] = ((1u << width) - 1) << low;
            low += width;
        }
        // Single-bit fallbacks may collide with fields placed before them.
        if ((masks_[0] & masks_[1]) || (masks_[0] & masks_[2]) || (masks_[1] & masks_[2])) {
            masks_[0] = 0x00F0u;
            masks_[1] = 0x000Fu;
            masks_[2] = 0x0F00u;
        }
    }

    Bytes infoHeader(std::uint32_t imageSize)
    {
        Bytes h;
        put32(h, static_cast<std::uint32_t>(headerSize_));
        if (headerSize_ == 12) {
            put16(h, static_cast<std::uint32_t>(width_));
            put16(h, static_cast<std::uint32_t>(height_));
            put16(h, 1);
            put16(h, static_cast<std::uint32_t>(bits_));
            return h;
        }
        put32(h, static_cast<std::uint32_t>(width_));
        put32(h, static_cast<std::uint32_t>(topDown_ ? -height_ : height_));
        put16(h, 1);
        put16(h, static_cast<std::uint32_t>(bits_));
        put32(h, static_cast<std::uint32_t>(compression_));
        put32(h, imageSize);
        put32(h, 2835);
        put32(h, 2835);
        put32(h, static_cast<std::uint32_t>(paletteCount_));
        put32(h, 0);
        if (headerSize_ > 40) {
            for (std::uint32_t m : masks_)
                put32(h, compression_ == 3 ? m : 0);
            put32(h, 0); // alpha: none
            h.resize(static_cast<std::size_t>(headerSize_), 0);
        }
        return h;
    }

    Bytes rows()
    {
        const std::size_t stride = (static_cast<std::size_t>(width_) * bits_ + 31) / 32 * 4;
        Bytes out;
        for (int y = 0; y < height_; ++y) {
            Bytes row(stride, 0);
            for (int x = 0; x < width_; ++x) {
                switch (bits_) {
                case 1: row[x / 8] |= static_cast<std::uint8_t>(index() << (7 - x % 8)); break;
                case 4: row[x / 2] |= static_cast<std::uint8_t>(index() << (x % 2 ? 0 : 4)); break;
                case 8: row[x] = static_cast<std::uint8_t>(index()); break;
                case 16: {
                    const auto v = static_cast<std::uint32_t>(pick(0, 0xFFFF));
                    row[2 * x] = static_cast<std::uint8_t>(v);
                    row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                    break;
                }
                case 24:
                case 32:
                    for (int k = 0; k < bits_ / 8; ++k)
                        row[bits_ / 8 * x + k] = byte();
                    // Opaque alpha where a field could be read as one.
                    if (bits_ == 32 && compression_ == 0)
                        row[4 * x + 3] = 0xFF;
                    break;
                }
            }
            out.insert(out.end(), row.begin(), row.end());
        }
        return out;
    }

    // A stream of runs, absolute runs, ends of line and deltas that stays
    // inside the picture. Runs may go into the row's padding, as ImageMagick
    // writes them, but no further: Qt lets a longer run spill into the next
    // row of its memory, where we cut it at the row's end.
    Bytes rleStream()
    {
        const bool four = compression_ == 2;
        Bytes out;
        int x = 0;
        int y = 0;
        const int padded = (width_ + 3) / 4 * 4; // Qt's row of 8-bit indices
        auto nibblePair = [&] { return static_cast<std::uint8_t>(index() << 4 | index()); };
        while (y < height_) {
            const int what = pick(0, 19);
            if (x >= width_ || what == 0) {
                out.push_back(0);
                out.push_back(0);
                x = 0;
                ++y;
            } else if (what == 1 && y + 1 < height_) {
                // Qt loses its place after a delta that lands just past the
                // row's last pixel; we take it as it is, Qt's check stays short of it.
                const int dx = pick(0, width_ - x - 1);
                const int dy = pick(0, std::min(3, height_ - 1 - y));
                out.insert(out.end(), { 0, 2, static_cast<std::uint8_t>(dx), static_cast<std::uint8_t>(dy) });
                x += dx;
                y += dy;
            } else if (what < 12 || padded - x < 3) {
                const int n = pick(1, std::min(255, padded - x));
                out.push_back(static_cast<std::uint8_t>(n));
                out.push_back(four ? nibblePair() : static_cast<std::uint8_t>(index()));
                x = std::min(width_, x + n);
            } else {
                const int n = pick(3, std::min(255, padded - x));
                out.push_back(0);
                out.push_back(static_cast<std::uint8_t>(n));
                const int bytes = four ? (n + 1) / 2 : n;
                for (int i = 0; i < bytes; ++i)
                    out.push_back(four ? nibblePair() : static_cast<std::uint8_t>(index()));
                if (bytes % 2)
                    out.push_back(0);
                x = std::min(width_, x + n);
            }
            if (y == height_ - 1 && x >= width_)
                break;
        }
        if (pick(0, 3))
            out.insert(out.end(), { 0, 1 });
        return out;
    }

    std::mt19937& rng_;
    int bits_ = 24;
    int headerSize_ = 40;
    int width_ = 1;
    int height_ = 1;
    int compression_ = 0;
    bool topDown_ = false;
    int paletteCount_ = 0;
    std::uint32_t masks_[3] = { 0, 0, 0 };
};

TEST(RandomBitmaps, DecodeAsQtDoes)
{
    std::mt19937 rng(20240611);
    RandomBitmap maker(rng);
    for (int i = 0; i < 3000; ++i) {
        const Bytes file = maker.make();
        ASSERT_TRUE(sameAsQt(file, maker.rle() ? Skips::LeftOut : Skips::None))
            << "case " << i << ": " << maker.describe();
    }
}

} // namespace
} // namespace quilbrix
