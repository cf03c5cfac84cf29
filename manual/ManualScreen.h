// One page of the manual as the window shows it: the yellow text page on
// the left and the page's figures in the figure box on the right.
#pragma once

#include <QRect>
#include <vector>

#include "manual/ManualLayout.h"

class QPainter;

namespace korvanu {

// The window's client area as designed.
constexpr int ManualClientWidth = 770;
constexpr int ManualClientHeight = 570;

// The text page and the first figure box in client coordinates.
constexpr QRect ManualTextPage{10, 40, 521, 521};  // corners (10, 40) and (530, 560)
QRect FigureBox(int clientWidth, int position);    // position 0: the first figure, 1: below it

// Arial 11 px for the body, bold 16 px for title and headings, bold italic
// 16 px for the identification line, MS Sans Serif 11 px for the figures.
const ManualFonts& ScreenFonts();

// The figures shown beside page k (1..11).
std::vector<int> FiguresOfPage(int page);

// Draws page k into a client area of the given width.
void DrawManualScreen(QPainter& painter, int page, int clientWidth);

// Draws figure `figure` as the `position`-th figure of its page, wiping
// first what earlier figures left in its part of the figure area.
void DrawScreenFigure(QPainter& painter, int figure, int position, int clientWidth);

}  // namespace korvanu
