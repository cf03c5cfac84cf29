// The whole computation of a problem through its loading steps 0..NT.
#pragma once

#include "core/ProblemData.h"
#include "engine/ComputationObserver.h"
#include "engine/EngineState.h"

namespace korvanu {

enum class ComputationFault {
  None,
  DivisionByZero,    // "Floating point division by zero."
  Overflow,          // "Floating point overflow."
  InvalidOperation,  // "Invalid floating point operation."
};

// The text the user sees for a fault; empty for None.
const char* FaultText(ComputationFault fault);

// Runs every loading step. A floating-point fault ends the run at the fault
// and is returned; step files written before it stay. Messages go through the
// observer. Fa of the computed steps is stored back as its magnitude.
ComputationFault RunComputation(ProblemData& problem, EngineState& engine,
                                ComputationObserver& observer);

}  // namespace korvanu
