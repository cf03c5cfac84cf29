// How a computation tells its caller what it is doing. The window repaints its
// progress panel, shows message boxes and paces steps to one second; the
// command line prints; tests record. Every hook has a do-nothing default.
#pragma once

#include <optional>
#include <string>

#include "engine/EngineState.h"

namespace korvanu {

// How one loading step ended.
struct StepOutcome {
  int step = 0;
  int passes = 0;  // passes run, 1..25
  bool converged = false;
  int plasticSprings = 0;    // counted before the solution of the last pass
  bool fileWritten = false;  // a step file was written for the step
};

class ComputationObserver {
 public:
  virtual ~ComputationObserver() = default;

  // The run has started; the pacing clock starts here.
  virtual void RunStarted() {}
  // A loading step begins ("Loading Step : s").
  virtual void StepStarted(int step) { (void)step; }
  // The plastic springs counted before this pass's solution.
  virtual void PlasticSpringsCounted(int count) { (void)count; }
  // Where the step file `name` goes: the name itself (the current folder, as
  // the window has it), another path, or nothing for a run that writes no
  // files (a search that computes a problem many times). A run without files
  // gives the same numbers and the same faults: the records are still checked
  // as writing them checks them.
  virtual std::optional<std::string> StepFilePath(const std::string& name) { return name; }
  // A step file is about to be written ("Writing Output in Datafile : name").
  virtual void WritingStepFile(const std::string& name) { (void)name; }
  // A message the user must acknowledge (non-convergence, stiffness warning,
  // a step file that cannot be written). The run goes on afterwards.
  virtual void ShowMessage(const std::string& text) { (void)text; }
  // A step converged: wait until the whole-second clock has advanced past the
  // value read last. The command line and tests do not wait.
  virtual void PaceStep() {}
  // A step has ended, converged or not; engine holds its last solution (and,
  // when converged, its shear forces). Called after the step's message and
  // pacing.
  virtual void StepFinished(const StepOutcome& outcome, const EngineState& engine) {
    (void)outcome;
    (void)engine;
  }
};

}  // namespace korvanu
