// The twelve hatch patterns, on grids that start at the page origin.
#include "print/HatchRectangle.h"

#include <QPainter>
#include <algorithm>

namespace korvanu {

void HatchRectangle(QPainter& painter, int pageWidth, int pageHeight, int x1, int y1, int x2,
                    int y2, int n) {
  n = ((n - 1) % 12 + 12) % 12 + 1;
  int e = 200;
  if (n >= 7) {
    e = 300;
    n -= 6;
  }
  const int a = std::min(x1, x2), c = std::max(x1, x2);
  const int b = std::min(y1, y2), d = std::max(y1, y2);
  painter.save();
  painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  const int W = pageWidth, H = pageHeight;
  // A page too small for the divisor still gets lines one unit apart.
  const int s = std::max(std::min(H / e, W / e), 1);

  if (n == 1 || n == 3) {
    for (int y = 0; y < H; y += s)
      if (b < y && y < d) painter.drawLine(a, y, c, y);
  }
  if (n == 2 || n == 3) {
    for (int x = 0; x < W; x += s)
      if (a < x && x < c) painter.drawLine(x, b, x, d);
  }
  const double t = 1.4 * s;
  if (n == 4 || n == 6) {
    // y = x + l meets the rectangle for x in [b - l, d - l] within [a, c].
    for (int l = -W; l < H; l = static_cast<int>(t + l)) {
      if (std::max(a, b - l) >= std::min(c, d - l)) continue;
      const QPoint from = (b - l < a && a < d - l) ? QPoint(a, a + l) : QPoint(b - l, b);
      const QPoint to = c < d - l ? QPoint(c, c + l) : QPoint(d - l, d);
      painter.drawLine(from, to);
    }
  }
  if (n == 5 || n == 6) {
    // y = l - x meets the rectangle for x in [l - d, l - b] within [a, c].
    for (int l = 0; l < W + H; l = static_cast<int>(t + l)) {
      if (std::max(a, l - d) >= std::min(c, l - b)) continue;
      const QPoint from = (l - d < a && a < l - b) ? QPoint(a, l - a) : QPoint(l - d, d);
      const QPoint to = c < l - b ? QPoint(c, l - c) : QPoint(l - b, b);
      painter.drawLine(from, to);
    }
  }
  painter.restore();
}

}  // namespace korvanu
