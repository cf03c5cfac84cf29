// What storing a typed value into one general-data field does: the range
// rules of NN, NL, NT, NP and Length, the 40-character texts, and the
// refusal of values that are not positive and of texts the datafile cannot
// give back as typed.
#pragma once

#include <string>
#include <string_view>

#include "core/CellCommit.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"

namespace korvanu {

// The fields in the order of the rows of the general data grid.
enum class GeneralField {
  LicensedUser = 0,
  FileName = 1,
  ProblemName = 2,
  Length = 3,
  NN = 4,
  NL = 5,
  NT = 6,
  NP = 7,
};
constexpr int GeneralFieldCount = 8;

// The caption of a field's row ("Length (m)", ...).
const char* GeneralCaption(GeneralField field);

// The stored value of a field in the format its row shows.
std::string GeneralValueText(const ProblemData& problem, GeneralField field);

// Applies the text typed into a field. On acceptance the value is stored
// (even when unchanged), ResultsValid is cleared and PageOffset set to 0;
// a refused value leaves problem and view untouched.
CellCommit ApplyGeneralValue(ProblemData& problem, ViewState& view, GeneralField field,
                             std::string_view typed);

// Length goes back to the depth of the lowest layer boundary, as it does
// whenever the main window becomes active. When a typed Length gives way
// (by more than its shown decimals), returns what the window says of it:
// "Length follows the layers: change the thickness of layer N"; else empty.
std::string LengthFollowsLayers(ProblemData& problem);

}  // namespace korvanu
