// The figures of the manual. Every coordinate below is in the designed box
// of 218 x 166 units, mapped onto the box being drawn; pen widths and text
// are in device units, so that a printed figure keeps thin lines and the
// printed text size.
#include "manual/ManualFigures.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <numbers>

#include "base/WindowColors.h"
#include "print/HatchRectangle.h"

namespace korvanu {

namespace {

constexpr double W = FigureDesignWidth;
constexpr double H = FigureDesignHeight;

// The colours of the soil bands of Figure 1.
const QColor Silver{0xC0, 0xC0, 0xC0};
const QColor Green{0x00, 0x80, 0x00};

const char* const Captions[FigureCount] = {
    "Figure 1 : Sheet Pile Wall",
    "Figure 2 : Lateral soil pressure on the right side",
    "Figure 3 : Lateral soil pressure on the left side",
    "Figure 4 : Sign conventions",
    "Figure 5 : Anchor at the left side",
    "Figure 6 : Anchor at the right side",
    "Figure 7 : Axial forces",
    "Figure 8 : Test 1",
    "Figure 9 : Test 2",
    "Figure 10 : Test 3",
};

enum class Align { Left, Centre, Right };

class Figure {
 public:
  Figure(FigureCanvas& canvas, const QRect& box) : c_(canvas), p_(canvas.Painter), box_(box) {
    p_.setFont(canvas.LabelFont);
    p_.setBrush(Qt::NoBrush);
    Pen(1);
  }

  bool OnPaper() const { return c_.Medium == FigureMedium::Paper; }

  QPoint At(double x, double y) const {
    return {box_.x() + static_cast<int>(std::lround(x * box_.width() / W)),
            box_.y() + static_cast<int>(std::lround(y * box_.height() / H))};
  }

  void Pen(int width, const QColor& color = Qt::black, Qt::PenStyle style = Qt::SolidLine) {
    p_.setPen(QPen(color, width * c_.Unit, style, Qt::FlatCap, Qt::MiterJoin));
  }

  void Line(double x1, double y1, double x2, double y2) { p_.drawLine(At(x1, y1), At(x2, y2)); }

  // An arrowhead at (x2, y2) for a shaft coming from (x1, y1): two strokes
  // `length` back along the shaft and a quarter of it to either side.
  void Head(double x1, double y1, double x2, double y2, double length = 7) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double n = std::hypot(dx, dy);
    if (n <= 0) return;
    const double ux = dx / n, uy = dy / n;
    const double bx = x2 - length * ux, by = y2 - length * uy;
    const double side = length / 3;
    Line(x2, y2, bx - side * uy, by + side * ux);
    Line(x2, y2, bx + side * uy, by - side * ux);
  }

  void Arrow(double x1, double y1, double x2, double y2, double length = 7) {
    Line(x1, y1, x2, y2);
    Head(x1, y1, x2, y2, length);
  }

  void DoubleArrow(double x1, double y1, double x2, double y2) {
    Arrow(x1, y1, x2, y2, 5);
    Head(x2, y2, x1, y1, 5);
  }

  // A segment of a path with an arrowhead halfway, in the direction of travel.
  void Branch(double x1, double y1, double x2, double y2) {
    Line(x1, y1, x2, y2);
    Head(x1, y1, (x1 + x2) / 2 + (x2 - x1) * 0.1, (y1 + y2) / 2 + (y2 - y1) * 0.1);
  }

  // A curved arrow around (cx, cy) from angle `from` to `to` (degrees,
  // anticlockwise positive as on paper), as a polyline with a head at its end.
  void CurvedArrow(double cx, double cy, double r, double from, double to, int segments) {
    double px = 0, py = 0, qx = 0, qy = 0;
    for (int k = 0; k <= segments; ++k) {
      const double a = (from + (to - from) * k / segments) * std::numbers::pi / 180;
      const double x = cx + r * std::cos(a), y = cy - r * std::sin(a);
      if (k > 0) Line(qx, qy, x, y);
      px = qx, py = qy;
      qx = x, qy = y;
    }
    Head(px, py, qx, qy, 6);
  }

