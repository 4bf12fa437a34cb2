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
    const int width = matrix.width();
    // Numbers only ever ink the first TextHeight rows of each row of cells;
    // the other rows stay White from the surface's creation on.
    const int bands = std::max(rows_, (control.inkHeight + MatrixPitch - 1) / MatrixPitch);
    int inkWidth = 0;
    for (int r = 0; r < bands && MatrixPitch * r < matrix.height(); ++r) {
        const int top = MatrixPitch * r;
        int drawn = 0; // the band's box rows left of this are final
        for (int c = 0; r < rows_ && c < columns_; ++c) {
            const Cell& cell = cells_[static_cast<std::size_t>(r) * columns_ + c];
            const int left = MatrixPitch * c;
            matrix.fill(drawn, top, left, top + TextHeight);
            showCell(matrix, c, r, cell.index, cell.flags);
            drawn = std::max(drawn, std::min(left + CharAdvance * decimalDigits(cell.index), width));
        }
        inkWidth = std::max(inkWidth, drawn);
        // What earlier numbers left right of this band's last box.
        matrix.fill(drawn, top, control.inkWidth, top + TextHeight);
    }
    control.inkWidth = inkWidth;
    control.inkHeight = rows_ > 0 ? std::min(matrix.height(), MatrixPitch * (rows_ - 1) + TextHeight) : 0;
}

void finishDisplays(PictureControl& strip, MatrixControl& matrix, int count, int tileSize, int cols, int rows)
{
    strip.setSize(count * tileSize, tileSize);
    matrix.setSize(cols * MatrixPitch, rows * MatrixPitch);
}

} // namespace quilbrix
