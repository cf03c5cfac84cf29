// Flags and cursors that the windows share; never stored in a file.
#pragma once

#include "core/Limits.h"

namespace korvanu {

struct ViewState {
  bool ResultsValid = false;
  int PageOffset = 0;
  int CurrentStep = 0;
  Side CurrentSide = Side::Left;
  int CurrentCol = 1;
  int CurrentRow = 0;

  bool PrintOptionsShown = false;
  bool SoilsShown = false;
  bool ProfilesShown = false;
  bool SectionsShown = false;
  bool ManualShown = false;
  bool AnchorsShown = false;
  bool AxisShown = false;
  bool TablesShown = false;
  bool GraphsShown = false;
  bool DesignShown = false;
};

}  // namespace korvanu
