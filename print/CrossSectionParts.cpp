// The scales and lines of the cross sections.
#include "print/CrossSectionParts.h"

#include <algorithm>
#include <cmath>

namespace korvanu {

double CrossSectionForceScale(const ProblemData& problem) {
  const int NT = std::clamp(problem.General.NT, 0, MaxSteps);
  const int NL = std::clamp(problem.General.NL, 0, MaxLayers);
  // Kept as a double: a datafile may carry forces beyond the range of int.
  double F = 0.0;
  const auto take = [&F](double value) {
    if (std::abs(value) > F) F = std::trunc(std::abs(value));
  };
  for (int s = 0; s <= NT; ++s) {
    take(problem.Axial[s].NA);
    take(problem.Axial[s].NB);
    for (int p = 0; p <= NL; ++p) take(problem.Anchors[s][p].Fx);
  }
  return F > 0.0 ? F : 1.0;
}

double DepthScaleFactor(int span, double length) {
  return length > 0.0 ? span / length : 0.0;
}

int DepthScaleMetres(double length) {
  constexpr double MostMetres = 100000.0;
  if (!(length > 0.0)) return -1;
  return static_cast<int>(std::min(std::floor(length), MostMetres));
}

QPen FlatPen(const QColor& color, int width) {
  return QPen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

void CanvasLine(QPainter& painter, int x1, int y1, int x2, int y2) {
  if (x1 == x2 && y1 > y2) {
    ++y1;
    ++y2;
  } else if (y1 == y2 && x1 > x2) {
    ++x1;
    ++x2;
  }
  painter.drawLine(x1, y1, x2, y2);
}

void AxialArrow(QPainter& painter, int x, int end, int direction, int length, bool compression,
                int half, int head) {
  const int far = end + direction * length;
  CanvasLine(painter, x, far, x, end);
  const int tip = compression ? end : far;
  const int back = tip + (compression ? direction : -direction) * head;
  CanvasLine(painter, x, tip, x - half, back);
  CanvasLine(painter, x, tip, x + half, back);
}

void LateralArrow(QPainter& painter, int x, int y, int length, bool toTheRight, int half,
                  int head) {
  const int tip = x + length;
  CanvasLine(painter, x, y, tip, y);
  const int back = toTheRight ? tip - head : tip + head;
  CanvasLine(painter, tip, y, back, y - half);
  CanvasLine(painter, tip, y, back, y + half);
}

void AnchorRod(QPainter& painter, int x, int y, bool onTheLeft, int end, int gap, int plateOffset,
               int plateHalf) {
  const int side = onTheLeft ? -1 : 1;
  CanvasLine(painter, x - side * gap, y, end, y);
  const int plate = end - side * plateOffset;
  CanvasLine(painter, plate, y - plateHalf, plate, y + plateHalf);
}

}  // namespace korvanu
