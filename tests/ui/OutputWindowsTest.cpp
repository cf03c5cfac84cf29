// The output tables and graphs windows on a computed default problem: the
// table rows against the step file, the step chooser's clamping, the step
// linking between the two windows, missing step files, painting that reads
// nothing, the graphs window's size limits, copies and exports of what the
// windows show, and the sign of results out of date.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTest>
#include <fstream>
#include <sstream>

#include "base/Fonts.h"
#include "core/Datafile.h"
#include "results/StepOutputReader.h"
#include "tests/support/WindowFixture.h"
#include "ui/StepChooser.h"
#include "ui/StringGrid.h"
#include "ui/TFormGraphs.h"
#include "ui/TFormSections.h"
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

  static QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

  void aCopiedTableIsItsStepFile() {
    fx_.Main().SpeedButtonScreenOutputClick();
    StringGrid& grid = Tables().TablesGrid();
    // Ctrl+A selects whole rows: they come with the captions and units.
    QTest::keyClick(grid.Editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(grid.Editor(), Qt::Key_C, Qt::ControlModifier);
    const QStringList lines =
        QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0), QStringLiteral("i\tz\tw\tM\tQ-\tQ+\tF\tf"));
    QCOMPARE(lines.value(1), QStringLiteral("\tm\tm\tkNm/m\tkN/m\tkN/m\tkN/m\tkN/m\u00b2"));
    const QStringList records = StepRecords(1);
    QCOMPARE(lines.size(), records.size() + 2);
    for (int i = 0; i < records.size(); ++i) {
      const QStringList cells = lines[i + 2].split(QLatin1Char('\t'));
      const QStringList fields = records[i].split(QLatin1Char(','));
      for (int column = 0; column <= 5; ++column)
        QCOMPARE(cells.value(column), fields.value(column).trimmed());
    }
    // Shift with the arrows: a block of cells, without captions.
    grid.MoveCursor(2, 3);
    QTest::keyClick(grid.Editor(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid.Editor(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid.Editor(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("%1\t%2\n%3\t%4\n")
                 .arg(grid.Cell(2, 3).trimmed(), grid.Cell(3, 3).trimmed(),
                      grid.Cell(2, 4).trimmed(), grid.Cell(3, 4).trimmed()));
  }

  void exportsAreWrittenAndReadBack() {
    // A datafile opened and computed: its CSV is the command line's.
    QVERIFY(QDir().mkdir(QStringLiteral("wall")));
    const QString folder = QDir::current().absoluteFilePath(QStringLiteral("wall"));
    {
      QFile file(folder + QStringLiteral("/wall.krv"));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(QByteArray::fromStdString(WriteDatafile(fx_.Problem())));
    }
    fx_.Dialogs().openAnswers = {folder + QStringLiteral("/wall.krv")};
    fx_.Dialogs().saveChangesAnswers = {SaveChangesAnswer::Discard};
    fx_.Main().SpeedButtonOpenClick();
    fx_.Main().SpeedButtonRunClick();
    fx_.Main().SpeedButtonScreenOutputClick();
    TypeStep(Tables().ComboBoxStep(), QStringLiteral("2"));
    fx_.Dialogs().exportAnswers = {folder + QStringLiteral("/window.csv")};
    // The program's key, from the step chooser of the window.
    fx_.Main().show();
    QApplication::setActiveWindow(&Tables());
    QTest::keyClick(Tables().ComboBoxStep().lineEdit(), Qt::Key_S,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(fx_.Dialogs().lastExportName, QStringLiteral("New.2.csv"));
    QProcess cli;
    cli.setWorkingDirectory(folder);
    cli.start(QStringLiteral(KORVANU_CLI), {"compute", "--quiet", "--csv", "csv", "wall.krv"});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    const QByteArray csv = Contents(folder + QStringLiteral("/csv/New.2.csv"));
    QVERIFY(csv.startsWith("node,z_m"));
    QCOMPARE(Contents(folder + QStringLiteral("/window.csv")), csv);

    // Graphs and cross sections as pictures of the size asked for.
    fx_.Main().SpeedButtonScreenGraphsClick();
    fx_.Main().SpeedButtonSectionsClick();
    fx_.Dialogs().pictureSize = QSize(800, 500);
    const QString pictures[] = {"graphs.png", "graphs.svg", "graphs.pdf", "section.png",
                                "section.svg"};
    for (const QString& name : pictures) {
      fx_.Dialogs().exportAnswers = {folder + "/" + name};
      (name.startsWith(QLatin1String("graphs")) ? Graphs().ExportAction()
                                                : fx_.Context().Windows.Sections->ExportAction())
          .trigger();
    }
    QCOMPARE(fx_.Dialogs().lastExportName, QStringLiteral("New.1.section.png"));
    for (const QString name : {"graphs.png", "section.png"})
      QCOMPARE(QImage(folder + "/" + name).size(), QSize(800, 500));
    // The section is drawn to the size: the wall runs down the middle.
    QCOMPARE(QImage(folder + "/section.png").pixelColor(400, 250), QColor(Qt::black));
    for (const QString name : {"graphs.svg", "section.svg"}) {
      QSvgRenderer svg(folder + "/" + name);
      QVERIFY(svg.isValid());
      QCOMPARE(svg.viewBox(), QRect(0, 0, 800, 500));
    }
    QVERIFY(Contents(folder + QStringLiteral("/graphs.pdf")).startsWith("%PDF"));
    QVERIFY(fx_.Dialogs().messages.isEmpty());
  }

  void resultsOutOfDateSaySo() {
    fx_.Main().SpeedButtonScreenOutputClick();
    fx_.Main().SpeedButtonScreenGraphsClick();
    QVERIFY(Tables().LabelOutOfDate().isHidden());
    QVERIFY(Graphs().LabelOutOfDate().isHidden());
    // An edit in the general data makes the results on show old ones.
    StringGrid& grid = fx_.Main().MainGrid();
    grid.Editor()->selectAll();
    QTest::keyClicks(grid.Editor(), QStringLiteral("Me"));
    QTest::keyClick(grid.Editor(), Qt::Key_Return);
    QVERIFY(!fx_.View().ResultsValid);
    QVERIFY(!Tables().LabelOutOfDate().isHidden());
    QVERIFY(!Graphs().LabelOutOfDate().isHidden());
  }
};

QTEST_MAIN(OutputWindowsTest)
#include "OutputWindowsTest.moc"
