// Starts the program on its default problem; it reads no command line.
// The problem, the window state and the engine's working record live here,
// for the whole run; the windows receive references.
#include <exception>
#include <memory>

#include "app/KorvanuApplication.h"
#include "base/Fonts.h"
#include "base/QtDialogs.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"
#include "engine/EngineState.h"
#include "engine/RunComputation.h"
#include "ui/AppContext.h"
#include "ui/ApplicationWindows.h"
#include "ui/TFormKRV.h"

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

    ApplicationWindows windows(context);
    windows.Main().show();
    return app.exec();
  } catch (const std::exception& error) {
    ShowFatalError(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    ShowFatalError(QStringLiteral("Unknown error."));
  }
  return 1;
}
