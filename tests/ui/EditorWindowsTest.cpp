// The four editors driven from the keyboard as an engineer enters a table:
// what is typed and entered is stored and spread, a refused value keeps the
// cursor, the step and side choosers, the heights that follow NL and NT, and
// an edit in every editor reaching the saved datafile.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include "base/Fonts.h"
#include "core/Datafile.h"
#include "core/ProblemDefaults.h"
#include "core/StrengthRules.h"
#include "engine/StrengthCoefficients.h"
#include "tests/support/WindowFixture.h"
#include "ui/StepChooser.h"
#include "ui/StringGrid.h"
#include "ui/TFormAnchors.h"
#include "ui/TFormAxis.h"
#include "ui/TFormProfiles.h"
#include "ui/TFormSoils.h"

using namespace korvanu;

class EditorWindowsTest : public QObject {
  Q_OBJECT

  korvanu::test::WindowFixture fx_;

  AppContext& Context() { return fx_.Context(); }
  TFormSoils& Soils() { return *Context().Windows.Soils; }
  TFormAnchors& Anchors() { return *Context().Windows.Anchors; }
  TFormAxis& Axis() { return *Context().Windows.Axis; }
  TFormProfiles& Profiles() { return *Context().Windows.Profiles; }

  // Replaces the cursor's cell with `text` from the keyboard.
  static void Type(StringGrid& grid, const QString& text) { QTest::keyClicks(grid.Editor(), text); }
  static void Key(StringGrid& grid, Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(grid.Editor(), key);
  }
  static void TypeStep(StepChooser& chooser, const QString& text) {
    chooser.lineEdit()->selectAll();
    QTest::keyClicks(chooser.lineEdit(), text);
    QTest::keyClick(chooser.lineEdit(), Qt::Key_Return);
  }
  static bool Cursor(StringGrid& grid, int col, int row) {
    return grid.Col() == col && grid.Row() == row;
  }

 private slots:
  void initTestCase() { InstallFontSubstitutes(); }
  void init() {
    fx_.Start();
    fx_.Problem().General.NT = 3;
  }
  void cleanup() { fx_.Stop(); }

