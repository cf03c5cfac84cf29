// The manual.
#pragma once

#include "ui/ToolWindow.h"

namespace korvanu {

class TFormManual : public ToolWindow {
  Q_OBJECT

 public:
  explicit TFormManual(AppContext& context);
};

}  // namespace korvanu
