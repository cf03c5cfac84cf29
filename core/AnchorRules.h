// What storing a typed value into a cell of the anchors grid does: Fx, Fa
// and Dw of a point spread from the shown step to every later step slot, and
// an anchor force is never negative.
#pragma once

#include <string>
#include <string_view>

#include "core/CellCommit.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"

namespace korvanu {

// The columns of the anchors grid; the data rows hold points 0..NL.
enum class AnchorColumn { Number, Depth, Fx, Fa, Dw };
constexpr int AnchorColumnCount = 5;

// What a data cell shows for point `point` in loading step `step`: "%2d" of
// the point, or the depth, Fx, Fa or Dw in "%12.3f".
std::string AnchorCellText(const ProblemData& problem, int step, AnchorColumn column, int point);

// Commits `typed` into the cell of `point` in the view's step; whatever the
// outcome, ResultsValid is cleared.
CellCommit CommitAnchorCell(ProblemData& problem, ViewState& view, AnchorColumn column, int point,
                            std::string_view typed);

}  // namespace korvanu
