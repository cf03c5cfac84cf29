// The main window on the offscreen platform with scripted dialogs: layout,
// the general data grid and its rules, the commands, Save and Open, and the
// computation run from the window.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "base/Fonts.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"
#include "engine/EngineState.h"
#include "engine/RunComputation.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/WindowFixture.h"
#include "ui/ApplicationWindows.h"
#include "ui/HelpTexts.h"
#include "ui/MainWindowPlacement.h"
#include "ui/StringGrid.h"
#include "ui/TFormAnchors.h"
#include "ui/TFormKRV.h"
#include "ui/TFormManual.h"
#include "ui/TFormSoils.h"
#include "ui/TFormTables.h"

using namespace korvanu;
using korvanu::test::ScriptedDialogs;

namespace {

enum Row { User = 0, File = 1, Problem = 2, LengthRow = 3, NN = 4, NL = 5, NT = 6, NP = 7 };

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  korvanu::test::WindowFixture fx_;
  int quits_ = 0;  // how often Quit or closing the window ended the program

  TFormKRV& Main() { return fx_.Main(); }
  StringGrid& Grid() { return Main().MainGrid(); }
  AppContext& Context() { return fx_.Context(); }

  // Types into a row of the grid as the user would, then presses Enter.
  void TypeAndEnter(int row, const QString& text) {
    Grid().SelectCell(1, row);
    QCOMPARE(Grid().Row(), row);
    QLineEdit* editor = Grid().Editor();
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
  }

  bool OutputCommandsEnabled() {
    const bool tables = Main().Button("SpeedButtonScreenOutput").isEnabled();
    const bool graphs = Main().Button("SpeedButtonScreenGraphs").isEnabled();
    const bool results = Main().MenuAction("Results1").isEnabled();
    const bool graphsMenu = Main().MenuAction("Graphs1").isEnabled();
    if (tables != graphs || tables != results || tables != graphsMenu)
      qWarning("output commands disagree");
    return tables && graphs && results && graphsMenu;
  }

 private slots:
  void initTestCase() { InstallFontSubstitutes(); }
  void init() {
    fx_.Start();
    quits_ = 0;
    Main().SetQuit([this] { ++quits_; });
  }
  void cleanup() { fx_.Stop(); }

  void placementFollowsTheScreen() {
    QCOMPARE(MainWindowPlacement(1024, 768), QRect(51, 38, 921, 691));
    QCOMPARE(MainWindowPlacement(800, 600), QRect(0, 0, 800, 600));
    QCOMPARE(MainWindowPlacement(640, 480), QRect(0, 0, 800, 600));
    QCOMPARE(MainWindowPlacement(1920, 600), QRect(96, 0, 1728, 600));
    QCOMPARE(LimitMainWindowSize(QSize(500, 400)), QSize(600, 550));
    QCOMPARE(LimitMainWindowSize(QSize(700, 560)), QSize(700, 560));
  }

  void resizingKeepsTheLimitsAndTheHelpButtonAtTheRight() {
    Main().show();
    Main().resize(500, 400);
    QTest::qWait(10);
    QVERIFY(Main().width() >= 600);
    QVERIFY(Main().height() >= 550);
    Main().resize(700, 600);
    QTest::qWait(10);
    QCOMPARE(Main().Button("SpeedButtonHelp").x(), Main().width() - 32);
    QCOMPARE(Main().Button("SpeedButtonQuit").x(), Main().width() - 57);
    QVERIFY(!Main().Button("SpeedButtonQuit").isVisible());
  }

