// The default problem of start-up and New, and the start values of the anchor
// and axial tables that their editors set when they are created.
#pragma once

#include "core/ProblemData.h"
#include "core/ViewState.h"

namespace korvanu {

// Values that an excavated layer (no dry weight) takes; Zw is left as it is.
LayerProperties ExcavatedLayer(const LayerProperties& current);

// Resets every field of the problem that New resets, and the view state.
// Leaves Anchors and Axial alone: New keeps them.
void InitialiseProblem(ProblemData& problem, ViewState& view);

// Start values set once when the anchors editor window is created.
void SetAnchorStartValues(ProblemData& problem);
// Start values set once when the axial forces editor window is created.
void SetAxialStartValues(ProblemData& problem);

}  // namespace korvanu
