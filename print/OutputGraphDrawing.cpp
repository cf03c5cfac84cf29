// The output graphs in device units. Every position is computed in reals and
// truncated toward zero; lines are drawn as a pen moved from point to point.
#include "print/OutputGraphDrawing.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <utility>

#include "base/QtText.h"
#include "core/TextFormat.h"
#include "results/ResultQuantities.h"
#include "results/ValueRange.h"

namespace korvanu {

namespace {

// A pen position and lines drawn from it, as a canvas draws them.
class PenPath {
 public:
  explicit PenPath(QPainter& painter) : painter_(painter) {}
  void MoveTo(int x, int y) { at_ = QPoint(x, y); }
  void LineTo(int x, int y) {
    const QPoint to(x, y);
    painter_.drawLine(at_, to);
    at_ = to;
  }
  void Color(const QColor& color) {
    QPen pen = painter_.pen();
    pen.setColor(color);
    painter_.setPen(pen);
  }

 private:
  QPainter& painter_;
  QPoint at_;
};

QColor SegmentColor(CurveColors colors, double value) {
  return colors.Segments ? HatchColor(value) : QColor(Qt::black);
}
QColor HatchPen(CurveColors colors, double value) {
  return colors.Hatches ? HatchColor(value) : QColor(Qt::black);
}

// The smallest share of its size that a crowded text is drawn at.
constexpr double SmallestText = 0.5;

QFont ScaledFont(QFont font, double size) {
  if (size >= 1.0) return font;
  if (font.pixelSize() > 0) {
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * size))));
  } else {
    font.setPointSizeF(font.pointSizeF() * size);
  }
  return font;
}

// The left ends of the texts of one line, in their order from left to right,
// `widths` wide: where a text would come closer than `gap` to the next, the
// two (and any they then crowd) form a group, laid out `gap` apart and placed
// where their wanted places lie on average, within from..to. A pair thus
// moves apart by half of what it lacks each.
struct TextPlaces {
  std::vector<int> Lefts;
  std::vector<int> Groups;  // the group of each text, numbered from the left
};

TextPlaces SeparateTexts(const std::vector<int>& wanted, const std::vector<int>& widths, int gap,
                         int from, int to) {
  struct Group {
    int First;
    int Last;
    double Sum;  // of the wanted left ends of the group, each less its offset in the group
    int Width;
    int Left;
  };
  const auto place = [from, to](Group& group) {
    const double mean = group.Sum / (group.Last - group.First + 1);
    group.Left = std::max(from, std::min(static_cast<int>(std::lround(mean)), to - group.Width));
  };
  std::vector<Group> groups;
  for (int i = 0; i < static_cast<int>(wanted.size()); ++i) {
    Group group{i, i, static_cast<double>(wanted[i]), widths[i], 0};
    place(group);
    while (!groups.empty() && groups.back().Left + groups.back().Width + gap > group.Left) {
      Group merged = groups.back();
      groups.pop_back();
      const int offset = merged.Width + gap;
      // The later group's members keep their offsets within it, behind the earlier one.
      merged.Sum += group.Sum - static_cast<double>(group.Last - group.First + 1) * offset;
      merged.Last = group.Last;
      merged.Width = offset + group.Width;
      place(merged);
      group = merged;
    }
    groups.push_back(group);
  }
  TextPlaces places{std::vector<int>(wanted.size()), std::vector<int>(wanted.size())};
  for (int g = 0; g < static_cast<int>(groups.size()); ++g) {
    int x = groups[g].Left;
    for (int k = groups[g].First; k <= groups[g].Last; ++k) {
      places.Lefts[k] = x;
      places.Groups[k] = g;
      x += widths[k] + gap;
    }
  }
  return places;
}

}  // namespace

QColor HatchColor(double value) {
  return value >= 0.0 ? QColor(0, 0, 255) : QColor(255, 0, 0);
}

int NodeY(const GraphPlace& place, const NodeResults& results, int i) {
  return ToDevice(place.Top + place.ScaleZ * results.z[i]);
}

int ValueX(const GraphPlace& place, double value) {
  return ToDevice(place.Axis + place.ScaleX * value);
}

void DrawNodeCurve(QPainter& painter, const GraphPlace& place, const NodeResults& results,
                   const double* values, int first, int NN, CurveColors colors) {
  PenPath pen(painter);
  pen.MoveTo(ValueX(place, values[0]), place.Top);
  for (int i = first; i <= NN; ++i) {
    const int x = ValueX(place, values[i]);
    const int y = NodeY(place, results, i);
    pen.Color(SegmentColor(colors, values[i]));
    pen.LineTo(x, y);
    pen.Color(HatchPen(colors, values[i]));
    pen.MoveTo(place.Axis, y);
    pen.LineTo(x, y);
  }
  pen.Color(Qt::black);
}

