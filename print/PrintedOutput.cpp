// Output tables and graphs of the printed report. Lines are one TitleFont
// height apart; the text itself is in TextFont.
#include "print/PrintedOutput.h"

#include <algorithm>
#include <utility>

#include "core/TextFormat.h"
#include "print/OutputGraphDrawing.h"
#include "print/PageFrame.h"
#include "results/ResultColumns.h"
#include "results/ResultQuantities.h"
#include "results/StepOutputReader.h"

namespace korvanu {

namespace {

int Nodes(const PrintContext& context) {
  return std::clamp(context.Problem().General.NN, 0, MaxElements);
}

void ReadStep(PrintContext& context, int k) {
  const StepReadOutcome outcome =
      ReadStepOutput(StepOutputFileName(context.Problem(), k), Nodes(context), context.Results());
  if (!outcome.Ok && context.Report) context.Report(outcome.Message);
}

int TitleHeight(PrintContext& context) {
  context.SelectFont(context.TitleFont());
  return context.TextHeight(QStringLiteral("W"));
}

void PrintTitle(PrintContext& context, int y, int k) {
  context.SelectFont(context.TitleFont());
  context.TextOut(context.LeftMargin, y, Format("Results after Step %d :", k));
  context.SelectFont(context.TextFont());
}

}  // namespace

int PrintStepTable(PrintContext& context, int y, int k) {
  ReadStep(context, k);
  const int h = TitleHeight(context);
  const int bottom = context.PageHeight() - h;
  if (y > bottom - 10 * h || y == 0) y = PageFrame(context, y);
  PrintTitle(context, y, k);

  const auto width = [&context](const char* text) {
    return context.TextWidth(QString::fromLatin1(text));
  };
  const int xi = context.LeftMargin + width("99999");
  const int c = width("123456.123456");
  int x[ResultColumnCount];
  x[0] = xi + width("9999");
  for (int column = 1; column < ResultColumnCount; ++column) x[column] = x[column - 1] + c;
  const int d = width("9999");
  const int half = d / 2;

  y += 2 * h;
  if (y + 3 * h > bottom) y = PageFrame(context, y);
  context.TextOut(xi, y, std::string("i"));
  const char* const headings[ResultColumnCount] = {"  z", "  w", "M", "Q-", "Q+", " F", " f"};
  for (int column = 0; column < ResultColumnCount; ++column)
    context.TextOut(x[column] + d, y, std::string(headings[column]));

  y += h;
  context.TextOut(x[0] + d, y, std::string("(m)"));
  context.TextOut(x[1] + d, y, std::string(" (m)"));
  context.TextOut(x[2] + half, y, std::string(" (kNm)"));
  for (int column = 3; column <= 5; ++column)
    context.TextOut(x[column] + half, y, std::string("   (kN)"));
  context.TextOut(x[6] + half, y, QStringLiteral(" (kN/m\u00b2)"));

  const NodeResults& results = context.Results();
  const int NN = Nodes(context);
  for (int i = 0; i <= NN; ++i) {
    y += h;
    if (y > bottom) y = PageFrame(context, y);
    context.NumberOut(xi, y, Format("%3d", i));
    for (int column = 0; column < ResultColumnCount; ++column)
      context.NumberOut(
          x[column], y,
          Format("%12.6f", ResultValue(results, static_cast<ResultColumn>(column), i)));
  }
  return y + 2 * h;
}

void ComputePrintGraphScales(PrintContext& context) {
  // The depth scale comes from the arrays as they are before the steps are read.
  const double length = context.Results().z[Nodes(context)];
  const GraphMaxima maxima = ReadGraphMaxima(context.Problem(), context.Results(), context.Report);
  GraphSizes sizes;
  sizes.ClientWidth = context.GraphsClient.width();
  sizes.ClientHeight = context.GraphsClient.height();
  sizes.PageWidth = context.PageWidth();
  sizes.PageHeight = context.PageHeight();
  context.Scales = ComputeGraphScales(maxima, length, sizes);
}

int PrintStepGraphs(PrintContext& context, int y, int k) {
  ReadStep(context, k);
  const NodeResults& results = context.Results();
  const int NN = Nodes(context);
  const GraphScales& scales = context.Scales;
  const int PW = context.PageWidth();
  const int PH = context.PageHeight();

  const int G = static_cast<int>(0.9 * PW);
  context.LeftMargin = PW / 20;
  const int h = TitleHeight(context);
  const int a = context.TextWidth(QStringLiteral("a")) / 2;
  const int H = static_cast<int>(0.24 * PH);
  if (PH - H - 4 * h < y || y == 0) y = PageFrame(context, y);
  PrintTitle(context, y, k);

  const int LM = context.LeftMargin;
  const int axes[GraphCount] = {G / 8 + LM, (3 * G) / 8 + LM, (5 * G) / 8 + LM, (7 * G) / 8 + LM};
  const int top = y + 3 * h;
  const int bot = ToDevice(top + scales.PrintZ * results.z[NN]);

  QPainter& painter = context.Painter();
  if (!painter.isActive()) return y;
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 6));
  for (const int axis : axes) painter.drawLine(axis, top, axis, bot);
  painter.setPen(QPen(Qt::black, 1));

  const bool colored = context.Options().Colors;
  const CurveColors curves{colored, colored};
  const std::vector<int> depths = DepthGridLines(results.z[NN], scales.PrintZ, top);
  const auto place = [&](GraphQuantity q) {
    const int axis = axes[static_cast<int>(q)];
    return GraphPlace{axis, top, scales.PrintZ, scales[q].Print};
  };
  // The scale labels, titles and the depth axis's "0" share one line.
  std::vector<LineText> labels;
  const auto grid = [&](GraphQuantity q, bool fromRight) {
    const ValueGrid values =
        MakeValueGrid(q, scales[q], scales[q].Print, axes[static_cast<int>(q)]);
    if (fromRight) {
      DrawValueGrid(painter, values, top, bot, depths, values.Right + 1, values.Left);
    } else {
      DrawValueGrid(painter, values, top, bot, depths, values.Left + 1, values.Right);
    }
    for (const LineText& label : ScaleLabels(painter, values, top - h)) labels.push_back(label);
    return values;
  };

  const std::array<double, GraphCount> extremes = CurveExtremes(results, NN);

  DrawNodeCurve(painter, place(GraphQuantity::W), results, results.w.data(), 0, NN, curves);
  grid(GraphQuantity::W, true);
  DrawNodeCurve(painter, place(GraphQuantity::M), results, results.M.data(), 0, NN, curves);
  const ValueGrid gridM = grid(GraphQuantity::M, false);
  DrawShearCurve(painter, place(GraphQuantity::Q), results, NN, curves);
  const ValueGrid gridQ = grid(GraphQuantity::Q, false);

  // The depth axis between the moment and the shear force graphs.
  const int X = (gridQ.Left + 1 + gridM.Right) / 2;
  const QString zero = QStringLiteral("0");
  labels.push_back({zero, X - TextWidth(painter, zero) / 2, top - h / 3});
  const QString depth = QString::fromLatin1(Format("%5.3f", results.z[NN])) + QStringLiteral(" m");
  TextAt(painter, X - TextWidth(painter, depth) / 2, bot - h / 3, depth);
  const int arrow = bot - (2 * h) / 3;
  painter.drawLine(X, top + (2 * h) / 3, X, arrow);
  painter.drawLine(X, arrow, X - h / 8, arrow - h / 2);
  painter.drawLine(X, arrow, X + h / 8, arrow - h / 2);

  DrawLoadCurve(painter, place(GraphQuantity::F), results, NN, curves);
  grid(GraphQuantity::F, true);

  const char* const titles[GraphCount] = {"w", "M", "Q", "f"};
  for (int g = 0; g < GraphCount; ++g)
    labels.push_back({QLatin1String(titles[g]), axes[g] - a, top - h});
  DrawTextLine(painter, std::move(labels), 0, PW);

  // Each curve's largest value with its unit, in the free line below the title.
  DrawCurveExtremes(painter, {axes[0], axes[1], axes[2], axes[3]}, top - 2 * h, extremes, 0, PW);
  const char* const units[GraphCount] = {" m", " kNm/m", " kN/m", " kN/m\u00b2"};
  const int y2 = bot + h;
  context.TextOut(LM, y2, std::string("Maxima :"));
  for (int g = 0; g < GraphCount; ++g)
    context.TextOut(
        axes[g] - 10 * a, y2,
        QString::fromLatin1(Format("%12.6f", extremes[g])) + QString::fromUtf8(units[g]));
  return y2 + 2 * h;
}

}  // namespace korvanu
