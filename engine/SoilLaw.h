// The elasto-plastic soil springs: vertical and horizontal stresses of a side,
// the linearised springs of an element and their plastic update.
#pragma once

#include "core/ProblemData.h"
#include "engine/EngineState.h"

namespace korvanu {

// Square root of a positive value, 0 otherwise.
double SafeSqrt(double x);

struct VerticalStressResult {
  double sigma = 0.0;  // total vertical stress, kN/m2
  double u = 0.0;      // pore pressure, kN/m2
  int layer = 0;       // layer whose parameters apply at the depth
};

VerticalStressResult VerticalStress(const ProblemData& problem, Side side, int step, double z);

// The weight layer p (from top down) puts on depth, which lies at or above
// its bottom, and the pore pressure at z; saturatedTop is its Zw - Cap.
double WeightAbove(const LayerProperties& p, double top, double saturatedTop, double depth);
double PorePressure(const LayerProperties& p, double saturatedTop, double z);

// Throws FloatingPointFaultError when Dw of the layer is 0.
HorizontalStresses HorizontalStressesAt(const ProblemData& problem, Side side, int step, double z);
HorizontalStresses HorizontalStressesFrom(const ProblemData& problem, Side side, int step,
                                          const VerticalStressResult& v);

// Linearises both springs of element e into ke[e], fe[e]; updates the states
// and the counters StateChanges and PlasticSprings.
void EvaluateSprings(const ProblemData& problem, EngineState& engine, int e, int step);

// Shifts wl[e], wr[e] for the converged displacement of the step.
void UpdateSoilPlastic(const ProblemData& problem, EngineState& engine, int e, int step);

// The same for every element 0..NN-1 in order, taking the midpoint stresses
// from the engine's store of the step (filled by the first evaluation of the
// step, element by element, so faults arise where they would otherwise). The
// driver uses these; it clears the store (StressStep = -1) when a run starts,
// as the soil data must not change while the store is in use.
void EvaluateAllSprings(const ProblemData& problem, EngineState& engine, int step);
void UpdateAllSoilPlastic(const ProblemData& problem, EngineState& engine, int step);

}  // namespace korvanu