  void soilLayersFromTheKeyboard() {
    fx_.View().CurrentStep = 2;
    fx_.Main().SpeedButtonSoilsClick();
    QVERIFY(Soils().isVisible());
    QCOMPARE(Soils().ComboBoxStep().currentText(), QStringLiteral(" 0"));
    fx_.Activate(Soils());
    StringGrid& grid = Soils().Grid();
    QVERIFY(grid.Editor()->hasFocus());
    QCOMPARE(grid.RowCount(), 4 + 2);
    QCOMPARE(grid.Cell(3, 1), QStringLiteral("    kN/m³"));
    QCOMPARE(Soils().LabelSide().text(), QStringLiteral("Left and Right Sides"));
    QVERIFY(Soils().ComboBoxSide().isHidden());
    QVERIFY(Cursor(grid, 1, 2));

    // Tab to Wd, down to layer 3: the cells passed store nothing (step 1
    // keeps its excavation) and leave the results as they were.
    const auto table = fx_.Problem().LayerTable;
    fx_.View().ResultsValid = true;
    Key(grid, Qt::Key_Tab, 2);
    Key(grid, Qt::Key_Down, 2);
    QVERIFY(Cursor(grid, 3, 4));
    QVERIFY(fx_.Problem().LayerTable == table);
    QVERIFY(fx_.View().ResultsValid);
    // Type, Enter: both sides in every step.
    Type(grid, QStringLiteral("18"));
    Key(grid, Qt::Key_Return);
    QVERIFY(Cursor(grid, 3, 5));
    for (int s = 0; s <= 3; ++s) {
      QCOMPARE(fx_.Problem().Layer(2, s, Side::Left).Wd, 18.0);
      QCOMPARE(fx_.Problem().Layer(2, s, Side::Right).Wd, 18.0);
    }
    QCOMPARE(fx_.Problem().Layer(2, 4, Side::Left).Wd, 16.0);
    QCOMPARE(grid.Cell(3, 4), QStringLiteral("    18.000"));
    QVERIFY(!fx_.View().ResultsValid);

    // A negative number keeps the cursor and the stored value.
    Type(grid, QStringLiteral("-1"));
    Key(grid, Qt::Key_Return);
    QCOMPARE(fx_.Dialogs().messages.value(0), QStringLiteral("Enter non-negative number"));
    QVERIFY(Cursor(grid, 3, 5));
    QCOMPARE(grid.Cell(3, 5), QStringLiteral("    16.000"));
    // Enter in the last layer wraps to the first one.
    Key(grid, Qt::Key_Return);
    QVERIFY(Cursor(grid, 3, 2));

    // Step 1, right side: the chooser and the side box show, and a name may
    // no longer change.
    TypeStep(Soils().ComboBoxStep(), QStringLiteral("1"));
    QCOMPARE(fx_.View().CurrentStep, 1);
    QVERIFY(!Soils().ComboBoxSide().isHidden());
    QVERIFY(Soils().LabelSide().text().isEmpty());
    QCOMPARE(grid.Cell(3, 2), QStringLiteral("     0.000"));  // excavated on the left
    Soils().ComboBoxSide().setCurrentIndex(1);
    Soils().ComboBoxSideChange();
    QCOMPARE(fx_.View().CurrentSide, Side::Right);
    QCOMPARE(grid.Cell(3, 2), QStringLiteral("    16.000"));
    Key(grid, Qt::Key_Backtab, 2);
    QVERIFY(Cursor(grid, 1, 2));
    Type(grid, QStringLiteral("Peat"));
    Key(grid, Qt::Key_Tab);
    QCOMPARE(fx_.Dialogs().messages.value(1),
             QStringLiteral("Soil name can be changed in\ninitial state only."));
    QVERIFY(Cursor(grid, 1, 2));
    QCOMPARE(grid.Cell(1, 2), QStringLiteral("Soil 1"));
  }

  void theSoilPanelSaysWhatAnEditDidBeyondItsCells() {
    ProblemData& problem = fx_.Problem();
    SoilStrength strength;
    strength.Method = EarthPressureMethod::Rankine;
    strength.Kh = 10000;
    ApplyCoefficients(problem, fx_.View(), 2, strength,
                      LayerCoefficients(problem, 2, Side::Left, strength));
    fx_.Main().SpeedButtonSoilsClick();
    fx_.Activate(Soils());
    StringGrid& grid = Soils().Grid();
    const ProblemData before = problem;

    // A thicker layer 1 loads layer 3 more: its stroke follows its k_h, in
    // the same step of undo.
    QVERIFY(grid.SelectCell(2, 2));
    Type(grid, QStringLiteral("2"));
    Key(grid, Qt::Key_Return);
    const double dw = problem.Layer(2, 3, Side::Right).Dw;
    QVERIFY(dw > before.Layer(2, 3, Side::Right).Dw);
    QCOMPARE(grid.Cell(12, 4).trimmed(), QString::number(dw, 'f', 3));
    QVERIFY(problem.Strength(2, 3, Side::Right)->Kh.has_value());
    QCOMPARE(Soils().LabelNote().text(),
             QStringLiteral("Dw derived again from k_h: layer 3 (both sides, steps 0-3). "
                            "Ctrl+Z undoes it."));
    fx_.Main().Undo1Click();
    QVERIFY(problem == before);
    QVERIFY(Soils().LabelNote().text().isEmpty());

    // Wd in step 0 fills the layer the later steps dug: said at once.
    QVERIFY(grid.SelectCell(3, 3));
    Type(grid, QStringLiteral("18"));
    TypeStep(Soils().ComboBoxStep(), QStringLiteral("2"));
    QCOMPARE(problem.Layer(1, 2, Side::Left).Wd, 18.0);
    QCOMPARE(Soils().LabelNote().text(),
             QStringLiteral("Filled again, water values kept: layer 2 (left side, steps 1-3). "
                            "Ctrl+Z undoes it."));
    // A later edit without such effects says nothing.
    QVERIFY(grid.SelectCell(8, 5));
    Type(grid, QStringLiteral("1"));
    Key(grid, Qt::Key_Return);
    QVERIFY(Soils().LabelNote().text().isEmpty());
  }

