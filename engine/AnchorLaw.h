// Anchors and given lateral forces at the layer boundaries, and the axial force
// along the wall.
#pragma once

#include "core/ProblemData.h"
#include "engine/EngineState.h"

namespace korvanu {

// Linearises the force of every point 0..NL into ka, fa; updates the anchor
// states and StateChanges. Stores |Fa| back into the problem.
void EvaluateAnchors(ProblemData& problem, EngineState& engine, int step);

// Shifts wp of every point for the converged displacement of the step.
void UpdateAnchorPlastic(const ProblemData& problem, EngineState& engine, int step);

// Axial force (tension positive) at node i in the step.
double AxialForceAt(const ProblemData& problem, const EngineState& engine, int i, int step);

// Whether an anchor is given at the point in the step (|Fa| not below the
// tolerance) and its last evaluated state is not slack.
bool AnchorActs(const ProblemData& problem, const EngineState& engine, int step, int point);

// The anchor's share of the lateral force at the point, positive to the right,
// for the current W: fa - ka * W - Fx.
double AnchorForceAt(const ProblemData& problem, const EngineState& engine, int step, int point);

}  // namespace korvanu
