// The printed input data read back from the PDF: titles, the rows of every
// step and side, NL + 1 anchor rows, 20 catalogue rows with their names cut
// to 20 characters, caption lines that a page break does not repeat, lines
// that never start below the bottom, and the rule for starting a section.
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "print/PageFrame.h"
#include "print/PrintContext.h"
#include "print/PrintJob.h"
#include "print/PrintedInputData.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/ScriptedDialogs.h"

namespace korvanu {

namespace {

// Lines of pdftotext's layout text that match a pattern, between two titles.
int CountLines(const QString& text, const QString& pattern) {
  const QRegularExpression line(QStringLiteral("^") + pattern + QStringLiteral("$"),
                                QRegularExpression::MultilineOption);
  int count = 0;
  for (auto it = line.globalMatch(text); it.hasNext(); it.next()) ++count;
  return count;
}

QString Between(const QString& text, const QString& from, const QString& to) {
  const qsizetype start = text.indexOf(from);
  const qsizetype end = to.isEmpty() ? text.size() : text.indexOf(to, start);
  return start < 0 || end < 0 ? QString() : text.mid(start, end - start);
}

// A row of a number and `values` fixed-point numbers with `decimals` digits.
QString Row(int values, int decimals) {
  return QStringLiteral(" *\\d+(?: +-?\\d+\\.\\d{%1}){%2} *").arg(decimals).arg(values);
}

}  // namespace

class PrintedInputDataTest : public QObject {
  Q_OBJECT

  ProblemData problem;
  ViewState view;
  test::ScriptedDialogs dialogs{true};
  QTemporaryDir folder;

  QString Print(const PrintOptions& options, const QString& name) {
    return PrintReport(problem, view, dialogs, options, folder.filePath(name), nullptr, true);
  }

  static PrintOptions InputSections() {
    PrintOptions options = NothingSelected();
    options.Layers = options.Anchors = options.Axial = options.Catalogue = true;
    return options;
  }

 private slots:
  void init() {
    QVERIFY(folder.isValid());
    StartingProblem(problem, view);
  }