void DrawShearCurve(QPainter& painter, const GraphPlace& place, const NodeResults& results, int NN,
                    CurveColors colors) {
  PenPath pen(painter);
  for (int k = 1; k <= NN; ++k) {
    const double below = results.Qminus[k];
    const int y = NodeY(place, results, k);
    const int x = ValueX(place, below);
    pen.Color(SegmentColor(colors, below));
    pen.MoveTo(ValueX(place, results.Qplus[k - 1]), NodeY(place, results, k - 1));
    pen.LineTo(x, y);
    pen.LineTo(ValueX(place, results.Qplus[k]), y);
    pen.Color(HatchPen(colors, below));
    pen.MoveTo(place.Axis, y);
    pen.LineTo(x, y);
  }
  pen.Color(Qt::black);
}

void DrawLoadCurve(QPainter& painter, const GraphPlace& place, const NodeResults& results, int NN,
                   CurveColors colors) {
  PenPath pen(painter);
  pen.MoveTo(place.Axis, place.Top);
  for (int i = 1; i <= NN; ++i) {
    const double plotted = -DistributedLoad(results, i);
    const int x = ValueX(place, plotted);
    const int y = NodeY(place, results, i);
    pen.Color(SegmentColor(colors, plotted));
    pen.LineTo(x, y);
    pen.Color(HatchPen(colors, plotted));
    pen.MoveTo(place.Axis, y);
    pen.LineTo(x, y);
  }
  pen.Color(Qt::black);
}

void DrawValueGrid(QPainter& painter, const ValueGrid& grid, int top, int bottom,
                   const std::vector<int>& depthLines, int fromX, int toX) {
  for (const int x : grid.Lines) painter.drawLine(x, top, x, bottom);
  for (const int y : depthLines) painter.drawLine(fromX, y, toX, y);
}

std::array<LineText, 2> ScaleLabels(const QPainter& painter, const ValueGrid& grid, int y) {
  const QString left = ToQString(grid.LeftLabel);
  const QString right = ToQString(grid.RightLabel);
  return {LineText{left, grid.Left - TextWidth(painter, left) / 2, y},
          LineText{right, grid.Right - TextWidth(painter, right) / 2, y}};
}

void DrawTextLine(QPainter& painter, std::vector<LineText> texts, int from, int to) {
  std::stable_sort(texts.begin(), texts.end(),
                   [](const LineText& a, const LineText& b) { return a.X < b.X; });
  const QFont font = painter.font();
  const int n = static_cast<int>(texts.size());
  const int gap = TextWidth(painter, QStringLiteral(" "));
  std::vector<double> sizes(n, 1.0);
  std::vector<int> widths(n), wanted(n);
  TextPlaces places;
  for (;;) {
    for (int i = 0; i < n; ++i) {
      const int full = TextWidth(painter, texts[i].Text);
      widths[i] = QFontMetrics(ScaledFont(font, sizes[i]), painter.device())
                      .horizontalAdvance(texts[i].Text);
      wanted[i] = texts[i].X + full / 2 - widths[i] / 2;
    }
    places = SeparateTexts(wanted, widths, gap, from, to);
    // A group with a text pushed off its line is made smaller as a whole, so
    // that its texts keep their order and sizes among themselves.
    std::vector<bool> crowded(n, false);
    for (int i = 0; i < n; ++i)
      if (std::abs(places.Lefts[i] - wanted[i]) > widths[i] / 2 && sizes[i] > SmallestText)
        crowded[places.Groups[i]] = true;
    bool shrunk = false;
    for (int i = 0; i < n; ++i) {
      if (crowded[places.Groups[i]] && sizes[i] > SmallestText) {
        sizes[i] = std::max(SmallestText, sizes[i] - 0.1);
        shrunk = true;
      }
    }
    if (!shrunk) break;
  }
  const std::vector<int>& lefts = places.Lefts;
  // A smaller text keeps the baseline of the line.
  const int ascent = painter.fontMetrics().ascent();
  for (int i = 0; i < n; ++i) {
    painter.setFont(ScaledFont(font, sizes[i]));
    painter.drawText(lefts[i], texts[i].Y + ascent, texts[i].Text);
  }
  painter.setFont(font);
}

