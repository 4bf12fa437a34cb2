#include "window/artwork.h"

#include <QPainter>

namespace quilbrix {

namespace {

const QColor Ink(0, 0, 0);
const QColor Dark(0x80, 0x80, 0x80);
const QColor Light(0xC0, 0xC0, 0xC0);
const QColor Paper(0xFF, 0xFF, 0xFF);

// Pixel-exact drawing: rectangles given as left, top, width, height.
class PixelPainter {
public:
    explicit PixelPainter(QImage& image)
        : painter_(&image)
    {
        painter_.setRenderHint(QPainter::Antialiasing, false);
        // Every pixel takes the colour given, transparency included.
        painter_.setCompositionMode(QPainter::CompositionMode_Source);
    }

    void fill(int x, int y, int w, int h, const QColor& colour) { painter_.fillRect(x, y, w, h, colour); }

    // A one-pixel outline just inside the rectangle.
    void frame(int x, int y, int w, int h, const QColor& colour)
    {
        fill(x, y, w, 1, colour);
        fill(x, y + h - 1, w, 1, colour);
        fill(x, y, 1, h, colour);
        fill(x + w - 1, y, 1, h, colour);
    }

    void dot(int x, int y, const QColor& colour) { fill(x, y, 1, 1, colour); }

    // An 8-row pattern, one string per row, '#' ink, '+' dark, '-' light,
    // 'o' paper, anything else left as it is.
    void pattern(int x, int y, std::initializer_list<const char*> rows)
    {
        int dy = 0;
        for (const char* row : rows) {
            for (int dx = 0; row[dx] != '\0'; ++dx) {
                switch (row[dx]) {
                case '#': dot(x + dx, y + dy, Ink); break;
                case '+': dot(x + dx, y + dy, Dark); break;
                case '-': dot(x + dx, y + dy, Light); break;
                case 'o': dot(x + dx, y + dy, Paper); break;
                default: break;
                }
            }
            ++dy;
        }
    }

private:
    QPainter painter_;
};

// A small level in four greys, 8-pixel tiles, drawn with its top-left at
// (x, y) over `cols` × `rows` tiles: sky, a cloud, a floating platform, a
// figure on it and a brick ground.
void drawLevel(PixelPainter& p, int x, int y, int cols, int rows)
{
    p.fill(x, y, cols * 8, rows * 8, Light);
    // Cloud.
    p.pattern(x + 4, y + 3, { "  oooo    ", " oooooo oo", "oooooooooo", " oooooooo " });
    // Brick ground on the two bottom tile rows.
    for (int c = 0; c < cols; ++c) {
        for (int r = rows - 2; r < rows; ++r) {
            const int bx = x + c * 8;
            const int by = y + r * 8;
            p.fill(bx, by, 8, 8, Dark);
            p.fill(bx, by, 8, 1, Ink);
            p.fill(bx, by + 4, 8, 1, Ink);
            p.fill(bx + (r % 2 == 0 ? 3 : 7), by, 1, 4, Ink);
            p.fill(bx + (r % 2 == 0 ? 7 : 3), by + 4, 1, 4, Ink);
        }
    }
    // A floating platform of three tiles.
    const int px = x + (cols / 2) * 8;
    const int py = y + (rows - 4) * 8;
    for (int c = 0; c < 3 && px + c * 8 < x + cols * 8; ++c) {
        p.fill(px + c * 8, py + 4, 8, 4, Ink);
        p.fill(px + c * 8 + 1, py + 5, 6, 2, Dark);
    }
    // The figure standing on it.
    p.pattern(px + 4, py - 4,
        { "  ###   ", " #ooo#  ", " #o#o#  ", "  ###   ", " #+++#  ", "# +++ # ", "  # #   ", " ## ##  " });
}

} // namespace

QImage programIcon()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    PixelPainter p(image);
    // Body.
    p.fill(5, 1, 22, 30, Dark);
    p.frame(5, 1, 22, 30, Ink);
    p.fill(6, 2, 20, 1, Light);
    // Screen with a 2 × 2 tile level.
    p.fill(8, 4, 16, 12, Ink);
    p.fill(9, 5, 14, 10, Light);
    p.fill(9, 11, 14, 4, Dark);
    p.fill(9, 11, 14, 1, Ink);
    p.fill(15, 11, 1, 4, Ink);
    p.pattern(11, 6, { " ## ", "#oo#", " ## " });
    p.fill(18, 6, 3, 1, Paper);
    p.fill(17, 7, 5, 1, Paper);
    // Keys: a four-way pad and two rows of keys.
    p.fill(9, 19, 3, 3, Ink);
    p.fill(8, 20, 5, 1, Ink);
    p.fill(10, 18, 1, 5, Ink);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.fill(15 + col * 3, 18 + row * 3, 2, 2, row == 0 ? Paper : Light);
    for (int col = 0; col < 4; ++col)
        p.fill(8 + col * 4, 25, 3, 2, col % 2 == 0 ? Light : Paper);
    for (int col = 0; col < 4; ++col)
        p.fill(8 + col * 4, 28, 3, 1, Ink);
    return image;
}

