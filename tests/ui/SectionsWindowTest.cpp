// The cross-section view: its picture of the default problem checked pixel by
// pixel (wall, layer colours, an excavated half, anchor side, arrows on one
// force scale for all steps, the depth scales, the guards), and the window
// on the shared step with the output windows.
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <algorithm>

#include "base/Fonts.h"
#include "core/ProblemDefaults.h"
#include "print/LayerPalette.h"
#include "tests/support/WindowFixture.h"
#include "ui/DrawCrossSection.h"
#include "ui/HelpTexts.h"
#include "ui/StepChooser.h"
#include "ui/TFormSections.h"
#include "ui/TFormTables.h"
#include "ui/WindowParts.h"

using namespace korvanu;

namespace {

// The client area as designed: 400 x 510 below a 30 pixel panel, so
// xw = 200, xL = 40, xR = 360, yTop = 81, yBot = 459, u = 34, d = 20.
constexpr int Wide = 400;
constexpr int High = 510;
constexpr int Panel = 30;
constexpr int Xw = 200;
constexpr int XL = 40;
constexpr int XR = 360;
constexpr int YTop = 81;
constexpr int YBot = 459;

QImage Drawn(const ProblemData& problem, int step) {
  QImage image(Wide, High, QImage::Format_RGB32);
  image.fill(Qt::gray);
  QPainter painter(&image);
  painter.setFont(SansFont(8));
  DrawCrossSection(painter, image.size(), Panel, problem, step);
  return image;
}

// Black lines and text, not the darker palette colours.
bool Dark(const QImage& image, int x, int y) {
  const QColor c = image.pixelColor(x, y);
  return std::max({c.red(), c.green(), c.blue()}) < 90;
}
QColor At(const QImage& image, int x, int y) {
  return image.pixelColor(x, y);
}
int DarkRows(const QImage& image, int x) {
  int rows = 0;
  for (int y = 0; y < image.height(); ++y) rows += Dark(image, x, y);
  return rows;
}
bool DarkIn(const QImage& image, QRect box) {
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      if (Dark(image, x, y)) return true;
  return false;
}

}  // namespace

class SectionsWindowTest : public QObject {
  Q_OBJECT

  korvanu::test::WindowFixture fx_;
  std::unique_ptr<ProblemData> problem_;

  TFormSections& Sections() { return *fx_.Context().Windows.Sections; }
  TFormTables& Tables() { return *fx_.Context().Windows.Tables; }

  static void TypeStep(StepChooser& chooser, const QString& text) {
    chooser.lineEdit()->selectAll();
    QTest::keyClicks(chooser.lineEdit(), text);
    QTest::keyClick(chooser.lineEdit(), Qt::Key_Return);
  }

  // The default problem: 4 layers of 1 m, layers 1 and 2 excavated on the
  // left from step 1, an anchor on the right (Dw -0.02) at point 1.
  ProblemData& DefaultProblem() {
    problem_ = std::make_unique<ProblemData>();
    ViewState view;
    InitialiseProblem(*problem_, view);
    SetAnchorStartValues(*problem_);
    SetAxialStartValues(*problem_);
    return *problem_;
  }

 private slots:
  void initTestCase() { InstallFontSubstitutes(); }

  void theDefaultProblemInStepOne() {
    ProblemData& problem = DefaultProblem();
    problem.General.NT = 2;
    problem.Anchors[1][2].Fx = -30.0;
    problem.Anchors[2][2].Fx = 60.0;  // a larger force of another step halves the arrows
    const QImage image = Drawn(problem, 1);
    // Depth f = 378 / 4 = 94.5 px/m: the points lie at 81, 175, 270, 364, 459.
    const int y1 = 175, y2 = 270, y3 = 364;

    // The wall, 3 pixels wide, from yTop + 1 to just above yBot.
    for (int y = YTop + 1; y < YBot; ++y)
      for (int x = Xw - 1; x <= Xw + 1; ++x)
        QVERIFY2(Dark(image, x, y), qPrintable(QString::number(y)));
    QVERIFY(!Dark(image, Xw + 2, (YTop + YBot) / 2));

    // Layer 1 excavated on the left only; layers 3 and 4 in their palette colours.
    QCOMPARE(At(image, 100, 130), QColor(Qt::white));
    QCOMPARE(At(image, 300, 130), LayerColor(0));
    QCOMPARE(At(image, 100, 220), QColor(Qt::white));
    QCOMPARE(At(image, 100, 320), LayerColor(2));
    QCOMPARE(At(image, 300, 400), LayerColor(3));
    QCOMPARE(LayerColor(2), QColor(255, 0, 0));
    QCOMPARE(LayerColor(13), QColor(0, 128, 0));

    // The phreatic level at 1 m on both sides, with its short mark 2 px lower.
    QCOMPARE(At(image, 60, y1), QColor(0, 0, 255));
    QCOMPARE(At(image, (Xw + XL) / 2, y1 + 2), QColor(0, 0, 255));
    QCOMPARE(At(image, (Xw + XL) / 2 + 15, y1 + 2), QColor(Qt::white));

    // The anchor on the right of the wall (Dw < 0), 2 px wide, its plate at
    // xR - 2d - 6; the left side of point 1 shows only the water level.
    for (int x = Xw + 4; x < XR - 40; ++x) QVERIFY(Dark(image, x, y1) && Dark(image, x, y1 - 1));
    for (int y = y1 - 12; y < y1 + 12; ++y) QVERIFY(Dark(image, XR - 46, y));
    QVERIFY(!Dark(image, XL + 46, y1 - 5));

    // Fx = -30 of 60 (the largest force of any step): 17 px to the left, the
    // head pointing left; nothing to the right of the wall.
    for (int x = Xw - 16; x < Xw; ++x) QVERIFY(Dark(image, x, y2));
    QCOMPARE(At(image, Xw - 25, y2), LayerColor(2));
    QVERIFY(DarkIn(image, QRect(Xw - 15, y2 - 2, 6, 2)));
    QVERIFY(!DarkIn(image, QRect(Xw + 2, y2 - 3, 30, 7)));
    QCOMPARE(At(image, Xw + 20, y3), LayerColor(3));
    // Nothing is drawn for the moment at the top or for axial forces of 0.
    QVERIFY(!DarkIn(image, QRect(Xw - 3, Panel + 1, 7, YTop - Panel - 1)));
  }

