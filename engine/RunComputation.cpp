// The loading-step driver: the limits checked, the nodes placed and the
// engine reset, then every loading step in turn.
#include "engine/RunComputation.h"

#include <cstdio>
#include <optional>
#include <string>

#include "engine/AnchorLaw.h"
#include "engine/BeamEquations.h"
#include "engine/SoilLaw.h"
#include "engine/StepOutput.h"

namespace korvanu {

const char* const NonConvergenceMessage =
    "After 25 iterations no convergence has been reached.\n\n"
    "This suggests that equilibrium is not possible in this case.\n"
    "It may be that the program will work with slightly different\n"
    "data.\n";
const char* const StiffnessWarning =
    "Model not applicable, Stiffness of wall insufficient, or soil too stiff.";
const char* const WriteFailureMessage = "Unable to write datafile.\n\n";

namespace {

void ResetEngine(EngineState& engine) {
  engine.ke.fill(0.0);
  engine.fe.fill(0.0);
  engine.wl.fill(0.0);
  engine.wr.fill(0.0);
  engine.LeftState.fill(SpringState::Elastic);
  engine.RightState.fill(SpringState::Elastic);
  engine.Nodes.w.fill(0.0);
  engine.Nodes.M.fill(0.0);
  engine.Nodes.Qminus.fill(0.0);
  engine.Nodes.Qplus.fill(0.0);
  engine.F.fill(0.0);
  engine.ka.fill(0.0);
  engine.fa.fill(0.0);
  engine.wp.fill(0.0);
  engine.Anchor.fill(AnchorState::Elastic);
  engine.StateChanges = 0;
  engine.PlasticSprings = 0;
  engine.StressStep = -1;
}

void EvaluateStates(ProblemData& problem, EngineState& engine, int step) {
  engine.StateChanges = 0;
  engine.PlasticSprings = 0;
  EvaluateAnchors(problem, engine, step);
  EvaluateAllSprings(problem, engine, step);
  CheckFloatingPointFlags();
}

// Calls the observer and returns what it returns. Observers (windows) may
// leave IEEE flags of their own behind: they are cleared before the
// computation goes on, so that only its own faults are found.
template <typename Call>
auto Observe(Call&& call) {
  struct ClearFlags {
    ~ClearFlags() { ClearFloatingPointFlags(); }
  } clear;
  return call();
}

bool WithinLimits(const GeneralData& g) {
  return g.NN >= 0 && g.NN <= MaxElements && g.NL >= 0 && g.NL <= MaxLayers && g.NT <= MaxSteps;
}

// One solution of a pass: the system at the current states, M and w taken
// from it, and the states evaluated again at the new displacements (only
// their changes there decide convergence).
void SolvePass(ProblemData& problem, EngineState& engine, int s) {
  AssembleSystem(problem, engine, s);
  CheckFloatingPointFlags();
  SolveSystem(problem, engine);
  CheckFloatingPointFlags();
  for (int i = 0; i <= problem.General.NN; ++i) {
    engine.Nodes.M[i] = engine.Rows[i].rhs[0];
    engine.Nodes.w[i] = engine.Rows[i].rhs[1];
  }
  EvaluateStates(problem, engine, s);
}

// A converged step: the stiffness warning of step 0, the shear forces, the
// step file (or the check of its records where none is wanted) and the
// plastic shifts that the next step starts from.
void FinishConvergedStep(ProblemData& problem, EngineState& engine, int s,
                         ComputationObserver& observer, StepOutcome& outcome) {
  if (s == 0 && CheckStiffness(problem, engine)) {
    CheckFloatingPointFlags();
    Observe([&] { observer.ShowMessage(StiffnessWarning); });
  }
  CheckFloatingPointFlags();
  ComputeShear(problem, engine);
  CheckFloatingPointFlags();
  if (s > 0) {
    const std::string name = StepOutputFileName(problem, s);
    const std::optional<std::string> path = Observe([&] { return observer.StepFilePath(name); });
    if (path) {
      Observe([&] { observer.WritingStepFile(name); });
      outcome.fileWritten = WriteStepOutput(problem, engine, *path);
      ClearFloatingPointFlags();  // the formatting's own flags
      if (!outcome.fileWritten) Observe([&] { observer.ShowMessage(WriteFailureMessage); });
    } else {
      CheckStepRecords(problem, engine);
    }
  }
  UpdateAnchorPlastic(problem, engine, s);
  UpdateAllSoilPlastic(problem, engine, s);
  CheckFloatingPointFlags();
  Observe([&] { observer.PaceStep(); });
  outcome.converged = true;
}

// A loading step: passes of evaluating, solving and evaluating again until no
// spring or anchor changes its state, at most MaxPasses of them.
void RunStep(ProblemData& problem, EngineState& engine, int s, ComputationObserver& observer) {
  Observe([&] { observer.StepStarted(s); });
  StepOutcome outcome;
  outcome.step = s;
  for (int n = 1; n <= MaxPasses && !outcome.converged; ++n) {
    outcome.passes = n;
    EvaluateStates(problem, engine, s);
    outcome.plasticSprings = engine.PlasticSprings;
    if (s > 0) {
      Observe([&] { observer.PlasticSpringsCounted(engine.PlasticSprings); });
      SolvePass(problem, engine, s);
    }
    if (engine.StateChanges == 0) FinishConvergedStep(problem, engine, s, observer, outcome);
  }
  if (!outcome.converged) {
    // A step file of this name left by an earlier run would pass for this
    // step's results: the views must find none instead.
    if (s > 0) {
      const std::optional<std::string> path =
          Observe([&] { return observer.StepFilePath(StepOutputFileName(problem, s)); });
      if (path) std::remove(path->c_str());
    }
    Observe([&] { observer.ShowMessage(NonConvergenceMessage); });
  }
  Observe([&] { observer.StepFinished(outcome, engine); });
}

}  // namespace

ComputationFault RunComputation(ProblemData& problem, EngineState& engine,
                                ComputationObserver& observer) {
  Observe([&] { observer.RunStarted(); });
  if (!WithinLimits(problem.General)) return ComputationFault::LimitsExceeded;
  try {
    PlaceNodes(problem, engine);
    CheckFloatingPointFlags();
    ResetEngine(engine);
    const int NT = problem.General.NT;
    for (int s = 0; s <= NT; ++s) RunStep(problem, engine, s, observer);
  } catch (const FloatingPointFaultError& fault) {
    ClearFloatingPointFlags();
    return fault.Fault();
  }
  return ComputationFault::None;
}

}  // namespace korvanu
