// Hatch patterns that stand in for colours on a black-and-white printer: the
// layers of the printed cross sections and the figures of the printed manual.
#pragma once

class QPainter;

namespace korvanu {

// Fills the rectangle with corners (x1, y1) and (x2, y2) with the black
// lines of pattern n: n is brought into 1..12; 1..6 are coarse, 7..12 the
// same fine (horizontal, vertical, both, diagonals down to the right, down
// to the left, both). The spacing follows the page size, and every grid
// starts at the page origin, so neighbouring rectangles continue each
// other's lines. Lines never leave the rectangle.
void HatchRectangle(QPainter& painter, int pageWidth, int pageHeight, int x1, int y1, int x2,
                    int y2, int n);

}  // namespace korvanu
