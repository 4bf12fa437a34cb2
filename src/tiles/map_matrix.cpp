#include "tiles/map_matrix.h"

#include <algorithm>
#include <charconv>

#include "state/digit_face.h"

namespace quilbrix {

namespace {

int decimalDigits(int value)
{
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

Colour flagColour(std::int32_t flags)
{
    switch (flags) {
    case FlipHorizontal: return Red;
    case FlipVertical: return Blue;
    case FlipHorizontal | FlipVertical: return Green;
    default: return Black;
    }
}

} // namespace

void prepareDisplays(PictureControl& strip, MatrixControl& matrix)
{
    strip.setSize(StripWidth, StripHeight);
    matrix.setSize(MatrixSize, MatrixSize);
    strip.surface();
    matrix.surface();
}

void showCell(Surface& matrix, int c, int r, int index, std::int32_t flags)
{
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, index).ptr;
    const std::string_view text(digits, static_cast<std::size_t>(end - digits));
    const int x = MatrixPitch * c;
    const int y = MatrixPitch * r;
    if (flags != 0) {
        matrix.setTextColour(flagColour(flags));
        matrix.drawText(x, y, text);
        matrix.setTextColour(Black);
    } else {
        matrix.drawText(x, y, text);
    }
}

MatrixCells::MatrixCells(const Surface& matrix, int cols, int rows)
    : columns_(std::min(cols, (matrix.width() + MatrixPitch - 1) / MatrixPitch))
    , rows_(std::min(rows, (matrix.height() + MatrixPitch - 1) / MatrixPitch))
    , cells_(static_cast<std::size_t>(std::max(columns_, 0)) * static_cast<std::size_t>(std::max(rows_, 0)))
{ }

void MatrixCells::paint(MatrixControl& control) const
{
    Surface& matrix = control.surface();
    // How far the new numbers reach: to the right edge of the widest box
    // (a box overhangs at most a few cells, so the last columns decide), and
    // 11 rows into the last row of cells.
    int inkWidth = 0;
    for (int r = 0; r < rows_; ++r)
        for (int c = std::max(0, columns_ - 4); c < columns_; ++c) {
            const Cell& cell = cells_[static_cast<std::size_t>(r) * columns_ + c];
            inkWidth = std::max(inkWidth, MatrixPitch * c + CharAdvance * decimalDigits(cell.index));
        }
    const int inkHeight = rows_ > 0 ? MatrixPitch * (rows_ - 1) + TextHeight : 0;
    const int clearWidth = std::min(matrix.width(), std::max(control.inkWidth, inkWidth));
    const int clearHeight = std::min(matrix.height(), std::max(control.inkHeight, inkHeight));

    for (int top = 0; top < clearHeight; top += MatrixPitch) {
        matrix.fill(0, top, clearWidth, std::min(top + MatrixPitch, clearHeight));
        const int r = top / MatrixPitch;
        if (r >= rows_)
            continue;
        for (int c = 0; c < columns_; ++c) {
            const Cell& cell = cells_[static_cast<std::size_t>(r) * columns_ + c];
            showCell(matrix, c, r, cell.index, cell.flags);
        }
    }
    control.inkWidth = std::min(matrix.width(), inkWidth);
    control.inkHeight = std::min(matrix.height(), inkHeight);
}

void finishDisplays(PictureControl& strip, MatrixControl& matrix, int count, int tileSize, int cols, int rows)
{
    strip.setSize(count * tileSize, tileSize);
    matrix.setSize(cols * MatrixPitch, rows * MatrixPitch);
}

} // namespace quilbrix
