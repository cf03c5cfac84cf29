// The axial forces editor: the normal forces at the top and the bottom of
// the wall and the moment at its top, a row for every loading step; its
// creation sets the start values of the axial table.
#pragma once

#include "ui/EditorWindow.h"

namespace korvanu {

class TFormAxis : public EditorWindow {
  Q_OBJECT

 public:
  explicit TFormAxis(AppContext& context);

  // With the cursor on the first NTop and the keyboard in the grid.
  void FormActivate() override;
  void FormPaint() override { FillAxisGrid(); }
  // Rewrites every data cell from the problem and sizes the window.
  void FillAxisGrid();
  void SpeedButtonHelpClick() override;

 protected:
  CellCommit CommitCell(int col, int row) override;
};

}  // namespace korvanu