  // A coloured area, hatched with pattern `n` on paper; outlined in both.
  void Area(double x1, double y1, double x2, double y2, const QColor& color, int n) {
    const QRect r(At(x1, y1), At(x2, y2));
    if (OnPaper()) {
      HatchRectangle(p_, c_.Page.width(), c_.Page.height(), r.left(), r.top(), r.right(),
                     r.bottom(), n);
    } else {
      p_.fillRect(r, color);
    }
  }

  void Outline(double x1, double y1, double x2, double y2) {
    Pen(1);
    p_.drawRect(QRect(At(x1, y1), At(x2, y2)));
  }

  // A label whose cell is aligned at the point and centred on it vertically.
  void Label(double x, double y, const QString& text, Align align = Align::Left) {
    const QFontMetrics metrics = p_.fontMetrics();
    const QPoint at = At(x, y);
    int left = at.x();
    if (align == Align::Centre) left -= metrics.horizontalAdvance(text) / 2;
    if (align == Align::Right) left -= metrics.horizontalAdvance(text);
    // Text in black, and the pen of the lines around it left as it was.
    p_.save();
    p_.setPen(QPen(Qt::black));
    p_.drawText(left, at.y() - metrics.height() / 2 + metrics.ascent(), text);
    p_.restore();
  }

