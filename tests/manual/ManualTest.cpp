// The manual: the shipped text and where its lines go, the page chooser's
// clamping, the figure area after a page with two figures, the figures' pens
// and labels as recorded strokes, the samples of the plots, and the printed
// manual read back from a PDF.
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "base/Fonts.h"
#include "manual/ManualFigures.h"
#include "manual/ManualLayout.h"
#include "manual/ManualScreen.h"
#include "manual/ManualText.h"
#include "manual/PrintedManual.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/WindowFixture.h"
#include "ui/StepChooser.h"
#include "ui/TFormManual.h"
#include "ui/WindowParts.h"

using namespace korvanu;

namespace {

const QStringList Headings = {"Introduction",
                              "The wall",
                              "The soil",
                              "Horizontal stress coefficients",
                              "Stress on the right side",
                              "Stress on the left side",
                              "Spring stiffness",
                              "Operation of the program",
                              "Sign conventions",
                              "Forces at anchor points",
                              "Axial forces",
                              "Validations",
                              "Test 1",
                              "Test 2",
                              "Test 3",
                              "Test 4",
                              "Literature"};

// A paint device that keeps what a figure draws: every stroke with its pen
// and the box of every text.
class FigureRecorder : public QPaintDevice {
 public:
  struct Stroke {
    QLineF Line;
    QPen Pen;
  };
  std::vector<Stroke> Strokes;
  std::vector<QRectF> Texts;

  QPaintEngine* paintEngine() const override { return &engine_; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return ManualClientWidth;
      case PdmHeight:
        return ManualClientHeight;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDepth:
        return 32;
      case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
      default:
        return 1;
    }
  }

 private:
  class Engine : public QPaintEngine {
   public:
    explicit Engine(FigureRecorder& to) : QPaintEngine(AllFeatures), to_(to) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& state) override {
      if (state.state() & DirtyPen) pen_ = state.pen();
    }
    void drawLines(const QLineF* lines, int count) override {
      for (int k = 0; k < count; ++k) Keep(lines[k]);
    }
    void drawLines(const QLine* lines, int count) override {
      for (int k = 0; k < count; ++k) Keep(QLineF(lines[k]));
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
      for (int k = 1; k < count; ++k) Keep(QLineF(points[k - 1], points[k]));
      if (mode != PolylineMode && count > 2) Keep(QLineF(points[count - 1], points[0]));
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
      const QPolygonF polygon(QPolygon(QList<QPoint>(points, points + count)));
      drawPolygon(polygon.constData(), count, mode);
    }
    void drawRects(const QRectF* rects, int count) override {
      for (int k = 0; k < count; ++k) Rect(rects[k]);
    }
    void drawRects(const QRect* rects, int count) override {
      for (int k = 0; k < count; ++k) Rect(QRectF(rects[k]));
    }
    void drawPath(const QPainterPath& path) override {
      for (const QPolygonF& polygon : path.toSubpathPolygons())
        drawPolygon(polygon.constData(), int(polygon.size()), PolylineMode);
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
      to_.Texts.emplace_back(at.x(), at.y() - item.ascent(), item.width(),
                             item.ascent() + item.descent());
    }

   private:
    void Rect(const QRectF& rect) {
      const QPolygonF corners(rect);  // closed: five points
      drawPolygon(corners.constData(), 4, OddEvenMode);
    }
    void Keep(const QLineF& line) {
      if (pen_.style() != Qt::NoPen) to_.Strokes.push_back({line, pen_});
    }
    FigureRecorder& to_;
    QPen pen_;
  };
  mutable Engine engine_{*this};
};

// What a figure draws in its screen box, with pens `unit` pixels to a width.
std::unique_ptr<FigureRecorder> RecordFigure(int figure, int unit) {
  auto recorder = std::make_unique<FigureRecorder>();
  QPainter painter(recorder.get());
  FigureCanvas canvas{painter, FigureMedium::Screen, {}, unit, ScreenFonts().Standard};
  DrawFigure(canvas, figure, FigureBox(ManualClientWidth, 0), 8);
  return recorder;
}

// The points of a stroke, half a pixel apart.
std::vector<QPointF> PointsOf(const QLineF& line) {
  const int steps = std::max(1, int(2 * line.length()));
  std::vector<QPointF> points;
  for (int k = 0; k <= steps; ++k) points.push_back(line.pointAt(double(k) / steps));
  return points;
}

