// korvanu-screenshots: pictures of the windows without a screen. Opens a
// copy of a datafile (or starts on the default problem), computes it, shows
// every tool window through the main window's commands, puts the step
// windows on one step and saves each window as a PNG file, and the manual
// once for each of its pages.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <QThread>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "base/BatchDialogs.h"
#include "base/OffscreenApplication.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"
#include "engine/EngineState.h"
#include "engine/RunComputation.h"
#include "manual/ManualText.h"
#include "ui/ApplicationWindows.h"
#include "ui/StepChooser.h"
#include "ui/TFormAnchors.h"
#include "ui/TFormAxis.h"
#include "ui/TFormDesign.h"
#include "ui/TFormGraphs.h"
#include "ui/TFormKRV.h"
#include "ui/TFormManual.h"
#include "ui/TFormProfiles.h"
#include "ui/TFormSections.h"
#include "ui/TFormSoils.h"
#include "ui/TFormStrength.h"
#include "ui/TFormTables.h"

namespace {

using namespace korvanu;

const char* const Usage =
    "Usage: korvanu-screenshots [--step K] [FILE.krv] [OUTDIR]\n"
    "Computes a copy of FILE.krv (default: the default problem) and writes a PNG\n"
    "picture of each window into OUTDIR (default: screenshots), with the windows\n"
    "that show a loading step on step K (default 1; the output windows show step 1\n"
    "for K = 0).\n";

struct Request {
  QString Datafile;
  QString Folder = QStringLiteral("screenshots");
  int Step = 1;
};

bool Parse(int argc, char** argv, Request& request) {
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--step" && i + 1 < argc) {
      request.Step = std::atoi(argv[++i]);
    } else if (argument == "--help" || argument == "-h" ||
               (!argument.empty() && argument[0] == '-')) {
      return false;
    } else if (positional == 0 && argument.ends_with(".krv")) {
      request.Datafile = QString::fromLocal8Bit(argv[i]);
      ++positional;
    } else if (positional <= 1) {
      request.Folder = QString::fromLocal8Bit(argv[i]);
      positional = 2;
    } else {
      return false;
    }
  }
  return true;
}

// A clock that advances a second at every reading: computing never waits.
SecondsClock FastClock() {
  auto now = std::make_shared<std::int64_t>(0);
  return [now] { return (*now)++; };
}

bool Save(QWidget& window, const QDir& folder, const char* name) {
  QApplication::processEvents();
  const QString path = folder.filePath(QLatin1String(name) + QStringLiteral(".png"));
  if (!window.grab().save(path)) {
    std::cerr << "korvanu-screenshots: cannot write " << path.toStdString() << "\n";
    return false;
  }
  std::cout << path.toStdString() << "\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Request request;
  if (!Parse(argc, argv, request)) {
    std::cerr << Usage;
    return 2;
  }
  StartOffscreenApplication();
  QDir output(request.Folder);
  if (!output.mkpath(QStringLiteral("."))) {
    std::cerr << "korvanu-screenshots: cannot create " << request.Folder.toStdString() << "\n";
    return 2;
  }
  output.setPath(output.absolutePath());

  // The step files of the computation go to a scratch folder, not beside
  // the datafile.
  QTemporaryDir scratch;
  QString copy;
  if (!request.Datafile.isEmpty()) {
    copy = scratch.filePath(QFileInfo(request.Datafile).fileName());
    if (!QFile::copy(request.Datafile, copy)) {
      std::cerr << "korvanu-screenshots: cannot read " << request.Datafile.toStdString() << "\n";
      return 2;
    }
  }
  QDir::setCurrent(scratch.path());

  auto problem = std::make_unique<ProblemData>();
  auto view = std::make_unique<ViewState>();
  auto engine = std::make_unique<EngineState>();
  BatchDialogs dialogs("korvanu-screenshots", std::cerr);
  AppContext context{*problem, *view, *engine, dialogs, RunComputation};
  ApplicationWindows windows(context);
  TFormKRV& main = windows.Main();
  main.SetClock(FastClock());
  main.show();
  if (!copy.isEmpty()) {
    dialogs.OpenWith(copy.toStdString());
    main.SpeedButtonOpenClick();
  }
  main.SpeedButtonRunClick();

  main.SpeedButtonSoilsClick();
  main.SpeedButtonProfileClick();
  main.SpeedButtonSectionsClick();
  main.SpeedButtonAnchorsClick();
  main.SpeedButtonAxialClick();
  main.SpeedButtonScreenOutputClick();
  main.SpeedButtonScreenGraphsClick();
  main.SpeedButtonManualClick();
  main.SpeedButtonDesignClick();
  QApplication::processEvents();
  // Choosing the step in one step window puts every shown one on it; the
  // soil layers window also takes step 0, where the output windows stay.
  TFormSoils& soils = *context.Windows.Soils;
  soils.ComboBoxStep().setEditText(QString::number(request.Step));
  soils.ComboBoxStepChange();
  // The design window shows its searches, which run in their own thread.
  TFormDesign& design = *context.Windows.Design;
  design.ButtonSearchClick();
  while (design.Searching()) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(10);
  }

  const WindowSet& w = context.Windows;
  const struct {
    QWidget* Window;
    const char* Name;
  } pictures[] = {
      {w.Main, "main"},         {w.Soils, "soils"},     {w.Profiles, "profiles"},
      {w.Sections, "sections"}, {w.Anchors, "anchors"}, {w.Axis, "axial"},
      {w.Tables, "tables"},     {w.Graphs, "graphs"},   {w.Manual, "manual"},
      {w.Design, "design"},
  };
  bool saved = true;
  for (const auto& picture : pictures) saved = Save(*picture.Window, output, picture.Name) && saved;
  {
    // The soil editor's "K from φ'" dialog, for layer 3 in the initial state.
    context.View.CurrentStep = 0;
    TFormStrength strength(context, 2, &soils);
    strength.EditPhi().setText(QStringLiteral("32"));
    strength.ComboBoxDeltaUnit().setCurrentIndex(1);
    strength.EditDelta().setText(QStringLiteral("0.667"));
    strength.ComboBoxMethod().setCurrentIndex(static_cast<int>(EarthPressureMethod::Curved));
    strength.EditKh().setText(QStringLiteral("20000"));
    strength.show();
    QApplication::processEvents();
    saved = Save(strength, output, "strength") && saved;
  }
  TFormManual& manual = *w.Manual;
  for (int page = 1; page <= ManualPageCount; ++page) {
    manual.ComboBoxPage().setEditText(QString::number(page));
    manual.ComboBoxPageChange();
    const std::string name = "manual-" + std::to_string(100 + page).substr(1);
    saved = Save(manual, output, name.c_str()) && saved;
  }
  return saved ? 0 : 1;
}