  void opensWithTheDefaultProblemAndItsLayout() {
    Main().show();
    QCOMPARE(Main().windowTitle(), QStringLiteral("Korvanu - Sheet Pile Wall"));
    const char* captions[] = {"Licensed User",
                              "File Name",
                              "Problem Name",
                              "Length (m)",
                              "Number of Elements",
                              "Number of Layers",
                              "Number of Loading Steps",
                              "Profile"};
    const char* values[] = {"Students of Geotechnics",
                            "New.krv",
                            "New Problem",
                            "       4.000",
                            "     100",
                            "       4",
                            "       1",
                            "       1"};
    for (int row = 0; row < 8; ++row) {
      QCOMPARE(Grid().Cell(0, row), QLatin1String(captions[row]));
      QCOMPARE(Grid().Cell(1, row), QLatin1String(values[row]));
    }
    QCOMPARE(Grid().Col(), 1);
    QCOMPARE(Grid().Row(), 0);
    QCOMPARE(Grid().geometry(), QRect(10, 57, 525, 153));
    QCOMPARE(Grid().columnWidth(0), 210);
    QCOMPARE(Grid().columnWidth(1), 315);
    QCOMPARE(Grid().rowHeight(7), 18);
    QVERIFY(!OutputCommandsEnabled());
    QVERIFY(Main().Button("SpeedButtonSave").isEnabled());
    QVERIFY(Main().Button("SpeedButtonPrint").isEnabled());

    const char* tooltips[][2] = {
        {"SpeedButtonOpen", "Open (Ctrl+O)"},
        {"SpeedButtonNew", "New (Ctrl+N)"},
        {"SpeedButtonSave", "Save (Ctrl+S)"},
        {"SpeedButtonPrint", "Print (Ctrl+P)"},
        {"SpeedButtonOptions", "Print Options"},
        {"SpeedButtonSoils", "Layers"},
        {"SpeedButtonAnchors", "Anchors"},
        {"SpeedButtonAxial", "Axial Forces"},
        {"SpeedButtonProfile", "Profiles"},
        {"SpeedButtonSections", "Sections"},
        {"SpeedButtonRun", "Compute (F9)"},
        {"SpeedButtonScreenOutput", "Output Tables"},
        {"SpeedButtonScreenGraphs", "Output Graphs"},
        {"SpeedButtonManual", "Manual"},
        {"SpeedButtonDesign", "Design Summary"},
    };
    int left = 0;
    for (const auto& [name, tip] : tooltips) {
      QToolButton& button = Main().Button(name);
      QCOMPARE(button.toolTip(), QLatin1String(tip));
      QCOMPARE(button.geometry(), QRect(left, 0, 25, 25));
      QVERIFY(!button.icon().isNull());
      left += 25;
    }

    QVERIFY(!Main().PanelOptions().isVisible());
    // The panel grows by the box added after the nine.
    QCOMPARE(Main().PanelOptions().geometry(), QRect(10, 220, 172, 263 + 24));
    const char* options[] = {"Print General Data",      "Print Layers Data",   "Print Anchors Data",
                             "Print Axial Forces Data", "Print Catalogue",     "Print Sections",
                             "Print Output Tables",     "Print Output Graphs", "Print Colors"};
    for (int i = 0; i < 9; ++i) {
      QCOMPARE(Main().OptionBox(i).text(), QLatin1String(options[i]));
      QCOMPARE(Main().OptionBox(i).isChecked(), i < 8);
      QCOMPARE(Main().OptionBox(i).pos(), QPoint(16, 32 + 24 * i));
    }
    QCOMPARE(Main().DesignOptionBox().text(), QStringLiteral("Print Design Summary"));
    QVERIFY(!Main().DesignOptionBox().isChecked());
    QCOMPARE(Main().DesignOptionBox().pos(), QPoint(16, 32 + 24 * 9));
    QVERIFY(!Main().PanelProgress().isVisible());
    QCOMPARE(Main().PanelProgress().geometry(), QRect(192, 220, 265, 153));
    QCOMPARE(Main().ProgressLabel(1).text(), QStringLiteral("Computations"));
    QCOMPARE(Main().ProgressLabel(2).text(), QStringLiteral("Loading Step : 0"));
    QCOMPARE(Main().ProgressLabel(3).text(), QStringLiteral("Number of Plastic springs :  0"));
    QCOMPARE(Main().ProgressLabel(4).text(), QStringLiteral("Writing Output in Datafile "));
    QVERIFY(Main().ProgressLabel(4).isHidden());

    QVERIFY(!Context().Windows.Soils->isVisible());
    QCOMPARE(Context().Windows.Soils->windowTitle(), QStringLiteral("Properties of Soil Layers"));
    QCOMPARE(Context().Windows.Manual->windowTitle(), QStringLiteral("Manual"));
    // The anchors editor set the anchor table's start values when it was created.
    QCOMPARE(fx_.Problem().Anchors[1][1].Fa, 50.0);
    QCOMPARE(fx_.Problem().Anchors[1][1].Fw, -0.02);
  }

  void menuEntriesInTheirOrder() {
    QStringList entries;
    for (QAction* action : Main().menuBar()->actions()) entries << action->text();
    QCOMPARE(entries, QStringList({"&File", "&Help", "&Options", "&Layers", "&Anchors", "A&xial",
                                   "&Profiles", "&Sections", "&Compute", "&Tables", "&Graphs",
                                   "&Manual", "&Design", "&Edit"}));
    // The menu items show their keys.
    QStringList file;
    for (QAction* action : Main().menuBar()->actions().first()->menu()->actions())
      file << (action->isSeparator() ? QStringLiteral("-")
                                     : (action->text() + " " + action->shortcut().toString()));
    QCOMPARE(file, QStringList({"&Open Ctrl+O", "&New Ctrl+N", "&Save Ctrl+S", "&Print Ctrl+P", "-",
                                "&Quit "}));
    QCOMPARE(Main().MenuAction("Run1").shortcut().toString(), QStringLiteral("F9"));
    QStringList edit;
    for (QAction* action : Main().menuBar()->actions().last()->menu()->actions())
      edit << action->text() + " " + QKeySequence::listToString(action->shortcuts());
    QCOMPARE(edit, QStringList({"&Undo Ctrl+Z", "&Redo Ctrl+Y; Ctrl+Shift+Z"}));
    QStringList help;
    for (QAction* action : Main().menuBar()->actions().at(1)->menu()->actions())
      help << action->text();
    QCOMPARE(help, QStringList({"&Introduction", "&Manual"}));
  }

  void refusedValuesShowTheMessageAndKeepTheCursor() {
    TypeAndEnter(NL, QStringLiteral("abc"));
    QCOMPARE(fx_.Dialogs().messages, QStringList({"Enter positive integer number"}));
    QCOMPARE(Grid().Row(), int{NL});
    QCOMPARE(Grid().Cell(1, NL), QStringLiteral("       4"));
    QCOMPARE(fx_.Problem().General.NL, 4);

    Grid().Editor()->selectAll();
    QTest::keyClicks(Grid().Editor(), QStringLiteral("0"));
    QTest::keyClick(Grid().Editor(), Qt::Key_Down);
    QCOMPARE(fx_.Dialogs().messages.size(), 2);
    QCOMPARE(Grid().Row(), int{NL});

    TypeAndEnter(LengthRow, QStringLiteral("-2"));
    QCOMPARE(fx_.Dialogs().messages.last(), QStringLiteral("Enter positive number"));
    QCOMPARE(Grid().Row(), int{LengthRow});
    QCOMPARE(Grid().Cell(1, LengthRow), QStringLiteral("       4.000"));
  }

