// The earth pressure coefficients of a layer from a strength, with the
// vertical effective stress that turns a subgrade reaction into a stroke.
#pragma once

#include <string>
#include <vector>

#include "core/EarthPressure.h"
#include "core/ProblemData.h"
#include "core/SoilLayerRules.h"

namespace korvanu {

// The vertical effective stress (kN/m2) at the middle of layer `layer`
// (0-based) on that side in the initial state, step 0, where the stroke
// from k_h is fixed.
double InitialMidLayerStress(const ProblemData& problem, int layer, Side side);

// ComputeCoefficients of `strength` at that stress.
EarthPressureCoefficients LayerCoefficients(const ProblemData& problem, int layer, Side side,
                                            const SoilStrength& strength,
                                            StrokeRule rule = StrokeRule::Table);

// What keeping the strokes derived from k_h in step with their k_h did.
struct StrokeFollowUp {
  std::vector<LayerRecord> Derived;    // Dw derived again
  std::vector<LayerRecord> KhDropped;  // k_h gives a stroke the table cannot hold
};

// Gives every entry of layers 1..NL in steps 0..NT whose strength states k_h
// the stroke that k_h gives at the vertical effective stress in the middle
// of its layer in the initial state of its side, as "K from φ'" stores it
// (to the table's three decimals). After a change of the layers' weights,
// water, surcharges or thicknesses the stored strokes no longer say what
// their k_h says; where that k_h now gives a stroke below what the table
// holds, the k_h of the entry is dropped instead and its Dw kept.
StrokeFollowUp FollowStrokes(ProblemData& problem);

// What the soil layer editor says after an edit made in step `shownStep`:
// the entries it filled again, what the strokes did, and that Ctrl+Z undoes
// it; empty when there is nothing to say.
std::string SoilEditNote(const std::vector<LayerRecord>& refilled, int shownStep,
                         const StrokeFollowUp& strokes);

}  // namespace korvanu
