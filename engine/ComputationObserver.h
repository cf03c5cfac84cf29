// How a computation tells its caller what it is doing. The window repaints its
// progress panel, shows message boxes and paces steps to one second; the
// command line prints; tests record. Every hook has a do-nothing default.
#pragma once

#include <string>

namespace korvanu {

class ComputationObserver {
 public:
  virtual ~ComputationObserver() = default;

  // The run has started; the pacing clock starts here.
  virtual void RunStarted() {}
  // A loading step begins ("Loading Step : s").
  virtual void StepStarted(int step) { (void)step; }
  // The plastic springs counted before this pass's solution.
  virtual void PlasticSpringsCounted(int count) { (void)count; }
  // A step file is about to be written ("Writing Output in Datafile : name").
  virtual void WritingStepFile(const std::string& name) { (void)name; }
  // A message the user must acknowledge (non-convergence, stiffness warning,
  // a step file that cannot be written). The run goes on afterwards.
  virtual void ShowMessage(const std::string& text) { (void)text; }
  // A step converged: wait until the whole-second clock has advanced past the
  // value read last. The command line and tests do not wait.
  virtual void PaceStep() {}
};

}  // namespace korvanu
