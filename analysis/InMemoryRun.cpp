// Running a problem without files: an observer that refuses every step file,
// notes the first step that fails and passes the rest on.
#include "analysis/InMemoryRun.h"

#include <algorithm>
#include <memory>

#include "engine/RunComputation.h"

namespace korvanu {

namespace {

class InMemoryObserver : public ComputationObserver {
 public:
  explicit InMemoryObserver(ComputationObserver* watcher) : watcher_(watcher) {}

  std::optional<std::string> StepFilePath(const std::string&) override { return std::nullopt; }
  void RunStarted() override {
    if (watcher_) watcher_->RunStarted();
  }
  void StepStarted(int step) override {
    currentStep = step;
    if (watcher_) watcher_->StepStarted(step);
  }
  void PlasticSpringsCounted(int count) override {
    if (watcher_) watcher_->PlasticSpringsCounted(count);
  }
  void ShowMessage(const std::string& text) override {
    if (watcher_) watcher_->ShowMessage(text);
  }
  void StepFinished(const StepOutcome& outcome, const EngineState& engine) override {
    if (!outcome.converged && failedStep < 0) failedStep = outcome.step;
    if (watcher_) watcher_->StepFinished(outcome, engine);
  }

  int currentStep = 0;
  int failedStep = -1;

 private:
  ComputationObserver* watcher_;
};

}  // namespace

RunVerdict RunInMemory(const ProblemData& problem, int lastStep, EngineState& engine,
                       ComputationObserver* watcher) {
  // Large, and changed by the run (Fa is stored back): a copy of our own.
  auto copy = std::make_unique<ProblemData>(problem);
  copy->General.NT = std::min(copy->General.NT, lastStep);
  InMemoryObserver observer(watcher);
  RunVerdict verdict;
  verdict.Fault = RunComputation(*copy, engine, observer);
  verdict.FailedStep =
      verdict.Fault != ComputationFault::None ? observer.currentStep : observer.failedStep;
  return verdict;
}

std::string VerdictText(const RunVerdict& verdict) {
  if (verdict.Fault != ComputationFault::None) {
    return std::string(FaultText(verdict.Fault)) + " (step " + std::to_string(verdict.FailedStep) +
           ")";
  }
  if (verdict.FailedStep >= 0) {
    return "step " + std::to_string(verdict.FailedStep) + " does not converge";
  }
  return "stands";
}

}  // namespace korvanu
