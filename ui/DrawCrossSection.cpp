// The cross section on the window. Integer divisions truncate, reals are
// truncated toward zero; lines stop just before their end point.
#include "ui/DrawCrossSection.h"

#include <algorithm>
#include <cmath>

#include "print/CrossSectionParts.h"
#include "print/LayerPalette.h"
#include "print/OutputGraphDrawing.h"
#include "results/ValueGrid.h"

namespace korvanu {

void DrawCrossSection(QPainter& painter, QSize client, int panelHeight, const ProblemData& problem,
                      int step) {
  const int s = std::clamp(step, 0, MaxSteps);
  const int NL = std::clamp(problem.General.NL, 0, MaxLayers);
  const double length = problem.General.Length;

  const int W = client.width();
  const int Hc = client.height();
  const int xw = W / 2;
  const int yTop = Hc / 10 + panelHeight;
  const int yBot = Hc - Hc / 10;
  const int xL = W / 10;
  const int xR = 2 * xw - W / 10;
  const int u = Hc / 15;
  const double f = DepthScaleFactor(yBot - yTop, length);
  const auto depthY = [&](double z) { return ToDevice(yTop + std::floor(f * z)); };
  const double F = CrossSectionForceScale(problem);

  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.fillRect(QRect(0, 0, xR + 40, Hc), Qt::white);

  painter.setPen(FlatPen(Qt::black, 1));
  const int N = DepthScaleMetres(length);
  for (int i = 0; i <= N; ++i) {
    const int y = ToDevice(yTop + std::floor(i * f + 0.5));
    if (i % 5 == 0) {
      const QString label = QString::number(i);
      CanvasLine(painter, xR, y, xR + 12, y);
      TextAt(painter, xR + 14, y - 6, label);
      CanvasLine(painter, xL, y, xL - 12, y);
      TextAt(painter, xL - 14 - TextWidth(painter, label), y - 6, label);
    } else {
      CanvasLine(painter, xR, y, xR + 5, y);
      CanvasLine(painter, xL, y, xL - 5, y);
    }
  }

  int yPrev = yTop;
  for (int k = 0; k < NL; ++k) {
    const int yb = depthY(problem.Z[k + 1]);
    const auto half = [&](Side side, int from, int to) {
      const QColor color =
          problem.Layer(k, s, side).Wd < Negligible ? QColor(Qt::white) : LayerColor(k);
      // A canvas rectangle covers its first corner and stops before the second.
      painter.fillRect(QRect(QPoint(from, yPrev), QPoint(to - 1, yb - 1)), color);
      painter.setPen(FlatPen(color, 1));
      CanvasLine(painter, from, yb, to, yb);
    };
    half(Side::Left, xL, xw);
    half(Side::Right, xw, xR);
    yPrev = yb;
  }

  const int d = W / 20;
  painter.setPen(FlatPen(QColor(0, 0, 255), 1));
  const int yLeft = depthY(problem.Layer(0, s, Side::Left).Zw);
  CanvasLine(painter, xw, yLeft, xL, yLeft);
  CanvasLine(painter, (xw + xL - d) / 2, yLeft + 2, (xw + xL + d) / 2, yLeft + 2);
  const int yRight = depthY(problem.Layer(0, s, Side::Right).Zw);
  CanvasLine(painter, xw, yRight, xR, yRight);
  CanvasLine(painter, (xw + xR - d) / 2, yRight + 2, (xw + xR + d) / 2, yRight + 2);

  painter.setPen(FlatPen(Qt::black, 1));
  const AxialRecord& axial = problem.Axial[s];
  if (std::abs(axial.NA) > Negligible)
    AxialArrow(painter, xw, yTop, -1, ToDevice(std::abs(axial.NA) * u / F), axial.NA < 0, 2, 8);
  if (std::abs(axial.NB) > Negligible)
    AxialArrow(painter, xw, yBot, 1, ToDevice(std::abs(axial.NB) * u / F), axial.NB < 0, 2, 8);

  const auto& anchors = problem.Anchors[s];
  for (int p = 0; p <= NL; ++p) {
    const double Fx = anchors[p].Fx;
    if (std::abs(Fx) > Negligible)
      LateralArrow(painter, xw, depthY(problem.Z[p]), ToDevice(u * Fx / F), Fx > 0, 2, 8);
  }

  painter.setPen(FlatPen(Qt::black, 2));
  for (int p = 0; p <= NL; ++p) {
    if (!(anchors[p].Fa > Negligible)) continue;
    // The sign of Dw gives the side of the anchor.
    const bool left = anchors[p].Fw >= 0;
    AnchorRod(painter, xw, depthY(problem.Z[p]), left, left ? xL + 2 * d : xR - 2 * d, 4, 6, 12);
  }

  painter.setPen(FlatPen(Qt::black, 3));
  CanvasLine(painter, xw, yTop + 1, xw, yBot);
  painter.restore();
}

}  // namespace korvanu
