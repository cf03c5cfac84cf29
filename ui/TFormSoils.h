// The soil layer editor: the properties of every layer in one loading step
// and on one side of the wall; in step 0 both sides are edited together.
#pragma once

#include <memory>

#include "ui/EditorWindow.h"

class QComboBox;
class QLabel;
class QToolButton;

namespace korvanu {

class StepChooser;
class TFormStrength;

class TFormSoils : public EditorWindow {
  Q_OBJECT

 public:
  explicit TFormSoils(AppContext& context);

  // Puts the step chooser on `step`; the main window's Layers command does
  // this before it shows the window.
  void SelectStep(int step);

  // Rebuilds the window from the problem: the chooser's steps, the side, the
  // grid.
  void FormPaint() override;
  // As FormPaint, with the cursor on the first name and the keyboard in the
  // grid.
  void FormActivate() override;
  // Takes the step from the chooser (clamped to 0..NT), refreshes the other
  // shown step windows and then this one.
  void ComboBoxStepChange();
  void ComboBoxSideChange();
  // Rewrites every data cell from the problem and sizes the window.
  void FillSoilGrid();
  void SpeedButtonHelpClick() override;
  // "K from φ'" (Alt+K): stores a value typed but not left, then opens the
  // dialog for the layer under the cursor; nothing when the value is refused.
  TFormStrength* SpeedButtonStrengthClick();

  StepChooser& ComboBoxStep() { return *chooser_; }
  QComboBox& ComboBoxSide() { return *side_; }
  QLabel& LabelSide() { return *labelSide_; }
  QToolButton& SpeedButtonStrength() { return *strength_; }
  // What the last edit did beyond its cells, on the panel.
  QLabel& LabelNote() { return *note_; }

 protected:
  CellCommit CommitCell(int col, int row) override;
  void AfterCommit(int col, int row) override;
  // Keeps the strokes derived from k_h in step with the initial stresses
  // the edit may have moved, and tells what the edit filled again.
  std::string FinishEdit(const ProblemData& before) override;
  void ShowNote(const std::string& note) override;

 private:
  StepChooser* chooser_ = nullptr;
  QComboBox* side_ = nullptr;
  QLabel* labelSide_ = nullptr;
  QToolButton* strength_ = nullptr;
  QLabel* note_ = nullptr;
  // The problem the note speaks of: a change made elsewhere (an undo, a
  // file opened) makes it stale.
  std::unique_ptr<ProblemData> notedFor_;
};

}  // namespace korvanu
