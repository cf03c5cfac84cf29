// Drawing the four output graphs (w, M, Q, f) of one step, shared by the
// graphs window and the printed report: the curves with their hatching, the
// value grids with their labels, and the screen picture as a whole.
#pragma once

#include <QColor>
#include <QPainter>
#include <QSize>
#include <array>
#include <vector>

#include "engine/EngineState.h"
#include "results/GraphScales.h"
#include "results/ValueGrid.h"

namespace korvanu {

// Hatches are blue for a value of 0 or more, red below.
QColor HatchColor(double value);

// How a curve is coloured: the screen draws its segments black and its
// hatches coloured; the printer draws both coloured, or both black.
struct CurveColors {
  bool Segments = false;
  bool Hatches = true;
};

// Where one graph lies on the device.
struct GraphPlace {
  int Axis = 0;         // x of the axis
  int Top = 0;          // y of depth 0
  double ScaleZ = 0.0;  // device units per metre
  double ScaleX = 0.0;  // device units per value unit
};

// y of node i and x of a value, truncated toward zero.
int NodeY(const GraphPlace& place, const NodeResults& results, int i);
int ValueX(const GraphPlace& place, double value);

// The w or M curve: a polyline from node `first` (the curve starts at the
// value of node 0 at the top) to NN, with a hatch from the axis at each node.
void DrawNodeCurve(QPainter& painter, const GraphPlace& place, const NodeResults& results,
                   const double* values, int first, int NN, CurveColors colors);
// The Q curve: per element the line from Q+ above to Q- below, the jump
// from Q- to Q+ at the lower node, and a hatch to Q-.
void DrawShearCurve(QPainter& painter, const GraphPlace& place, const NodeResults& results, int NN,
                    CurveColors colors);
// The f curve, plotted as -f from the axis at the top, hatched at every node.
void DrawLoadCurve(QPainter& painter, const GraphPlace& place, const NodeResults& results, int NN,
                   CurveColors colors);

// Vertical grid lines from top to bottom and the depth lines from x fromX to
// toX.
void DrawValueGrid(QPainter& painter, const ValueGrid& grid, int top, int bottom,
                   const std::vector<int>& depthLines, int fromX, int toX);

// A text of one line of texts above the graphs, with the left end and the
// top of its cell at (X, Y) where nothing crowds it.
struct LineText {
  QString Text;
  int X = 0;
  int Y = 0;
};

// The outer labels of a grid, centred on their lines, tops at y.
std::array<LineText, 2> ScaleLabels(const QPainter& painter, const ValueGrid& grid, int y);

// Draws the texts of a line where they are placed, except where neighbours
// would come closer than a blank: those move apart, each by half of what they
// lack, and none beyond from..to. Where a text would move by more than half
// its width (and so leave the grid line it labels), the texts crowded with it
// are made smaller together, in steps of a tenth down to half their size,
// until none need. Texts never run into each other, so that two numbers never
// read as one.
void DrawTextLine(QPainter& painter, std::vector<LineText> texts, int from, int to);

// Text with the top of its cell at y, in the painter's font.
void TextAt(QPainter& painter, int x, int y, const QString& text);
int TextWidth(const QPainter& painter, const QString& text);

// The extreme of each curve of a step, by GraphQuantity: the value farthest
// from 0 with its sign, of w and M over nodes 0..NN, of Q- and Q+ and of the
// plotted -f over nodes 1..NN.
std::array<double, GraphCount> CurveExtremes(const NodeResults& results, int NN);
// "max 0.0279 m": the extreme with its unit, as it stands above its curve.
QString CurveExtremeText(GraphQuantity quantity, double extreme);
// The extremes centred above the graphs whose axes are at `axes`, with the
// tops of their texts at y, as a line of texts within from..to.
void DrawCurveExtremes(QPainter& painter, const std::array<int, GraphCount>& axes, int y,
                       const std::array<double, GraphCount>& extremes, int from, int to);

// The graphs window's picture of a step on a client area of `client`, below
// a panel `panelHeight` high; the scales come from all steps.
void PaintOutputGraphs(QPainter& painter, QSize client, int panelHeight, const NodeResults& results,
                       int NN, const GraphScales& scales);

}  // namespace korvanu
