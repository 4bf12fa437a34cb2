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

    // Repaints the matrix so that it ends as clearing it White and then
    // drawing every number with showCell, column by column, leaves it.
    // Numbers of different rows never meet (a text box is lower than the
    // pitch), so the matrix is done band by band of cell rows, in the order
    // of memory; within a band the numbers come left to right, a later box
    // covering an earlier one's overhang as before. Only the box rows are
    // written: the gaps between boxes are painted White, and beyond the last
    // box only what earlier numbers reached (kept in the control).
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