  void anchorsFromTheKeyboardAndResetsThatStoreNothing() {
    fx_.Main().SpeedButtonAnchorsClick();
    fx_.Activate(Anchors());
    StringGrid& grid = Anchors().Grid();
    QCOMPARE(grid.RowCount(), 4 + 3);
    QCOMPARE(grid.Cell(1, 6), QStringLiteral("       4.000"));
    QVERIFY(Cursor(grid, 2, 2));
    TypeStep(Anchors().ComboBoxStep(), QStringLiteral("2"));
    fx_.Activate(Anchors());

    // Fa of point 2: Tab to Fa, down twice.
    Key(grid, Qt::Key_Tab);
    Key(grid, Qt::Key_Down, 2);
    QVERIFY(Cursor(grid, 3, 4));
    Type(grid, QStringLiteral("80"));
    Key(grid, Qt::Key_Return);
    for (int s = 0; s < StepSlots; ++s) QCOMPARE(fx_.Problem().Anchors[s][2].Fa, s >= 2 ? 80 : 0);

    // A negative force: the message, 1.000 shown, the cursor stays; the next
    // Enter stores the 1.000.
    Type(grid, QStringLiteral("-25"));
    Key(grid, Qt::Key_Return);
    QCOMPARE(fx_.Dialogs().messages.value(0), QStringLiteral("Enter non-negative number"));
    QVERIFY(Cursor(grid, 3, 5));
    QCOMPARE(grid.Cell(3, 5), QStringLiteral("       1.000"));
    QCOMPARE(fx_.Problem().Anchors[2][3].Fa, 0.0);
    Key(grid, Qt::Key_Return);
    QVERIFY(Cursor(grid, 3, 6));
    QCOMPARE(fx_.Problem().Anchors[20][3].Fa, 1.0);

    // Escape abandons a value typed, and the 1.000 shown for a refused one:
    // the stored value comes back, and leaving the cell stores nothing.
    Type(grid, QStringLiteral("42"));
    Key(grid, Qt::Key_Escape);
    QCOMPARE(grid.Cell(3, 6), QStringLiteral("       0.000"));
    QVERIFY(!grid.EditModified());
    Type(grid, QStringLiteral("-5"));
    Key(grid, Qt::Key_Return);
    QCOMPARE(grid.Cell(3, 6), QStringLiteral("       1.000"));
    Key(grid, Qt::Key_Escape);
    QCOMPARE(grid.Cell(3, 6), QStringLiteral("       0.000"));
    Key(grid, Qt::Key_Up);
    Key(grid, Qt::Key_Down);
    QVERIFY(Cursor(grid, 3, 6));
    QCOMPARE(fx_.Problem().Anchors[20][4].Fa, 0.0);

    // Typed but not left when a main-window command runs: the value is kept,
    // for the step it was typed in, as the main grid keeps its own.
    Type(grid, QStringLiteral("99"));
    fx_.Main().SpeedButtonSoilsClick();
    for (int s = 0; s < StepSlots; ++s) QCOMPARE(fx_.Problem().Anchors[s][4].Fa, s >= 2 ? 99 : 0);

    // The cursor resets of a step change elsewhere and of an activation store
    // no anchor value of any step, though the cells showed another step.
    fx_.Problem().Anchors[0][1].Fx = 5.0;
    const auto before = fx_.Problem().Anchors;
    TypeStep(Soils().ComboBoxStep(), QStringLiteral("0"));
    QCOMPARE(fx_.View().CurrentStep, 0);
    QCOMPARE(Anchors().ComboBoxStep().currentText(), QStringLiteral(" 0"));
    QCOMPARE(grid.Cell(2, 3), QStringLiteral("       5.000"));
    Key(grid, Qt::Key_Down);
    TypeStep(Soils().ComboBoxStep(), QStringLiteral("1"));
    fx_.Activate(Anchors());
    QVERIFY(fx_.Problem().Anchors == before);
  }