  void generalRulesShowTheAppliedValues() {
    TypeAndEnter(NL, QStringLiteral("30"));
    QCOMPARE(Grid().Cell(1, NL), QStringLiteral("      20"));
    QCOMPARE(Grid().Cell(1, LengthRow), QStringLiteral("      20.000"));
    QCOMPARE(Grid().Row(), int{NT});
    QCOMPARE(fx_.View().CurrentRow, int{NT});

    TypeAndEnter(NL, QStringLiteral("4"));
    TypeAndEnter(NN, QStringLiteral("5"));
    QCOMPARE(Grid().Cell(1, NN), QStringLiteral("      10"));
    QCOMPARE(fx_.Problem().General.NN, 10);

    TypeAndEnter(Problem, QString(50, QLatin1Char('x')));
    QCOMPARE(Grid().Cell(1, Problem), QString(40, QLatin1Char('x')));
    TypeAndEnter(File, QStringLiteral("Wall.krv"));
    QCOMPARE(Main().DialogFileName(), QStringLiteral("Wall.krv"));
    QVERIFY(fx_.Dialogs().messages.isEmpty());
  }

  void typedLengthLastsUntilActivation() {
    TypeAndEnter(LengthRow, QStringLiteral("7.5"));
    QCOMPARE(fx_.Problem().General.Length, 7.5);
    Main().Refresh();
    QCOMPARE(Grid().Cell(1, LengthRow), QStringLiteral("       7.500"));
    QVERIFY(Main().LabelLengthNote().text().isEmpty());
    Main().FormActivate();
    QCOMPARE(fx_.Problem().General.Length, 4.0);
    QCOMPARE(Grid().Cell(1, LengthRow), QStringLiteral("       4.000"));
    QCOMPARE(Grid().Row(), 0);
    QCOMPARE(Main().LabelLengthNote().text(),
             QStringLiteral("Length follows the layers: change the thickness of layer 4"));
    // Said until a Length is typed anew.
    Main().FormActivate();
    QVERIFY(!Main().LabelLengthNote().text().isEmpty());
    TypeAndEnter(LengthRow, QStringLiteral("4"));
    QVERIFY(Main().LabelLengthNote().text().isEmpty());
  }

  void activationStoresATypedValueFirst() {
    Grid().SelectCell(1, NL);
    Grid().Editor()->selectAll();
    QTest::keyClicks(Grid().Editor(), QStringLiteral("6"));
    Main().FormActivate();
    QCOMPARE(fx_.Problem().General.NL, 6);
    QCOMPARE(Grid().Cell(1, LengthRow), QStringLiteral("       6.000"));
    QCOMPARE(Grid().Row(), 0);
  }

  void aClickIntoTheInactiveWindowLandsWhereClicked() {
    Main().show();
    Main().SpeedButtonSoilsClick();
    QApplication::setActiveWindow(Context().Windows.Soils);
    QVERIFY(!Main().isActiveWindow());
    TypeAndEnter(LengthRow, QStringLiteral("7.5"));  // still in force: no activation yet
    QCOMPARE(Grid().Row(), int{NN});
    const QRect cell = Grid().visualItemRect(Grid().item(NT, 1));
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(Grid().Row(), int{NT});
    QCOMPARE(fx_.Problem().General.Length, 4.0);  // the activation ran before the click
  }

  void enterMovesDownAndWrapsFromTheLastRow() {
    Grid().SelectCell(1, NP);
    QTest::keyClick(Grid().Editor(), Qt::Key_Return);
    QCOMPARE(Grid().Row(), int{User});
    QTest::keyClick(Grid().Editor(), Qt::Key_Enter);
    QCOMPARE(Grid().Row(), int{File});
  }

