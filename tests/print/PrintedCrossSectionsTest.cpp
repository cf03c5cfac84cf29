// The printed cross sections read back from the PDF: the title above step 0,
// the step lines, drawings that fit their pages, and in the page pictures
// the palette colours or the hatching, excavated halves left blank with no
// boundary line, water levels under the coloured layers, and none outside
// the drawing of their step.
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "print/LayerPalette.h"
#include "print/PrintJob.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/ScriptedDialogs.h"

namespace korvanu {

namespace {

constexpr int PictureDpi = 100;

bool Colored(QRgb pixel) {
  const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
  return std::max({r, g, b}) - std::min({r, g, b}) > 40;
}
bool Dark(QRgb pixel) {
  return qGray(pixel) < 100 && !Colored(pixel);
}

}  // namespace

class PrintedCrossSectionsTest : public QObject {
  Q_OBJECT

  ProblemData problem;
  ViewState view;
  test::ScriptedDialogs dialogs{true};
  QTemporaryDir folder;
  // The page in device units of the test printer.
  int PW = 0, PH = 0;

  QString Print(bool colors, const QString& name) {
    PrintOptions options = Only(&PrintOptions::Sections);
    options.Colors = colors;
    QSize page;
    const QString path =
        PrintReport(problem, view, dialogs, options, folder.filePath(name), nullptr, true, &page);
    PW = page.width();
    PH = page.height();
    return path;
  }

  // A page at PictureDpi, its thin lines drawn whole rather than blended.
  QImage Picture(const QString& path, int page) {
    const QString base = folder.filePath(QStringLiteral("picture"));
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(PictureDpi),
                       QStringLiteral("-aaVector"), QStringLiteral("no"), QStringLiteral("-f"),
                       QString::number(page), QStringLiteral("-l"), QString::number(page),
                       QStringLiteral("-singlefile"), path, base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
  }

  // Where the drawing of a step lies, from its step line, in device units.
  struct Drawing {
    int y0;  // the top of the wall
    double f;
    int Y(double z) const { return y0 + static_cast<int>(f * z); }
  };
  Drawing DrawingOf(const QList<Word>& words, int page, int step) {
    const int m = PH / 5 / 10;
    for (int k = 0; k + 2 < words.size(); ++k) {
      if (words[k].page == page && words[k].text == QLatin1String("Step") &&
          words[k + 1].text == QString::number(step)) {
        return {static_cast<int>(words[k].yMin * TestDpi / 72.0) + m, (PH / 5) / 4.0};
      }
    }
    return {-1, 0.0};
  }
  static QPoint Px(int x, int y) {
    return QPoint(x * PictureDpi / TestDpi, y * PictureDpi / TestDpi);
  }

  // The share of dark pixels along a row of device units from x1 to x2.
  static double DarkShare(const QImage& image, int y, int x1, int x2) {
    const QPoint from = Px(x1, y), to = Px(x2, y);
    int dark = 0;
    for (int x = from.x(); x <= to.x(); ++x) dark += Dark(image.pixel(x, from.y()));
    return double(dark) / (to.x() - from.x() + 1);
  }

 private slots:
  void init() {
    QVERIFY(folder.isValid());
    StartingProblem(problem, view);
    problem.General.NT = 2;
    problem.Layer(2, 2, Side::Right).Wd = 0.0;  // layer 3 excavated on the right in step 2
  }

  void titleStepLinesAndPageBreaks() {
    problem.General.NT = 5;
    const QString path = Print(false, QStringLiteral("steps.pdf"));
    const QStringList pages = PdfPages(path);
    QCOMPARE(pages.size(), 2);
    const QString text = pages.join(QLatin1Char('\n'));
    QCOMPARE(text.count(QStringLiteral("Cross Sections")), 1);
    QVERIFY(text.indexOf(QStringLiteral("Cross Sections")) <
            text.indexOf(QRegularExpression(QStringLiteral("Step +0 :"))));
    QCOMPARE(text.count(QRegularExpression(QStringLiteral("Step +\\d :"))), 6);
    QVERIFY(pages[1].contains(QRegularExpression(QStringLiteral("Step +3 :"))));
    // Every drawing, down to the foot of its wall, stays on its page.
    const QList<Word> words = PdfWords(path);
    for (int step = 0; step <= 5; ++step) {
      const int page = step < 3 ? 1 : 2;
      const Drawing drawing = DrawingOf(words, page, step);
      QVERIFY2(drawing.y0 > 0, qPrintable(QString::number(step)));
      QVERIFY(drawing.Y(4.0) + PH / 50 < PH);
    }
  }

  // The right-hand depth labels begin where their ticks end, as the left
  // ones end there, so that no tick strikes through a label.
  void rightDepthLabelsStartAfterTheirTicks() {
    const QString path = Print(false, QStringLiteral("labels.pdf"));
    const int xw = PW / 2, u = PW / 80, xR = 2 * xw - PW / 3;
    int labels = 0;
    for (const Word& word : PdfWords(path)) {
      const double x = word.xMin * TestDpi / 72.0;
      if (word.text != QLatin1String("0") || x < xw) continue;
      ++labels;
      QVERIFY2(x >= xR + 2 * u, qPrintable(QStringLiteral("%1 < %2").arg(x).arg(xR + 2 * u)));
    }
    QCOMPARE(labels, 3);  // steps 0 to 2
  }