  void theFourTablesOfASmallProblem() {
    problem.General.NT = 2;
    problem.Axial[2] = AxialRecord{-12.5, 3.25, 7.0};
    problem.Catalogue[0].Name = "llllllllllllllllllllWXYZW";  // narrow, so that it leaves Area free
    problem.Catalogue[1].Name = "Short";
    const QString path = Print(InputSections(), QStringLiteral("small.pdf"));
    QVERIFY(!path.isEmpty());
    const QStringList pages = PdfPages(path);
    QCOMPARE(pages.size(), 2);
    const QString text = pages.join(QLatin1Char('\n'));

    // Without the general data the layers begin page 1, below its header.
    QVERIFY(pages[0].contains(QStringLiteral("Students of Geotechnics, New Problem")));
    QVERIFY(pages[0].indexOf(QStringLiteral("Data of Layers")) >
            pages[0].indexOf(QStringLiteral("New Problem")));

    const QString layers =
        Between(text, QStringLiteral("Data of Layers"), QStringLiteral("Data of Anchors"));
    for (int s = 0; s <= 2; ++s) {
      QVERIFY(layers.contains(QStringLiteral("Step %1, Left side").arg(s)));
      QVERIFY(layers.contains(QStringLiteral("Step %1, Right side").arg(s)));
    }
    QCOMPARE(CountLines(layers, Row(12, 3)), 3 * 2 * 4);
    QCOMPARE(CountLines(layers, QStringLiteral(" *Layer +Top +Bottom +Wd +Ws +Zw +Cap +q +c +Ka "
                                               "+Kp +Kn +Dw *")),
             6);
    QVERIFY(layers.contains(QRegularExpression(
        QStringLiteral("\\(m\\) +\\(m\\) +\\(kN/m³\\) +\\(kN/m³\\) +\\(m\\) +\\(m\\) +"
                       "\\(kN/m²\\) +\\(kN/m²\\) +\\(-\\) +\\(-\\) +\\(-\\) +\\(m\\)"))));
    // Layer 1 of step 1, left: excavated, from 0 to 1 m.
    const QString step1 =
        Between(layers, QStringLiteral("Step 1, Left side"), QStringLiteral("Step 1, Right side"));
    QVERIFY(step1.contains(QRegularExpression(QStringLiteral(
        "\\n *1 +0\\.000 +1\\.000 +0\\.000 +10\\.000 +1\\.000 +0\\.000 +0\\.000 +0\\.000 "
        "+1\\.000 +1\\.000 +1\\.000 +1\\.000 *\\n"))));

    // Anchors: NL + 1 points from 0 in every step.
    const QString anchors = Between(text, QStringLiteral("Data of Anchors and Lateral Forces"),
                                    QStringLiteral("Data of Axial Forces and Moment"));
    QCOMPARE(CountLines(anchors, Row(3, 3)), 3 * 5);
    QCOMPARE(CountLines(anchors, QStringLiteral(" *Point +Fx +Fa +Fw *")), 3);
    QCOMPARE(CountLines(anchors, QStringLiteral(" *\\(kN/m\\) +\\(kN/m\\) +\\(m\\) *")), 3);
    QVERIFY(anchors.contains(
        QRegularExpression(QStringLiteral("Step 1 :\\n.*\\n.*\\n *0 +0\\.000 +0\\.000 +1\\.000 *\\n"
                                          " *1 +0\\.000 +50\\.000 +-0\\.020 *\\n"))));

    const QString axial = Between(text, QStringLiteral("Data of Axial Forces and Moment"),
                                  QStringLiteral("Catalogue of Profiles"));
    QCOMPARE(CountLines(axial, Row(3, 3)), 3);
    QVERIFY(axial.contains(
        QRegularExpression(QStringLiteral(" *Step +NA +NB +MA *\\n"
                                          " *\\(kN/m\\) +\\(kN/m\\) +\\(kNm/m\\)"))));
    QVERIFY(
        axial.contains(QRegularExpression(QStringLiteral("\\n *2 +-12\\.500 +3\\.250 +7\\.000"))));

    // The catalogue: all 20 entries; a long name cut after 20 characters.
    const QString catalogue = Between(text, QStringLiteral("Catalogue of Profiles"), QString());
    QVERIFY(catalogue.contains(QRegularExpression(
        QStringLiteral("No +Profile Name +Area +Weight +E +h +i +EI *\\n"
                       " *\\(m²/m\\) +\\(kN/m³\\) +\\(GN/m²\\) +\\(m\\) +\\(m\\) +\\(kNm²/m\\)"))));
    QCOMPARE(CountLines(catalogue, QStringLiteral(" *\\d+ +\\S.*(?: +-?\\d+\\.\\d+){6} *")), 20);
    QVERIFY(catalogue.contains(
        QRegularExpression(QStringLiteral("\\n *1 +l{20} +0\\.010100 +78\\.000 +210\\.000 "
                                          "+0\\.220000 +0\\.080800 +13847\\.2 *\\n"))));
    QVERIFY(catalogue.contains(QRegularExpression(QStringLiteral("\\n *2 +Short +0\\.010100"))));
    QVERIFY(
        catalogue.contains(QRegularExpression(QStringLiteral("\\n *20 +Hoesch 215 +0\\.027400"))));
  }

  void numbersOfAColumnEndTogether() {
    // Blanks are narrower than digits in the report's font: numbers of fewer
    // digits must still end where the others end (to a device unit).
    problem.Layer(0, 0, Side::Left).Wd = 118.5;
    problem.Layer(1, 0, Side::Left).Wd = 7.25;
    problem.Layer(2, 0, Side::Left).Wd = -3.125;
    const QString path = Print(Only(&PrintOptions::Layers), QStringLiteral("columns.pdf"));
    const QList<Word> words = PdfWords(path);
    const Word* wide = FindWord(words, 1, QStringLiteral("118.500"));
    const Word* narrow = FindWord(words, 1, QStringLiteral("7.250"));
    const Word* negative = FindWord(words, 1, QStringLiteral("-3.125"));
    QVERIFY(wide && narrow && negative);
    QVERIFY(narrow->yMin > wide->yMin && negative->yMin > narrow->yMin);
    QVERIFY2(qAbs(narrow->xMax - wide->xMax) <= Points(1),
             qPrintable(QStringLiteral("%1 %2").arg(narrow->xMax).arg(wide->xMax)));
    QVERIFY(qAbs(negative->xMax - wide->xMax) <= Points(1));
  }