 private:
  FigureCanvas& c_;
  QPainter& p_;
  QRect box_;
};

QString Text(const char* text) {
  return QString::fromUtf8(text);
}

void SheetPileWall(Figure& f) {
  const double x0 = W / 10, x1 = W - W / 10, y0 = H / 10, y1 = H - H / 10;
  const double d = y1 - y0, xm = W / 2;
  const double ends[] = {y0, y0 + d / 4, y0 + d / 2, y0 + 2 * d / 3, y1};
  const QColor colours[] = {colors::Yellow, Silver, colors::Red, Green};
  const int patterns[] = {4, 5, 3, 6};
  for (int band = 0; band < 4; ++band)
    f.Area(xm, ends[band], x1, ends[band + 1], colours[band], patterns[band]);
  f.Area(x0, ends[3], xm, y1, Green, 6);

  // The water-level mark stands on the open passive side, clear of the anchor.
  const double water = y0 + d / 6, mark = (x0 + xm) / 2;
  f.Pen(1, colors::Blue);
  f.Line(x0, water, x1, water);
  f.Line(mark - 4, water + 3, mark + 4, water + 3);
  f.Line(mark - 2, water + 6, mark + 2, water + 6);

  f.Pen(1);
  f.Line(xm, y0, x1, y0);
  f.Pen(2);
  f.Line(xm, y0 - 5, xm, y0 + 0.9 * d);
  const double anchor = y0 + d / 16, plate = xm + 0.3 * W;
  f.Pen(1);
  f.Line(xm, anchor, plate, anchor + 18);
  f.Pen(2);
  f.Line(plate, anchor + 11, plate, anchor + 25);

  const double inner = x1 - x0;
  f.Label(x0 + 3 * inner / 4, y1 - 10, Text("Active Side"), Align::Centre);
  f.Label(x0 + inner / 4, y1 - 10, Text("Passive Side"), Align::Centre);
  if (f.OnPaper()) f.Label(xm - 4, y0 - 8, Text("W"), Align::Right);
}

// Figures 2 and 3: the stress of one side against the displacement. On the
// right side the elastic branch rises from Sa to Sp, on the left it falls.
void SoilPressure(Figure& f, bool rightSide) {
  const double xo = W / 2, yo = 0.62 * H;
  f.Pen(1);
  f.Arrow(W / 12, yo, W - W / 12, yo);
  f.Label(W - W / 12 + 3, yo, Text("w"));
  f.Arrow(xo, yo, xo, H / 14);
  f.Label(xo + 4, H / 14 + 2, Text("S"));

  const double sa = yo - 22, sp = yo - 76;
  const double low = rightSide ? sa : sp, high = rightSide ? sp : sa;
  const double xa = xo - 22, xe = xa + W / 5, xb = 0.8 * W, xu = xb - W / 5;
  f.Pen(2);
  f.Branch(0.13 * W, low, xa, low);
  f.Branch(xa, low, xe, high);
  f.Branch(xe, high, xb, high);
  f.Branch(xb, high, xu, low);
  f.Branch(xu, low, 0.19 * W, low);

  const double dim = yo + 18;
  f.Pen(1, Qt::black, Qt::DotLine);
  f.Line(xa, low, xa, dim + 4);
  f.Line(xe, high, xe, dim + 4);
  f.Pen(1);
  f.DoubleArrow(xa, dim, xe, dim);
  f.Label((xa + xe) / 2, dim + 9, Text("Dw"), Align::Centre);

  const double left = 0.23 * W, right = 0.87 * W;
  f.DoubleArrow(left, yo, left, low);
  f.Label(left - 3, (yo + low) / 2, Text(rightSide ? "Sa" : "Sp"), Align::Right);
  f.DoubleArrow(right, yo, right, high);
  f.Label(right + 3, (yo + high) / 2, Text(rightSide ? "Sp" : "Sa"));
  if (f.OnPaper()) f.Label(xo + 3, yo + 7, Text("W"));
}

void SignConventions(Figure& f) {
  f.Pen(1);
  f.Arrow(30, 22, 95, 22);
  f.Label(98, 22, Text("w"));
  f.Arrow(30, 22, 30, 150);
  f.Label(35, 148, Text("z"));

  const double ex1 = 110, ex2 = 150, ey1 = 66, ey2 = 106, cx = (ex1 + ex2) / 2;
  f.Area(ex1, ey1, ex2, ey2, colors::Yellow, 4);
  f.Outline(ex1, ey1, ex2, ey2);
  f.Pen(1, Qt::black, Qt::DotLine);
  f.Line(ex1, 34, ex1, ey1);
  f.Line(ex2, 34, ex2, ey1);
  f.Line(ex1, ey2, ex1, 150);
  f.Line(ex2, ey2, ex2, 150);
  f.Line(cx, 30, cx, 154);

  f.Pen(1);
  for (const double y : {76.0, 86.0, 96.0}) f.Arrow(82, y, ex1 - 2, y, 5);
  f.Label(78, 86, Text("f"), Align::Right);
  f.Arrow(ex2 + 2, ey1 - 4, ex2 + 30, ey1 - 4);
  f.Label(ex2 + 33, ey1 - 4, Text("Q"));
  f.Arrow(ex1 - 2, ey2 + 6, ex1 - 30, ey2 + 6);
  f.Label(ex1 - 33, ey2 + 6, Text("Q"), Align::Right);
  // The moment labels stand outside the guide lines of the element's sides.
  f.CurvedArrow(cx, ey1, 13, 15, 165, 6);
  f.Label(ex1 - 4, ey1 - 10, Text("M"), Align::Right);
  f.CurvedArrow(cx, ey2, 13, -15, -165, 6);
  f.Label(ex2 + 4, ey2 + 10, Text("M"));
}

// Figures 5 and 6: an anchor into the soil on one side of the wall, and the
// positive force at its point, to the right.
void Anchor(Figure& f, bool leftSide) {
  const double xw = leftSide ? 130 : 88, top = 18, bottom = 150;
  const double soil1 = leftSide ? 24 : xw, soil2 = leftSide ? xw : 194;
  f.Area(soil1, 30, soil2, bottom, colors::Yellow, 4);
  f.Pen(2);
  f.Arrow(xw, top, xw, bottom);
  f.Label(xw + 5, bottom - 4, Text("z"));
  f.Arrow(xw, top, 200, top);
  f.Label(203, top, Text("w"));

  const double point = top + (bottom - top) / 6;
  const double plate = leftSide ? xw - 70 : xw + 70;
  f.Line(xw, point, plate, point + 22);
  f.Line(plate, point + 14, plate, point + 30);
  f.Pen(1);
  const double tip = leftSide ? xw + 45 : xw - 45;
  f.Arrow(xw, point, tip, point);
  if (leftSide) {
    f.Label(tip + 3, point, Text("Fx"));
  } else {
    f.Label(tip - 3, point, Text("Fx"), Align::Right);
  }
}

void AxialForces(Figure& f) {
  const double xw = 100, top = 45, bottom = 135;
  f.Area(xw, 60, 190, bottom, colors::Yellow, 4);
  f.Pen(1);
  f.Arrow(20, 20, 62, 20);
  f.Label(65, 20, Text("w"));
  f.Pen(3);
  f.Line(xw, top, xw, bottom);
  f.Pen(2);
  f.Line(xw, 75, 160, 92);
  f.Line(160, 84, 160, 100);

  f.Pen(1);
  f.Arrow(xw, top, xw, 12);
  f.Label(xw + 5, 14, Text("Nt"));
  f.Arrow(xw, bottom, xw, 160);
  f.Label(xw + 5, 154, Text("Nb"));
  // Clockwise over the top: from the left of the wall to its right.
  f.CurvedArrow(xw, top, 17, 180, 0, 4);
  f.Label(xw + 22, top - 16, Text("Mt"));
}

struct PlotScale {
  int Samples;
  double Step;              // depth of one sample
  double (*Value)(double);  // the value at a depth
  int Grid;                 // vertical grid lines at -Grid .. Grid
  const char* Quantity;     // the label of the value axis
  const char* Depth;        // the label of the depth axis
  const char* Outer;        // the label of the outermost vertical grid line
  int Levels;               // horizontal grid lines at depth 1 .. Levels
  const char* Deepest;      // the label of the lowest horizontal grid line
};

const PlotScale& Scale(int figure) {
  static const PlotScale scales[3] = {
      {100, 0.05, [](double x) { return std::exp(-x) * std::sin(x); }, 3, "M", "z/L", "0.3", 5,
       "5"},
      {100, 0.05,
       [](double x) {
         return std::exp(-x) * std::sin(x + 3 * std::numbers::pi / 4) / std::numbers::sqrt2;
       },
       2, "w", "z/L", "0.2", 5, "5"},
      {70, 0.1,
       [](double z) {
         double f = 16 * z / 3;                      // the active pressure Ka*Wd*z
         if (z > 5.0 + 1e-9) f -= 3 * 16 * (z - 5);  // the passive resistance below 5 m
         return f;
       },
       5, "f", "z", "50", 7, "7"},
  };
  return scales[figure - 8];
}

// The x of a value, the x of vertical grid line i, and the y of a depth.
struct PlotFrame {
  int figure, w, h, p, xc, yt, xr, yb;
  PlotFrame(int figure, QSize box)
      : figure(figure),
        w(box.width()),
        h(box.height()),
        p(w / 24),
        xc(w / 2),
        yt(h / 10),
        xr(w - w / 10),
        yb(h - h / 10) {}

