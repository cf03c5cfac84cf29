// The print job on a PDF printer: page header, general data page, numbering
// across jobs, the compute-first rule, cancel, an empty report and a printer
// that cannot start. The PDF is read back with pdftotext.
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "core/ProblemDefaults.h"
#include "print/PageFrame.h"
#include "print/PrintContext.h"
#include "print/PrintJob.h"
#include "print/PrintedInputData.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/ScriptedDialogs.h"

namespace korvanu {

class PrintJobTest : public QObject {
  Q_OBJECT

  ProblemData problem;
  ViewState view;
  test::ScriptedDialogs dialogs{true};
  QStringList events;
  bool computeSucceeds = true;
  int computeCalls = 0;
  QTemporaryDir folder;

  QString PdfPath(const QString& name) const { return folder.filePath(name); }

  PrintJobHooks Hooks() {
    PrintJobHooks hooks;
    hooks.ShowOptionsPanel = [this](bool shown) {
      events << (shown ? QStringLiteral("panel shown") : QStringLiteral("panel hidden"));
    };
    hooks.Compute = [this] {
      ++computeCalls;
      events << QStringLiteral("compute");
      if (computeSucceeds) view.ResultsValid = true;
      return computeSucceeds;
    };
    return hooks;
  }

  PrintOutcome Print(const PrintOptions& options, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    PointAtPdf(printer, path);
    PrintJob job(problem, view, dialogs, Hooks());
    return job.Run(options, printer, nullptr);
  }

 private slots:
  void init() {
    QVERIFY(folder.isValid());
    InitialiseProblem(problem, view);
    dialogs = test::ScriptedDialogs(true);
    dialogs.onPrint = [this] { events << QStringLiteral("print dialog"); };
    events.clear();
    computeSucceeds = true;
    computeCalls = 0;
  }

