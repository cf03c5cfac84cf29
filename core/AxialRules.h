// What storing a typed value into a cell of the axial forces grid does: the
// value of one step only, of any sign.
#pragma once

#include <string>
#include <string_view>

#include "core/CellCommit.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"

namespace korvanu {

// The columns of the axial forces grid; the data rows hold steps 0..NT.
enum class AxialColumn { Step, NTop, NBottom, MTop };
constexpr int AxialColumnCount = 4;

// What a data cell shows for `step`: "%4d" of the step, or NA, NB or MA in
// "%12.3f".
std::string AxialCellText(const ProblemData& problem, AxialColumn column, int step);

// Commits `typed` into the cell of `step`; ResultsValid is cleared.
CellCommit CommitAxialCell(ProblemData& problem, ViewState& view, AxialColumn column, int step,
                           std::string_view typed);

}  // namespace korvanu
