// Starts the program on its default problem; it reads no command line.
// The problem, the window state and the engine's working record live here,
// for the whole run; the windows receive references.
#include <exception>
#include <memory>

#include "app/KorvanuApplication.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"
#include "engine/EngineState.h"
#include "engine/RunComputation.h"
#include "ui/AppContext.h"
#include "ui/Fonts.h"
#include "ui/QtDialogs.h"
#include "ui/TFormAnchors.h"
#include "ui/TFormAxis.h"
#include "ui/TFormGraphs.h"
#include "ui/TFormKRV.h"
#include "ui/TFormManual.h"
#include "ui/TFormProfiles.h"
#include "ui/TFormSections.h"
#include "ui/TFormSoils.h"
#include "ui/TFormTables.h"

int main(int argc, char* argv[]) {
  using namespace korvanu;
  KorvanuApplication app(argc, argv);
  try {
    InstallFontSubstitutes();
    auto problem = std::make_unique<ProblemData>();
    ViewState view;
    auto engine = std::make_unique<EngineState>();  // large: keep it off the stack
    QtDialogs dialogs;
    AppContext context{*problem, view, *engine, dialogs, RunComputation};

    // The main window first (it sets up the default problem), then the tool
    // windows, hidden, in this order.
    TFormKRV mainWindow(context);
    TFormSoils soils(context);
    context.Windows.Soils = &soils;
    TFormProfiles profiles(context);
    context.Windows.Profiles = &profiles;
    TFormSections sections(context);
    context.Windows.Sections = &sections;
    TFormAnchors anchors(context);
    context.Windows.Anchors = &anchors;
    TFormAxis axis(context);
    context.Windows.Axis = &axis;
    TFormTables tables(context);
    context.Windows.Tables = &tables;
    TFormGraphs graphs(context);
    context.Windows.Graphs = &graphs;
    TFormManual manual(context);
    context.Windows.Manual = &manual;

    mainWindow.show();
    return app.exec();
  } catch (const std::exception& error) {
    ShowFatalError(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    ShowFatalError(QStringLiteral("Unknown error."));
  }
  return 1;
}
