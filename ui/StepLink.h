// The loading step that the soil layers, anchors, cross sections, output
// tables and output graphs windows share: choosing a step in one of them
// refreshes the others that are shown, each window in the order it lists
// them, and the output windows only for steps above 0.
#pragma once

#include <array>

namespace korvanu {

enum class StepWindow { Soils, Anchors, Sections, Tables, Graphs };
constexpr int StepWindowCount = 5;

// What a window that shows a step offers the link.
class StepView {
 public:
  virtual ~StepView() = default;
  virtual bool IsShownForSteps() const = 0;
  // Rebuilds the window for the shared step (reads what it shows, then
  // schedules a repaint).
  virtual void RefreshStep() = 0;
  // Whether the window draws the problem's input, so that an edit elsewhere
  // must redraw it.
  virtual bool DrawsInput() const { return false; }
  // ResultsValid may have changed: a window that shows results says whether
  // they are still those of the problem.
  virtual void ShowResultsState() {}
};

class StepLink {
 public:
  // A window joins the link when it is created; null leaves it out.
  void Join(StepWindow window, StepView* view);

  // `source` has just stored the chosen step: refreshes the other shown
  // windows and `source` itself, in the order of `source`.
  void StepChosen(StepWindow source, int step);

  // An edit was stored: the shown windows that draw the input follow it, and
  // those that show results say that these are out of date.
  void ProblemChanged();
  // ResultsValid may have changed.
  void ResultsStateChanged();

 private:
  std::array<StepView*, StepWindowCount> views_{};
};

}  // namespace korvanu
