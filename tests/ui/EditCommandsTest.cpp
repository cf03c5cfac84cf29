// Undo and redo across the windows, a block pasted into an editor, and the
// program's keys from a tool window: each undo puts back the whole problem
// record as it was, and shows the edit in its window.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include "base/Fonts.h"
#include "tests/support/WindowFixture.h"
#include "ui/StepChooser.h"
#include "ui/StringGrid.h"
#include "ui/TFormAnchors.h"
#include "ui/TFormAxis.h"
#include "ui/TFormDesign.h"
#include "ui/TFormProfiles.h"
#include "ui/TFormSoils.h"

using namespace korvanu;

class EditCommandsTest : public QObject {
  Q_OBJECT

  korvanu::test::WindowFixture fx_;

  AppContext& Context() { return fx_.Context(); }
  ProblemData& Problem() { return fx_.Problem(); }
  TFormSoils& Soils() { return *Context().Windows.Soils; }
  TFormAnchors& Anchors() { return *Context().Windows.Anchors; }
  TFormAxis& Axis() { return *Context().Windows.Axis; }
  TFormProfiles& Profiles() { return *Context().Windows.Profiles; }

  // Types into a cell and presses Enter, as the user enters a value.
  static void Enter(StringGrid& grid, int col, int row, const QString& text) {
    QVERIFY(grid.SelectCell(col, row));
    grid.Editor()->selectAll();
    QTest::keyClicks(grid.Editor(), text);
    QTest::keyClick(grid.Editor(), Qt::Key_Return);
  }
  static void Paste(StringGrid& grid, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(grid.Editor(), Qt::Key_V, Qt::ControlModifier);
  }

 private slots:
  void initTestCase() { InstallFontSubstitutes(); }
  void init() {
    fx_.Start();
    Problem().General.NT = 3;
    // Every editor on the screen: showing one refills it from the problem.
    fx_.Main().SpeedButtonSoilsClick();
    fx_.Main().SpeedButtonProfileClick();
    fx_.Main().SpeedButtonAnchorsClick();
    fx_.Main().SpeedButtonAxialClick();
  }
  void cleanup() { fx_.Stop(); }

  void everyKindOfEditUndoesToTheWholeRecord() {
    std::vector<ProblemData> states{Problem()};
    const auto stored = [&] {
      QVERIFY(!(Problem() == states.back()));
      states.push_back(Problem());
    };
    // General data: more layers, spread over every step and side.
    Enter(fx_.Main().MainGrid(), 1, 5, QStringLiteral("6"));
    stored();
    // A layer excavated in step 0: both sides, every step, water values.
    fx_.Activate(Soils());
    Enter(Soils().Grid(), 3, 3, QStringLiteral("0"));
    stored();
    // A radius of inertia, and the rigidity it gives.
    fx_.Activate(Profiles());
    Enter(Profiles().Grid(), 6, 2, QStringLiteral("0.1"));
    stored();
    // An anchor force from step 2 on.
    fx_.Activate(Anchors());
    Anchors().ComboBoxStep().setCurrentIndex(2);
    Anchors().ComboBoxStepChange();
    Enter(Anchors().Grid(), 3, 4, QStringLiteral("80"));
    stored();
    fx_.Activate(Axis());
    Enter(Axis().Grid(), 1, 3, QStringLiteral("-100"));
    stored();
    // A block in the soil layers, one step.
    fx_.Activate(Soils());
    Soils().Grid().MoveCursor(9, 4);
    Paste(Soils().Grid(), QStringLiteral("0,25\t4\n0,35\t5\n"));
    stored();
    QCOMPARE(Problem().Layer(3, 3, Side::Left).Ka, 0.35);

    // Back, edit by edit, to the record as it was; the window of each edit
    // shows it.
    for (int k = static_cast<int>(states.size()) - 2; k >= 0; --k) {
      fx_.View().ResultsValid = true;
      fx_.Main().Undo1Click();
      QCoreApplication::processEvents();
      QVERIFY(Problem() == states[k]);
      QVERIFY(!fx_.View().ResultsValid);
      if (k == 3) {
        QVERIFY(Anchors().isVisible());
        QCOMPARE(fx_.View().CurrentStep, 2);
        QCOMPARE(Anchors().ComboBoxStep().currentText(), QStringLiteral(" 2"));
        QCOMPARE(Anchors().Grid().Col(), 3);
        QCOMPARE(Anchors().Grid().Row(), 4);
      }
    }
    QCOMPARE(fx_.Main().MainGrid().Row(), 5);
    QCOMPARE(fx_.Main().MainGrid().Cell(1, 5).trimmed(), QStringLiteral("4"));
    QVERIFY(!fx_.Main().MenuAction("Undo1").isEnabled());
    for (std::size_t k = 1; k < states.size(); ++k) {
      fx_.Main().Redo1Click();
      QVERIFY(Problem() == states[k]);
    }
    // New starts a new history.
    fx_.Dialogs().saveChangesAnswers = {SaveChangesAnswer::Discard};
    fx_.Main().New1Click();
    QVERIFY(!fx_.Main().MenuAction("Undo1").isEnabled());
    QVERIFY(!fx_.Main().MenuAction("Redo1").isEnabled());
  }

