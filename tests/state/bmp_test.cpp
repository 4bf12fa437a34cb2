#include "little_endian.h"
#include "state/bmp.h"
#include "state/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace quilbrix {
namespace {

using testing::Bytes;
using testing::put16;
using testing::put32;

Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string messageOf(const Bytes& file)
{
    try {
        decodeBmp(file.data(), file.size());
    } catch (const Error& e) {
        return e.what();
    }
    return "(decoded)";
}

// A bitmap file put together field by field, for the worked examples.
struct Bitmap {
    int width = 1;
    int height = 1;
    int bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t paletteCount = 0;
    std::vector<Colour> palette; // written as blue, green, red, 0
    Bytes masks; // written right after a 40-byte header
    Bytes pixels;

    Bytes file() const
    {
        Bytes header;
        put32(header, 40);
        put32(header, static_cast<std::uint32_t>(width));
        put32(header, static_cast<std::uint32_t>(height));
        put16(header, 1);
        put16(header, static_cast<std::uint32_t>(bits));
        put32(header, compression);
        put32(header, static_cast<std::uint32_t>(pixels.size()));
        put32(header, 2835);
        put32(header, 2835);
        put32(header, paletteCount);
        put32(header, 0);
        Bytes out { 'B', 'M' };
        const auto offset
            = static_cast<std::uint32_t>(14 + header.size() + masks.size() + 4 * palette.size());
        put32(out, offset + static_cast<std::uint32_t>(pixels.size()));
        put32(out, 0);
        put32(out, offset);
        out.insert(out.end(), header.begin(), header.end());
        out.insert(out.end(), masks.begin(), masks.end());
        for (Colour c : palette)
            out.insert(out.end(),
                { static_cast<std::uint8_t>(blue(c)), static_cast<std::uint8_t>(green(c)),
                    static_cast<std::uint8_t>(red(c)), 0 });
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};

Bytes masks(std::initializer_list<std::uint32_t> values)
{
    Bytes out;
    for (std::uint32_t v : values)
        put32(out, v);
    return out;
}

// The expected picture, given top row first.
Surface picture(int width, std::initializer_list<Colour> topFirst)
{
    const int height = static_cast<int>(topFirst.size()) / width;
    Surface s(width, height, White);
    auto it = topFirst.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.setPixel(x, y, *it++);
    return s;
}

std::string dump(const Surface& s)
{
    std::string out;
    char cell[16];
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            std::snprintf(cell, sizeof cell, " %06X", s.pixel(x, y));
            out += cell;
        }
        out += "\n";
    }
    return out;
}

constexpr Colour A = 0x0000C8; // red 200
constexpr Colour B = 0x00C800; // green 200
constexpr Colour C = 0xC80000; // blue 200
constexpr Colour D = 0x5AFAFA;

struct Worked {
    const char* name;
    Bitmap bitmap;
    Surface expected;
};

