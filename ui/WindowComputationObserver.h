// The main window's side of a computation: the progress panel's labels, the
// message boxes and the pacing of converged steps to whole seconds.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/ComputationObserver.h"

class QLabel;
class QWidget;

namespace korvanu {

class KeptStepResults;
class Dialogs;

// Whole seconds of the local clock.
using SecondsClock = std::function<std::int64_t()>;
SecondsClock SystemSecondsClock();

struct ProgressLabels {
  QWidget* Panel = nullptr;
  QLabel* Step = nullptr;     // Label2
  QLabel* Plastic = nullptr;  // Label3
  QLabel* Writing = nullptr;  // Label4
};

class WindowComputationObserver : public ComputationObserver {
 public:
  WindowComputationObserver(ProgressLabels labels, Dialogs& dialogs, QWidget* parent,
                            SecondsClock clock);

  void RunStarted() override;
  void StepStarted(int step) override;
  void PlasticSpringsCounted(int count) override;
  void WritingStepFile(const std::string& name) override;
  void ShowMessage(const std::string& text) override;
  void PaceStep() override;
  void StepFinished(const StepOutcome& outcome, const EngineState& engine) override;

  // Keeps the results of every step written to its file in `kept`.
  void KeepResultsIn(KeptStepResults* kept) { kept_ = kept; }

 private:
  // Makes new captions visible at once, without running the event loop.
  void RepaintPanel();

  ProgressLabels labels_;
  Dialogs& dialogs_;
  QWidget* parent_;
  SecondsClock clock_;
  std::int64_t lastSecond_ = 0;
  KeptStepResults* kept_ = nullptr;
};

}  // namespace korvanu