  void strengthLinesBelowTheStepAndSideThatHaveThem() {
    SoilStrength strength;
    strength.Phi = 32.5;
    strength.Delta = 20;
    strength.Kh = 15000;
    strength.Method = EarthPressureMethod::Curved;
    problem.Strength(2, 1, Side::Right) = strength;
    const QString path = Print(Only(&PrintOptions::Layers), QStringLiteral("strength.pdf"));
    const QString text = PdfPages(path).join(QLatin1Char('\n'));
    QCOMPARE(CountLines(text, QString::fromUtf8(" *\\d+ +φ' .*")), 1);
    const QString right = Between(text, QStringLiteral("Step 1, Right side"), QString());
    QVERIFY(right.contains(QRegularExpression(
        QString::fromUtf8("\\n *4 +3\\.000 +4\\.000 .*\\n *3 +φ' 32\\.5°, δ 20°, β 0°, c' 0 kN/m², "
                          "OCR -, k_h 15000 kN/m³: "
                          "Coulomb Ka, Kp from curved surfaces \\(Lancellotta 2002\\)"))));
  }

  void pageBreaksOfTwentyLayersAndSteps() {
    problem.General.NL = 20;
    problem.General.NT = 20;
    for (int j = 0; j <= 20; ++j) problem.Z[j] = j;
    const QString path = Print(InputSections(), QStringLiteral("large.pdf"));
    const QStringList pages = PdfPages(path);
    QVERIFY(pages.size() > 10);
    const QString text = pages.join(QLatin1Char('\n'));
    // Every row once, every caption line once per block: none is repeated
    // at the top of a page.
    const QString layers =
        Between(text, QStringLiteral("Data of Layers"), QStringLiteral("Data of Anchors"));
    QCOMPARE(CountLines(layers, Row(12, 3)), 21 * 2 * 20);
    QCOMPARE(CountLines(layers, QStringLiteral(" *Layer +Top.*")), 42);
    const QString anchors =
        Between(text, QStringLiteral("Data of Anchors"), QStringLiteral("Data of Axial Forces"));
    QCOMPARE(CountLines(anchors, Row(3, 3)), 21 * 21);
    QCOMPARE(CountLines(anchors, QStringLiteral(" *Point +Fx.*")), 21);
    for (int p = 1; p < pages.size(); ++p) {
      QVERIFY(pages[p].contains(QStringLiteral("Page %1").arg(p + 1)));
      QVERIFY(!pages[p].contains(QStringLiteral("Korvanu 1.0")));
    }

    // No line begins below the bottom (page height less one title line), and
    // a step's block starts with its captions and a row on the same page.
    QPrinter printer(QPrinter::HighResolution);
    PointAtPdf(printer, folder.filePath(QStringLiteral("unused.pdf")));
    printer.setFullPage(true);
    PrintContext context(printer, problem, PrintOptions(), 0);
    context.SelectFont(context.TitleFont());
    const double bottom = Points(context.PageHeight() - context.TextHeight(QStringLiteral("W")));
    const QList<Word> words = PdfWords(path);
    for (const Word& word : words) QVERIFY2(word.yMin <= bottom + 1.0, qPrintable(word.text));
    for (int p = 1; p <= pages.size(); ++p) {
      const QStringList lines = pages[p - 1].split(QLatin1Char('\n'));
      for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].contains(QStringLiteral("Left side"))) continue;
        QVERIFY2(i + 3 < lines.size() && lines[i + 3].contains(QRegularExpression(Row(12, 3))),
                 qPrintable(lines[i]));
      }
    }
  }

  void aSectionNeedsTenLinesToBeginOnThePage() {
    const QString path = folder.filePath(QStringLiteral("start.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    PointAtPdf(printer, path);
    PrintContext context(printer, problem, NothingSelected(), 0);
    context.SelectFont(context.TitleFont());
    const int h = context.TextHeight(QStringLiteral("W"));
    const int bottom = context.PageHeight() - h;
    PageFrame(context, 0);
    // Ten lines left: the axial forces begin here; then fewer: a new page.
    const int y = PrintAxialData(context, bottom - 10 * h);
    QCOMPARE(context.PageNumber(), 1);
    QVERIFY(y > bottom - 10 * h);
    PrintCatalogue(context, bottom - 10 * h + 1);
    QCOMPARE(context.PageNumber(), 2);
    QVERIFY(context.End());
    const QStringList pages = PdfPages(path);
    QCOMPARE(pages.size(), 2);
    QVERIFY(pages[0].contains(QStringLiteral("Data of Axial Forces and Moment")));
    QVERIFY(pages[1].contains(QStringLiteral("Catalogue of Profiles")));
  }
};

}  // namespace korvanu

QTEST_MAIN(korvanu::PrintedInputDataTest)
#include "PrintedInputDataTest.moc"
