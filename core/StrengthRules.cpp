// Applying derived coefficients through the soil layer grid's commit rules.
#include "core/StrengthRules.h"

#include <algorithm>

#include "core/Check.h"
#include "core/SoilLayerRules.h"
#include "core/TextFormat.h"

namespace korvanu {
namespace {

// Below this dry weight a layer acts as water (the grid's rule).
constexpr double kNoDryWeight = 0.001;

void Type(ProblemData& problem, ViewState& view, SoilColumn column, int layer, double value) {
  const CellCommit commit = CommitSoilCell(problem, view, column, layer, Format("%10.3f", value));
  // Coefficients, strokes and cohesions are never negative, the only
  // value a numeric cell refuses.
  KORVANU_CHECK(commit.Accepted);
  (void)commit;
}

}  // namespace

void ApplyCoefficients(ProblemData& problem, ViewState& view, int layer,
                       const SoilStrength& strength, const EarthPressureCoefficients& k) {
  KORVANU_CHECK(k.Ok() && layer >= 0 && layer < MaxLayers);
  // Ka first, so that Kp and Kn are clamped against the new Ka, as when the
  // user types them in this order.
  Type(problem, view, SoilColumn::c, layer, strength.Cohesion);
  Type(problem, view, SoilColumn::Ka, layer, k.Ka);
  Type(problem, view, SoilColumn::Kp, layer, k.Kp);
  Type(problem, view, SoilColumn::Kn, layer, k.Kn);
  if (k.Dw) Type(problem, view, SoilColumn::Dw, layer, *k.Dw);

  const int last = std::clamp(problem.General.NT, 0, MaxSteps);
  const int step = std::clamp(view.CurrentStep, 0, last);
  for (Side side : {Side::Left, Side::Right}) {
    if (step > 0 && side != view.CurrentSide) continue;
    for (int s = step; s <= last; ++s) {
      std::optional<SoilStrength>& kept = problem.Strength(layer, s, side);
      if (problem.Layer(layer, s, side).Wd >= kNoDryWeight) {
        kept = strength;
      } else {
        kept.reset();
      }
    }
  }
}

}  // namespace korvanu
