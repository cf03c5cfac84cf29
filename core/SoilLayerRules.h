// What storing a typed value into a cell of the soil layer grid does: names
// and thicknesses belong to the initial state, an edit spreads to the later
// steps (in step 0 to both sides), Kp and Kn stay between Ka and Kp, and a
// layer without dry weight acts as water.
#pragma once

#include <string>
#include <string_view>

#include "core/CellCommit.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"

namespace korvanu {

// The columns of the soil layer grid; the data rows hold layers 1..NL.
enum class SoilColumn { Number, Name, H, Wd, Ws, Zw, Cap, q, c, Ka, Kp, Kn, Dw };
constexpr int SoilColumnCount = 13;

// What a data cell shows for layer `layer` (0-based) in the step and side of
// the view: "%2d" of the layer number, the name, or the value in "%10.3f".
std::string SoilCellText(const ProblemData& problem, const ViewState& view, SoilColumn column,
                         int layer);

// Commits `typed` into the cell of layer `layer` in the step and side of the
// view; whatever the outcome, ResultsValid is cleared.
CellCommit CommitSoilCell(ProblemData& problem, ViewState& view, SoilColumn column, int layer,
                          std::string_view typed);

}  // namespace korvanu
