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
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "ScriptedDialogs.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"
#include "engine/EngineState.h"
#include "engine/RunComputation.h"
#include "ui/ApplicationWindows.h"
#include "ui/Fonts.h"
#include "ui/HelpTexts.h"
#include "ui/MainWindowPlacement.h"
#include "ui/StringGrid.h"
#include "ui/TFormAnchors.h"
#include "ui/TFormKRV.h"
#include "ui/TFormManual.h"
#include "ui/TFormSoils.h"
#include "ui/TFormTables.h"

using namespace korvanu;
using korvanu::testing::ScriptedDialogs;

namespace {

// A clock that advances one second every time it is read: pacing never waits.
SecondsClock FastClock() {
  auto now = std::make_shared<std::int64_t>(1000);
  return [now] { return (*now)++; };
}

enum Row { User = 0, File = 1, Problem = 2, LengthRow = 3, NN = 4, NL = 5, NT = 6, NP = 7 };

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ProblemData> problem_;
  std::unique_ptr<ViewState> view_;
  std::unique_ptr<EngineState> engine_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<AppContext> context_;
  std::unique_ptr<ApplicationWindows> windows_;
  std::unique_ptr<QTemporaryDir> folder_;
  QString startFolder_;

  TFormKRV& Main() { return windows_->Main(); }
  StringGrid& Grid() { return Main().MainGrid(); }
  AppContext& Context() { return *context_; }

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
  void initTestCase() {
    InstallFontSubstitutes();
    startFolder_ = QDir::currentPath();
  }

  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    QDir::setCurrent(folder_->path());
    problem_ = std::make_unique<ProblemData>();
    view_ = std::make_unique<ViewState>();
    engine_ = std::make_unique<EngineState>();
    dialogs_ = std::make_unique<ScriptedDialogs>();
    context_ = std::make_unique<AppContext>(
        AppContext{*problem_, *view_, *engine_, *dialogs_, RunComputation});
    windows_ = std::make_unique<ApplicationWindows>(*context_);
    Main().SetClock(FastClock());
  }

  void cleanup() {
    windows_.reset();
    context_.reset();
    QDir::setCurrent(startFolder_);
    folder_.reset();
  }

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
        {"SpeedButtonOpen", "Open"},
        {"SpeedButtonNew", "New"},
        {"SpeedButtonSave", "Save"},
        {"SpeedButtonPrint", "Print"},
        {"SpeedButtonOptions", "Print Options"},
        {"SpeedButtonSoils", "Layers"},
        {"SpeedButtonAnchors", "Anchors"},
        {"SpeedButtonAxial", "Axial Forces"},
        {"SpeedButtonProfile", "Profiles"},
        {"SpeedButtonSections", "Sections"},
        {"SpeedButtonRun", "Compute"},
        {"SpeedButtonScreenOutput", "Output Tables"},
        {"SpeedButtonScreenGraphs", "Output Graphs"},
        {"SpeedButtonManual", "Manual"},
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
    QCOMPARE(Main().PanelOptions().geometry(), QRect(10, 220, 172, 263));
    const char* options[] = {"Print General Data",      "Print Layers Data",   "Print Anchors Data",
                             "Print Axial Forces Data", "Print Catalogue",     "Print Sections",
                             "Print Output Tables",     "Print Output Graphs", "Print Colors"};
    for (int i = 0; i < 9; ++i) {
      QCOMPARE(Main().OptionBox(i).text(), QLatin1String(options[i]));
      QCOMPARE(Main().OptionBox(i).isChecked(), i < 8);
      QCOMPARE(Main().OptionBox(i).pos(), QPoint(16, 32 + 24 * i));
    }
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
    QCOMPARE(problem_->Anchors[1][1].Fa, 50.0);
    QCOMPARE(problem_->Anchors[1][1].Fw, -0.02);
  }

  void menuEntriesInTheirOrder() {
    QStringList entries;
    for (QAction* action : Main().menuBar()->actions()) entries << action->text();
    QCOMPARE(entries,
             QStringList({"&File", "&Help", "&Options", "&Layers", "&Anchors", "A&xial",
                          "&Profiles", "&Sections", "&Compute", "&Tables", "&Graphs", "&Manual"}));
    QStringList file;
    for (QAction* action : Main().menuBar()->actions().first()->menu()->actions())
      file << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(file, QStringList({"&Open", "&New", "&Save", "&Print", "-", "&Quit"}));
    QStringList help;
    for (QAction* action : Main().menuBar()->actions().at(1)->menu()->actions())
      help << action->text();
    QCOMPARE(help, QStringList({"&Introduction", "&Manual"}));
  }

  void refusedValuesShowTheMessageAndKeepTheCursor() {
    TypeAndEnter(NL, QStringLiteral("abc"));
    QCOMPARE(dialogs_->messages, QStringList({"Enter positive integer number"}));
    QCOMPARE(Grid().Row(), int{NL});
    QCOMPARE(Grid().Cell(1, NL), QStringLiteral("       4"));
    QCOMPARE(problem_->General.NL, 4);

    Grid().Editor()->selectAll();
    QTest::keyClicks(Grid().Editor(), QStringLiteral("0"));
    QTest::keyClick(Grid().Editor(), Qt::Key_Down);
    QCOMPARE(dialogs_->messages.size(), 2);
    QCOMPARE(Grid().Row(), int{NL});

    TypeAndEnter(LengthRow, QStringLiteral("-2"));
    QCOMPARE(dialogs_->messages.last(), QStringLiteral("Enter positive number"));
    QCOMPARE(Grid().Row(), int{LengthRow});
    QCOMPARE(Grid().Cell(1, LengthRow), QStringLiteral("       4.000"));
  }

  void generalRulesShowTheAppliedValues() {
    TypeAndEnter(NL, QStringLiteral("30"));
    QCOMPARE(Grid().Cell(1, NL), QStringLiteral("      20"));
    QCOMPARE(Grid().Cell(1, LengthRow), QStringLiteral("      20.000"));
    QCOMPARE(Grid().Row(), int{NT});
    QCOMPARE(view_->CurrentRow, int{NT});

    TypeAndEnter(NL, QStringLiteral("4"));
    TypeAndEnter(NN, QStringLiteral("5"));
    QCOMPARE(Grid().Cell(1, NN), QStringLiteral("      10"));
    QCOMPARE(problem_->General.NN, 10);

    TypeAndEnter(Problem, QString(50, QLatin1Char('x')));
    QCOMPARE(Grid().Cell(1, Problem), QString(40, QLatin1Char('x')));
    TypeAndEnter(File, QStringLiteral("Wall.krv"));
    QCOMPARE(Main().DialogFileName(), QStringLiteral("Wall.krv"));
    QVERIFY(dialogs_->messages.isEmpty());
  }

  void typedLengthLastsUntilActivation() {
    TypeAndEnter(LengthRow, QStringLiteral("7.5"));
    QCOMPARE(problem_->General.Length, 7.5);
    Main().Refresh();
    QCOMPARE(Grid().Cell(1, LengthRow), QStringLiteral("       7.500"));
    Main().FormActivate();
    QCOMPARE(problem_->General.Length, 4.0);
    QCOMPARE(Grid().Cell(1, LengthRow), QStringLiteral("       4.000"));
    QCOMPARE(Grid().Row(), 0);
  }

  void activationStoresATypedValueFirst() {
    Grid().SelectCell(1, NL);
    Grid().Editor()->selectAll();
    QTest::keyClicks(Grid().Editor(), QStringLiteral("6"));
    Main().FormActivate();
    QCOMPARE(problem_->General.NL, 6);
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
    QCOMPARE(problem_->General.Length, 4.0);  // the activation ran before the click
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
    const QString path = QDir(folder_->path()).filePath(QStringLiteral("Typed.krv"));
    dialogs_->saveAnswers.push_back(path);
    Main().SpeedButtonSaveClick();
    QCOMPARE(problem_->General.NL, 6);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("      6,"));
  }

  void commandsToggleTheirWindows() {
    TFormSoils& soils = *Context().Windows.Soils;
    view_->CurrentStep = 3;
    Main().SpeedButtonSoilsClick();
    QVERIFY(soils.isVisible());
    QVERIFY(view_->SoilsShown);
    QCOMPARE(view_->CurrentStep, 0);
    QCOMPARE(view_->CurrentCol, 1);
    QCOMPARE(view_->CurrentRow, 2);
    view_->CurrentStep = 2;
    Main().SpeedButtonSoilsClick();
    QVERIFY(!soils.isVisible());
    QVERIFY(!view_->SoilsShown);
    QCOMPARE(view_->CurrentStep, 2);  // set only when the window is about to show

    view_->CurrentStep = 0;
    Main().SpeedButtonScreenOutputClick();
    QVERIFY(view_->TablesShown);
    view_->CurrentStep = 0;
    Main().SpeedButtonScreenOutputClick();
    QVERIFY(!view_->TablesShown);
    QCOMPARE(view_->CurrentStep, 1);

    Main().SpeedButtonAnchorsClick();
    QCOMPARE(view_->CurrentCol, 2);
    QVERIFY(Context().Windows.Anchors->isVisible());

    Main().SpeedButtonOptionsClick();
    QVERIFY(view_->PrintOptionsShown);
    QVERIFY(Main().PanelOptions().isVisibleTo(&Main()));
    Main().SpeedButtonOptionsClick();
    QVERIFY(!Main().PanelOptions().isVisibleTo(&Main()));

    // Closing a tool window clears its flag and only hides it.
    Context().Windows.Anchors->close();
    QVERIFY(!view_->AnchorsShown);
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

    QVERIFY(dialogs_->errors.isEmpty());
    QVERIFY(QFile::exists(QDir(folder_->path()).filePath(QStringLiteral("New.1"))));
    QVERIFY(view_->ResultsValid);
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
    QVERIFY(!view_->SoilsShown);
    QVERIFY(Context().Windows.Manual->isVisible());
    QVERIFY(view_->ManualShown);
    QVERIFY(!view_->PrintOptionsShown);
    QVERIFY(Main().PanelOptions().isVisible());

    // Leaving any cell afterwards clears the results and the output commands.
    Grid().SelectCell(1, File);
    QVERIFY(!view_->ResultsValid);
    Main().Refresh();
    QVERIFY(!OutputCommandsEnabled());
  }

  void aFloatingPointFaultLeavesTheOutputCommandsAsTheyWere() {
    Main().show();
    Main().SpeedButtonRunClick();
    QVERIFY(OutputCommandsEnabled());

    for (int step = 0; step <= 20; ++step)
      for (Side side : {Side::Left, Side::Right}) problem_->Layer(2, step, side).Dw = 0.0;
    Main().SpeedButtonSoilsClick();
    Main().SpeedButtonRunClick();
    QCOMPARE(dialogs_->errors, QStringList({"Floating point division by zero."}));
    QVERIFY(view_->ResultsValid);
    QVERIFY(OutputCommandsEnabled());
    QVERIFY(Main().PanelProgress().isVisible());
    QVERIFY(!Context().Windows.Soils->isVisible());

    // From disabled output commands the fault leaves them disabled.
    view_->ResultsValid = false;
    Main().Refresh();
    Main().SpeedButtonRunClick();
    QCOMPARE(dialogs_->errors.size(), 2);
    QVERIFY(!OutputCommandsEnabled());
    QVERIFY(!view_->ResultsValid);
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
    QCOMPARE(dialogs_->messages, QStringList({"Datafile not saved"}));
    QCOMPARE(dialogs_->lastFileName, QStringLiteral("New.krv"));
    QCOMPARE(dialogs_->lastFolder, folder_->path());

    // The reserved name writes nothing and picks a "File" name.
    QDir sub(folder_->path());
    QVERIFY(sub.mkdir(QStringLiteral("data")));
    const QString dataFolder = sub.filePath(QStringLiteral("data"));
    dialogs_->saveAnswers.push_back(QDir(dataFolder).filePath(QStringLiteral("New.krv")));
    Main().SpeedButtonSaveClick();
    QCOMPARE(dialogs_->messages.size(), 2);
    QVERIFY(dialogs_->messages.last().startsWith(
        QStringLiteral("Filename 'New.krv' reserved for initialization of new problems.")));
    QVERIFY(!QFile::exists(QDir(dataFolder).filePath(QStringLiteral("New.krv"))));
    QVERIFY(Grid().Cell(1, File).startsWith(QStringLiteral("File")));

    const QString path = QDir(dataFolder).filePath(QStringLiteral("Wall.krv"));
    dialogs_->saveAnswers.push_back(path);
    Main().SpeedButtonSaveClick();
    QVERIFY(QFile::exists(path));
    QCOMPARE(QDir::currentPath(), QDir(dataFolder).canonicalPath());
    QCOMPARE(QDir(Main().SaveDialogFolder()).canonicalPath(), QDir(dataFolder).canonicalPath());
    QCOMPARE(Grid().Cell(1, File), QStringLiteral("Wall.krv"));
    QCOMPARE(dialogs_->messages.size(), 2);

    // Change the problem, show windows, compute; Open brings the file back.
    Main().SpeedButtonRunClick();
    TypeAndEnter(NL, QStringLiteral("6"));
    Main().SpeedButtonSoilsClick();
    Main().SpeedButtonManualClick();
    Main().SpeedButtonOptionsClick();
    view_->ResultsValid = true;
    view_->PageOffset = 3;
    dialogs_->openAnswers.push_back(path);
    Main().SpeedButtonOpenClick();
    QCOMPARE(problem_->General.NL, 4);
    QCOMPARE(Grid().Cell(1, NL), QStringLiteral("       4"));
    QVERIFY(!view_->ResultsValid);
    QCOMPARE(view_->PageOffset, 0);
    QVERIFY(!OutputCommandsEnabled());
    QVERIFY(!Context().Windows.Soils->isVisible());
    QVERIFY(!Main().PanelOptions().isVisibleTo(&Main()));
    QVERIFY(view_->ManualShown);  // the manual is not touched

    // Cancelled Open: the message, the problem kept, the windows reset anyway.
    TypeAndEnter(NT, QStringLiteral("3"));
    Main().SpeedButtonSoilsClick();
    Main().SpeedButtonOpenClick();
    QCOMPARE(dialogs_->messages.last(), QStringLiteral("Unable to load datafile"));
    QCOMPARE(problem_->General.NT, 3);
    QVERIFY(!view_->SoilsShown);
    QVERIFY(!Context().Windows.Soils->isVisible());
  }

  void newResetsTheProblemButKeepsTheAnchors() {
    problem_->Anchors[2][1].Fx = 12.5;
    TypeAndEnter(NL, QStringLiteral("7"));
    Main().SpeedButtonManualClick();
    Main().New1Click();
    QCOMPARE(problem_->General.NL, 4);
    QCOMPARE(Grid().Cell(1, NL), QStringLiteral("       4"));
    QCOMPARE(problem_->Anchors[2][1].Fx, 12.5);
    QVERIFY(!view_->ManualShown);
    QVERIFY(Context().Windows.Manual->isVisible());  // still on the screen
    Main().SpeedButtonManualClick();                 // shown again: no visible change
    QVERIFY(Context().Windows.Manual->isVisible());
    QVERIFY(view_->ManualShown);
  }

  void printCancelledLeavesTheOptionsPanelShown() {
    Main().SpeedButtonPrintClick();
    QCOMPARE(dialogs_->printDialogs, 1);
    QVERIFY(view_->PrintOptionsShown);
    QVERIFY(Main().PanelOptions().isVisibleTo(&Main()));
  }

  void printingOutputComputesFirst() {
    Main().show();
    for (int i = 0; i < 9; ++i) Main().OptionBox(i).setChecked(i == 0 || i == 6);
    const QString pdf = QDir(folder_->path()).filePath(QStringLiteral("report.pdf"));
    dialogs_->printAnswers.push_back(pdf);
    Main().SpeedButtonPrintClick();
    QVERIFY(dialogs_->errors.isEmpty());
    QVERIFY(view_->ResultsValid);
    QVERIFY(OutputCommandsEnabled());
    QVERIFY(QFile::exists(pdf));
    QVERIFY(!view_->PrintOptionsShown);
    QVERIFY(!Main().PanelOptions().isVisible());
    const PrintOptions options = Main().CurrentPrintOptions();
    QVERIFY(options.General && options.Tables && !options.Layers && !options.Colors);
  }

  void pageNumbersRunOnWhileTheResultsStayValid() {
    Main().show();
    for (int i = 0; i < 9; ++i) Main().OptionBox(i).setChecked(i == 0 || i == 6);
    const QString first = QDir(folder_->path()).filePath(QStringLiteral("first.pdf"));
    const QString second = QDir(folder_->path()).filePath(QStringLiteral("second.pdf"));
    dialogs_->printAnswers = {first, second};
    Main().SpeedButtonPrintClick();
    const int afterFirst = view_->PageOffset;
    QVERIFY(afterFirst >= 1);
    Main().SpeedButtonPrintClick();
    QCOMPARE(view_->PageOffset, 2 * afterFirst);

    // A data change restarts the numbering.
    TypeAndEnter(Problem, QStringLiteral("Changed"));
    QCOMPARE(view_->PageOffset, 0);
    QVERIFY(!OutputCommandsEnabled());
  }

  void helpTexts() {
    Main().SpeedButtonHelpClick();
    Main().ButtonGeneralHelpClick();
    QCOMPARE(dialogs_->messages.size(), 2);
    const QString intro = dialogs_->messages[0];
    QVERIFY(intro.startsWith(QStringLiteral("Korvanu\n\n")));
    QVERIFY(intro.contains(
        QStringLiteral("- Data of anchors and lateral forces, acting between layers only,\n")));
    QVERIFY(intro.endsWith(QStringLiteral(
        "Output consists of tables and graphs, presented on the screen, or on the printer. \n"
        "Input and output data to be printed are controlled by various options, that can be "
        "selected from the Options menu.\n")));
    const QString general = dialogs_->messages[1];
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
