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

struct HorizontalStresses {
  double Sa = 0.0;  // active minimum
  double Sn = 0.0;  // neutral
  double Sp = 0.0;  // passive maximum
  double ks = 0.0;  // spring stiffness per unit area, (Sp - Sa) / Dw
  double u = 0.0;   // pore pressure
  int layer = 0;
};

// Throws FloatingPointFaultError when Dw of the layer is 0.
HorizontalStresses HorizontalStressesAt(const ProblemData& problem, Side side, int step, double z);

// Linearises both springs of element e into ke[e], fe[e]; updates the states
// and the counters StateChanges and PlasticSprings.
void EvaluateSprings(const ProblemData& problem, EngineState& engine, int e, int step);

// Shifts wl[e], wr[e] for the converged displacement of the step.
void UpdateSoilPlastic(const ProblemData& problem, EngineState& engine, int e, int step);

}  // namespace korvanu
