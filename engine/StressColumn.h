// The vertical stress of one side in one step at the depths of a whole mesh,
// without adding up every layer above each depth again.
#pragma once

#include <array>

#include "core/Limits.h"
#include "core/ProblemData.h"
#include "engine/SoilLaw.h"

namespace korvanu {

// At(z) gives the bits VerticalStress gives: the sums over the layers above
// are kept in the order VerticalStress adds them, each computed when a depth
// first needs it, so the floating-point flags rise as they would there too.
// Layer boundaries out of order fall back to VerticalStress.
class StressColumn {
 public:
  StressColumn(const ProblemData& problem, Side side, int step);

  VerticalStressResult At(double z);

 private:
  const LayerProperties& Layer(int j) const { return problem_.Layer(j, step_, side_); }

  const ProblemData& problem_;
  Side side_;
  int step_;
  int layers_;
  bool ordered_ = true;
  bool started_ = false;
  std::array<double, MaxLayers> saturatedTop_{};  // Zw - Cap of each layer
  std::array<double, MaxLayers + 1> above_{};     // sigma under whole layers 0..k-1
  int known_ = 0;                                 // above_[0..known_] are computed
  int lastWhole_ = 0;                             // the whole layers above the last depth
};

}  // namespace korvanu
