// The earth pressure coefficients of a layer from a strength, with the
// vertical effective stress that turns a subgrade reaction into a stroke.
#pragma once

#include "core/EarthPressure.h"
#include "core/ProblemData.h"

namespace korvanu {

// The vertical effective stress (kN/m2) at the middle of layer `layer`
// (0-based) on that side in the initial state, step 0, where the stroke
// from k_h is fixed.
double InitialMidLayerStress(const ProblemData& problem, int layer, Side side);

// ComputeCoefficients of `strength` at that stress.
EarthPressureCoefficients LayerCoefficients(const ProblemData& problem, int layer, Side side,
                                            const SoilStrength& strength,
                                            StrokeRule rule = StrokeRule::Table);

}  // namespace korvanu
