// The design summary window: its table against the command line's text, and
// the searches in their worker thread, to their result or cancelled.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTest>
#include <sstream>

#include "analysis/DesignText.h"
#include "base/Fonts.h"
#include "tests/support/WindowFixture.h"
#include "ui/StringGrid.h"
#include "ui/TFormDesign.h"

using namespace korvanu;

namespace {

// The words of a text, each followed by one blank.
std::string Words(const std::string& text) {
  std::istringstream in(text);
  std::string all, word;
  while (in >> word) all += word + " ";
  return all;
}

}  // namespace

class DesignWindowTest : public QObject {
  Q_OBJECT

 private:
  test::WindowFixture fx_;

  TFormDesign& Design() { return *fx_.Context().Windows.Design; }

  void OpenTest3() {
    fx_.Dialogs().openAnswers.push_back(QStringLiteral(KORVANU_EXAMPLES "/Test3.krv"));
    fx_.Main().SpeedButtonOpenClick();
    QCOMPARE(fx_.Problem().General.NT, 1);
  }
  void WaitForSearches() { QTRY_VERIFY_WITH_TIMEOUT(!Design().Searching(), 30000); }

 private slots:
  void initTestCase() { InstallFontSubstitutes(); }
  void init() { fx_.Start(); }
  void cleanup() { fx_.Stop(); }

  void TableShowsTheCheckCommandsNumbers() {
    OpenTest3();
    fx_.Main().SpeedButtonDesignClick();
    QVERIFY(fx_.View().DesignShown && Design().isVisible());
    Design().ButtonSearchClick();
    WaitForSearches();
    QVERIFY(Design().ShownSearches() != nullptr);

    // The text the check command prints, of the problem as opened.
    const ProblemData& problem = fx_.Problem();
    const DesignSummary summary = SummariseDesign(problem, problem.Design);
    const DesignSearches searches = RunDesignSearches(problem);
    const std::string text =
        DesignReportText(problem, summary, &searches, DesignVerdicts(summary, &searches));
    StringGrid& grid = Design().DesignGrid();
    QCOMPARE(grid.RowCount(), 3);  // captions, step 1, all
    for (int row = 0; row < grid.RowCount(); ++row) {
      std::string line;
      for (int column = 0; column < grid.ColCount(); ++column)
        line += grid.Cell(column, row).toStdString() + " ";
      QVERIFY2(Words(text).find(Words(line)) != std::string::npos, line.c_str());
    }
    QVERIFY(Design().LabelVerdicts().text().contains(QStringLiteral("holds")));

    // A grade chosen is stored with the problem and judges the same results.
    const QString before = Design().ComboBoxGrade().currentText();
    Design().ComboBoxGrade().setCurrentIndex(Design().ComboBoxGrade().findText("S355GP"));
    QCOMPARE(fx_.Problem().Design.Fy, 355.0);
    QVERIFY(Design().ShownSearches() != nullptr);
    QVERIFY(Design().LabelVerdicts().text().contains(QStringLiteral("at most 1")));

    // The choice is one step of undo and redo, shown in the window; the
    // results it judges stay valid.
    fx_.View().ResultsValid = true;
    fx_.Main().Undo1Click();
    QCOMPARE(Design().ComboBoxGrade().currentText(), before);
    QVERIFY(fx_.Problem().Design.Fy != 355.0);
    QVERIFY(fx_.View().ResultsValid);
    fx_.Main().Redo1Click();
    QCOMPARE(Design().ComboBoxGrade().currentText(), QStringLiteral("S355GP"));
    QCOMPARE(fx_.Problem().Design.Fy, 355.0);
  }

  // A typed setting counts once finished; in its box the undo and redo keys
  // are the program's, not those of the box's text.
  void TypedSettingsAreUndoneByTheProgramsKeys() {
    fx_.Main().show();
    fx_.Main().SpeedButtonDesignClick();
    fx_.Activate(Design());
    auto* spin = Design().findChild<QDoubleSpinBox*>(QStringLiteral("SpinGammaM0"));
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QStringLiteral("1.1"));
    QCOMPARE(fx_.Problem().Design.GammaM0, 1.0);
    QTest::keyClick(spin, Qt::Key_Return);
    QCOMPARE(fx_.Problem().Design.GammaM0, 1.1);
    QTest::keyClick(spin, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(fx_.Problem().Design.GammaM0, 1.0);
    QCOMPARE(spin->value(), 1.0);
    QTest::keyClick(spin, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(fx_.Problem().Design.GammaM0, 1.1);
  }

  void SearchesCancelledOrOutdatedShowNothing() {
    OpenTest3();
    fx_.Main().SpeedButtonDesignClick();
    Design().ButtonSearchClick();
    QVERIFY(Design().Searching());
    Design().ButtonCancelClick();
    WaitForSearches();
    QVERIFY(Design().ShownSearches() == nullptr);
    QVERIFY(Design().LabelSearch().text().contains(QStringLiteral("cancelled")));
    QVERIFY(Design().DesignGrid().Cell(Design().DesignGrid().ColCount() - 1, 1).isEmpty());

    // The problem changes while the searches run: their results are not shown.
    Design().ButtonSearchClick();
    fx_.Problem().LayerTable[0][1][0].Kp *= 2.0;
    WaitForSearches();
    QVERIFY(Design().ShownSearches() == nullptr);
    QVERIFY(Design().LabelSearch().text().contains(QStringLiteral("changed")));
  }
};

QTEST_MAIN(DesignWindowTest)
#include "DesignWindowTest.moc"
