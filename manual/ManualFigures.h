// The ten figures of the manual, drawn into a box on the screen or on paper.
// They are designed in the screen's box of 218 x 166 pixels and scaled to a
// printed box; on paper the coloured areas are hatched in black instead.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

class QPainter;

namespace korvanu {

constexpr int FigureCount = 10;
constexpr int FigureDesignWidth = 218;
constexpr int FigureDesignHeight = 166;

enum class FigureMedium { Screen, Paper };

struct FigureCanvas {
  QPainter& Painter;
  FigureMedium Medium = FigureMedium::Screen;
  // Paper: the page, whose size sets the hatch spacing.
  QSize Page;
  // Device units of a pen of width 1.
  int Unit = 1;
  QFont LabelFont;
};

// "Figure 1 : Sheet Pile Wall" and so on; on paper with a final full stop.
QString FigureCaption(int figure, FigureMedium medium);

// Draws the frame and the content of a figure into the box (on the screen
// the box is filled white first) and its caption centred under it, its top
// `captionGap` below the box. Returns the bottom of the caption.
int DrawFigure(FigureCanvas& canvas, int figure, const QRect& box, int captionGap);

// One sample of the plots of Figures 8 to 10: the depth (z/L, or z in m),
// the value plotted and the point of the curve in the box's coordinates.
struct PlotSample {
  double Depth;
  double Value;
  int X;
  int Y;
};

// The samples of Figure 8, 9 or 10 in a box of the given size at (0, 0).
std::vector<PlotSample> PlotSamples(int figure, QSize box);

}  // namespace korvanu
