// The anchors and lateral forces editor; its creation sets the start values of the anchor table.
#pragma once

#include "ui/ToolWindow.h"

namespace korvanu {

class TFormAnchors : public ToolWindow {
  Q_OBJECT

 public:
  explicit TFormAnchors(AppContext& context);
};

}  // namespace korvanu
