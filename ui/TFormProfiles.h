// The catalogue of sheet pile profiles: name and section properties of the
// 20 profiles the wall may be made of.
#pragma once

#include "ui/EditorWindow.h"

namespace korvanu {

class TFormProfiles : public EditorWindow {
  Q_OBJECT

 public:
  explicit TFormProfiles(AppContext& context);

  // Derives i from EI of every profile, then rewrites every data cell.
  void FormPaint() override;
  // With the cursor on the first name and the keyboard in the grid.
  void FormActivate() override;
  void SpeedButtonHelpClick() override;

 protected:
  CellCommit CommitCell(int col, int row) override;
  void AfterCommit(int col, int row) override;

 private:
  void WriteCell(int column, int profile);
};

}  // namespace korvanu