  int X(double value) const {
    switch (figure) {
      case 8:
        return xc + static_cast<int>(24 * p * value);
      case 9:
        return xc + static_cast<int>(16 * p * value);
      default:
        return xc + static_cast<int>(15 * p * value / 100);
    }
  }
  double GridX(int i) const {
    switch (figure) {
      case 8:
        return xc + 24.0 * p * i / 10;
      case 9:
        return xc + 4.0 * p * i;
      default:
        return xc + 1.5 * p * i;
    }
  }
  // Sample j lies at this y.
  int Y(int j) const {
    if (figure == 10) return yt + j * (h / 70) * 3 / 4;
    return yt + j * (h / 100);
  }
  double LevelY(int depth) const {
    return Y(static_cast<int>(std::lround(depth / Scale(figure).Step)));
  }
};

void Plot(Figure& f, int figure) {
  const PlotScale& s = Scale(figure);
  const PlotFrame frame(figure, QSize(FigureDesignWidth, FigureDesignHeight));
  const double p = frame.p;
  const double left = W / 10;

  f.Pen(1);
  f.Line(left, frame.yt, frame.xr, frame.yt);
  f.Line(frame.xr, frame.yt, frame.xr - p, frame.yt - p / 4);
  f.Line(frame.xr, frame.yt, frame.xr - p, frame.yt + p / 4);
  f.Label(frame.xr + 3, frame.yt, Text(s.Quantity));
  f.Pen(2);
  f.Line(frame.xc, frame.yt + 1, frame.xc, frame.yb);
  f.Line(frame.xc, frame.yb, frame.xc - p / 4, frame.yb - p);
  f.Line(frame.xc, frame.yb, frame.xc + p / 4, frame.yb - p);
  f.Label(frame.xc + 4, frame.yb - 2, Text(s.Depth));

  const double deepest = frame.LevelY(s.Levels);
  f.Pen(1, Qt::black, Qt::DotLine);
  for (int i = -s.Grid; i <= s.Grid; ++i) {
    if (i != 0) f.Line(frame.GridX(i), frame.yt, frame.GridX(i), deepest);
  }
  const double halfWidth = frame.GridX(s.Grid) - frame.xc;
  for (int level = 1; level <= s.Levels; ++level)
    f.Line(frame.xc - halfWidth, frame.LevelY(level), frame.xc + halfWidth, frame.LevelY(level));
  f.Label(frame.GridX(s.Grid), deepest + 7, Text(s.Outer), Align::Centre);
  f.Label(frame.xc - halfWidth - 3, deepest, Text(s.Deepest), Align::Right);

  const std::vector<PlotSample> samples =
      PlotSamples(figure, QSize(FigureDesignWidth, FigureDesignHeight));
  for (const PlotSample& sample : samples) {
    if (sample.Value == 0) continue;
    f.Pen(1, sample.Value > 0 ? colors::Blue : colors::Red);
    f.Line(frame.xc, sample.Y, sample.X, sample.Y);
  }
  f.Pen(1);
  double x = frame.xc, y = frame.yt;
  for (const PlotSample& sample : samples) {
    f.Line(x, y, sample.X, sample.Y);
    x = sample.X;
    y = sample.Y;
  }
}

}  // namespace

