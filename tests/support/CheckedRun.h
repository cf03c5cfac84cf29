// One computation with every check that must hold whatever the data: the run
// ends converged, not converged with its message, or at one of the three
// floating-point faults; step files land only in the current folder, and each
// holds NN + 1 finite records that read back whole.
#pragma once

#include "core/ProblemData.h"
#include "engine/EngineState.h"
#include "engine/FloatingPointFault.h"

namespace korvanu::check {

struct RunSummary {
  ComputationFault fault = ComputationFault::None;
  int convergedSteps = 0;
  int unconvergedSteps = 0;
  int stepFiles = 0;
};

// Computes the problem in the current folder, which must hold no files
// before; checks everything above (aborting on a failure) and leaves the
// folder empty again.
RunSummary CheckedRun(ProblemData& problem, EngineState& engine);

}  // namespace korvanu::check