  void aPastedBlockGoesOnPastARefusedCell() {
    fx_.Activate(Soils());
    StringGrid& grid = Soils().Grid();
    const ProblemData before = Problem();
    // Wd, Ws and Zw of layers 3 and 4 from a spreadsheet with decimal
    // commas; a negative Ws is refused, a row beyond layer 4 left out.
    grid.MoveCursor(3, 4);
    Paste(grid, QStringLiteral("18,5\t-1\t0,5\r\n17\t20\r\n9\r\n"));
    for (const Side side : {Side::Left, Side::Right})
      for (int s = 0; s <= 3; ++s) {
        QCOMPARE(Problem().Layer(2, s, side).Wd, 18.5);
        QCOMPARE(Problem().Layer(2, s, side).Ws, before.Layer(2, s, side).Ws);
        QCOMPARE(Problem().Layer(2, s, side).Zw, 0.5);
        QCOMPARE(Problem().Layer(3, s, side).Wd, 17.0);
        QCOMPARE(Problem().Layer(3, s, side).Ws, 20.0);
      }
    QCOMPARE(fx_.Dialogs().messages,
             QStringList({"4 of 5 pasted cells were stored.\n"
                          "Row 3, column Ws: Enter non-negative number (not stored)\n"
                          "1 cell lay beyond the table and was left out.\n"}));
    // The refused cell shows the stored value, the block stays marked.
    QCOMPARE(grid.Cell(4, 4),
             QStringLiteral("    %1").arg(before.Layer(2, 0, Side::Left).Ws, 6, 'f', 3));
    QCOMPARE(grid.Block(), QRect(3, 4, 3, 2));
    fx_.Main().Undo1Click();
    QVERIFY(Problem() == before);
  }

  void theKeysWorkFromAToolWindow() {
    fx_.Main().show();
    fx_.Activate(Axis());
    StringGrid& grid = Axis().Grid();
    Enter(grid, 1, 2, QStringLiteral("7"));
    QLineEdit* editor = grid.Editor();
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Problem().Axial[0].NA, 0.0);
    QCOMPARE(grid.Cell(1, 2).trimmed(), QStringLiteral("0.000"));
    QTest::keyClick(editor, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Problem().Axial[0].NA, 7.0);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Problem().Axial[0].NA, 7.0);
    // A value typed and not yet left is the last edit.
    QVERIFY(grid.Col() == 1 && grid.Row() == 2);
    QTest::keyClicks(editor, QStringLiteral("8"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Problem().Axial[0].NA, 7.0);
    QTest::keyClick(editor, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Problem().Axial[0].NA, 8.0);

    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fx_.Dialogs().lastFileName, QStringLiteral("New.krv"));
    QTest::keyClick(editor, Qt::Key_F9);
    QVERIFY(fx_.View().ResultsValid);
  }

  void theKeysAreTheProgramsInAStepChooserToo() {
    fx_.Main().show();
    fx_.Activate(Soils());
    const double before = Problem().Layer(0, 0, Side::Left).Wd;
    Enter(Soils().Grid(), 3, 2, QStringLiteral("17"));
    // A step picked with the mouse leaves the keyboard in the chooser.
    QLineEdit* chooser = Soils().ComboBoxStep().lineEdit();
    chooser->setFocus();
    QVERIFY(chooser->hasFocus());
    QTest::keyClick(chooser, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Problem().Layer(0, 0, Side::Left).Wd, before);
    QTest::keyClick(chooser, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Problem().Layer(0, 0, Side::Left).Wd, 17.0);
    // The design summary opens with the keyboard in its own chooser.
    fx_.Main().SpeedButtonDesignClick();
    TFormDesign& design = *Context().Windows.Design;
    fx_.Activate(design);
    QLineEdit* designChooser = design.ComboBoxStep().lineEdit();
    designChooser->setFocus();
    QTest::keyClick(designChooser, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Problem().Layer(0, 0, Side::Left).Wd, before);
    QTest::keyClick(designChooser, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Problem().Layer(0, 0, Side::Left).Wd, 17.0);
  }
};

QTEST_MAIN(EditCommandsTest)
#include "EditCommandsTest.moc"