  void aTypedValueIsStoredBeforeACommandUsesTheProblem() {
    Grid().SelectCell(1, NL);
    Grid().Editor()->selectAll();
    QTest::keyClicks(Grid().Editor(), QStringLiteral("6"));
    const QString path = QDir(fx_.FolderPath()).filePath(QStringLiteral("Typed.krv"));
    fx_.Dialogs().saveAnswers.push_back(path);
    Main().SpeedButtonSaveClick();
    QCOMPARE(fx_.Problem().General.NL, 6);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("      6,"));
  }

  void commandsToggleTheirWindows() {
    TFormSoils& soils = *Context().Windows.Soils;
    fx_.View().CurrentStep = 3;
    Main().SpeedButtonSoilsClick();
    QVERIFY(soils.isVisible());
    QVERIFY(fx_.View().SoilsShown);
    QCOMPARE(fx_.View().CurrentStep, 0);
    QCOMPARE(fx_.View().CurrentCol, 1);
    QCOMPARE(fx_.View().CurrentRow, 2);
    fx_.View().CurrentStep = 2;
    Main().SpeedButtonSoilsClick();
    QVERIFY(!soils.isVisible());
    QVERIFY(!fx_.View().SoilsShown);
    QCOMPARE(fx_.View().CurrentStep, 2);  // set only when the window is about to show

    fx_.View().CurrentStep = 0;
    Main().SpeedButtonScreenOutputClick();
    QVERIFY(fx_.View().TablesShown);
    fx_.View().CurrentStep = 0;
    Main().SpeedButtonScreenOutputClick();
    QVERIFY(!fx_.View().TablesShown);
    QCOMPARE(fx_.View().CurrentStep, 1);

    Main().SpeedButtonAnchorsClick();
    QCOMPARE(fx_.View().CurrentCol, 2);
    QVERIFY(Context().Windows.Anchors->isVisible());

    Main().SpeedButtonOptionsClick();
    QVERIFY(fx_.View().PrintOptionsShown);
    QVERIFY(Main().PanelOptions().isVisibleTo(&Main()));
    Main().SpeedButtonOptionsClick();
    QVERIFY(!Main().PanelOptions().isVisibleTo(&Main()));

    // Closing a tool window clears its flag and only hides it.
    Context().Windows.Anchors->close();
    QVERIFY(!fx_.View().AnchorsShown);
    QVERIFY(!Context().Windows.Anchors->isVisible());
    Main().SpeedButtonAnchorsClick();
    QVERIFY(Context().Windows.Anchors->isVisible());
  }

  void computeOnTheDefaultProblemEnablesTheOutput() {
    Main().show();
    Main().SpeedButtonManualClick();
    Main().SpeedButtonSoilsClick();
    Main().SpeedButtonOptionsClick();
    Main().SpeedButtonRunClick();

    QVERIFY(fx_.Dialogs().errors.isEmpty());
    QVERIFY(QFile::exists(QDir(fx_.FolderPath()).filePath(QStringLiteral("New.1"))));
    QVERIFY(fx_.View().ResultsValid);
    QVERIFY(OutputCommandsEnabled());
    QVERIFY(!Main().PanelProgress().isVisible());
    QCOMPARE(Main().ProgressLabel(2).text(), QStringLiteral("Loading Step : 1"));
    QVERIFY(
        Main().ProgressLabel(3).text().startsWith(QStringLiteral("Number of Plastic springs : ")));
    QCOMPARE(Main().ProgressLabel(4).text(), QStringLiteral("Writing Output in Datafile : New.1"));
    QVERIFY(!Main().ProgressLabel(4).isHidden());
    // Tool windows hidden, the manual untouched; the options panel keeps its
    // visibility although its flag is cleared.
    QVERIFY(!Context().Windows.Soils->isVisible());
    QVERIFY(!fx_.View().SoilsShown);
    QVERIFY(Context().Windows.Manual->isVisible());
    QVERIFY(fx_.View().ManualShown);
    QVERIFY(!fx_.View().PrintOptionsShown);
    QVERIFY(Main().PanelOptions().isVisible());

    // Leaving a cell as it was keeps the results; a stored change puts them
    // and the output commands out of date.
    Grid().SelectCell(1, File);
    QVERIFY(fx_.View().ResultsValid);
    TypeAndEnter(Problem, QStringLiteral("Changed"));
    QVERIFY(!fx_.View().ResultsValid);
    Main().Refresh();
    QVERIFY(!OutputCommandsEnabled());
  }

  void onlyAStoredChangePutsTheResultsOutOfDate() {
    Main().show();
    TypeAndEnter(User, QStringLiteral("Quay"));
    Main().SpeedButtonRunClick();
    Main().SpeedButtonScreenOutputClick();
    const QLabel* outOfDate =
        Context().Windows.Tables->findChild<QLabel*>(QStringLiteral("LabelOutOfDate"));
    QVERIFY(outOfDate != nullptr && outOfDate->isHidden());
    // A name refused for its comma stores nothing.
    TypeAndEnter(Problem, QStringLiteral("Wall A, stage 2"));
    QCOMPARE(fx_.Dialogs().messages.size(), 1);
    Main().Refresh();
    QVERIFY(OutputCommandsEnabled());
    QVERIFY(outOfDate->isHidden());
    // Undone back to the problem computed, the results hold again; redone,
    // they are out of date again.
    TypeAndEnter(NN, QStringLiteral("120"));
    QVERIFY(!OutputCommandsEnabled());
    QVERIFY(!outOfDate->isHidden());
    Main().Undo1Click();
    QVERIFY(OutputCommandsEnabled());
    QVERIFY(outOfDate->isHidden());
    Main().Redo1Click();
    QVERIFY(!OutputCommandsEnabled());
    Main().Undo1Click();
    Main().Undo1Click();  // the user typed before the computation
    QVERIFY(!OutputCommandsEnabled());
  }

  void aFloatingPointFaultLeavesTheOutputCommandsAsTheyWere() {
    Main().show();
    Main().SpeedButtonRunClick();
    QVERIFY(OutputCommandsEnabled());

    for (int step = 0; step <= 20; ++step)
      for (Side side : {Side::Left, Side::Right}) fx_.Problem().Layer(2, step, side).Dw = 0.0;
    Main().SpeedButtonSoilsClick();
    Main().SpeedButtonRunClick();
    QCOMPARE(fx_.Dialogs().errors, QStringList({"Floating point division by zero."}));
    QVERIFY(fx_.View().ResultsValid);
    QVERIFY(OutputCommandsEnabled());
    QVERIFY(Main().PanelProgress().isVisible());
    QVERIFY(!Context().Windows.Soils->isVisible());

    // From disabled output commands the fault leaves them disabled.
    fx_.View().ResultsValid = false;
    Main().Refresh();
    Main().SpeedButtonRunClick();
    QCOMPARE(fx_.Dialogs().errors.size(), 2);
    QVERIFY(!OutputCommandsEnabled());
    QVERIFY(!fx_.View().ResultsValid);
  }

  void pacingWaitsForTheNextWholeSecond() {
    std::vector<std::int64_t> readings = {10, 10, 10, 11, 11, 12};
    size_t next = 0;
    ScriptedDialogs dialogs;
    QLabel label;
    WindowComputationObserver observer({nullptr, &label, &label, &label}, dialogs, nullptr,
                                       [&] { return readings.at(next++); });
    observer.RunStarted();
    observer.PaceStep();  // reads 10, 10, 11
    QCOMPARE(next, size_t{4});
    observer.PaceStep();  // reads 11, 12
    QCOMPARE(next, size_t{6});
    observer.ShowMessage("Unable to write datafile.\n\n");
    QCOMPARE(dialogs.messages, QStringList({"Unable to write datafile.\n\n"}));
  }

  void saveAndOpenThroughTheDialogs() {
    Main().SpeedButtonSaveClick();
    QCOMPARE(fx_.Dialogs().messages, QStringList({"Datafile not saved"}));
    QCOMPARE(fx_.Dialogs().lastFileName, QStringLiteral("New.krv"));
    QCOMPARE(fx_.Dialogs().lastFolder, fx_.FolderPath());

    // The reserved name writes nothing and picks a "File" name.
    QDir sub(fx_.FolderPath());
    QVERIFY(sub.mkdir(QStringLiteral("data")));
    const QString dataFolder = sub.filePath(QStringLiteral("data"));
    fx_.Dialogs().saveAnswers.push_back(QDir(dataFolder).filePath(QStringLiteral("New.krv")));
    Main().SpeedButtonSaveClick();
    QCOMPARE(fx_.Dialogs().messages.size(), 2);
    QVERIFY(fx_.Dialogs().messages.last().startsWith(
        QStringLiteral("Filename 'New.krv' reserved for initialization of new problems.")));
    QVERIFY(!QFile::exists(QDir(dataFolder).filePath(QStringLiteral("New.krv"))));
    QVERIFY(Grid().Cell(1, File).startsWith(QStringLiteral("File")));

    const QString path = QDir(dataFolder).filePath(QStringLiteral("Wall.krv"));
    fx_.Dialogs().saveAnswers.push_back(path);
    Main().SpeedButtonSaveClick();
    QVERIFY(QFile::exists(path));
    QCOMPARE(QDir::currentPath(), QDir(dataFolder).canonicalPath());
    QCOMPARE(QDir(Main().SaveDialogFolder()).canonicalPath(), QDir(dataFolder).canonicalPath());
    QCOMPARE(Grid().Cell(1, File), QStringLiteral("Wall.krv"));
    QCOMPARE(fx_.Dialogs().messages.size(), 2);

    // Change the problem, show windows, compute; Open brings the file back.
    Main().SpeedButtonRunClick();
    TypeAndEnter(NL, QStringLiteral("6"));
    Main().SpeedButtonSoilsClick();
    Main().SpeedButtonManualClick();
    Main().SpeedButtonOptionsClick();
    fx_.View().ResultsValid = true;
    fx_.View().PageOffset = 3;
    fx_.Dialogs().saveChangesAnswers = {SaveChangesAnswer::Discard, SaveChangesAnswer::Discard};
    fx_.Dialogs().openAnswers.push_back(path);
    Main().SpeedButtonOpenClick();
    QCOMPARE(fx_.Problem().General.NL, 4);
    QCOMPARE(Grid().Cell(1, NL), QStringLiteral("       4"));
    QVERIFY(!fx_.View().ResultsValid);
    QCOMPARE(fx_.View().PageOffset, 0);
    QVERIFY(!OutputCommandsEnabled());
    QVERIFY(!Context().Windows.Soils->isVisible());
    QVERIFY(!Main().PanelOptions().isVisibleTo(&Main()));
    QVERIFY(fx_.View().ManualShown);  // the manual is not touched

    // Cancelled Open: the message, the problem kept, the windows reset anyway.
    TypeAndEnter(NT, QStringLiteral("3"));
    Main().SpeedButtonSoilsClick();
    Main().SpeedButtonOpenClick();
    QCOMPARE(fx_.Dialogs().messages.last(), QStringLiteral("Unable to load datafile"));
    QCOMPARE(fx_.Problem().General.NT, 3);
    QVERIFY(!fx_.View().SoilsShown);
    QVERIFY(!Context().Windows.Soils->isVisible());
  }

  void newResetsTheProblemButKeepsTheAnchors() {
    fx_.Problem().Anchors[2][1].Fx = 12.5;
    TypeAndEnter(NL, QStringLiteral("7"));
    Main().SpeedButtonManualClick();
    fx_.Dialogs().saveChangesAnswers.push_back(SaveChangesAnswer::Discard);
    Main().New1Click();
    QCOMPARE(fx_.Problem().General.NL, 4);
    QCOMPARE(Grid().Cell(1, NL), QStringLiteral("       4"));
    QCOMPARE(fx_.Problem().Anchors[2][1].Fx, 12.5);
    QVERIFY(!fx_.View().ManualShown);
    QVERIFY(Context().Windows.Manual->isVisible());  // still on the screen
    Main().SpeedButtonManualClick();                 // shown again: no visible change
    QVERIFY(Context().Windows.Manual->isVisible());
    QVERIFY(fx_.View().ManualShown);
  }

  void unsavedChangesAreAskedForBeforeTheyAreLost() {
    Main().show();
    // Looking is no change: every window shown, cells passed through.
    Main().SpeedButtonSoilsClick();
    Main().SpeedButtonProfileClick();
    Main().SpeedButtonSectionsClick();
    Main().SpeedButtonAnchorsClick();
    Main().SpeedButtonAxialClick();
    for (int row : {NN, NL, NT, NP, LengthRow, User}) Grid().SelectCell(1, row);
    Main().FormActivate();
    Main().SpeedButtonQuitClick();
    QVERIFY(Main().close());
    QCOMPARE(quits_, 2);  // nothing changed: the program ends at once
    Main().show();
    TypeAndEnter(Problem, QStringLiteral("Quay wall"));
    TypeAndEnter(Problem, QStringLiteral("New Problem"));  // typed back as it was
    Main().SpeedButtonQuitClick();
    QCOMPARE(quits_, 3);
    QVERIFY(fx_.Dialogs().questions.isEmpty());

    // The computation makes an anchor force non-negative: a change.
    fx_.Problem().Anchors[1][2].Fa = -5.0;
    Main().RecordProblemAsSaved();
    Main().SpeedButtonRunClick();
    QCOMPARE(fx_.Problem().Anchors[1][2].Fa, 5.0);
    Main().SpeedButtonQuitClick();  // cancelled
    QVERIFY(!Main().close());       // cancelled
    QCOMPARE(quits_, 3);
    QCOMPARE(fx_.Dialogs().questions, QStringList(2, QStringLiteral("Save changes to New.krv?")));

    // Save with its dialog cancelled cancels the Quit; Discard ends.
    fx_.Dialogs().saveChangesAnswers = {SaveChangesAnswer::Save, SaveChangesAnswer::Discard};
    Main().SpeedButtonQuitClick();
    QCOMPARE(fx_.Dialogs().messages, QStringList({"Datafile not saved"}));
    QCOMPARE(quits_, 3);
    Main().SpeedButtonQuitClick();
    QCOMPARE(quits_, 4);

    // New and Open: cancelled, they do nothing at all; a Save that writes
    // the file lets them go on, and then nothing is left to ask.
    TypeAndEnter(NL, QStringLiteral("6"));
    fx_.Dialogs().openAnswers.push_back(std::nullopt);
    Main().New1Click();
    Main().SpeedButtonOpenClick();
    QCOMPARE(fx_.Problem().General.NL, 6);
    QCOMPARE(fx_.Dialogs().openAnswers.size(), size_t{1});  // no open dialog
    QCOMPARE(fx_.Dialogs().messages.size(), 1);
    const QString path = QDir(fx_.FolderPath()).filePath(QStringLiteral("Six.krv"));
    fx_.Dialogs().saveChangesAnswers = {SaveChangesAnswer::Save};
    fx_.Dialogs().saveAnswers.push_back(path);
    Main().New1Click();
    QVERIFY(QFile::exists(path));
    QCOMPARE(fx_.Problem().General.NL, 4);
    QCOMPARE(fx_.Dialogs().questions.size(), 7);
    fx_.Dialogs().openAnswers = {path};
    Main().SpeedButtonOpenClick();
    QCOMPARE(fx_.Problem().General.NL, 6);
    Main().SpeedButtonQuitClick();
    QCOMPARE(quits_, 5);
    QCOMPARE(fx_.Dialogs().questions.size(), 7);
  }

  void aValueTypedBeforeOpenOrNewIsStoredFirst() {
    using Command = void (TFormKRV::*)();
    for (const Command command : {&TFormKRV::SpeedButtonOpenClick, &TFormKRV::New1Click}) {
      fx_.Dialogs().questions.clear();
      fx_.Dialogs().messages.clear();
      Grid().SelectCell(1, Problem);
      Grid().Editor()->selectAll();
      QTest::keyClicks(Grid().Editor(), QStringLiteral("Quay wall"));
      (Main().*command)();  // the question sees the typed name and is cancelled
      QVERIFY(fx_.Problem().General.ProblemName == "Quay wall");
      QCOMPARE(fx_.Dialogs().questions.size(), 1);

      // A refused value stops the command with its message.
      Grid().SelectCell(1, NL);
      Grid().Editor()->selectAll();
      QTest::keyClicks(Grid().Editor(), QStringLiteral("abc"));
      fx_.Dialogs().saveChangesAnswers = {SaveChangesAnswer::Discard};
      (Main().*command)();
      QCOMPARE(fx_.Dialogs().messages, QStringList({"Enter positive integer number"}));
      QCOMPARE(fx_.Dialogs().questions.size(), 1);
      QVERIFY(fx_.Problem().General.ProblemName == "Quay wall");
      fx_.Dialogs().saveChangesAnswers.clear();
      fx_.Problem().General.ProblemName = "New Problem";
      Main().Refresh();
    }
  }

  void aRefusedOpenOrSaveLeavesTheCurrentFolder() {
    QDir base(fx_.FolderPath());
    QVERIFY(base.mkdir(QStringLiteral("kept")) && base.mkdir(QStringLiteral("other")));
    const QDir kept(base.filePath(QStringLiteral("kept")));
    const QDir other(base.filePath(QStringLiteral("other")));
    fx_.Dialogs().saveAnswers.push_back(kept.filePath(QStringLiteral("Wall.krv")));
    Main().SpeedButtonSaveClick();
    Main().SpeedButtonRunClick();
    QVERIFY(QFile::remove(kept.filePath(QStringLiteral("Wall.1"))));

    QFile bad(other.filePath(QStringLiteral("Bad.krv")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("not a datafile\n");
    bad.close();
    fx_.Dialogs().saveAnswers = {other.filePath(QStringLiteral("Wall, stage 2.krv")),
                                 other.filePath(QString(41, QLatin1Char('w')))};
    fx_.Dialogs().openAnswers = {bad.fileName()};
    Main().SpeedButtonSaveClick();
    Main().SpeedButtonSaveClick();
    Main().SpeedButtonOpenClick();
    QCOMPARE(fx_.Dialogs().messages.size(), 3);
    QVERIFY(fx_.Dialogs().messages.last().contains(QStringLiteral("not loaded")));
    QCOMPARE(QDir::currentPath(), kept.canonicalPath());
    Main().SpeedButtonRunClick();
    QVERIFY(QFile::exists(kept.filePath(QStringLiteral("Wall.1"))));
    QVERIFY(!QFile::exists(other.filePath(QStringLiteral("Wall.1"))));
  }

  void printCancelledLeavesTheOptionsPanelShown() {
    Main().SpeedButtonPrintClick();
    QCOMPARE(fx_.Dialogs().printDialogs, 1);
    QVERIFY(fx_.View().PrintOptionsShown);
    QVERIFY(Main().PanelOptions().isVisibleTo(&Main()));
  }

  void printingOutputComputesFirst() {
    Main().show();
    for (int i = 0; i < 9; ++i) Main().OptionBox(i).setChecked(i == 0 || i == 6);
    const QString pdf = QDir(fx_.FolderPath()).filePath(QStringLiteral("report.pdf"));
    fx_.Dialogs().printAnswers.push_back(pdf);
    Main().SpeedButtonPrintClick();
    QVERIFY(fx_.Dialogs().errors.isEmpty());
    QVERIFY(fx_.View().ResultsValid);
    QVERIFY(OutputCommandsEnabled());
    QVERIFY(QFile::exists(pdf));
    QVERIFY(!fx_.View().PrintOptionsShown);
    QVERIFY(!Main().PanelOptions().isVisible());
    const PrintOptions options = Main().CurrentPrintOptions();
    QVERIFY(options.General && options.Tables && !options.Layers && !options.Colors);
  }

  // Print to PDF proposes the datafile's name in its folder; the report
  // carries the problem's name as its title.
  void printProposesTheDatafileNameAndTitlesTheReport() {
    for (int i = 0; i < 9; ++i) Main().OptionBox(i).setChecked(i == 0);
    QDir folder(fx_.FolderPath());
    QVERIFY(folder.mkdir(QStringLiteral("pit")));
    fx_.Dialogs().saveAnswers.push_back(folder.filePath(QStringLiteral("pit/Ex2.krv")));
    Main().SpeedButtonSaveClick();
    const QString pdf = folder.filePath(QStringLiteral("chosen.pdf"));
    fx_.Dialogs().printAnswers = {pdf, std::nullopt};
    Main().SpeedButtonPrintClick();
    QCOMPARE(fx_.Dialogs().proposedPdf, folder.filePath(QStringLiteral("pit/Ex2.pdf")));
    QCOMPARE(PdfTitle(pdf), QStringLiteral("Korvanu - ") +
                                QString::fromStdString(fx_.Problem().General.ProblemName));
    // Not the file chosen last time: the datafile's name again.
    Main().SpeedButtonPrintClick();
    QCOMPARE(fx_.Dialogs().proposedPdf, folder.filePath(QStringLiteral("pit/Ex2.pdf")));
  }

  void aFaultInTheComputationForTheReportWritesNoFile() {
    Main().show();
    for (int step = 0; step <= 20; ++step)
      for (Side side : {Side::Left, Side::Right}) fx_.Problem().Layer(2, step, side).Dw = 0.0;
    for (int i = 0; i < 9; ++i) Main().OptionBox(i).setChecked(i == 0 || i == 6);
    const QString pdf = QDir(fx_.FolderPath()).filePath(QStringLiteral("fault.pdf"));
    fx_.Dialogs().printAnswers.push_back(pdf);
    Main().SpeedButtonPrintClick();
    QCOMPARE(fx_.Dialogs().errors, QStringList({"Floating point division by zero."}));
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(fx_.Dialogs().messages.size(), 1);
    QVERIFY(fx_.Dialogs().messages[0].contains(QStringLiteral("Nothing was printed")));
    QVERIFY(!fx_.View().PrintOptionsShown);
    QVERIFY(!Main().PanelOptions().isVisible());
  }

  void textsKeepTheirCharactersThroughSaveOpenScreenAndPaper() {
    // Key clicks know only Latin-1: the text goes in as an input method would.
    const auto enter = [this](int row, const QString& text) {
      Grid().SelectCell(1, row);
      Grid().Editor()->selectAll();
      Grid().Editor()->insert(text);
      QTest::keyClick(Grid().Editor(), Qt::Key_Return);
    };
    const QString name = QString::fromUtf8("Baugrube S\u00fcd \u2013 Stufe 1 \u20ac \u00e9");
    enter(Problem, name);
    QCOMPARE(Grid().Cell(1, Problem), name);

    // Refused with the reason; the old value stays and so does the cursor.
    TypeAndEnter(User, QStringLiteral("Wall A, stage 2"));
    enter(User, QString::fromUtf8("\u0141\u00f3d\u017a"));
    QCOMPARE(fx_.Dialogs().messages.size(), 2);
    QVERIFY(fx_.Dialogs().messages[0].contains(QStringLiteral("read back as 'Wall A'")));
    QVERIFY(fx_.Dialogs().messages[1].contains(QStringLiteral("Windows-1252")));
    QCOMPARE(Grid().Row(), int(User));
    QCOMPARE(Grid().Cell(1, User), QStringLiteral("Students of Geotechnics"));
    QCOMPARE(fx_.Problem().General.LicensedUser, std::string("Students of Geotechnics"));

    const QString path = QDir(fx_.FolderPath()).filePath(QStringLiteral("Sued.krv"));
    fx_.Dialogs().saveAnswers.push_back(path);
    Main().SpeedButtonSaveClick();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(
        file.readAll().contains("\r\nBaugrube S\xFC"
                                "d \x96 Stufe 1 \x80 \xE9,\r\n"));
    TypeAndEnter(Problem, QStringLiteral("Other"));
    fx_.Dialogs().openAnswers.push_back(path);
    fx_.Dialogs().saveChangesAnswers.push_back(SaveChangesAnswer::Discard);
    Main().SpeedButtonOpenClick();
    QCOMPARE(Grid().Cell(1, Problem), name);

    for (int i = 0; i < 9; ++i) Main().OptionBox(i).setChecked(i == 0);
    const QString pdf = QDir(fx_.FolderPath()).filePath(QStringLiteral("sued.pdf"));
    fx_.Dialogs().printAnswers.push_back(pdf);
    Main().SpeedButtonPrintClick();
    const QString paper = PdfPages(pdf).join(QLatin1Char('\n'));
    QVERIFY(paper.contains(QStringLiteral("Students of Geotechnics, ") + name));
    QVERIFY(paper.contains(QStringLiteral(": ") + name));
  }

  void pageNumbersRunOnWhileTheResultsStayValid() {
    Main().show();
    for (int i = 0; i < 9; ++i) Main().OptionBox(i).setChecked(i == 0 || i == 6);
    const QString first = QDir(fx_.FolderPath()).filePath(QStringLiteral("first.pdf"));
    const QString second = QDir(fx_.FolderPath()).filePath(QStringLiteral("second.pdf"));
    fx_.Dialogs().printAnswers = {first, second};
    Main().SpeedButtonPrintClick();
    const int afterFirst = fx_.View().PageOffset;
    QVERIFY(afterFirst >= 1);
    Main().SpeedButtonPrintClick();
    QCOMPARE(fx_.View().PageOffset, 2 * afterFirst);

    // A data change restarts the numbering.
    TypeAndEnter(Problem, QStringLiteral("Changed"));
    QCOMPARE(fx_.View().PageOffset, 0);
    QVERIFY(!OutputCommandsEnabled());
  }

  void theCellEditorSelectsItsTextAgainAfterAMenuCommand() {
    Main().show();
    QApplication::setActiveWindow(&Main());
    QVERIFY(QTest::qWaitForWindowActive(&Main()));
    Grid().SelectCell(1, File);
    QTRY_VERIFY(Grid().Editor()->hasFocus());
    QVERIFY(Grid().Editor()->hasSelectedText());
    // Help, Introduction from the keyboard: the menu bar takes the focus.
    QTest::keyClick(Grid().Editor(), Qt::Key_H, Qt::AltModifier);
    QMenu* help = Main().menuBar()->actions().at(1)->menu();
    QTRY_VERIFY(help->isVisible());
    QTest::keyClick(help, Qt::Key_I);
    QCOMPARE(fx_.Dialogs().messages.size(), 1);
    QTRY_VERIFY(Grid().Editor()->hasFocus());
    QTest::keyClicks(Grid().Editor(), QStringLiteral("Quay.krv"));
    QCOMPARE(Grid().Cell(1, File), QStringLiteral("Quay.krv"));
  }

  void helpTexts() {
    Main().SpeedButtonHelpClick();
    Main().ButtonGeneralHelpClick();
    QCOMPARE(fx_.Dialogs().messages.size(), 2);
    const QString intro = fx_.Dialogs().messages[0];
    QVERIFY(intro.startsWith(QStringLiteral("Korvanu\n\n")));
    QVERIFY(intro.contains(
        QStringLiteral("- Data of anchors and lateral forces, acting between layers only,\n")));
    QVERIFY(intro.endsWith(QStringLiteral(
        "Output consists of tables and graphs, presented on the screen, or on the printer. \n"
        "Input and output data to be printed are controlled by various options, that can be "
        "selected from the Options menu.\n")));
    const QString general = fx_.Dialogs().messages[1];
    QCOMPARE(general, GeneralDataHelpText());
    QVERIFY(general.startsWith(QStringLiteral("The general data of the program are:\n")));
    QVERIFY(general.contains(QStringLiteral("(max. 20).\n") + QString(67, QLatin1Char('_')) +
                             QStringLiteral("\n\nIt is suggested")));
    QVERIFY(general.endsWith(QStringLiteral("and then editing the data.\n\n")));
  }

  void windowsFontsMapToMetricCompatibleFonts() {
    // Qt keeps family names in lower case.
    QCOMPARE(QFont::substitute(QStringLiteral("MS Sans Serif")), QStringLiteral("liberation sans"));
    QCOMPARE(QFont::substitute(QStringLiteral("Courier New")), QStringLiteral("liberation mono"));
    QCOMPARE(QFont::substitute(QStringLiteral("Arial")), QStringLiteral("liberation sans"));
    // And the grid's font resolves to the substitute.
    QCOMPARE(QFontInfo(Grid().font()).family(), QStringLiteral("Liberation Mono"));
    QVERIFY(!QFont::substitute(QStringLiteral("Symbol")).isEmpty());
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
