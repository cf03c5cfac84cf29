// The loading step that the soil layers, anchors, cross sections, output
// tables and output graphs windows share: choosing a step in one of them
// refreshes the others that are shown, each window in the order it lists
// them, and the output windows only for steps above 0.
#pragma once

#include <array>
#include <vector>

namespace korvanu {

enum class StepWindow { Soils, Anchors, Sections, Tables, Graphs, Design };
constexpr int StepWindowCount = 6;

// What a window that shows a step offers the link.
class StepView {
 public:
  virtual ~StepView() = default;
  virtual bool IsShownForSteps() const = 0;
  // Rebuilds the window for the shared step (reads what it shows, then
  // schedules a repaint).
  virtual void RefreshStep() = 0;
  // Whether the window is on the screen showing the problem's input, so that
  // a change of the problem must rewrite it (RefreshStep rewrites it).
  virtual bool ShowsInput() const { return false; }
  // ResultsValid may have changed: a window that shows results says whether
  // they are still those of the problem.
  virtual void ShowResultsState() {}
};

class StepLink {
 public:
  // A window joins the link when it is created; null leaves it out.
  void Join(StepWindow window, StepView* view);
  // A window that shows input but no step joins for the problem's changes.
  void JoinInput(StepView* view);

  // `source` has just stored the chosen step: refreshes the other shown
  // windows and `source` itself, in the order of `source`.
  void StepChosen(StepWindow source, int step);

  // The problem's data changed (an edit stored, a problem opened or made
  // new): every window on the screen that shows the input is rewritten,
  // except `source`, the editor whose commit changed it and which keeps its
  // cursor and what it shows. Windows that show results say whether they
  // are out of date.
  void ProblemChanged(const StepView* source = nullptr);
  // ResultsValid may have changed.
  void ResultsStateChanged();

 private:
  std::array<StepView*, StepWindowCount> views_{};
  std::vector<StepView*> inputViews_;
};

}  // namespace korvanu
