// Coefficients of a layer from its strength and its initial stress.
#include "engine/StrengthCoefficients.h"

#include "core/Check.h"
#include "engine/SoilLaw.h"

namespace korvanu {

double InitialMidLayerStress(const ProblemData& problem, int layer, Side side) {
  KORVANU_CHECK(layer >= 0 && layer < problem.General.NL && layer < MaxLayers);
  const double z = (problem.Z[layer] + problem.Z[layer + 1]) / 2.0;
  const VerticalStressResult v = VerticalStress(problem, side, 0, z);
  return v.sigma - v.u;
}

EarthPressureCoefficients LayerCoefficients(const ProblemData& problem, int layer, Side side,
                                            const SoilStrength& strength, StrokeRule rule) {
  return ComputeCoefficients(strength,
                             strength.Kh ? InitialMidLayerStress(problem, layer, side) : 0.0, rule);
}

}  // namespace korvanu
