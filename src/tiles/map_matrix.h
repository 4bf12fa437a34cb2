#pragma once

#include "state/picture_control.h"
#include "tiles/tile_set.h"

#include <cstdint>
#include <vector>

namespace quilbrix {

// A map matrix draws cell (c, r)'s tile number at (MatrixPitch·c,
// MatrixPitch·r) on a MatrixSize × MatrixSize surface (room for 102 × 102
// cells; numbers of further cells fall outside and are dropped).
inline constexpr int MatrixPitch = 20;
inline constexpr int MatrixSize = 2040;

// At the start of a plane's pass: enlarges the strip display to the whole
// strip and the matrix display to the whole matrix, creating their surfaces
// at those sizes if they have none yet.
void prepareDisplays(PictureControl& strip, MatrixControl& matrix);

// Draws the tile index of cell (c, r) in the colour of its flags: Black for
// none, red for FlipHorizontal, blue for FlipVertical, green for both. A
// coloured number sets the text colour back to Black afterwards; a number
// without flags is drawn in whatever the text colour is.
void showCell(Surface& matrix, int c, int r, int index, std::int32_t flags);

// The numbers of one pass that can land on a matrix surface: cells of the
// first columns() columns and rows() rows, kept until the pass has visited
// every cell.
class MatrixCells {
public:
    MatrixCells(const Surface& matrix, int cols, int rows);

    int columns() const { return columns_; }
    int rows() const { return rows_; }

    void set(int c, int r, int index, std::int32_t flags)
    {
        if (c < columns_ && r < rows_)
            cells_[static_cast<std::size_t>(r) * columns_ + c] = Cell { index, flags };
    }

    // Repaints the matrix: every pixel White, then every number as showCell
    // draws it. The result is what clearing the matrix and then drawing the
    // numbers column by column gives: numbers of different rows never meet
    // (a text box is lower than the pitch), and within a row they still come
    // left to right, so a wide number is covered by its right neighbour's
    // box. Band by band of the matrix's rows, each band is cleared and drawn
    // while it is in the cache; only the part that the previous numbers
    // reached needs clearing, the rest is White already.
    void paint(MatrixControl& matrix) const;

private:
    struct Cell {
        int index = 0;
        std::int32_t flags = 0;
    };
    int columns_;
    int rows_;
    std::vector<Cell> cells_;
};

// At the end of a plane's pass: the strip display shows exactly the stored
// tiles (count·tileSize × tileSize) and the matrix display the plane's cells
// (cols·20 × rows·20).
void finishDisplays(
    PictureControl& strip, MatrixControl& matrix, int count, int tileSize, int cols, int rows);

} // namespace quilbrix
