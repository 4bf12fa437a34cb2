#pragma once

#include <QImage>

namespace quilbrix {

// The program's own pictures, drawn in the four greys of the calculator
// screens (black, 0x808080, 0xC0C0C0, white).

// The window icon, 32 × 32: a calculator whose screen shows a level cut
// into tiles. Only 16-colour palette values are used.
QImage programIcon();

// The glyph of the save button, 32 × 32, 24-bit colour on a transparent
// ground: a diskette whose label holds four tiles, one of each grey.
QImage saveGlyph();

// The fixed picture beside the save button, 80 × 76, 24-bit colour: a
// calculator screen showing a small level, its tile grid marked.
QImage decorativePicture();

// The 16 × 16 glyph of the preview button of the picture dialogs: a lens.
QImage previewGlyph();

} // namespace quilbrix
