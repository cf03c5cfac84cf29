// The order in which each step window refreshes the others after a step
// change. The anchors editor fills its own grid first, the other windows
// last; the output windows have no step 0.
#include "ui/StepLink.h"

#include <span>

namespace korvanu {

namespace {

using enum StepWindow;

// The design summary follows the others, before the source.
constexpr StepWindow FromSoils[] = {Anchors, Sections, Graphs, Tables, Design, Soils};
constexpr StepWindow FromAnchors[] = {Anchors, Soils, Sections, Tables, Graphs, Design};
constexpr StepWindow FromSections[] = {Soils, Anchors, Tables, Graphs, Design, Sections};
constexpr StepWindow FromTables[] = {Soils, Anchors, Sections, Graphs, Design, Tables};
constexpr StepWindow FromGraphs[] = {Soils, Anchors, Tables, Sections, Design, Graphs};
constexpr StepWindow FromDesign[] = {Soils, Anchors, Sections, Tables, Graphs, Design};

std::span<const StepWindow> RefreshOrder(StepWindow source) {
  switch (source) {
    case Soils:
      return FromSoils;
    case Anchors:
      return FromAnchors;
    case Sections:
      return FromSections;
    case Tables:
      return FromTables;
    case Graphs:
      return FromGraphs;
    case Design:
      return FromDesign;
  }
  return {};
}

bool ShowsResults(StepWindow window) {
  return window == Tables || window == Graphs || window == Design;
}

}  // namespace

void StepLink::Join(StepWindow window, StepView* view) {
  views_[static_cast<int>(window)] = view;
}

void StepLink::StepChosen(StepWindow source, int step) {
  for (const StepWindow window : RefreshOrder(source)) {
    StepView* view = views_[static_cast<int>(window)];
    if (view == nullptr) continue;
    if (window != source) {
      if (!view->IsShownForSteps()) continue;
      if (ShowsResults(window) && step < 1) continue;
    }
    view->RefreshStep();
  }
}

void StepLink::JoinInput(StepView* view) {
  inputViews_.push_back(view);
}

void StepLink::ProblemChanged(const StepView* source) {
  const auto follow = [source](StepView* view) {
    if (view != nullptr && view != source && view->ShowsInput()) view->RefreshStep();
  };
  for (StepView* view : views_) follow(view);
  for (StepView* view : inputViews_) follow(view);
  ResultsStateChanged();
}

void StepLink::ResultsStateChanged() {
  for (StepView* view : views_)
    if (view != nullptr) view->ShowResultsState();
}

}  // namespace korvanu
