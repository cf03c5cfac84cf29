// Follows a computation for the command line: one aligned table row per
// loading step, and the messages that the window would show in boxes.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/ProblemData.h"
#include "engine/ComputationObserver.h"

namespace korvanu {

class StepTableObserver : public ComputationObserver {
 public:
  StepTableObserver(const ProblemData& problem, std::ostream& out);

  // The column captions; printed before the run.
  void PrintHeader();

  void StepStarted(int step) override;
  void WritingStepFile(const std::string& name) override;
  void ShowMessage(const std::string& text) override;
  void StepFinished(const StepOutcome& outcome, const EngineState& engine) override;

  // The row of the step that a floating-point fault ended.
  void PrintFault(const std::string& faultText);
  // The messages in the order they came, then the step files written.
  void PrintSummary();

  bool AllConverged() const { return allConverged_; }
  bool WriteFailed() const { return writeFailed_; }

 private:
  struct Message {
    int Step;
    std::string Text;
  };

  const ProblemData& problem_;
  std::ostream& out_;
  int currentStep_ = 0;
  bool allConverged_ = true;
  bool writeFailed_ = false;
  std::vector<Message> messages_;
  std::vector<std::string> files_;
};

}  // namespace korvanu
