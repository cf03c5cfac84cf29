// The output tables and graphs windows on a computed default problem: the
// table rows against the step file, the step chooser's clamping, the step
// linking between the two windows, missing step files, painting that reads
// nothing, and the graphs window's size limits.
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <fstream>
#include <sstream>

#include "tests/support/WindowFixture.h"
#include "results/StepOutputReader.h"
#include "base/Fonts.h"
#include "ui/StepChooser.h"
#include "ui/StringGrid.h"
#include "ui/TFormGraphs.h"
#include "ui/TFormTables.h"

using namespace korvanu;

class OutputWindowsTest : public QObject {
  Q_OBJECT

  korvanu::test::WindowFixture fx_;

  TFormTables& Tables() { return *fx_.Context().Windows.Tables; }
  TFormGraphs& Graphs() { return *fx_.Context().Windows.Graphs; }

  // Types a step into a chooser as the user would, and presses Enter.
  static void TypeStep(StepChooser& chooser, const QString& text) {
    chooser.lineEdit()->selectAll();
    if (text.isEmpty()) QTest::keyClick(chooser.lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(chooser.lineEdit(), text);
    QTest::keyClick(chooser.lineEdit(), Qt::Key_Return);
  }

  // The node records of a step file, as its lines stand.
  static QStringList StepRecords(int step) {
    QFile file(QStringLiteral("New.%1").arg(step));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList records;
    for (const QString& line : QString::fromLatin1(file.readAll()).split(QLatin1Char('\n')))
      if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) records << line;
    return records;
  }

  // The width from the first to the last column of a rectangle that holds a
  // dark pixel: how much of a text was drawn there.
  static int InkWidth(const QImage& image, const QRect& rect) {
    int first = -1, last = -1;
    for (int x = rect.left(); x <= rect.right(); ++x)
      for (int y = rect.top(); y <= rect.bottom(); ++y)
        if (qGray(image.pixel(x, y)) < 128) {
          if (first < 0) first = x;
          last = x;
          break;
        }
    return first < 0 ? 0 : last - first + 1;
  }

 private slots:
  void initTestCase() { InstallFontSubstitutes(); }
  void init() {
    fx_.Start();
    fx_.Problem().General.NT = 2;
    fx_.Main().SpeedButtonRunClick();
    QVERIFY(fx_.View().ResultsValid);
    QVERIFY(QFile::exists(QStringLiteral("New.2")));
  }
  void cleanup() { fx_.Stop(); }

  void tableRowsAreTheStepFileWithFAndF() {
    fx_.Main().SpeedButtonScreenOutputClick();
    QVERIFY(Tables().isVisible());
    QCOMPARE(fx_.View().CurrentStep, 1);
    StringGrid& grid = Tables().TablesGrid();
    const int NN = fx_.Problem().General.NN;
    QCOMPARE(grid.RowCount(), NN + 3);
    QCOMPARE(grid.Cell(7, 1), QStringLiteral("      kN/m\u00b2"));
    QCOMPARE(grid.Cell(0, 2), QStringLiteral("   0"));
    QCOMPARE(grid.Cell(7, 2), QStringLiteral("    0.000000"));
    const QStringList records = StepRecords(1);
    QCOMPARE(records.size(), NN + 1);
    for (int i = 0; i <= NN; ++i) {
      const int row = i + 2;
      const QStringList fields = records[i].split(QLatin1Char(','));
      for (int column = 1; column <= 5; ++column) QCOMPARE(grid.Cell(column, row), fields[column]);
      const double F = grid.Cell(6, row).toDouble();
      QVERIFY(std::abs(F - (grid.Cell(5, row).toDouble() - grid.Cell(4, row).toDouble())) < 5e-7);
    }
  }

  void elevenCharacterNumbersShowWholeInTheirColumns() {
    fx_.Main().SpeedButtonScreenOutputClick();
    StringGrid& grid = Tables().TablesGrid();
    const QString widest = QStringLiteral("-152.606025");
    QImage alone(200, 40, QImage::Format_RGB32);
    alone.fill(Qt::white);
    {
      QPainter painter(&alone);
      painter.setFont(grid.font());
      painter.setPen(Qt::black);
      painter.drawText(alone.rect(), Qt::AlignCenter, widest);
    }
    const int whole = InkWidth(alone, alone.rect());
    QVERIFY(whole > 50);
    // A cell the cursor is not on, and the cursor's cell, as "%12.6f" writes.
    grid.MoveCursor(4, 3);
    for (const int column : {3, 4}) grid.SetCell(column, 3, QLatin1Char(' ') + widest);
    const QImage shot = grid.grab().toImage();
    for (const int column : {3, 4}) {
      // Within the cell, its grid lines left out.
      const QRect cell = grid.visualRect(grid.model()->index(3, column))
                             .translated(grid.viewport()->pos())
                             .adjusted(0, 0, -1, -1);
      QVERIFY2(InkWidth(shot, cell) >= whole - 1, qPrintable(QString::number(column)));
    }
  }

