// Storing earth pressure coefficients derived from the strength of a layer:
// each value goes in as if typed into its cell of the soil layer grid, and the
// strength is remembered where the values went.
#pragma once

#include "core/EarthPressure.h"
#include "core/ProblemData.h"
#include "core/ViewState.h"

namespace korvanu {

// Commits c', Ka, Kp, Kn and (with k_h) Dw of `coefficients` for layer
// `layer` (0-based) in the step and side of the view, each as its "%10.3f"
// text typed into the grid and left, so with the grid's spreading, clamps
// and water rule; then keeps `strength` in every entry the values reached,
// except layers without dry weight, which kept their water values.
void ApplyCoefficients(ProblemData& problem, ViewState& view, int layer,
                       const SoilStrength& strength, const EarthPressureCoefficients& coefficients);

}  // namespace korvanu
