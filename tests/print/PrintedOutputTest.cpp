// The printed output tables and graphs of a computed problem, read back from
// the PDF: titles, rows, headings that a page break does not repeat, the
// page-break rules, the line of extremes against the step files, scale
// labels that never run into each other, and the design summary's verdict
// kept with its checks.
#include <QDir>
#include <QFontMetrics>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "core/DatafileFiles.h"
#include "core/ProblemDefaults.h"
#include "core/TextFormat.h"
#include "engine/RunComputation.h"
#include "print/OutputGraphDrawing.h"
#include "print/PrintContext.h"
#include "print/PrintJob.h"
#include "print/PrintedDesign.h"
#include "print/PrintedOutput.h"
#include "results/ResultQuantities.h"
#include "results/StepOutputReader.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/ScriptedDialogs.h"

namespace korvanu {

class PrintedOutputTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ProblemData> problem = std::make_unique<ProblemData>();
  std::unique_ptr<EngineState> engine = std::make_unique<EngineState>();
  ViewState view;
  test::ScriptedDialogs dialogs{true};
  QTemporaryDir folder;
  QString startFolder;

  QString Print(const PrintOptions& options, const QString& name) {
    return PrintReport(*problem, view, dialogs, options, folder.filePath(name), &engine->Nodes);
  }

  // "Maxima :" and the extremes of a step as its step file gives them.
  QString ExpectedMaxima(int step) {
    NodeResults results{};
    const int NN = problem->General.NN;
    ReadStepOutput(StepOutputFileName(*problem, step), NN, results);
    double extreme[4] = {0, 0, 0, 0};
    const auto take = [&extreme](int g, double value) {
      if (std::abs(value) > std::abs(extreme[g]) || (value == -extreme[g] && value > 0))
        extreme[g] = value;
    };
    for (int i = 0; i <= NN; ++i) {
      take(0, results.w[i]);
      take(1, results.M[i]);
      if (i > 0) {
        take(2, results.Qminus[i]);
        take(2, results.Qplus[i]);
        take(3, -DistributedLoad(results, i));
      }
    }
    return QString::fromStdString(Format("Maxima : %.6f m %.6f kNm/m %.6f kN/m %.6f kN/m",
                                         extreme[0], extreme[1], extreme[2], extreme[3])) +
           QStringLiteral("\u00b2");
  }

 private slots:
  void initTestCase() {
    QVERIFY(folder.isValid());
    startFolder = QDir::currentPath();
    QDir::setCurrent(folder.path());
    InitialiseProblem(*problem, view);
    SetAnchorStartValues(*problem);
    SetAxialStartValues(*problem);
    problem->General.FileName = "Small.krv";
    problem->General.NT = 2;
    ComputationObserver quiet;
    QCOMPARE(RunComputation(*problem, *engine, quiet), ComputationFault::None);
    view.ResultsValid = true;
  }
  void cleanupTestCase() { QDir::setCurrent(startFolder); }

  void tablesAndGraphsOfEveryStep() {
    PrintOptions options = Only(&PrintOptions::Tables);
    options.Graphs = true;
    const QString path = Print(options, QStringLiteral("output.pdf"));
    QVERIFY(!path.isEmpty());
    QVERIFY(dialogs.messages.isEmpty());
    const QStringList pages = PdfPages(path);
    const QString report = pages.join(QLatin1Char('\f'));
    const int NN = problem->General.NN;
    for (int k = 1; k <= 2; ++k)
      QCOMPARE(report.count(QStringLiteral("Results after Step %1 :").arg(k)), 2);
    static const QRegularExpression row(QStringLiteral("^ +\\d+( +-?\\d+\\.\\d{6}){7} *$"),
                                        QRegularExpression::MultilineOption);
    QCOMPARE(int(report.count(row)), 2 * (NN + 1));
    // One heading and unit line per table, none after a page break; the 101
    // rows of a table run on to the next page.
    static const QRegularExpression heading(QStringLiteral("^ +i +z +w +M +Q- +Q\\+ +F +f *$"),
                                            QRegularExpression::MultilineOption);
    QCOMPARE(int(report.count(heading)), 2);
    QVERIFY(pages.size() >= 3);
    QVERIFY(pages[0].count(heading) == 1 && pages[1].count(row) > 0);
    QVERIFY(!pages[1].section(QStringLiteral("Results after Step 2"), 0, 0).contains(heading));
    for (int k = 1; k <= 2; ++k) {
      const QString maxima = ExpectedMaxima(k);
      QVERIFY2(report.simplified().contains(maxima), qPrintable(maxima));
    }
  }

