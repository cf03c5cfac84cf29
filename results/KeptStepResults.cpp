// Keeping the results of a computation's steps.
#include "results/KeptStepResults.h"

#include <cstdlib>
#include <string>

#include "core/FixedSixText.h"

namespace korvanu {

namespace {

// The value as the step file carries it ("%12.6f") and the reader reads it.
double AsWritten(double value) {
  char digits[FixedSixRoom + 1];
  *WriteFixedSix(digits, value) = '\0';
  return std::strtod(digits, nullptr);
}

}  // namespace

void KeptStepResults::Clear() {
  for (auto& step : steps_) step.reset();
}

void KeptStepResults::Keep(int step, const NodeResults& nodes) {
  if (step < 0 || step >= StepSlots) return;
  steps_[step] = std::make_unique<NodeResults>(nodes);
}

const NodeResults* KeptStepResults::Matching(int step, const NodeResults& read, int NN) const {
  if (step < 0 || step >= StepSlots || !steps_[step] || NN < 0 || NN >= MaxNodes) return nullptr;
  const NodeResults& kept = *steps_[step];
  for (int i = 0; i <= NN; ++i)
    if (AsWritten(kept.z[i]) != read.z[i] || AsWritten(kept.w[i]) != read.w[i] ||
        AsWritten(kept.M[i]) != read.M[i] || AsWritten(kept.Qminus[i]) != read.Qminus[i] ||
        AsWritten(kept.Qplus[i]) != read.Qplus[i])
      return nullptr;
  return &kept;
}

}  // namespace korvanu