// Each layout once, with pixels worked out by hand from the bytes.
std::vector<Worked> workedExamples()
{
    std::vector<Worked> cases;
    // Bits from the most significant one, rows bottom-up, 4-byte padding.
    cases.push_back(
        { "1 bit, 9 wide", { 9, 2, 1, 0, 2, { A, B }, {}, { 0xA5, 0x80, 0, 0, 0x5A, 0x00, 0, 0 } },
            picture(9, { A, B, A, B, B, A, B, A, A, B, A, B, A, A, B, A, B, B }) });
    cases.push_back({ "4 bits, high nibble first", { 3, 1, 4, 0, 3, { A, B, C }, {}, { 0x12, 0x00, 0, 0 } },
        picture(3, { B, C, A }) });
    cases.push_back({ "8 bits, palette shorter than 256",
        { 2, 2, 8, 0, 4, { A, B, C, D }, {}, { 3, 2, 0, 0, 0, 1, 0, 0 } }, picture(2, { A, B, D, C }) });
    cases.push_back({ "palette count above 2^bits is held to 2^bits",
        { 2, 1, 1, 0, 300, { A, B }, {}, { 0x40, 0, 0, 0 } }, picture(2, { A, B }) });
    // Blue, green, red bytes.
    cases.push_back({ "24 bits", { 2, 1, 24, 0, 0, {}, {}, { 1, 2, 3, 4, 5, 6, 0, 0 } },
        picture(2, { 0x010203, 0x040506 }) });
    cases.push_back({ "24 bits, top-down", { 1, -2, 24, 0, 0, {}, {}, { 1, 2, 3, 0, 4, 5, 6, 0 } },
        picture(1, { 0x010203, 0x040506 }) });
    cases.push_back({ "32 bits, the fourth byte ignored",
        { 2, 1, 32, 0, 0, {}, {}, { 1, 2, 3, 0x00, 4, 5, 6, 0x80 } }, picture(2, { 0x010203, 0x040506 }) });
    // 5-5-5 by default; fields shifted up, not stretched: 31 gives 248.
    cases.push_back(
        { "16 bits, default 5-5-5", { 3, 1, 16, 0, 0, {}, {}, { 0xFF, 0x7F, 0x1F, 0x00, 0x21, 0x04, 0, 0 } },
            picture(3, { 0xF8F8F8, 0xF80000, 0x080808 }) });
    cases.push_back({ "16 bits, 5-6-5 fields",
        { 2, 1, 16, 3, 0, {}, masks({ 0xF800, 0x07E0, 0x001F }), { 0x00, 0xF8, 0xE0, 0x07 } },
        picture(2, { 0x0000F8, 0x00FC00 }) });
    cases.push_back({ "16 bits, 1-bit and 3-bit fields",
        { 2, 1, 16, 3, 0, {}, masks({ 0x8000, 0x0007, 0x0038 }), { 0x05, 0x80, 0x38, 0x00 } },
        picture(2, { 0x00A080, 0xE00000 }) });
    // Fields wider than 8 bits keep their top 8 bits.
    cases.push_back({ "32 bits, 10-bit fields",
        { 1, 1, 32, 3, 0, {}, masks({ 0x3FF00000, 0x000FFC00, 0x000003FF }), { 0x00, 0x00, 0xF8, 0x3F } },
        picture(1, { 0x0080FF }) });
    cases.push_back({ "32 bits, fields in another order",
        { 1, 1, 32, 3, 0, {}, masks({ 0x000000FF, 0x0000FF00, 0x00FF0000 }), { 0x11, 0x22, 0x33, 0x44 } },
        picture(1, { 0x332211 }) });

    // RLE8: run, delta, end of line, absolute run with padding, end of
    // bitmap; skipped pixels are Black.
    cases.push_back({ "RLE8",
        { 4, 3, 8, 1, 4, { A, B, C, D }, {}, { 2, 1, 0, 2, 1, 1, 1, 2, 0, 0, 0, 3, 3, 0, 1, 0, 0, 1 } },
        picture(4, { D, A, B, Black, Black, Black, Black, C, B, B, Black, Black }) });
    cases.push_back({ "RLE8 run into the row's padding is cut at the row's end",
        { 3, 2, 8, 1, 2, { A, B }, {}, { 4, 1, 0, 0, 0, 4, 0, 0, 0, 1, 0, 1 } },
        picture(3, { A, A, A, B, B, B }) });
    cases.push_back({ "RLE8 codes after the last row are ignored",
        { 2, 1, 8, 1, 2, { A, B }, {}, { 2, 1, 0, 0, 2, 0, 0, 0, 9, 9, 9 } }, picture(2, { B, B }) });
    cases.push_back({ "RLE8 stream ending right after the last pixel",
        { 2, 2, 8, 1, 2, { A, B }, {}, { 2, 1, 0, 0, 2, 0 } }, picture(2, { A, A, B, B }) });
    // RLE4: a run alternates the two nibbles; an absolute run of 3 nibbles
    // takes 2 bytes, already a whole word.
    cases.push_back(
        { "RLE4", { 5, 2, 4, 2, 3, { A, B, C }, {}, { 5, 0x12, 0, 0, 0, 3, 0x21, 0x00, 2, 0x00, 0, 1 } },
            picture(5, { C, B, A, A, A, B, C, B, C, B }) });
    return cases;
}

TEST(DecodeBmp, WorkedExamples)
{
    for (const Worked& c : workedExamples()) {
        const Bytes file = c.bitmap.file();
        Surface got;
        ASSERT_NO_THROW(got = decodeBmp(file.data(), file.size())) << c.name << ": " << messageOf(file);
        EXPECT_EQ(got, c.expected) << c.name << "\nexpected\n" << dump(c.expected) << "got\n" << dump(got);
    }
}

TEST(DecodeBmp, CoreHeaderHasThreeBytePaletteEntries)
{
    Bytes file { 'B', 'M' };
    put32(file, 14 + 12 + 6 + 4);
    put32(file, 0);
    put32(file, 14 + 12 + 6);
    put32(file, 12);
    put16(file, 3); // width
    put16(file, 1); // height
    put16(file, 1);
    put16(file, 1); // bits
    file.insert(file.end(), { 0x10, 0x20, 0x30, 0x40, 0x50, 0x60 }); // two blue, green, red entries
    file.insert(file.end(), { 0x40, 0, 0, 0 });
    EXPECT_EQ(decodeBmp(file.data(), file.size()), picture(3, { 0x102030, 0x405060, 0x102030 }));
}