  void aTableStartsOnANewPageWhenFewerThanTenLinesRemain() {
    const QString path = folder.filePath(QStringLiteral("breaks.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    PointAtPdf(printer, path);
    PrintOptions options;
    PrintContext context(printer, *problem, options, 0);
    context.SetResults(engine->Nodes);
    const int h = QFontMetrics(context.TitleFont(), &printer).height();
    const int bottom = context.PageHeight() - h;
    PrintStepTable(context, 0, 1);
    QCOMPARE(context.PageNumber(), 2);  // 101 rows do not fit on one page
    // Three rows: with ten lines left the table fits below; with a little
    // less it starts on a new page.
    problem->General.NN = 2;
    PrintStepTable(context, bottom - 10 * h, 1);
    QCOMPARE(context.PageNumber(), 2);
    PrintStepTable(context, bottom - 10 * h + 1, 1);
    QCOMPARE(context.PageNumber(), 3);
    problem->General.NN = 100;

    // Graphs need a quarter page less a hundredth, and four lines.
    ComputePrintGraphScales(context);
    const int H = static_cast<int>(0.24 * context.PageHeight());
    int pages = context.PageNumber();
    PrintStepGraphs(context, context.PageHeight() - H - 4 * h, 1);
    QCOMPARE(context.PageNumber(), pages);
    PrintStepGraphs(context, context.PageHeight() - H - 4 * h + 1, 1);
    QCOMPARE(context.PageNumber(), pages + 1);
    QVERIFY(context.End());
  }

  // The words of the line of scale labels on a page: those beside the title
  // "Q", with numbers whole and a blank or more between neighbours.
  static void CheckLabelLine(const QList<Word>& words, int page) {
    const Word* title = FindWord(words, page, QStringLiteral("Q"));
    QVERIFY(title != nullptr);
    QList<Word> line;
    for (const Word& word : words)
      if (word.page == page && word.yMin < title->yMax - 1 && title->yMin < word.yMax - 1)
        line.append(word);
    std::sort(line.begin(), line.end(),
              [](const Word& a, const Word& b) { return a.xMin < b.xMin; });
    static const QRegularExpression number(QStringLiteral("^-?\\d+\\.\\d+$"));
    int numbers = 0;
    for (int k = 0; k < line.size(); ++k) {
      numbers += number.match(line[k].text).hasMatch();
      if (k > 0)
        QVERIFY2(line[k].xMin - line[k - 1].xMax > 1.5,
                 qPrintable(line[k - 1].text + QLatin1Char('|') + line[k].text));
    }
    QCOMPARE(numbers, 8);
  }

  // Ex 2's large values put the outer labels of neighbouring graphs (Q's 80.0,
  // f's -50.0) side by side; in the report and in the window at its smallest.
  void scaleLabelsStayWholeAndApart() {
    auto ex2 = std::make_unique<ProblemData>();
    QVERIFY(!LoadDatafile(KORVANU_EXAMPLES "/Ex2.krv", *ex2));
    auto results = std::make_unique<EngineState>();
    ComputationObserver quiet;
    QCOMPARE(RunComputation(*ex2, *results, quiet), ComputationFault::None);
    ViewState computed;
    computed.ResultsValid = true;
    const QString path = PrintReport(*ex2, computed, dialogs, Only(&PrintOptions::Graphs),
                                     folder.filePath(QStringLiteral("ex2.pdf")), &results->Nodes);
    QVERIFY(!path.isEmpty());
    const QList<Word> words = PdfWords(path);
    const Word* step4 = FindWord(words, 2, QStringLiteral("Results"));
    QVERIFY(step4 != nullptr && PdfPages(path)[1].contains(QStringLiteral("after Step 4")));
    CheckLabelLine(words, 2);

    const QString window = folder.filePath(QStringLiteral("window.pdf"));
    {
      const QSize client(400, 300);
      QPdfWriter pdf(window);
      pdf.setResolution(96);
      pdf.setPageSize(QPageSize(QSizeF(client) * 0.75, QPageSize::Point));
      pdf.setPageMargins(QMarginsF());
      GraphSizes sizes;
      sizes.ClientWidth = client.width();
      sizes.ClientHeight = client.height();
      const double length = ex2->General.Length;
      const GraphMaxima maxima = ReadGraphMaxima(*ex2, results->Nodes, {});
      QPainter painter(&pdf);
      painter.setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
      PaintOutputGraphs(painter, client, GraphsPanelHeight, results->Nodes, ex2->General.NN,
                        ComputeGraphScales(maxima, length, sizes));
    }
    CheckLabelLine(PdfWords(window), 1);
  }

  // Wherever on a page the design summary begins, its verdict shares a page
  // with its checks, and no page holds nothing but its header.
  void theDesignVerdictStaysWithItsChecks() {
    const QString path = folder.filePath(QStringLiteral("design.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    PointAtPdf(printer, path);
    PrintOptions options;
    PrintContext context(printer, *problem, options, 0);
    const int h = QFontMetrics(context.TitleFont(), &printer).height();
    const int bottom = context.PageHeight() - h;
    int summaries = 0;
    for (int y = bottom - 8 * h; y > bottom - 40 * h; y -= h / 2, ++summaries) {
      context.NewPage();
      PrintDesignSummary(context, y, nullptr);
    }
    QVERIFY(context.End());
    static const QRegularExpression checks(QStringLiteral("^ *Checks *$"),
                                           QRegularExpression::MultilineOption);
    static const QRegularExpression verdict(QStringLiteral("Every check holds\\.|Falls short: "));
    int verdicts = 0;
    for (const QString& page : PdfPages(path)) {
      QVERIFY(page.contains(QStringLiteral("Design Summary :")) || page.contains(checks));
      if (!page.contains(verdict)) continue;
      ++verdicts;
      QVERIFY2(page.contains(checks), qPrintable(page));
    }
    QCOMPARE(verdicts, summaries);
  }

  void graphsPrintWithoutTheWindowAndInColour() {
    PrintOptions options = Only(&PrintOptions::Graphs);
    options.Colors = true;
    const QString path = Print(options, QStringLiteral("colours.pdf"));
    QVERIFY(!path.isEmpty());
    QVERIFY(PdfPages(path).join(QString()).contains(QStringLiteral("Maxima :")));
  }
};

}  // namespace korvanu

QTEST_MAIN(korvanu::PrintedOutputTest)
#include "PrintedOutputTest.moc"
