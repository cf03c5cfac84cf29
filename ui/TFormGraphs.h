// The output graphs of the loading steps.
#pragma once

#include "ui/ToolWindow.h"

namespace korvanu {

class TFormGraphs : public ToolWindow {
  Q_OBJECT

 public:
  explicit TFormGraphs(AppContext& context);
};

}  // namespace korvanu
