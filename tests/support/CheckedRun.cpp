// The checked computation that the computation fuzz target and the soak test share.
#include "tests/support/CheckedRun.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/RunComputation.h"
#include "results/StepOutputReader.h"
#include "tests/support/OutputChecks.h"

namespace korvanu::check {
namespace {

struct Recorder : ComputationObserver {
  std::vector<std::string> messages;
  std::vector<std::string> files;
  std::vector<StepOutcome> outcomes;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void WritingStepFile(const std::string& name) override { files.push_back(name); }
  void StepFinished(const StepOutcome& outcome, const EngineState&) override {
    outcomes.push_back(outcome);
  }
};

std::set<std::string> FolderEntries() {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

}  // namespace

RunSummary CheckedRun(ProblemData& problem, EngineState& engine) {
  Recorder observer;
  RunSummary summary;
  summary.fault = RunComputation(problem, engine, observer);
  const GeneralData& g = problem.General;
  Require(summary.fault != ComputationFault::LimitsExceeded,
          "a problem within the tables exceeds the limits");
  if (summary.fault == ComputationFault::None) {
    Require(observer.outcomes.size() == static_cast<size_t>(g.NT + 1),
            "a run without a fault skipped a step");
  }

  std::set<std::string> reported;
  for (const StepOutcome& o : observer.outcomes) {
    Require(o.passes >= 1 && o.passes <= MaxPasses, "a step ran no pass or too many");
    ++(o.converged ? summary.convergedSteps : summary.unconvergedSteps);
    Require(!o.fileWritten || (o.converged && o.step > 0), "a step file for a step without one");
    if (o.fileWritten) reported.insert(StepOutputFileName(problem, o.step));
  }
  int nonConvergenceMessages = 0;
  for (const std::string& m : observer.messages) {
    Require(m == NonConvergenceMessage || m == StiffnessWarning,
            "an unexpected message (a step file that could not be written?)");
    if (m == NonConvergenceMessage) ++nonConvergenceMessages;
  }
  Require(nonConvergenceMessages == summary.unconvergedSteps,
          "a step ended without convergence and without its message");
  const std::set<std::string> announced(observer.files.begin(), observer.files.end());
  for (const std::string& name : announced) {
    Require(name.find('/') == std::string::npos, "a step file outside the current folder");
  }

  // Only announced step files are there, every step reported written among
  // them (a fault after its file was written ends the run before the step is
  // reported; one while it was written leaves no file), and each reads back whole.
  const std::set<std::string> found = FolderEntries();
  for (const std::string& name : found) {
    if (announced.count(name) == 0) Fail("the folder holds a file no step wrote: " + name);
  }
  for (const std::string& name : reported) {
    if (found.count(name) == 0) Fail("a step file reported written is missing: " + name);
  }
  static NodeResults readBack;
  for (const std::string& name : found) {
    RequireWellFormedStepFile(ReadWholeFile(name), g.NN);
    const StepReadOutcome outcome = ReadStepOutput(name, g.NN, readBack);
    Require(outcome.Ok && outcome.Records == g.NN + 1 && outcome.Skipped == 0,
            "a step file does not read back whole");
    std::filesystem::remove(name);
  }
  summary.stepFiles = static_cast<int>(found.size());
  return summary;
}

}  // namespace korvanu::check
