#include "state/digit_face.h"
#include "state/surface.h"

#include <gtest/gtest.h>

namespace quilbrix {
namespace {

TEST(Surface, ReadsBackEveryColourExactly)
{
    Surface s(4, 3, Black);
    for (Colour c :
        { DarkGrey, LightGrey, TransparentKey, White, Colour { 0x123456 }, Colour { 0x000001 } }) {
        s.setPixel(1, 2, c);
        EXPECT_EQ(s.pixel(1, 2), c);
    }
}

TEST(Surface, OutsideReadsInvalidAndWritesNothing)
{
    Surface s(4, 3, DarkGrey);
    const Surface before = s;
    const int outside[][2]
        = { { -1, 0 }, { 4, 0 }, { 0, 3 }, { 0, -1 }, { -100000, 5 }, { 1 << 30, 1 << 30 } };
    for (const auto& p : outside) {
        EXPECT_EQ(s.pixel(p[0], p[1]), InvalidColour) << p[0] << "," << p[1];
        s.setPixel(p[0], p[1], Black);
    }
    EXPECT_EQ(s, before);
}

TEST(Surface, WritingTheInvalidColourStoresBlack)
{
    Surface s(2, 2, White);
    s.setPixel(0, 0, InvalidColour);
    EXPECT_EQ(s.pixel(0, 0), Black);
}

TEST(Surface, FillExcludesRightAndBottomEdgesAndClips)
{
    Surface s(12, 12, Black);
    s.fill(0, 0, 10, 10);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(s.pixel(x, y), (x < 10 && y < 10) ? White : Black) << x << "," << y;

    Surface t(4, 4, Black);
    t.fill(-5, 2, 100, 100);
    EXPECT_EQ(t.pixel(0, 1), Black);
    EXPECT_EQ(t.pixel(3, 3), White);
}

// Renders `text` and checks the box and each glyph cell against the face.
TEST(Surface, TextPaintsAnOpaqueWhiteBoxWithDigitsInTheTextColour)
{
    Surface s(40, 20, DarkGrey);
    s.setTextColour(Red);
    s.drawText(3, 4, "2053");
    const int width = textWidth("2053");
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inBox = x >= 3 && x < 3 + width && y >= 4 && y < 4 + TextHeight;
            if (!inBox) {
                EXPECT_EQ(s.pixel(x, y), DarkGrey) << x << "," << y;
                continue;
            }
            const int cell = (x - 3) / CharAdvance;
            const int gx = (x - 3) % CharAdvance;
            const int gy = y - 4 - GlyphTop;
            const std::uint8_t* glyph = glyphRows("2053"[cell]);
            const bool ink = gx < GlyphWidth && gy >= 0 && gy < GlyphHeight && (glyph[gy] & (0x10 >> gx));
            EXPECT_EQ(s.pixel(x, y), ink ? Red : White) << x << "," << y;
        }
    }
}

TEST(Surface, TextIsClippedAtTheEdges)
{
    Surface s(8, 8, Black);
    s.drawText(5, 5, "88");
    s.drawText(-4, -4, "8");
    EXPECT_EQ(s.pixel(5, 5), White); // top row of the first box
    EXPECT_EQ(s.pixel(1, 0), White); // blank column of the box cut at the top-left
    EXPECT_EQ(s.pixel(4, 4), Black); // between the two boxes
}

TEST(DigitFace, EveryDigitHasADistinctGlyphAndNothingElseHasOne)
{
    for (char a = '0'; a <= '9'; ++a) {
        ASSERT_NE(glyphRows(a), nullptr);
        for (char b = '0'; b < a; ++b)
            EXPECT_FALSE(std::equal(glyphRows(a), glyphRows(a) + GlyphHeight, glyphRows(b))) << a << b;
    }
    EXPECT_EQ(glyphRows(' '), nullptr);
    EXPECT_EQ(glyphRows('a'), nullptr);
}

} // namespace
} // namespace quilbrix