TEST(DecodeBmp, PaletteEndsWhereThePixelsBegin)
{
    // A palette count of 0 means 256 entries, but only two lie before the
    // pixels: index 1 is fine, index 2 would be outside.
    Bitmap b { 2, 1, 8, 0, 0, { A, B }, {}, { 1, 0, 0, 0 } };
    EXPECT_EQ(decodeBmp(b.file().data(), b.file().size()), picture(2, { B, A }));
    b.pixels = { 1, 2, 0, 0 };
    EXPECT_EQ(messageOf(b.file()), "Image bitmap incorrecte");
}

TEST(DecodeBmp, SizeCapIsInclusive)
{
    Bitmap wide { MaxPictureSide, 1, 8, 0, 1, { A }, {}, Bytes(MaxPictureSide, 0) };
    const Bytes file = wide.file();
    const Surface s = decodeBmp(file.data(), file.size());
    EXPECT_EQ(s.width(), MaxPictureSide);
    EXPECT_EQ(s.pixel(MaxPictureSide - 1, 0), A);

    wide.width = MaxPictureSide + 1;
    wide.pixels.resize(MaxPictureSide + 4);
    EXPECT_EQ(messageOf(wide.file()), "Image trop grande : 16385 x 1 pixels (16384 x 16384 au plus)");
}

// --- the broken files: NAME.bmp beside NAME.err ----------------------------

std::vector<std::string> brokenFiles()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(QUILBRIX_FIXTURES "/bmp-errors"))
        if (entry.path().extension() == ".bmp")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class BrokenFile : public ::testing::TestWithParam<std::string> { };

TEST_P(BrokenFile, GivesItsMessage)
{
    const std::filesystem::path folder = QUILBRIX_FIXTURES "/bmp-errors";
    const Bytes file = readFile(folder / (GetParam() + ".bmp"));
    const Bytes err = readFile(folder / (GetParam() + ".err"));
    ASSERT_FALSE(err.empty()) << "no .err beside " << GetParam();
    std::string expected(err.begin(), err.end());
    while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r'))
        expected.pop_back();
    EXPECT_EQ(messageOf(file), expected);
}

INSTANTIATE_TEST_SUITE_P(Bmp, BrokenFile, ::testing::ValuesIn(brokenFiles()), [](const auto& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

// --- good files cut short ----------------------------------------------------

std::vector<std::string> goodFiles()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(QUILBRIX_FIXTURES "/bmp"))
        if (entry.path().extension() == ".bmp")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A file that ends early is an error, never a picture with made-up pixels:
// every prefix of an uncompressed file is refused as short. An RLE stream
// may lose only its closing codes and still give the same picture.
TEST(DecodeBmp, EveryPrefixOfAGoodFileIsShort)
{
    const auto names = goodFiles();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        const Bytes file = readFile(std::filesystem::path(QUILBRIX_FIXTURES "/bmp") / (name + ".bmp"));
        const Surface whole = decodeBmp(file.data(), file.size());
        for (std::size_t n = 0; n < file.size(); ++n) {
            const Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
            try {
                const Surface part = decodeBmp(prefix.data(), prefix.size());
                EXPECT_TRUE(name.find("rle") != std::string::npos && part == whole)
                    << name << " cut to " << n << " bytes decodes";
            } catch (const Error& e) {
                EXPECT_STREQ(e.what(), "Erreur de lecture du flux") << name << " cut to " << n << " bytes";
            }
        }
    }
}

// --- the writer ----------------------------------------------------------------

TEST(EncodeBmp24, WorkedBytes)
{
    Surface s(1, 2, White);
    s.setPixel(0, 0, 0x112233);
    s.setPixel(0, 1, 0x445566);
    const Bytes expected = {
        'B',
        'M',
        62,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        54,
        0,
        0,
        0, // file header
        40,
        0,
        0,
        0,
        1,
        0,
        0,
        0,
        2,
        0,
        0,
        0,
        1,
        0,
        24,
        0, // size, width, height, planes, bits
        0,
        0,
        0,
        0,
        8,
        0,
        0,
        0,
        0x13,
        0x0B,
        0,
        0,
        0x13,
        0x0B,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0x44,
        0x55,
        0x66,
        0, // bottom row first, blue green red, padded to 4 bytes
        0x11,
        0x22,
        0x33,
        0,
    };
    EXPECT_EQ(encodeBmp24(s), expected);
}

TEST(EncodeBmp24, RoundTripsRandomPicturesOfOddWidths)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    for (int width : { 1, 2, 3, 5, 7, 13, 37, 101 }) {
        for (int height : { 1, 4, 9 }) {
            Surface s(width, height, Black);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    s.setPixel(x, y, colour(rng));
            const Bytes file = encodeBmp24(s);
            const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
            EXPECT_EQ(file.size(), 54 + stride * height) << width << "x" << height;
            EXPECT_EQ(decodeBmp(file.data(), file.size()), s) << width << "x" << height;
        }
    }
}

} // namespace
} // namespace quilbrix