QImage saveGlyph()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    PixelPainter p(image);
    // Diskette body with a clipped corner.
    p.fill(3, 3, 26, 26, Ink);
    p.fill(4, 4, 24, 24, Dark);
    p.fill(27, 3, 2, 2, Qt::transparent);
    p.dot(26, 4, Ink);
    // Metal shutter with its slot.
    p.fill(9, 4, 14, 8, Light);
    p.fill(9, 11, 14, 1, Ink);
    p.fill(18, 5, 3, 5, Dark);
    // Label holding four tiles, one of each grey.
    p.fill(6, 15, 20, 13, Paper);
    p.frame(6, 15, 20, 13, Ink);
    p.fill(9, 18, 6, 4, Ink);
    p.fill(17, 18, 6, 4, Dark);
    p.fill(9, 23, 6, 3, Light);
    p.frame(17, 23, 6, 3, Dark);
    return image;
}

QImage decorativePicture()
{
    QImage image(80, 76, QImage::Format_RGB888);
    image.fill(Light);
    PixelPainter p(image);
    // Bezel of the calculator around the screen.
    p.fill(2, 2, 76, 60, Dark);
    p.frame(2, 2, 76, 60, Ink);
    p.fill(3, 3, 74, 1, Light);
    // Screen: a level of 8 × 6 tiles.
    p.fill(7, 7, 66, 50, Ink);
    drawLevel(p, 8, 8, 8, 6);
    // The tile grid, dotted in white every 8 pixels.
    for (int i = 1; i < 8; ++i)
        for (int y = 8; y < 56; y += 2)
            p.dot(8 + i * 8, y, Paper);
    for (int j = 1; j < 6; ++j)
        for (int x = 8; x < 72; x += 2)
            p.dot(x, 8 + j * 8, Paper);
    // A row of keys under the bezel, the shown part ending at row 72.
    for (int k = 0; k < 6; ++k) {
        const int kx = 5 + k * 12;
        p.fill(kx, 65, 10, 6, Ink);
        p.fill(kx + 1, 65, 8, 4, k == 0 || k == 5 ? Dark : Paper);
    }
    return image;
}

QImage previewGlyph()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    PixelPainter p(image);
    p.pattern(0, 0,
        { "   ####    ", "  #oooo#   ", " #oo---o#  ", "#oo----+o# ", "#o-----+o# ", "#o-----+o# ",
            "#o----++o# ", " #o++++o#  ", "  #oooo#   ", "   #####   " });
    for (int i = 0; i < 6; ++i) {
        p.fill(8 + i, 9 + i, 2, 2, Ink);
        p.dot(8 + i, 10 + i, Dark);
    }
    return image;
}

} // namespace quilbrix