  void coloredLayersAndWaterLevels() {
    const QString path = Print(true, QStringLiteral("colors.pdf"));
    const QImage page = Picture(path, 1);
    QVERIFY(!page.isNull());
    const QList<Word> words = PdfWords(path);
    const int xw = PW / 2, u = PW / 80, xL = PW / 3, xR = 2 * xw - PW / 3;
    const int left = (xL + u + xw) / 2, right = (xw + xR - u) / 2;

    const Drawing step1 = DrawingOf(words, 1, 1);
    // Layer 1 excavated on the left only, in yellow on the right.
    QCOMPARE(QColor(page.pixel(Px(left, step1.Y(0.5)))), QColor(Qt::white));
    QCOMPARE(QColor(page.pixel(Px(right, step1.Y(0.5)))), LayerColor(0));
    // The water level at 1 m shows blue on the excavated left and lies
    // under the soil on the right.
    const auto blueIn = [&page](QPoint from, QPoint to) {
      for (int y = from.y() - 2; y <= from.y() + 2; ++y)
        for (int x = from.x(); x <= to.x(); ++x)
          if (QColor(page.pixel(x, y)) == QColor(0, 0, 255)) return true;
      return false;
    };
    QVERIFY(blueIn(Px(xL + 2 * u, step1.Y(1.0)), Px(xw - u, step1.Y(1.0))));
    QVERIFY(!blueIn(Px(xw + u, step1.Y(1.0)), Px(xR - 2 * u, step1.Y(1.0))));

    // Step 2: layer 3 red on the left and blank on the right.
    const Drawing step2 = DrawingOf(words, 1, 2);
    QCOMPARE(QColor(page.pixel(Px(left, step2.Y(2.5)))), LayerColor(2));
    QCOMPARE(QColor(page.pixel(Px(right, step2.Y(2.5)))), QColor(Qt::white));
  }

  // Water 2 m below the toe in every step: step 0's line would cross step
  // 1's dug-out left half and step 1's the blank page below it.
  void waterBelowTheToeStaysOutOfTheOtherDrawings() {
    problem.General.NT = 1;
    for (int s = 0; s <= 1; ++s)
      for (const Side side : {Side::Left, Side::Right})
        for (int j = 0; j < problem.General.NL; ++j) problem.Layer(j, s, side).Zw = 6.0;
    const QImage page = Picture(Print(true, QStringLiteral("deep.pdf")), 1);
    QVERIFY(!page.isNull());
    int blue = 0;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) blue += QColor(page.pixel(x, y)) == QColor(0, 0, 255);
    QCOMPARE(blue, 0);
  }

  void hatchedLayersAndTheirBoundaries() {
    const QString path = Print(false, QStringLiteral("hatched.pdf"));
    const QImage page = Picture(path, 1);
    QVERIFY(!page.isNull());
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) QVERIFY(!Colored(page.pixel(x, y)));

    const QList<Word> words = PdfWords(path);
    const int xw = PW / 2, u = PW / 80, xL = PW / 3, xR = 2 * xw - PW / 3;
    const Drawing step2 = DrawingOf(words, 1, 2);
    const int l1 = xL + 2 * u, l2 = xw - u;  // within the left half
    const int r1 = xw + u, r2 = xR - 2 * u;  // within the right half
    // Hatched soil has lines in it; the excavated right half of layer 3 has none.
    const auto darkRows = [&](double z1, double z2, int x1, int x2) {
      int rows = 0;
      for (int y = step2.Y(z1) + 12; y < step2.Y(z2) - 12; y += 6)
        rows += DarkShare(page, y, x1, x2) > 0.0;
      return rows;
    };
    QVERIFY(darkRows(2.0, 3.0, l1, l2) > 5);
    QCOMPARE(darkRows(2.0, 3.0, r1, r2), 0);
    QVERIFY(darkRows(1.0, 2.0, r1, r2) > 5);
    // Layer 3's top boundary only on the left; the foot of the wall on both
    // sides. A row is looked for within two pixels of where the text puts it.
    const auto line = [&](double z, int x1, int x2) {
      double share = 0.0;
      for (int dy = -12; dy <= 12; dy += 6)
        share = std::max(share, DarkShare(page, step2.Y(z) + dy, x1, x2));
      return share;
    };
    QVERIFY(line(2.0, l1, l2) > 0.9);
    QVERIFY(line(2.0, r1, r2) < 0.5);
    QVERIFY(line(3.0, r1, r2) > 0.9);
    QVERIFY(line(4.0, l1, l2) > 0.9);
    QVERIFY(line(4.0, r1, r2) > 0.9);
  }
};

}  // namespace korvanu

QTEST_MAIN(korvanu::PrintedCrossSectionsTest)
#include "PrintedCrossSectionsTest.moc"
