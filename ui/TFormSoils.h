// The soil layer editor.
#pragma once

#include "ui/ToolWindow.h"

namespace korvanu {

class TFormSoils : public ToolWindow {
  Q_OBJECT

 public:
  explicit TFormSoils(AppContext& context);

  // Puts the step chooser on `step`; the main window's Layers command does
  // this before it shows the window.
  void SelectStep(int step);
};

}  // namespace korvanu
