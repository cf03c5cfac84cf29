// The axial forces editor; its creation sets the start values of the axial table.
#pragma once

#include "ui/ToolWindow.h"

namespace korvanu {

class TFormAxis : public ToolWindow {
  Q_OBJECT

 public:
  explicit TFormAxis(AppContext& context);
};

}  // namespace korvanu
