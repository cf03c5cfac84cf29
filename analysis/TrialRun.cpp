// The engine has no way to stop a run; the observer ends it by throwing from
// a step boundary, where the run holds nothing but the engine and its copy.
#include "analysis/TrialRun.h"

#include "engine/FloatingPointFault.h"

namespace korvanu {
namespace {

struct StepFailed {
  int Step;
};

class TrialWatcher : public ComputationObserver {
 public:
  TrialWatcher(const SearchControl& control, bool stopAtFailure)
      : control_(control), stopAtFailure_(stopAtFailure) {}

  void StepStarted(int) override {
    if (control_.Cancelled()) throw SearchCancelled{};
  }
  void StepFinished(const StepOutcome& outcome, const EngineState&) override {
    if (stopAtFailure_ && !outcome.converged) throw StepFailed{outcome.step};
  }

 private:
  const SearchControl& control_;
  bool stopAtFailure_;
};

}  // namespace

RunVerdict RunTrial(const ProblemData& problem, int lastStep, EngineState& engine,
                    const SearchControl& control, bool stopAtFailure) {
  if (control.Cancelled()) throw SearchCancelled{};
  TrialWatcher watcher(control, stopAtFailure);
  try {
    return RunInMemory(problem, lastStep, engine, &watcher);
  } catch (const StepFailed& failed) {
    ClearFloatingPointFlags();
    RunVerdict verdict;
    verdict.FailedStep = failed.Step;
    return verdict;
  } catch (const SearchCancelled&) {
    ClearFloatingPointFlags();
    throw;
  }
}

}  // namespace korvanu
