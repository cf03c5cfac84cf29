// The loading-step driver: reset, then for every step the state iteration of
// evaluating, solving and evaluating again until no spring or anchor changes
// its state; converged steps are written and their plastic shifts kept.
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

// Observers (windows) may leave IEEE flags of their own behind.
void AfterObserver() {
  ClearFloatingPointFlags();
}

bool WithinLimits(const GeneralData& g) {
  return g.NN >= 0 && g.NN <= MaxElements && g.NL >= 0 && g.NL <= MaxLayers && g.NT <= MaxSteps;
}

}  // namespace

ComputationFault RunComputation(ProblemData& problem, EngineState& engine,
                                ComputationObserver& observer) {
  observer.RunStarted();
  if (!WithinLimits(problem.General)) {
    AfterObserver();
    return ComputationFault::LimitsExceeded;
  }
  const int NN = problem.General.NN;
  const int NT = problem.General.NT;
  try {
    ClearFloatingPointFlags();
    PlaceNodes(problem, engine);
    CheckFloatingPointFlags();
    ResetEngine(engine);

    for (int s = 0; s <= NT; ++s) {
      observer.StepStarted(s);
      AfterObserver();
      StepOutcome outcome;
      outcome.step = s;
      int n = 0;
      do {
        ++n;
        outcome.passes = n;
        EvaluateStates(problem, engine, s);
        outcome.plasticSprings = engine.PlasticSprings;
        if (s > 0) {
          observer.PlasticSpringsCounted(engine.PlasticSprings);
          AfterObserver();
          AssembleSystem(problem, engine, s);
          CheckFloatingPointFlags();
          SolveSystem(problem, engine);
          CheckFloatingPointFlags();
          for (int i = 0; i <= NN; ++i) {
            engine.Nodes.M[i] = engine.Rows[i].rhs[0];
            engine.Nodes.w[i] = engine.Rows[i].rhs[1];
          }
          // Only the changes at the new displacements decide convergence.
          EvaluateStates(problem, engine, s);
        }
        if (engine.StateChanges == 0) {
          if (s == 0 && CheckStiffness(problem, engine)) {
            CheckFloatingPointFlags();
            observer.ShowMessage(StiffnessWarning);
            AfterObserver();
          }
          CheckFloatingPointFlags();
          ComputeShear(problem, engine);
          CheckFloatingPointFlags();
          if (s > 0) {
            const std::string name = StepOutputFileName(problem, s);
            const std::optional<std::string> path = observer.StepFilePath(name);
            AfterObserver();
            if (path) {
              observer.WritingStepFile(name);
              AfterObserver();
              outcome.fileWritten = WriteStepOutput(problem, engine, *path);
              ClearFloatingPointFlags();  // the formatting's own flags
              if (!outcome.fileWritten) {
                observer.ShowMessage(WriteFailureMessage);
                AfterObserver();
              }
            } else {
              CheckStepRecords(problem, engine);
            }
          }
          UpdateAnchorPlastic(problem, engine, s);
          UpdateAllSoilPlastic(problem, engine, s);
          CheckFloatingPointFlags();
          observer.PaceStep();
          AfterObserver();
          outcome.converged = true;
          n = MaxPasses + 1;
        }
      } while (n < MaxPasses);
      if (n == MaxPasses) {
        // A step file of this name left by an earlier run would pass for
        // this step's results: the views must find none instead.
        if (s > 0) {
          const std::optional<std::string> path =
              observer.StepFilePath(StepOutputFileName(problem, s));
          AfterObserver();
          if (path) std::remove(path->c_str());
        }
        observer.ShowMessage(NonConvergenceMessage);
        AfterObserver();
      }
      observer.StepFinished(outcome, engine);
      AfterObserver();
    }
  } catch (const FloatingPointFaultError& fault) {
    ClearFloatingPointFlags();
    return fault.Fault();
  }
  return ComputationFault::None;
}

}  // namespace korvanu
