// A computation held in memory: no step files, no pacing, nothing shown.
// It keeps no state of its own and never uses the current folder, so several
// threads may run at once, each with its own problem and engine.
#pragma once

#include <string>

#include "core/ProblemData.h"
#include "engine/ComputationObserver.h"
#include "engine/EngineState.h"
#include "engine/FloatingPointFault.h"

namespace korvanu {

// How a run ended.
struct RunVerdict {
  ComputationFault Fault = ComputationFault::None;
  int FailedStep = -1;  // the first step that did not converge, or the step a fault ended
  bool Stands() const { return Fault == ComputationFault::None && FailedStep < 0; }
};

// Runs steps 0..lastStep (NT when lastStep is larger) of a copy of the
// problem. `watcher`, when given, sees the run as a computation's observer
// does, except that it is never asked for a step file or to pace a step.
RunVerdict RunInMemory(const ProblemData& problem, int lastStep, EngineState& engine,
                       ComputationObserver* watcher = nullptr);

// "stands", "step 2 does not converge", "Floating point overflow. (step 1)".
std::string VerdictText(const RunVerdict& verdict);

}  // namespace korvanu
