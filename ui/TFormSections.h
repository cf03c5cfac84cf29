// The cross-section view.
#pragma once

#include "ui/ToolWindow.h"

namespace korvanu {

class TFormSections : public ToolWindow {
  Q_OBJECT

 public:
  explicit TFormSections(AppContext& context);
};

}  // namespace korvanu
