// The vertical stresses of a mesh's depths from sums kept per layer.
#include "engine/StressColumn.h"

#include <cmath>

#include "core/Check.h"

namespace korvanu {

StressColumn::StressColumn(const ProblemData& problem, Side side, int step)
    : problem_(problem), side_(side), step_(step), layers_(problem.General.NL) {
  KORVANU_CHECK(layers_ >= 0 && layers_ <= MaxLayers);
  for (int j = 0; j < layers_; ++j) ordered_ = ordered_ && problem.Z[j] <= problem.Z[j + 1];
}

VerticalStressResult StressColumn::At(double z) {
  if (!ordered_ || std::isnan(z)) return VerticalStress(problem_, side_, step_, z);
  if (!started_) {
    // VerticalStress works these out for every layer at every depth.
    for (int j = 0; j < layers_; ++j) saturatedTop_[j] = Layer(j).Zw - Layer(j).Cap;
    started_ = true;
  }
  const double* bounds = problem_.Z.data();
  // Layers 0..k-1 end at or above z. A mesh asks from the top down, so the
  // search starts where the last one ended.
  int k = lastWhole_;
  while (k < layers_ && bounds[k + 1] <= z) ++k;
  while (k > 0 && bounds[k] > z) --k;
  lastWhole_ = k;
  for (; known_ < k; ++known_) {
    const LayerProperties& p = Layer(known_);
    double sigma = above_[known_];
    sigma += p.q;
    sigma += WeightAbove(p, bounds[known_], saturatedTop_[known_], bounds[known_ + 1]);
    above_[known_ + 1] = sigma;
  }
  VerticalStressResult r;
  r.sigma = above_[k];
  if (k > 0) r.layer = k < layers_ - 1 ? k : layers_ - 1;
  if (k < layers_ && z >= bounds[k]) {
    const LayerProperties& p = Layer(k);
    r.sigma += p.q;
    r.sigma += WeightAbove(p, bounds[k], saturatedTop_[k], z);
  }
  // Every layer whose closed interval holds z sets u in turn; the lowest stands.
  int j = k;
  while (j > 0 && bounds[j] >= z) --j;
  for (; j < layers_ && bounds[j] <= z; ++j) r.u = PorePressure(Layer(j), saturatedTop_[j], z);
  return r;
}

}  // namespace korvanu
