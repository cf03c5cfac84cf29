// The output tables window: the results of one loading step, a row per node,
// read from its step file whenever the window is shown, activated or
// switched to another step.
#pragma once

#include "ui/StepLink.h"
#include "ui/ToolWindow.h"

class QFrame;
class QToolButton;

namespace korvanu {

class StepChooser;
class StringGrid;

class TFormTables : public ToolWindow, public StepView {
  Q_OBJECT

 public:
  explicit TFormTables(AppContext& context);

  // Takes the step from the chooser (clamped to 1..NT), refreshes the other
  // shown step windows and then this one.
  void ComboBoxStepChange();
  void FormActivate() override;
  // Rebuilds the table from the step file of the current step.
  void Fill();
  void SpeedButtonHelpClick();

  bool IsShownForSteps() const override { return context_.View.TablesShown; }
  void RefreshStep() override { Fill(); }

  StringGrid& TablesGrid() { return *grid_; }
  StepChooser& ComboBoxStep() { return *chooser_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QFrame* panel_ = nullptr;
  StepChooser* chooser_ = nullptr;
  QToolButton* help_ = nullptr;
  StringGrid* grid_ = nullptr;
};

}  // namespace korvanu
