// One run of a search: computed in memory, stopped between steps when the
// search is cancelled, and, when the search only needs to know where it
// fails, at the first step that does not converge.
#pragma once

#include "analysis/InMemoryRun.h"
#include "analysis/SearchControl.h"
#include "core/ProblemData.h"
#include "engine/EngineState.h"

namespace korvanu {

// Thrown by RunTrial when the control asks to stop; a search catches it at
// its top and reports itself cancelled.
struct SearchCancelled {};

// Runs steps 0..lastStep. With `stopAtFailure` the run ends at the first step
// that does not converge, which is then the verdict's FailedStep.
RunVerdict RunTrial(const ProblemData& problem, int lastStep, EngineState& engine,
                    const SearchControl& control, bool stopAtFailure);

}  // namespace korvanu
