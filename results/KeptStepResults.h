// The results of the steps that the last computation in the window wrote, at
// full precision: a step saved as CSV then carries the numbers that the
// command line writes, not those rounded in the step file.
#pragma once

#include <array>
#include <memory>

#include "core/Limits.h"
#include "engine/EngineState.h"

namespace korvanu {

class KeptStepResults {
 public:
  void Clear();
  void Keep(int step, const NodeResults& nodes);
  // The results kept for `step`, if nodes 0..NN of them round to what was
  // read from its step file; otherwise the file is not the one they went to.
  const NodeResults* Matching(int step, const NodeResults& read, int NN) const;

 private:
  std::array<std::unique_ptr<NodeResults>, StepSlots> steps_;
};

}  // namespace korvanu