void TextAt(QPainter& painter, int x, int y, const QString& text) {
  painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

int TextWidth(const QPainter& painter, const QString& text) {
  return painter.fontMetrics().horizontalAdvance(text);
}

std::array<double, GraphCount> CurveExtremes(const NodeResults& results, int NN) {
  ValueRange range[GraphCount];
  for (int i = 0; i <= NN; ++i) {
    range[0].Take(results.w[i]);
    range[1].Take(results.M[i]);
  }
  for (int i = 1; i <= NN; ++i) {
    range[2].Take(results.Qminus[i]);
    range[2].Take(results.Qplus[i]);
    range[3].Take(DistributedLoad(results, i));
  }
  // The extreme of f is that of the plotted -f (and no f at all gives 0, not -0).
  return {range[0].Extreme(), range[1].Extreme(), range[2].Extreme(), 0.0 - range[3].Extreme()};
}

QString CurveExtremeText(GraphQuantity quantity, double extreme) {
  switch (quantity) {
    case GraphQuantity::W:
      return ToQString(Format("max %.4f m", extreme));
    case GraphQuantity::M:
      return ToQString(Format("max %.2f kNm/m", extreme));
    case GraphQuantity::Q:
      return ToQString(Format("max %.2f kN/m", extreme));
    case GraphQuantity::F:
      return ToQString(Format("max %.2f kN/m", extreme)) + QStringLiteral("\u00b2");
  }
  return {};
}

void DrawCurveExtremes(QPainter& painter, const std::array<int, GraphCount>& axes, int y,
                       const std::array<double, GraphCount>& extremes, int from, int to) {
  std::vector<LineText> texts;
  for (int g = 0; g < GraphCount; ++g) {
    const QString text = CurveExtremeText(static_cast<GraphQuantity>(g), extremes[g]);
    texts.push_back({text, axes[g] - TextWidth(painter, text) / 2, y});
  }
  DrawTextLine(painter, std::move(texts), from, to);
}

void PaintOutputGraphs(QPainter& painter, QSize client, int panelHeight, const NodeResults& results,
                       int NN, const GraphScales& scales) {
  const int CW = client.width();
  const int CH = client.height();
  const int d = CW / 8;
  const int top = CH / 15 + panelHeight;
  const int bottom = CH - CH / 15;
  const int labelY = top - 13;
  const double length = results.z[NN];

  painter.fillRect(0, 0, CW, CH, Qt::white);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  const std::vector<int> depths = DepthGridLines(length, scales.ScreenZ, top);
  const CurveColors screen{false, true};

  const auto place = [&](GraphQuantity q, int axis) {
    return GraphPlace{axis, top, scales.ScreenZ, scales[q].Screen};
  };
  // The scale labels, titles and the depth axis's "0" share one line.
  std::vector<LineText> labels;
  const auto grid = [&](GraphQuantity q, int axis) {
    const ValueGrid values = MakeValueGrid(q, scales[q], scales[q].Screen, axis);
    DrawValueGrid(painter, values, top, bottom, depths, values.Right, values.Left);
    for (const LineText& label : ScaleLabels(painter, values, labelY)) labels.push_back(label);
    return values;
  };

  const int xW = d, xM = 3 * d, xQ = 5 * d, xF = 7 * d;
  painter.drawLine(xW, top, xW, bottom);
  DrawNodeCurve(painter, place(GraphQuantity::W, xW), results, results.w.data(), 1, NN, screen);
  grid(GraphQuantity::W, xW);

  painter.drawLine(xM, top, xM, bottom);
  DrawNodeCurve(painter, place(GraphQuantity::M, xM), results, results.M.data(), 1, NN, screen);
  const ValueGrid gridM = grid(GraphQuantity::M, xM);

  painter.drawLine(xQ, top, xQ, bottom);
  DrawShearCurve(painter, place(GraphQuantity::Q, xQ), results, NN, screen);
  const ValueGrid gridQ = grid(GraphQuantity::Q, xQ);

  // The depth axis between the moment and the shear force graphs.
  const int X = (gridM.Right + gridQ.Left) / 2;
  labels.push_back({QStringLiteral("0"), X - 3, top - 8});
  const QString depth = ToQString(Format("%5.3f", length)) + QStringLiteral(" m");
  TextAt(painter, X - TextWidth(painter, depth) / 2, bottom - 8, depth);
  painter.drawLine(X, top + 8, X, bottom - 12);
  painter.drawLine(X, bottom - 12, X - 2, bottom - 18);
  painter.drawLine(X, bottom - 12, X + 2, bottom - 18);

  painter.drawLine(xF, top, xF, bottom);
  DrawLoadCurve(painter, place(GraphQuantity::F, xF), results, NN, screen);
  grid(GraphQuantity::F, xF);

  const char* const titles[GraphCount] = {"w", "M", "Q", "f"};
  const int axes[GraphCount] = {xW, xM, xQ, xF};
  for (int g = 0; g < GraphCount; ++g)
    labels.push_back({QLatin1String(titles[g]), axes[g] - 3, labelY});
  DrawTextLine(painter, std::move(labels), 0, CW);
  // Each curve's largest value, one line above its labels.
  DrawCurveExtremes(painter, {xW, xM, xQ, xF}, labelY - 13, CurveExtremes(results, NN), 0, CW);
}

}  // namespace korvanu
