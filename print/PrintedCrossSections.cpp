// Cross-section drawings of the printed report: the wall in the middle of the
// page, one fifth of the page high, the layers in the middle third of the
// width. Device units; div truncates, reals are truncated toward zero.
#include "print/PrintedCrossSections.h"

#include <algorithm>
#include <cmath>

#include "core/TextFormat.h"
#include "print/CrossSectionParts.h"
#include "print/HatchRectangle.h"
#include "print/LayerPalette.h"
#include "print/PageFrame.h"
#include "results/ValueGrid.h"

namespace korvanu {

int PrintCrossSection(PrintContext& context, int y, int step) {
  const ProblemData& problem = context.Problem();
  const int s = std::clamp(step, 0, MaxSteps);
  const int NL = std::clamp(problem.General.NL, 0, MaxLayers);
  const double length = problem.General.Length;
  const bool colored = context.Options().Colors;

  context.SelectFont(context.TextFont());
  const int hh = context.TextHeight(QStringLiteral("W")) / 2;
  if (y == 0) y = PageFrame(context, 0);
  int y0 = y + 2 * hh;

  const int PW = context.PageWidth();
  const int PH = context.PageHeight();
  const int xw = PW / 2;
  const int H5 = PH / 5;
  const double f = DepthScaleFactor(H5, length);
  const int m = H5 / 10;
  y0 += m;
  const double F = CrossSectionForceScale(problem);

  const int need = y0 + H5 + 4 * hh + m + (s == 0 ? 4 * hh : 0);
  if (need > PH) y0 = PageFrame(context, need) + 2 * hh;
  if (s == 0) {
    context.SelectFont(context.TitleFont());
    context.TextOut(context.LeftMargin, y0 - m, QStringLiteral("Cross Sections"));
    y0 += 4 * hh;
    context.SelectFont(context.TextFont());
  }
  const int yb = y0 + H5;
  const int xL = PW / 3;
  const int xR = 2 * xw - PW / 3;
  const int u = PW / 80;
  const auto depthY = [&](double z) { return ToDevice(std::floor(f * z) + y0); };

  QPainter& painter = context.Painter();
  if (!painter.isActive()) return yb + 2 * hh + m;
  painter.save();
  // Everything of a step stays in the room it takes on the page: a water
  // level far below the toe would otherwise cross the drawings below.
  const int top = y0 - m - 2 * hh;
  const int bottom = yb + 2 * hh + m;
  painter.setClipRect(QRect(0, top, PW, bottom - top));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(FlatPen(Qt::black, 1));
  context.TextOut(context.LeftMargin, y0 - m, Format("Step %2d :", s));

  const int N = DepthScaleMetres(length);
  const int w2 = context.TextWidth(QStringLiteral("99"));
  const auto tickY = [&](int i) { return ToDevice(std::floor(i * f + 0.5) + y0); };
  // The right labels begin where their ticks end, as the left ones end
  // there: begun w2 right of the scale they would be struck through by the
  // tick and read as negative depths.
  for (int i = 0; i <= N; ++i) {
    const int yi = tickY(i);
    CanvasLine(painter, xR, yi, xR + 2 * u, yi);
    if (i % 5 == 0) context.TextOut(xR + 2 * u, yi - hh, Format("%2d", i));
  }
  for (int i = 0; i <= N; ++i) {
    const int yi = tickY(i);
    CanvasLine(painter, xL, yi, xL - 2 * u, yi);
    if (i % 5 == 0) context.TextOut(xL - 2 * u - w2, yi - hh, Format("%2d", i));
  }

  // The water levels come before the layers: a coloured layer covers the
  // part of its line inside it, hatching leaves it visible.
  painter.setPen(FlatPen(colored ? QColor(0, 0, 255) : QColor(Qt::black), 3));
  const int q = hh / 4;
  const int yL = depthY(problem.Layer(0, s, Side::Left).Zw);
  CanvasLine(painter, xw, yL, xL + u, yL);
  CanvasLine(painter, (xL + xw - u) / 2, yL + q, (xL + xw + 2 * u) / 2, yL + q);
  const int yR = depthY(problem.Layer(0, s, Side::Right).Zw);
  CanvasLine(painter, xw, yR, xR - u, yR);
  CanvasLine(painter, (xR + xw - 2 * u) / 2, yR + q, (xR + xw + u) / 2, yR + q);

  const auto hasSoil = [&](int j, Side side) { return problem.Layer(j, s, side).Wd > Negligible; };
  const auto layers = [&](Side side, int from, int to) {
    for (int j = 0; j < NL; ++j) {
      if (!hasSoil(j, side)) continue;
      const int y1 = depthY(problem.Z[j]);
      const int y2 = depthY(problem.Z[j + 1]);
      if (colored) {
        painter.setPen(FlatPen(Qt::black, 1));
        painter.setBrush(LayerColor(j));
        const QPoint corners[] = {{from, y1}, {from, y2}, {to, y2}, {to, y1}, {from, y1}};
        painter.drawPolygon(corners, 5);
        painter.setBrush(Qt::NoBrush);
      } else {
        HatchRectangle(painter, PW, PH, from, y1, to, y2, problem.LayerPattern[j]);
      }
    }
  };
  layers(Side::Left, xL + u, xw);
  layers(Side::Right, xw, xR - u);

  // A layer boundary only on a side that has soil below it; the foot of the
  // wall on both.
  painter.setPen(FlatPen(Qt::black, 1));
  for (int j = 0; j < NL; ++j) {
    const int yj = depthY(problem.Z[j]);
    if (hasSoil(j, Side::Left)) CanvasLine(painter, xw, yj, xL + u, yj);
    if (hasSoil(j, Side::Right)) CanvasLine(painter, xw, yj, xR - u, yj);
  }
  const int yFoot = depthY(problem.Z[NL]);
  CanvasLine(painter, xw, yFoot, xL + u, yFoot);
  CanvasLine(painter, xw, yFoot, xR - u, yFoot);

  painter.setPen(FlatPen(Qt::black, 6));
  CanvasLine(painter, xw, y0, xw, yb);
  painter.setPen(FlatPen(Qt::black, 3));

  const int D = m / 20;
  const int E = 4 * D;
  const AxialRecord& axial = problem.Axial[s];
  if (std::abs(axial.NA) > Negligible)
    AxialArrow(painter, xw, y0, -1, ToDevice(std::abs(axial.NA) * m / F), axial.NA < 0, D, E);
  if (std::abs(axial.NB) > Negligible)
    AxialArrow(painter, xw, yb, 1, ToDevice(std::abs(axial.NB) * m / F), axial.NB < 0, D, E);

  const auto& anchors = problem.Anchors[s];
  for (int p = 0; p <= NL; ++p) {
    const double Fx = anchors[p].Fx;
    if (std::abs(Fx) > Negligible)
      LateralArrow(painter, xw, depthY(problem.Z[p]), ToDevice(m * Fx / F), Fx > 0, D, E);
  }

  painter.setPen(FlatPen(Qt::black, 6));
  for (int p = 0; p <= NL; ++p) {
    if (!(anchors[p].Fa > Negligible)) continue;
    const bool left = anchors[p].Fw >= 0;
    AnchorRod(painter, xw, depthY(problem.Z[p]), left, left ? xL + 2 * u : xR - 2 * u, hh / 2,
              hh / 2, hh);
  }
  painter.restore();
  return bottom;
}

}  // namespace korvanu
