// The hatch patterns on an image: lines only inside the rectangle, on grids
// that start at the page origin, coarse and fine, and numbers brought into
// range.
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "print/HatchRectangle.h"

namespace korvanu {

class HatchRectangleTest : public QObject {
  Q_OBJECT

  // A 1200 x 1500 page: the coarse spacing is 6, the fine one 4.
  static QImage Hatched(int n, QRect corners) {
    QImage page(1200, 1500, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    HatchRectangle(painter, page.width(), page.height(), corners.right(), corners.bottom(),
                   corners.left(), corners.top(), n);
    return page;
  }
  static bool Black(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

 private slots:
  void linesStayInsideTheRectangle() {
    const QRect box(QPoint(101, 203), QPoint(437, 611));
    for (int n = -3; n <= 26; ++n) {
      const QImage page = Hatched(n, box);
      int inside = 0;
      for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
          if (!Black(page, x, y)) continue;
          QVERIFY2(box.contains(x, y),
                   qPrintable(QStringLiteral("pattern %1 at %2,%3").arg(n).arg(x).arg(y)));
          ++inside;
        }
      QVERIFY2(inside > 1000, qPrintable(QString::number(n)));
    }
  }

  void patternsAndSpacingFromThePageOrigin() {
    const QRect box(QPoint(100, 200), QPoint(400, 600));
    // 1: horizontal lines at multiples of 6; 7: the same at multiples of 4.
    const QImage coarse = Hatched(1, box);
    const QImage fine = Hatched(7, box);
    for (int y = 201; y < 600; ++y) {
      QCOMPARE(Black(coarse, 250, y), y % 6 == 0);
      QCOMPARE(Black(fine, 250, y), y % 4 == 0);
    }
    // 2: vertical lines; 13 is 1 again, 0 is 12 (both fine diagonals).
    const QImage vertical = Hatched(2, box);
    for (int x = 101; x < 400; ++x) QCOMPARE(Black(vertical, x, 400), x % 6 == 0);
    QCOMPARE(Hatched(13, box), coarse);
    QCOMPARE(Hatched(0, box), Hatched(12, box));
    // 4 runs down to the right: a black pixel continues one step down-right.
    const QImage down = Hatched(4, box);
    int continued = 0, black = 0;
    for (int x = 150; x < 350; ++x)
      if (Black(down, x, 300)) {
        ++black;
        continued += Black(down, x + 1, 301);
      }
    QVERIFY(black > 10);
    QCOMPARE(continued, black);
    // Two neighbouring rectangles hatch as one.
    QImage both(1200, 1500, QImage::Format_RGB32);
    both.fill(Qt::white);
    {
      QPainter painter(&both);
      HatchRectangle(painter, 1200, 1500, 100, 200, 250, 600, 5);
      HatchRectangle(painter, 1200, 1500, 250, 200, 400, 600, 5);
    }
    const QImage whole = Hatched(5, box);
    for (int y = 210; y < 590; ++y) QCOMPARE(Black(both, 248, y), Black(whole, 248, y));
    for (int y = 210; y < 590; ++y) QCOMPARE(Black(both, 252, y), Black(whole, 252, y));
  }
};

}  // namespace korvanu

QTEST_MAIN(korvanu::HatchRectangleTest)
#include "HatchRectangleTest.moc"