double Distance(const QPointF& point, const QLineF& line) {
  const QPointF d = line.p2() - line.p1();
  const double n = QPointF::dotProduct(d, d);
  const double t = n > 0 ? std::clamp(QPointF::dotProduct(point - line.p1(), d) / n, 0.0, 1.0) : 0;
  const QPointF nearest = line.p1() + t * d;
  return std::hypot(point.x() - nearest.x(), point.y() - nearest.y());
}

QImage ScreenImage() {
  QImage image(ManualClientWidth, ManualClientHeight, QImage::Format_RGB32);
  image.fill(colors::Aqua);
  return image;
}

}  // namespace

class ManualTest : public QObject {
  Q_OBJECT

  korvanu::test::WindowFixture fx_;
  TFormManual& Manual() { return *fx_.Context().Windows.Manual; }

  void TypePage(const QString& text) {
    QLineEdit* edit = Manual().ComboBoxPage().lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

 private slots:
  void initTestCase() { InstallFontSubstitutes(); }
  void init() { fx_.Start(); }
  void cleanup() { fx_.Stop(); }

  // Eleven pages with the headings in order, every line within the page's
  // width in its font, and every page's text above the bottom of the page.
  void theTextFitsItsPages() {
    const ManualText& text = TheManual();
    QCOMPARE(int(text.Pages.size()), ManualPageCount);
    QCOMPARE(text.Title, QStringLiteral("Korvanu - Manual"));
    QVERIFY(!text.Identification.isEmpty());
    QCOMPARE(text.Headings(), Headings);
    QCOMPARE(text.Pages[10].Sections.front().Heading, QStringLiteral("Test 2"));
    QVERIFY(text.Section("Horizontal stress coefficients").Lines[2].Text ==
            QStringLiteral("   Sn=Kn*Sv,"));

    const ManualFonts& fonts = ScreenFonts();
    const int e = QFontMetrics(fonts.Normal).height();
    int bodyLines = 0;
    for (int page = 1; page <= ManualPageCount; ++page) {
      int bottom = 0;
      for (const PlacedLine& line : LayOutScreenPage(text, page, 43, e, &bottom)) {
        const QFont& font = fonts.Of(line.Font);
        QVERIFY2(13 + QFontMetrics(font).horizontalAdvance(line.Text) < 529, qPrintable(line.Text));
        QVERIFY2(!line.Text.contains(QLatin1String("@@")), qPrintable(line.Text));
        if (line.Font == ManualFont::Normal) ++bodyLines;
      }
      QVERIFY2(bottom < 559,
               qPrintable(QStringLiteral("page %1 ends at %2").arg(page).arg(bottom)));
    }
    QVERIFY(bodyLines > 150);
  }

  void spacingFollowsTheLineHeight() {
    ManualText text = ParseManualText(QStringLiteral(
        "@title T\n@identification I\n@page\n@heading A\none\ntwo\n\nthree\n@heading B\nfour\n"));
    const std::vector<PlacedLine> lines = LayOutScreenPage(text, 1, 43, 10);
    const std::vector<int> ys = {43, 63, 83, 103, 113, 127, 147, 167};
    QCOMPARE(int(lines.size()), int(ys.size()));
    for (std::size_t k = 0; k < ys.size(); ++k) QCOMPARE(lines[k].Y, ys[k]);
    QCOMPARE(lines[4].Text, QStringLiteral("two"));
  }

  // Typed pages are brought into 1..11; the page stays between showings.
  void thePageChooserClampsAndKeepsThePage() {
    fx_.Main().SpeedButtonManualClick();
    QVERIFY(Manual().isVisible());
    QCOMPARE(Manual().ComboBoxPage().count(), 11);
    QCOMPARE(Manual().ComboBoxPage().itemText(0), QStringLiteral(" 1"));
    TypePage(QStringLiteral("11"));
    QCOMPARE(Manual().CurrentPage(), 11);
    QCOMPARE(Manual().ComboBoxPage().currentText(), QStringLiteral("11"));
    QCOMPARE(FiguresOfPage(11), (std::vector<int>{9, 10}));
    TypePage(QStringLiteral("0"));
    QCOMPARE(Manual().CurrentPage(), 1);
    QCOMPARE(Manual().ComboBoxPage().currentText(), QStringLiteral(" 1"));
    TypePage(QStringLiteral("-3"));
    QCOMPARE(Manual().CurrentPage(), 1);
    TypePage(QStringLiteral("57"));
    QCOMPARE(Manual().CurrentPage(), 11);
    TypePage(QStringLiteral("4"));
    fx_.Main().SpeedButtonManualClick();
    QVERIFY(!Manual().isVisible());
    fx_.Main().SpeedButtonManualClick();
    QCOMPARE(Manual().CurrentPage(), 4);
    QCOMPARE(Manual().ComboBoxPage().currentText(), QStringLiteral(" 4"));

    Manual().SpeedButtonHelpClick();
    QCOMPARE(fx_.Dialogs().messages.size(), 1);
    QVERIFY(fx_.Dialogs().messages[0].startsWith("This screen shows a manual of the program"));

    // Cancelling the print dialog prints nothing.
    Manual().SpeedButtonPrintClick();
    QCOMPARE(fx_.Dialogs().printDialogs, 1);
    QCOMPARE(fx_.Dialogs().messages.size(), 1);
  }

  // Drawing page 10 over page 11 leaves exactly what page 10 alone shows:
  // Figure 8's wipe takes Figure 10 and both captions away.
  void aSecondFigureLeavesNoTrace() {
    QImage fresh = ScreenImage();
    {
      QPainter painter(&fresh);
      DrawManualScreen(painter, 10, ManualClientWidth);
    }
    QImage over = ScreenImage();
    {
      QPainter painter(&over);
      DrawManualScreen(painter, 11, ManualClientWidth);
    }
    const QRect second = FigureBox(ManualClientWidth, 1);
    QVERIFY(over.copy(second) != fresh.copy(second));
    {
      QPainter painter(&over);
      DrawManualScreen(painter, 10, ManualClientWidth);
    }
    QVERIFY(over == fresh);
    // Below the first figure's caption the figure area is background.
    for (int y = second.top(); y <= second.bottom() + 20; y += 3)
      for (int x = second.left(); x <= second.right(); x += 3)
        QCOMPARE(QColor(fresh.pixel(x, y)), colors::Aqua);
  }

  // Every line keeps the width its figure gives it, also after a label: a
  // pen of three pixels to the unit shows any line drawn one pixel wide.
  void figureLinesKeepTheirWidths() {
    for (int figure = 1; figure <= FigureCount; ++figure) {
      const auto recorded = RecordFigure(figure, 3);
      const FigureRecorder& drawn = *recorded;
      QVERIFY(!drawn.Strokes.empty());
      for (const FigureRecorder::Stroke& stroke : drawn.Strokes)
        QVERIFY2(stroke.Pen.widthF() >= 3,
                 qPrintable(QStringLiteral("Figure %1: a line of width %2")
                                .arg(figure)
                                .arg(stroke.Pen.widthF())));
    }
  }

  // No guide line runs through a label.
  void guideLinesMissTheLabels() {
    for (int figure = 1; figure <= FigureCount; ++figure) {
      const auto recorded = RecordFigure(figure, 1);
      const FigureRecorder& drawn = *recorded;
      for (const FigureRecorder::Stroke& stroke : drawn.Strokes) {
        if (stroke.Pen.style() != Qt::DotLine) continue;
        for (const QPointF& point : PointsOf(stroke.Line))
          for (const QRectF& text : drawn.Texts)
            QVERIFY2(!text.contains(point),
                     qPrintable(QStringLiteral("Figure %1: a dotted line through the label at "
                                               "(%2, %3)")
                                    .arg(figure)
                                    .arg(text.x())
                                    .arg(text.y())));
      }
    }
  }

  // Figure 1's water-level mark, two short blue lines, stands clear of every
  // black line.
  void theWaterMarkStandsClear() {
    const auto recorded = RecordFigure(1, 1);
    const FigureRecorder& wall = *recorded;
    int marks = 0;
    for (const FigureRecorder::Stroke& mark : wall.Strokes) {
      if (mark.Pen.color() != colors::Blue || mark.Line.length() > FigureDesignWidth / 4) continue;
      ++marks;
      for (const FigureRecorder::Stroke& other : wall.Strokes) {
        if (other.Pen.color() != Qt::black) continue;
        for (const QPointF& point : PointsOf(mark.Line))
          QVERIFY(Distance(point, other.Line) > 2 + other.Pen.widthF() / 2);
      }
    }
    QCOMPARE(marks, 2);
  }

  void thePlotsFollowTheirFormulas() {
    const QSize box(FigureDesignWidth, FigureDesignHeight);  // p = 9, xc = 109, yt = 16
    const std::vector<PlotSample> m = PlotSamples(8, box);
    QCOMPARE(int(m.size()), 100);
    QCOMPARE(m[0].X, 109);
    QCOMPARE(m[0].Y, 16);
    QVERIFY(std::abs(m[20].Value - std::exp(-1.0) * std::sin(1.0)) < 1e-12);  // z/L = 1
    QCOMPARE(m[20].X, 109 + int(216 * std::exp(-1.0) * std::sin(1.0)));       // 175
    QCOMPARE(m[20].Y, 36);
    QVERIFY(m[80].Value < 0);  // z/L = 4: sin 4 < 0, hatched red

    const std::vector<PlotSample> w = PlotSamples(9, box);
    QVERIFY(std::abs(w[0].Value - 0.5) < 1e-12);  // w = 0.2 m at the top
    QCOMPARE(w[0].X, 109 + 72);
    QVERIFY(w[20].Value < 0);  // sin(1 + 3pi/4) < 0

    const std::vector<PlotSample> f = PlotSamples(10, box);
    QCOMPARE(int(f.size()), 70);
    QVERIFY(std::abs(f[30].Value - 16.0) < 1e-9);           // 16 z / 3 at z = 3 m
    QVERIFY(std::abs(f[50].Value - 80.0 / 3) < 1e-9);       // still active at 5 m
    QVERIFY(std::abs(f[60].Value - (32.0 - 48.0)) < 1e-9);  // passive below 5 m
    QCOMPARE(f[60].X, 109 + int(15 * 9 * -16.0 / 100));
    QCOMPARE(f[60].Y, 16 + 60 * 2 * 3 / 4);
  }

  // Nine pages: the headings in order, the page headers, the captions with
  // their full stops, and nothing below the bottom of a page.
  void thePrintedManualReadsBack() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("manual.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    PointAtPdf(printer, pdf);
    const PrintedManual printed = PrintManual(printer);
    QVERIFY(printed.Printed);
    QCOMPARE(printed.Pages, 9);
    QVERIFY(printed.FitsPages);

    const QStringList pages = PdfPages(pdf);
    QCOMPARE(pages.size(), 9);
    const QString all = pages.join(QLatin1Char('\n'));
    qsizetype at = 0;
    for (const QString& heading : Headings) {
      const qsizetype found =
          all.indexOf(QRegularExpression(
                          QStringLiteral("^\\s*%1\\s*$").arg(QRegularExpression::escape(heading)),
                          QRegularExpression::MultilineOption),
                      at);
      QVERIFY2(found >= at, qPrintable(heading));
      at = found;
    }
    QVERIFY(pages[0].contains(QLatin1String("Korvanu - Manual")));
    QCOMPARE(PdfTitle(pdf), QStringLiteral("Korvanu - Manual"));
    for (int page = 2; page <= 9; ++page) {
      QVERIFY(pages[page - 1].contains(QStringLiteral("page %1").arg(page)));
      QVERIFY(pages[page - 1].contains(QLatin1String("Korvanu - Manual")));
    }
    for (int figure = 1; figure <= FigureCount; ++figure)
      QVERIFY2(all.contains(FigureCaption(figure, FigureMedium::Paper)),
               qPrintable(FigureCaption(figure, FigureMedium::Paper)));
    QVERIFY(FigureCaption(10, FigureMedium::Paper) == QStringLiteral("Figure 10 : Test 3."));
    QVERIFY(pages[5].contains(QLatin1String("Figure 5 : Anchor at the left side.")));
    QVERIFY(pages[8].contains(QLatin1String("Figure 9 : Test 2.")));
  }
};

QTEST_MAIN(ManualTest)
#include "ManualTest.moc"