  void depthScalesOfATwelveAndAHalfMetreWall() {
    ProblemData& problem = DefaultProblem();
    problem.General.Length = 12.5;
    const QImage image = Drawn(problem, 0);
    // 13 ticks on both sides; only those at 0, 5 and 10 m are long.
    QCOMPARE(DarkRows(image, XR + 3), 13);
    QCOMPARE(DarkRows(image, XL - 3), 13);
    QCOMPARE(DarkRows(image, XR + 8), 3);
    QCOMPARE(DarkRows(image, XL - 8), 3);
    const double f = (YBot - YTop) / 12.5;
    for (int i = 0; i <= 12; ++i) {
      const int y = YTop + static_cast<int>(i * f + 0.5);
      QVERIFY(Dark(image, XR + 3, y) && Dark(image, XL - 4, y));
      const bool labelled = i % 5 == 0;
      QCOMPARE(DarkIn(image, QRect(XR + 14, y - 6, 20, 13)), labelled);
      QCOMPARE(DarkIn(image, QRect(XL - 34, y - 6, 20, 13)), labelled);
    }
  }

  void guardsForAWallWithoutLengthAndForcesBelowOne() {
    ProblemData& problem = DefaultProblem();
    problem.General.Length = 0.0;
    problem.Axial[0].NA = 0.5;   // the force scale would be 0: it is 1
    problem.Axial[0].NB = -0.5;  // compression: the head at the foot of the wall
    const QImage image = Drawn(problem, 0);
    QCOMPARE(DarkRows(image, XR + 3), 0);
    QCOMPARE(DarkRows(image, XL - 3), 0);
    // NA: 0.5 u = 17 px above the top, its head at the far end.
    for (int y = YTop - 17; y < YTop; ++y) QVERIFY(Dark(image, Xw, y));
    QVERIFY(!Dark(image, Xw, YTop - 19));
    QVERIFY(Dark(image, Xw - 1, YTop - 14) && !Dark(image, Xw - 1, YTop - 4));
    // NB: 17 px below the foot, its head at the wall.
    for (int y = YBot + 1; y <= YBot + 17; ++y) QVERIFY(Dark(image, Xw, y));
    QVERIFY(Dark(image, Xw - 1, YBot + 3) && !Dark(image, Xw - 1, YBot + 14));
  }

  void init() { fx_.Start(); }
  void cleanup() { fx_.Stop(); }

  void theWindowSharesTheStepWithTheOutputWindows() {
    fx_.Problem().General.NT = 2;
    fx_.Main().SpeedButtonRunClick();
    fx_.Main().SpeedButtonSectionsClick();
    QVERIFY(Sections().isVisible());
    QCOMPARE(Sections().size(), QSize(Wide, High));
    StepChooser& chooser = Sections().ComboBoxStep();
    QCOMPARE(chooser.count(), 3);
    QCOMPARE(chooser.itemText(0), QStringLiteral(" 0"));

    fx_.Main().SpeedButtonScreenOutputClick();  // step 1
    TypeStep(Tables().ComboBoxStep(), QStringLiteral("2"));
    QCOMPARE(Sections().ShownStep(), 2);
    QCOMPARE(chooser.currentText(), QStringLiteral(" 2"));

    // Step 0 is this window's own; the tables keep the step they show.
    TypeStep(chooser, QStringLiteral("0"));
    QCOMPARE(fx_.View().CurrentStep, 0);
    QCOMPARE(Sections().ShownStep(), 0);
    QCOMPARE(Tables().ComboBoxStep().currentIndex(), 1);
    TypeStep(chooser, QStringLiteral("1"));
    QCOMPARE(Tables().ComboBoxStep().currentIndex(), 0);
    TypeStep(chooser, QStringLiteral("9"));
    QCOMPARE(Sections().ShownStep(), 2);

    // Fewer steps: activation brings the shared step into range.
    fx_.Problem().General.NT = 1;
    Sections().FormActivate();
    QCOMPARE(chooser.count(), 2);
    QCOMPARE(fx_.View().CurrentStep, 1);
    QCOMPARE(Sections().ShownStep(), 1);

    Sections().SpeedButtonHelpClick();
    QCOMPARE(fx_.Dialogs().messages, QStringList{SectionsHelpText()});
    QVERIFY(SectionsHelpText().endsWith(
        QStringLiteral("layers, anchors and axial forces in all loading steps.")));
    Sections().close();
    QVERIFY(!fx_.View().SectionsShown);
  }
};

QTEST_MAIN(SectionsWindowTest)
#include "SectionsWindowTest.moc"
