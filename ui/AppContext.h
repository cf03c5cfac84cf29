// What every window of the program shares: the problem, the window state, the
// engine's working record, the dialogs, the computation and the windows.
#pragma once

#include <functional>

#include "core/EditHistory.h"
#include "core/ProblemData.h"
#include "core/ResultsBasis.h"
#include "core/ViewState.h"
#include "engine/ComputationObserver.h"
#include "engine/EngineState.h"
#include "engine/FloatingPointFault.h"
#include "results/KeptStepResults.h"
#include "ui/StepLink.h"

namespace korvanu {

class Dialogs;
class TFormKRV;
class TFormSoils;
class TFormProfiles;
class TFormSections;
class TFormAnchors;
class TFormAxis;
class TFormTables;
class TFormGraphs;
class TFormManual;
class TFormDesign;

// The nine windows; each is filled in as start-up creates it.
struct WindowSet {
  TFormKRV* Main = nullptr;
  TFormSoils* Soils = nullptr;
  TFormProfiles* Profiles = nullptr;
  TFormSections* Sections = nullptr;
  TFormAnchors* Anchors = nullptr;
  TFormAxis* Axis = nullptr;
  TFormTables* Tables = nullptr;
  TFormGraphs* Graphs = nullptr;
  TFormManual* Manual = nullptr;
  TFormDesign* Design = nullptr;
};

// Runs the whole computation; the program passes RunComputation.
using ComputeFunction =
    std::function<ComputationFault(ProblemData&, EngineState&, ComputationObserver&)>;

struct AppContext {
  ProblemData& Problem;
  ViewState& View;
  EngineState& Engine;
  Dialogs& Dialog;
  ComputeFunction Compute;
  WindowSet Windows{};
  // The loading step shared by the windows that show one.
  StepLink Steps{};
  // Modal boxes of any window open at this moment, and the main window's
  // commands that may open one (ModalScope).
  int ModalBoxes = 0;
  // The stored edits that undo and redo go through.
  EditHistory History{};
  // The results of the last computation in the window, at full precision.
  KeptStepResults Computed{};
  // The problem those results belong to.
  ResultsBasis Results{};
};

}  // namespace korvanu