  void fontsKeepTheirPointSize() {
    // 13 px at 96 dpi is 10 points, 11 px is 8 points, whatever the printer.
    QCOMPARE(PrinterFontPixels(13, 96), 13);
    QCOMPARE(PrinterFontPixels(11, 96), 11);
    QCOMPARE(PrinterFontPixels(13, 600), 83);
    QCOMPARE(PrinterFontPixels(11, 600), 67);
    QCOMPARE(PrinterFontPixels(13, 1200), 167);
    QCOMPARE(PrinterFontPixels(11, 1200), 133);

    QPrinter printer(QPrinter::HighResolution);
    PointAtPdf(printer, PdfPath(QStringLiteral("unused.pdf")));
    PrintContext context(printer, problem, PrintOptions(), 0);
    QVERIFY(context.TitleFont().bold());
    QVERIFY(!context.TextFont().bold());
    QCOMPARE(context.TitleFont().pixelSize(), 83);
    QCOMPARE(context.TextFont().pixelSize(), 67);
    // MS Sans Serif comes out as a metric-compatible free font, not a fallback.
    QCOMPARE(QFontInfo(context.TextFont()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(context.LeftMargin, context.PageWidth() / 20);
  }

  void generalDataPageWithItsHeader() {
    const QString path = PdfPath(QStringLiteral("general.pdf"));
    QCOMPARE(Print(Only(&PrintOptions::General), path), PrintOutcome::Printed);

    const QStringList pages = PdfPages(path);
    QCOMPARE(pages.size(), 1);
    const QString& page = pages[0];
    QVERIFY(
        page.contains(QRegularExpression(QStringLiteral("Korvanu - Sheet Pile Wall +Page 1\\n"))));
    QVERIFY(page.contains(QString::fromLatin1(ProgramIdentification)));
    QVERIFY(page.contains(QStringLiteral("Students of Geotechnics, New Problem")));
    QVERIFY(page.contains(QStringLiteral("General Data")));
    const char* const expected[] = {
        "Licensed User +: Students of Geotechnics\\n",
        "File Name +: New.krv\\n",
        "Problem Name +: New Problem\\n",
        "Length \\(m\\) +: 4.000\\n",
        "Number of Elements +: 100\\n",
        "Number of Layers +: ?4\\n",
        "Number of Loading Steps +: ?1\\n",
        "Profile from Catalogue +: ?1\\n",
    };
    for (const char* line : expected) {
      QVERIFY2(page.contains(QRegularExpression(QString::fromLatin1(line))), line);
    }
    QCOMPARE(view.PageOffset, 1);
    QVERIFY(!view.PrintOptionsShown);
    QCOMPARE(events, QStringList({"panel shown", "print dialog", "panel hidden"}));
    QVERIFY(dialogs.errors.isEmpty());
  }

  void generalDataValuesFollowTheProblem() {
    problem.General.ProblemName = "Quay wall";
    problem.General.Length = 12.3456;
    problem.General.NN = 250;
    problem.General.NT = 7;
    const QString path = PdfPath(QStringLiteral("values.pdf"));
    QCOMPARE(Print(Only(&PrintOptions::General), path), PrintOutcome::Printed);
    const QString page = PdfPages(path).value(0);
    QVERIFY(page.contains(QStringLiteral("Students of Geotechnics, Quay wall")));
    QVERIFY(page.contains(QRegularExpression(QStringLiteral("Length \\(m\\) +: 12.346\\n"))));
    QVERIFY(page.contains(QRegularExpression(QStringLiteral("Elements +: 250\\n"))));
    QVERIFY(page.contains(QRegularExpression(QStringLiteral("Loading Steps +: ?7\\n"))));
  }

  void pageFrameGeometry() {
    const QString path = PdfPath(QStringLiteral("frame.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    PointAtPdf(printer, path);
    printer.setFullPage(true);  // device origin at the paper corner, as pdftotext measures
    int h = 0;
    int textWidthOfPageField = 0;
    int leftMargin = 0;
    int pageWidth = 0;
    {
      PrintContext context(printer, problem, PrintOptions(), 0);
      h = QFontMetrics(context.TitleFont(), &printer).height();
      textWidthOfPageField = QFontMetrics(context.TextFont(), &printer)
                                 .horizontalAdvance(QStringLiteral("Page 9999999"));
      leftMargin = context.LeftMargin;
      pageWidth = context.PageWidth();
      QVERIFY(h > 0);

      const int first = PageFrame(context, 0);
      QCOMPARE(first, static_cast<int>(1.25 * h + h) + 4 * h);
      QCOMPARE(context.PageNumber(), 1);
      QCOMPARE(context.Font(), context.TextFont());
      // y = 0 again prints over the same page; any other y starts a new one.
      QCOMPARE(PageFrame(context, 12345), 5 * h);
      QCOMPARE(context.PageNumber(), 2);
      QVERIFY(context.End());
    }

    const QList<Word> words = PdfWords(path);
    const Word* title = FindWord(words, 1, QStringLiteral("Korvanu"));
    const Word* number = FindWord(words, 1, QStringLiteral("Page"));
    const Word* identification = FindWord(words, 1, QStringLiteral("analysis"));
    const Word* user = FindWord(words, 1, QStringLiteral("Students"));
    QVERIFY(title && number && identification && user);
    // Text hangs from its y: the top of the text, not its baseline, lies there.
    const double tolerance = 0.75;
    QVERIFY2(qAbs(title->yMin - Points(h)) < tolerance, qPrintable(QString::number(title->yMin)));
    QVERIFY(qAbs(title->xMin - Points(leftMargin)) < tolerance);
    QVERIFY(qAbs(number->yMin - Points(h)) < tolerance);
    QVERIFY(qAbs(number->xMin - Points(pageWidth - textWidthOfPageField)) < tolerance);
    QVERIFY(qAbs(identification->yMin - Points(static_cast<int>(2.25 * h))) < tolerance);
    QVERIFY(qAbs(user->yMin - Points(static_cast<int>(2.25 * h) + 2 * h)) < tolerance);

    const Word* secondUser = FindWord(words, 2, QStringLiteral("Students"));
    QVERIFY(secondUser);
    QVERIFY(qAbs(secondUser->yMin - Points(3 * h)) < tolerance);
    QVERIFY(!FindWord(words, 2, QStringLiteral("analysis")));
  }

  void generalDataLayout() {
    const QString path = PdfPath(QStringLiteral("layout.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    PointAtPdf(printer, path);
    printer.setFullPage(true);
    int h = 0;
    int xv = 0;
    {
      PrintContext context(printer, problem, PrintOptions(), 0);
      h = QFontMetrics(context.TitleFont(), &printer).height();
      xv = context.LeftMargin +
           QFontMetrics(context.TextFont(), &printer)
               .horizontalAdvance(QStringLiteral("Number of loading steps aaa"));
      const int top = static_cast<int>(1.25 * h + h) + 4 * h;
      // Title, a blank line, eight items one line apart, two lines below the last.
      QCOMPARE(PrintGeneralData(context, 0), top + 2 * h + 7 * h + 2 * h);
      QVERIFY(context.End());
    }
    const QList<Word> words = PdfWords(path);
    QList<const Word*> colons;
    for (const Word& word : words) {
      if (word.text == QLatin1String(":")) colons.append(&word);
    }
    QCOMPARE(colons.size(), 8);
    for (int i = 0; i < colons.size(); ++i) {
      QVERIFY(qAbs(colons[i]->xMin - Points(xv)) < 0.75);
      if (i > 0) QVERIFY(qAbs(colons[i]->yMin - colons[i - 1]->yMin - Points(h)) < 0.75);
    }
  }

  void numberingRunsOnWhileResultsStayValid() {
    view.ResultsValid = true;
    const QString first = PdfPath(QStringLiteral("first.pdf"));
    QCOMPARE(Print(Only(&PrintOptions::General), first), PrintOutcome::Printed);
    QCOMPARE(view.PageOffset, 1);
    const QString second = PdfPath(QStringLiteral("second.pdf"));
    QCOMPARE(Print(Only(&PrintOptions::General), second), PrintOutcome::Printed);
    QCOMPARE(view.PageOffset, 2);

    QVERIFY(PdfPages(first).value(0).contains(QRegularExpression(QStringLiteral("Page 1\\n"))));
    const QString continued = PdfPages(second).value(0);
    QVERIFY(continued.contains(QRegularExpression(QStringLiteral("Page 2\\n"))));
    QVERIFY(!continued.contains(QString::fromLatin1(ProgramIdentification)));
    QVERIFY(continued.contains(QStringLiteral("Students of Geotechnics, New Problem")));

    // A data change clears the results: the next report starts again at page 1.
    view.ResultsValid = false;
    const QString third = PdfPath(QStringLiteral("third.pdf"));
    QCOMPARE(Print(Only(&PrintOptions::General), third), PrintOutcome::Printed);
    const QString restarted = PdfPages(third).value(0);
    QVERIFY(restarted.contains(QRegularExpression(QStringLiteral("Page 1\\n"))));
    QVERIFY(restarted.contains(QString::fromLatin1(ProgramIdentification)));
    QCOMPARE(view.PageOffset, 1);
    QCOMPARE(computeCalls, 0);
  }

  void outputIsComputedFirstWhenResultsAreStale_data() {
    QTest::addColumn<bool>("tables");
    QTest::addColumn<bool>("graphs");
    QTest::addColumn<bool>("resultsValid");
    QTest::addColumn<int>("computations");
    QTest::newRow("tables, stale") << true << false << false << 1;
    QTest::newRow("graphs, stale") << false << true << false << 1;
    QTest::newRow("both, stale: once") << true << true << false << 1;
    QTest::newRow("tables, valid") << true << false << true << 0;
    QTest::newRow("both, valid") << true << true << true << 0;
    QTest::newRow("input only, stale") << false << false << false << 0;
  }

  void outputIsComputedFirstWhenResultsAreStale() {
    QFETCH(bool, tables);
    QFETCH(bool, graphs);
    QFETCH(bool, resultsValid);
    QFETCH(int, computations);
    view.ResultsValid = resultsValid;
    PrintOptions options = Only(&PrintOptions::General);
    options.Tables = tables;
    options.Graphs = graphs;
    const QString path = PdfPath(QStringLiteral("computed.pdf"));
    QCOMPARE(Print(options, path), PrintOutcome::Printed);
    QCOMPARE(computeCalls, computations);
    QStringList expected = {"panel shown", "print dialog"};
    if (computations) expected << "compute";
    expected << "panel hidden";
    QCOMPARE(events, expected);
    QVERIFY(view.ResultsValid == (resultsValid || computations > 0));
    // The general data page, then each output section of the one step.
    const QString report = PdfPages(path).join(QLatin1Char('\f'));
    QVERIFY(PdfPages(path).value(0).contains(QStringLiteral("General Data")));
    QCOMPARE(report.count(QStringLiteral("Results after Step 1 :")), int(tables) + int(graphs));
  }

  void faultInTheComputationEndsTheJob() {
    computeSucceeds = false;
    view.PageOffset = 0;
    const QString path = PdfPath(QStringLiteral("fault.pdf"));
    QCOMPARE(Print(Only(&PrintOptions::Graphs), path), PrintOutcome::ComputationFailed);
    QCOMPARE(computeCalls, 1);
    QCOMPARE(view.PageOffset, 0);
    QVERIFY(!view.ResultsValid);
    // Nothing was begun: no document at all, and the message says so. The
    // panel hides, as after any finished job.
    QVERIFY(!QFile::exists(path));
    QVERIFY(!view.PrintOptionsShown);
    QCOMPARE(events, QStringList({"panel shown", "print dialog", "compute", "panel hidden"}));
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].contains(QStringLiteral("Nothing was printed")));
    QVERIFY(dialogs.messages[0].contains(path + QStringLiteral("' was not written")));

    // Sections before the output write no pages of a report that would look
    // whole (the input data alone), and the next job works normally.
    events.clear();
    PrintOptions options = Only(&PrintOptions::General);
    options.Tables = true;
    QCOMPARE(Print(options, PdfPath(QStringLiteral("fault2.pdf"))),
             PrintOutcome::ComputationFailed);
    QVERIFY(!QFile::exists(PdfPath(QStringLiteral("fault2.pdf"))));
    QCOMPARE(view.PageOffset, 0);
    computeSucceeds = true;
    QCOMPARE(Print(options, PdfPath(QStringLiteral("after.pdf"))), PrintOutcome::Printed);
    QCOMPARE(view.PageOffset, PdfPages(PdfPath(QStringLiteral("after.pdf"))).size());
    QCOMPARE(computeCalls, 3);
  }

  void nothingSelectedMakesNoPages() {
    view.ResultsValid = true;
    view.PageOffset = 5;
    const QString path = PdfPath(QStringLiteral("empty.pdf"));
    QCOMPARE(Print(NothingSelected(), path), PrintOutcome::Printed);
    QCOMPARE(view.PageOffset, 5);
    QVERIFY(!QFile::exists(path));
    QVERIFY(dialogs.errors.isEmpty() && dialogs.messages.isEmpty());
    QVERIFY(!view.PrintOptionsShown);
    QCOMPARE(events, QStringList({"panel shown", "print dialog", "panel hidden"}));

    // Colours alone select nothing either; stale results reset the offset only.
    view.ResultsValid = false;
    QCOMPARE(Print(Only(&PrintOptions::Colors), path), PrintOutcome::Printed);
    QCOMPARE(view.PageOffset, 0);
    QCOMPARE(computeCalls, 0);
    QVERIFY(!QFile::exists(path));
  }

  void cancelPrintsNothingAndLeavesThePanel() {
    view.ResultsValid = false;
    view.PageOffset = 3;
    dialogs.printWhenUnscripted = false;
    const QString path = PdfPath(QStringLiteral("cancelled.pdf"));
    QCOMPARE(Print(PrintOptions(), path), PrintOutcome::Cancelled);
    QVERIFY(!QFile::exists(path));
    QVERIFY(view.PrintOptionsShown);
    QCOMPARE(events, QStringList({"panel shown", "print dialog"}));
    QCOMPARE(view.PageOffset, 3);
    QCOMPARE(computeCalls, 0);
  }

  void printerThatCannotStartIsReported() {
    view.ResultsValid = true;
    view.PageOffset = 4;
    const QString path = PdfPath(QStringLiteral("no/such/folder/report.pdf"));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QCOMPARE(Print(PrintOptions(), path), PrintOutcome::PrinterFailed);
    QCOMPARE(dialogs.errors.size(), 1);
    QCOMPARE(view.PageOffset, 4);
    QVERIFY(!view.PrintOptionsShown);
    QVERIFY(!QFile::exists(path));
  }
};

}  // namespace korvanu

QTEST_MAIN(korvanu::PrintJobTest)
#include "PrintJobTest.moc"