  void axialForcesOneStepAndRowsThatFollowNT() {
    fx_.Main().SpeedButtonAxialClick();
    fx_.Activate(Axis());
    StringGrid& grid = Axis().Grid();
    QCOMPARE(grid.RowCount(), 3 + 3);
    QCOMPARE(grid.Cell(2, 0), QStringLiteral("   NBottom"));
    Key(grid, Qt::Key_Down, 2);
    Type(grid, QStringLiteral("-100"));
    Key(grid, Qt::Key_Return);
    QVERIFY(Cursor(grid, 1, 5));
    QCOMPARE(fx_.Problem().Axial[2].NA, -100.0);
    QCOMPARE(fx_.Problem().Axial[3].NA, 0.0);
    QCOMPARE(grid.Cell(1, 4), QStringLiteral("    -100.000"));

    const int height = Axis().height();
    fx_.Problem().General.NT = 20;
    fx_.Activate(Axis());
    QCOMPARE(grid.RowCount(), 20 + 3);
    QCOMPARE(grid.Cell(0, 22), QStringLiteral("  20"));
    QCOMPARE(Axis().height() - height, 17 * 18);
  }

  void profilesRecomputeAndRefuse() {
    fx_.Problem().Catalogue[1].Area = 0.01;
    fx_.Main().SpeedButtonProfileClick();
    fx_.Activate(Profiles());
    StringGrid& grid = Profiles().Grid();
    QCOMPARE(grid.RowCount(), 22);
    QCOMPARE(grid.Cell(6, 2), QStringLiteral(" 0.080800"));
    // The radius of profile 2: Tab five times, down once.
    Key(grid, Qt::Key_Tab, 5);
    Key(grid, Qt::Key_Down);
    QVERIFY(Cursor(grid, 6, 3));
    QCOMPARE(fx_.Problem().Catalogue[0].EI, 13847.2);  // its rounded i passed over
    Type(grid, QStringLiteral("0.1"));
    Key(grid, Qt::Key_Return);
    QCOMPARE(grid.Cell(7, 3), QStringLiteral("  21000.0"));
    QCOMPARE(fx_.Problem().Catalogue[1].EI, 21000.0);

    Type(grid, QStringLiteral("-1"));
    Key(grid, Qt::Key_Tab);
    QCOMPARE(fx_.Dialogs().messages.value(0), QStringLiteral("Enter positive integer number"));
    QVERIFY(Cursor(grid, 6, 4));
    QCOMPARE(grid.Cell(6, 4), QStringLiteral(" 1.000000"));
  }

  void aValueTypedIsStoredIntoTheStepAndSideShownBeforeTheyChange() {
    fx_.Main().SpeedButtonSoilsClick();
    fx_.Activate(Soils());
    StringGrid& grid = Soils().Grid();
    StepChooser& step = Soils().ComboBoxStep();
    QComboBox& side = Soils().ComboBoxSide();
    TypeStep(step, QStringLiteral("2"));
    side.setCurrentIndex(1);
    Soils().ComboBoxSideChange();
    Key(grid, Qt::Key_Tab, 2);  // Wd of layer 1, step 2, right side
    Type(grid, QStringLiteral("17"));
    TypeStep(step, QStringLiteral("3"));
    QCOMPARE(fx_.View().CurrentStep, 3);
    for (int s = 0; s <= 3; ++s)
      QCOMPARE(fx_.Problem().Layer(0, s, Side::Right).Wd, s >= 2 ? 17 : 16);

    Type(grid, QStringLiteral("19"));
    side.setCurrentIndex(0);
    Soils().ComboBoxSideChange();
    QCOMPARE(fx_.View().CurrentSide, Side::Left);
    QCOMPARE(fx_.Problem().Layer(0, 3, Side::Right).Wd, 19.0);
    QCOMPARE(fx_.Problem().Layer(0, 3, Side::Left).Wd, 0.0);

    // Refused: the message, and the step stays the one shown.
    Type(grid, QStringLiteral("-1"));
    TypeStep(step, QStringLiteral("1"));
    QCOMPARE(fx_.Dialogs().messages.value(0), QStringLiteral("Enter non-negative number"));
    QCOMPARE(fx_.View().CurrentStep, 3);
    QCOMPARE(step.currentText(), QStringLiteral(" 3"));
    QCOMPARE(fx_.Problem().Layer(0, 3, Side::Left).Wd, 0.0);
  }

