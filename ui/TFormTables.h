// The output tables of the loading steps.
#pragma once

#include "ui/ToolWindow.h"

namespace korvanu {

class TFormTables : public ToolWindow {
  Q_OBJECT

 public:
  explicit TFormTables(AppContext& context);
};

}  // namespace korvanu