QString FigureCaption(int figure, FigureMedium medium) {
  QString caption = QString::fromLatin1(Captions[figure - 1]);
  if (medium == FigureMedium::Paper) caption += QLatin1Char('.');
  return caption;
}

std::vector<PlotSample> PlotSamples(int figure, QSize box) {
  const PlotScale& s = Scale(figure);
  const PlotFrame frame(figure, box);
  std::vector<PlotSample> samples;
  for (int j = 0; j < s.Samples; ++j) {
    const double depth = s.Step * j;
    const double value = s.Value(depth);
    samples.push_back({depth, value, frame.X(value), frame.Y(j)});
  }
  return samples;
}

int DrawFigure(FigureCanvas& canvas, int figure, const QRect& box, int captionGap) {
  QPainter& painter = canvas.Painter;
  painter.save();
  painter.setPen(QPen(Qt::black, canvas.Unit));
  painter.setBrush(canvas.Medium == FigureMedium::Screen ? QBrush(Qt::white) : QBrush());
  painter.drawRect(box);

  Figure f(canvas, box);
  switch (figure) {
    case 1:
      SheetPileWall(f);
      break;
    case 2:
    case 3:
      SoilPressure(f, figure == 2);
      break;
    case 4:
      SignConventions(f);
      break;
    case 5:
    case 6:
      Anchor(f, figure == 5);
      break;
    case 7:
      AxialForces(f);
      break;
    default:
      Plot(f, figure);
      break;
  }

  painter.setFont(canvas.LabelFont);
  painter.setPen(QPen(Qt::black));
  const QFontMetrics metrics = painter.fontMetrics();
  const QString caption = FigureCaption(figure, canvas.Medium);
  const int top = box.bottom() + 1 + captionGap;
  const int left = box.center().x() - metrics.horizontalAdvance(caption) / 2;
  painter.drawText(left, top + metrics.ascent(), caption);
  painter.restore();
  return top + metrics.height();
}

}  // namespace korvanu
