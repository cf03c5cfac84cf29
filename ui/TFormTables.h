// The output tables window: the results of one loading step, a row per node,
// read from its step file whenever the window is shown, activated or
// switched to another step.
#pragma once

#include "ui/StepLink.h"
#include "ui/ToolWindow.h"

class QAction;
class QFrame;
class QLabel;
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
  // Saves the shown step as the CSV that the command line writes.
  void ExportCsv();

  bool IsShownForSteps() const override { return context_.View.TablesShown; }
  void RefreshStep() override { Fill(); }
  void ShowResultsState() override;

  StringGrid& TablesGrid() { return *grid_; }
  StepChooser& ComboBoxStep() { return *chooser_; }
  QLabel& LabelOutOfDate() { return *outOfDate_; }
  QAction& ExportAction() { return *export_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QFrame* panel_ = nullptr;
  StepChooser* chooser_ = nullptr;
  QToolButton* help_ = nullptr;
  StringGrid* grid_ = nullptr;
  QLabel* outOfDate_ = nullptr;
  QAction* export_ = nullptr;
};

}  // namespace korvanu
