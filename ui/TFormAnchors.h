// The anchors and lateral forces editor: Fx, Fa and Dw at every layer
// boundary in one loading step; its creation sets the start values of the
// anchor table.
#pragma once

#include "ui/EditorWindow.h"

namespace korvanu {

class StepChooser;

class TFormAnchors : public EditorWindow {
  Q_OBJECT

 public:
  explicit TFormAnchors(AppContext& context);

  // Rebuilds the window for the shared step, with the cursor on the first
  // Fx. Nothing is stored: the cells may still show another step.
  void FormPaint() override;
  // As FormPaint, and the keyboard goes to the grid.
  void FormActivate() override;
  // Takes the step from the chooser (clamped to 0..NT), refreshes the other
  // shown step windows and this one.
  void ComboBoxStepChange();
  // Rewrites every data cell from the problem and sizes the window.
  void FillAnchorsGrid();
  void SpeedButtonHelpClick() override;

  StepChooser& ComboBoxStep() { return *chooser_; }

 protected:
  CellCommit CommitCell(int col, int row) override;

 private:
  StepChooser* chooser_ = nullptr;
};

}  // namespace korvanu
