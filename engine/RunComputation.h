// The whole computation of a problem through its loading steps 0..NT.
#pragma once

#include "core/ProblemData.h"
#include "engine/ComputationObserver.h"
#include "engine/EngineState.h"
#include "engine/FloatingPointFault.h"

namespace korvanu {

// Messages of a run, shown through the observer.
extern const char* const NonConvergenceMessage;
extern const char* const StiffnessWarning;
extern const char* const WriteFailureMessage;

// Runs every loading step. A floating-point fault ends the run at the fault
// and is returned; step files written before it stay. Messages go through the
// observer. Fa of the computed steps is stored back as its magnitude.
ComputationFault RunComputation(ProblemData& problem, EngineState& engine,
                                ComputationObserver& observer);

}  // namespace korvanu