  void typedStepsAreClampedToTheComputedSteps() {
    fx_.Main().SpeedButtonScreenOutputClick();
    StepChooser& chooser = Tables().ComboBoxStep();
    QCOMPARE(chooser.count(), 2);
    QCOMPARE(chooser.itemText(1), QStringLiteral(" 2"));
    const struct {
      const char* typed;
      int step;
    } cases[] = {{"2", 2}, {"0", 1}, {"-3", 1}, {"abc", 1}, {"", 1}, {"99", 2}};
    for (const auto& c : cases) {
      TypeStep(chooser, QLatin1String(c.typed));
      QVERIFY2(fx_.View().CurrentStep == c.step, c.typed);
      QCOMPARE(chooser.currentIndex(), c.step - 1);
    }
  }

  void aStepChosenInOneWindowIsShownInTheOther() {
    fx_.Main().SpeedButtonScreenOutputClick();
    fx_.Main().SpeedButtonScreenGraphsClick();
    const GraphScales scales = Graphs().Scales();
    TypeStep(Tables().ComboBoxStep(), QStringLiteral("2"));
    QCOMPARE(Graphs().ComboBoxStep().currentIndex(), 1);
    const QStringList step2 = StepRecords(2);
    const int NN = fx_.Problem().General.NN;
    QCOMPARE(Graphs().Shown().w[NN], step2[NN].split(QLatin1Char(','))[2].toDouble());
    // The scales come from all steps: paging leaves them alone.
    QCOMPARE(Graphs().Scales()[GraphQuantity::M].Screen, scales[GraphQuantity::M].Screen);
    QCOMPARE(Graphs().Scales().ScreenZ, scales.ScreenZ);

    TypeStep(Graphs().ComboBoxStep(), QStringLiteral("1"));
    QCOMPARE(Tables().TablesGrid().Cell(2, NN + 2), StepRecords(1)[NN].split(QLatin1Char(','))[2]);
    // A window that is not shown is not refreshed.
    fx_.Main().SpeedButtonScreenGraphsClick();  // hides it, and sets step 1
    QVERIFY(!Graphs().isVisible());
    TypeStep(Tables().ComboBoxStep(), QStringLiteral("2"));
    QCOMPARE(Graphs().ComboBoxStep().currentIndex(), 0);
    QVERIFY(fx_.Dialogs().messages.isEmpty());
  }

  void missingStepFilesAreReportedPerReadAndPaintingReadsNothing() {
    fx_.Main().SpeedButtonScreenOutputClick();
    fx_.Main().SpeedButtonScreenGraphsClick();
    QVERIFY(QFile::remove(QStringLiteral("New.2")));
    QStringList& messages = fx_.Dialogs().messages;
    messages.clear();
    TypeStep(Tables().ComboBoxStep(), QStringLiteral("2"));
    // The graphs read step 2 for the scales and again to draw it; then the table.
    QCOMPARE(messages, QStringList(3, QStringLiteral("Unable to read datafile.\n")));

    messages.clear();
    QVERIFY(QFile::remove(QStringLiteral("New.1")));
    Graphs().repaint();
    Tables().repaint();
    (void)Graphs().grab();
    QVERIFY(messages.isEmpty());
  }

  void theGraphsWindowKeepsItsSmallestSize() {
    fx_.Main().SpeedButtonScreenGraphsClick();
    QCOMPARE(Graphs().size(), QSize(700, 420));
    Graphs().resize(100, 50);
    QCOMPARE(Graphs().size(), QSize(400, 300));
    QCOMPARE(Graphs().Scales().ScreenZ, (300 - 20 - 20 - 30) / 4.0);
  }

  void theOutputCommandsSetStepOneAlsoWhenHiding() {
    fx_.Main().SpeedButtonScreenOutputClick();
    fx_.View().CurrentStep = 2;
    fx_.Main().SpeedButtonScreenOutputClick();
    QVERIFY(!Tables().isVisible());
    QCOMPARE(fx_.View().CurrentStep, 1);
  }
};

QTEST_MAIN(OutputWindowsTest)
#include "OutputWindowsTest.moc"
