// The catalogue of sheet pile profiles.
#pragma once

#include "ui/ToolWindow.h"

namespace korvanu {

class TFormProfiles : public ToolWindow {
  Q_OBJECT

 public:
  explicit TFormProfiles(AppContext& context);
};

}  // namespace korvanu