  void theSideChooserTakesAClickAtItsCentre() {
    fx_.Main().SpeedButtonSoilsClick();
    TypeStep(Soils().ComboBoxStep(), QStringLiteral("1"));
    QComboBox& side = Soils().ComboBoxSide();
    const QPoint centre = side.mapTo(&Soils(), side.rect().center());
    QWidget* hit = Soils().childAt(centre);
    QVERIFY(hit == &side || side.isAncestorOf(hit));
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&Soils(), centre));
    QTRY_VERIFY(side.view()->isVisible());
    side.hidePopup();
  }

  void shownEditorsFollowEveryChangeOfTheProblem() {
    fx_.Main().SpeedButtonSoilsClick();
    fx_.Main().SpeedButtonAnchorsClick();
    fx_.Main().SpeedButtonAxialClick();
    fx_.Main().SpeedButtonProfileClick();
    StringGrid& main = fx_.Main().MainGrid();
    QVERIFY(main.SelectCell(1, 5));  // Number of Layers
    Type(main, QStringLiteral("2"));
    Key(main, Qt::Key_Return);  // to Number of Loading Steps
    QCOMPARE(Soils().Grid().RowCount(), 2 + 2);
    QCOMPARE(Anchors().Grid().RowCount(), 2 + 3);
    Type(main, QStringLiteral("5"));
    Key(main, Qt::Key_Return);
    QCOMPARE(Axis().Grid().RowCount(), 5 + 3);

    // A thickness in the soils editor moves the depths of the anchors.
    fx_.Activate(Soils());
    Key(Soils().Grid(), Qt::Key_Tab);
    Type(Soils().Grid(), QStringLiteral("3.5"));
    Key(Soils().Grid(), Qt::Key_Return);
    QCOMPARE(Anchors().Grid().Cell(1, 3), QStringLiteral("       3.500"));

    // New: every editor still on the screen shows the new problem.
    fx_.Activate(Profiles());
    Type(Profiles().Grid(), QStringLiteral("Mine"));
    Key(Profiles().Grid(), Qt::Key_Return);
    fx_.Dialogs().saveChangesAnswers = {SaveChangesAnswer::Discard};
    fx_.Main().New1Click();
    QCOMPARE(Soils().Grid().RowCount(), 4 + 2);
    QCOMPARE(Anchors().Grid().RowCount(), 4 + 3);
    QCOMPARE(Anchors().Grid().Cell(1, 3), QStringLiteral("       1.000"));
    QCOMPARE(Axis().Grid().RowCount(), 1 + 3);
    QCOMPARE(Profiles().Grid().Cell(1, 2), QString::fromStdString(fx_.Problem().Catalogue[0].Name));
  }

  void windowsArePlacedAndSizedByTheirFrames() {
    // The offscreen screen, 800 wide, gives every window a frame.
    const QSize screen = QGuiApplication::primaryScreen()->size();
    QCOMPARE(screen.width(), 800);
    TFormKRV& main = fx_.Main();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QTRY_COMPARE(main.frameGeometry(),
                 QRect(0, screen.height() / 20, 800, static_cast<int>(0.9 * screen.height())));
    QVERIFY(main.frameGeometry() != main.geometry());
    main.SpeedButtonSoilsClick();
    main.SpeedButtonAxialClick();
    QVERIFY(QTest::qWaitForWindowExposed(&Axis()));
    QTRY_COMPARE(Soils().frameGeometry().topLeft(),
                 QPoint(40, static_cast<int>(0.35 * screen.height())));
    QCOMPARE(Soils().frameGeometry().width(), 725);
    QCOMPARE(Axis().frameGeometry().topLeft(), QPoint(800 - 221 - 50, 110));
    QCOMPARE(Axis().frameGeometry().width(), 221);
  }

  void twentyLayersAndStepsFitTheWindows() {
    fx_.Problem().General.NL = 20;
    fx_.Problem().General.NT = 20;
    fx_.Main().SpeedButtonSoilsClick();
    fx_.Main().SpeedButtonAnchorsClick();
    TypeStep(Soils().ComboBoxStep(), QStringLiteral("20"));
    QCOMPARE(Soils().Grid().RowCount(), 22);
    QCOMPARE(Anchors().Grid().RowCount(), 23);
    QCOMPARE(Anchors().ComboBoxStep().currentText(), QStringLiteral("20"));
    QCOMPARE(Anchors().ComboBoxStep().count(), 21);
    for (EditorWindow* window :
         {static_cast<EditorWindow*>(&Soils()), static_cast<EditorWindow*>(&Anchors())}) {
      StringGrid& grid = window->Grid();
      const QRect last = grid.visualRect(grid.model()->index(grid.RowCount() - 1, 0));
      QVERIFY(last.bottom() < grid.viewport()->height());
    }
  }

  void editsInEveryEditorReachTheSavedFileAndClearTheResults() {
    fx_.Main().SpeedButtonRunClick();
    QVERIFY(fx_.View().ResultsValid);

    fx_.Main().SpeedButtonSoilsClick();
    fx_.Activate(Soils());
    StringGrid& soils = Soils().Grid();
    Key(soils, Qt::Key_Tab, 6);  // q of layer 1, step 0
    Type(soils, QStringLiteral("12.5"));
    Key(soils, Qt::Key_Return);
    QVERIFY(!fx_.View().ResultsValid);
    fx_.Main().Refresh();
    QVERIFY(!fx_.Main().Button("SpeedButtonScreenOutput").isEnabled());

    fx_.Main().SpeedButtonAnchorsClick();
    TypeStep(Anchors().ComboBoxStep(), QStringLiteral("2"));
    fx_.Activate(Anchors());
    StringGrid& anchors = Anchors().Grid();
    Key(anchors, Qt::Key_Down, 3);  // Fx of point 3
    Type(anchors, QStringLiteral("-7.25"));
    Key(anchors, Qt::Key_Return);

    fx_.Main().SpeedButtonAxialClick();
    fx_.Activate(Axis());
    StringGrid& axis = Axis().Grid();
    Key(axis, Qt::Key_Tab, 2);  // MTop of step 1
    Key(axis, Qt::Key_Down);
    // Typed and not yet left: Save stores it first, as it does in the main grid.
    Type(axis, QStringLiteral("33"));

    const QString path = QDir(fx_.FolderPath()).filePath(QStringLiteral("Edited.krv"));
    fx_.Dialogs().saveAnswers.push_back(path);
    fx_.Main().SpeedButtonSaveClick();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    ProblemData read;
    ViewState view;
    InitialiseProblem(read, view);
    QVERIFY(!ReadDatafile(file.readAll().toStdString(), read));
    for (int s = 0; s <= 3; ++s) {
      QCOMPARE(read.Layer(0, s, Side::Right).q, 12.5);
      // The left side of layer 1 is excavated from step 1 on: water, no surcharge.
      QCOMPARE(read.Layer(0, s, Side::Left).q, s == 0 ? 12.5 : 0.0);
      QCOMPARE(read.Anchors[s][3].Fx, s >= 2 ? -7.25 : 0.0);
      QCOMPARE(read.Axial[s].MA, s == 1 ? 33.0 : 0.0);
    }
  }
};

QTEST_MAIN(EditorWindowsTest)
#include "EditorWindowsTest.moc"
