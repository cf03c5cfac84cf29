// Follows a computation for the command line: one aligned table row per
// loading step, the messages that the window would show in boxes, and where
// the step files and CSV files of the run go.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/ProblemData.h"
#include "engine/ComputationObserver.h"

namespace korvanu {

// Index of the largest |value| among nodes 0..NN; the upper node on a tie.
int LargestAt(const std::array<double, MaxNodes>& values, int NN);

// Where a run's files go; nothing for a folder means no such files.
struct RunFiles {
  std::optional<std::filesystem::path> StepFolder;  // the step files ("" the current folder)
  std::optional<std::filesystem::path> CsvFolder;   // one CSV file per converged step
};

class StepTableObserver : public ComputationObserver {
 public:
  StepTableObserver(const ProblemData& problem, std::ostream& out, RunFiles files);

  // The column captions; printed before the run.
  void PrintHeader();

  std::optional<std::string> StepFilePath(const std::string& name) override;
  void StepStarted(int step) override;
  void WritingStepFile(const std::string& name) override;
  void ShowMessage(const std::string& text) override;
  void StepFinished(const StepOutcome& outcome, const EngineState& engine) override;

  // The row of the step that a floating-point fault ended.
  void PrintFault(const std::string& faultText);
  // The messages in the order they came, then the step and CSV files written.
  void PrintSummary();

  bool AllConverged() const { return allConverged_; }
  // A step file or a CSV file could not be written.
  bool WriteFailed() const { return writeFailed_; }
  // The step a fault ended, or the last step that was started.
  int CurrentStep() const { return currentStep_; }
  int StepFileCount() const { return static_cast<int>(files_.size()); }
  int CsvFileCount() const { return static_cast<int>(csvFiles_.size()); }
  // The first step that did not converge, -1 when none.
  int FirstFailedStep() const { return firstFailedStep_; }

 private:
  struct Message {
    int Step;
    std::string Text;
  };

  void WriteCsv(int step, const EngineState& engine);

  const ProblemData& problem_;
  std::ostream& out_;
  RunFiles where_;
  int currentStep_ = 0;
  int firstFailedStep_ = -1;
  bool allConverged_ = true;
  bool writeFailed_ = false;
  std::vector<Message> messages_;
  std::vector<std::string> files_;
  std::vector<std::string> csvFiles_;
};

}  // namespace korvanu
