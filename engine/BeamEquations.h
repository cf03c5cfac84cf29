// The wall as a finite-difference bending beam: node placement, the equations
// of one pass, their block elimination, shear forces and the stiffness check.
#pragma once

#include "core/ProblemData.h"
#include "engine/EngineState.h"

namespace korvanu {

// Places nodes 0..NN so that every layer boundary is a node; sets z and
// PointNode. Throws FloatingPointFaultError when a boundary finds no node.
void PlaceNodes(const ProblemData& problem, EngineState& engine);

// Fills the block rows for the current ke, fe, ka, fa and the axial data.
void AssembleSystem(const ProblemData& problem, EngineState& engine, int step);

// Solves the assembled rows in place; rhs of row i is then (M[i], W[i]).
// Throws FloatingPointFaultError on a zero pivot.
void SolveSystem(const ProblemData& problem, EngineState& engine);

// Computes F, Q- and Q+ from the converged W, ke, fe, ka, fa.
void ComputeShear(const ProblemData& problem, EngineState& engine);

// True when every element has lambda * L >= 1, that is when the stiffness
// warning must be shown.
bool CheckStiffness(const ProblemData& problem, const EngineState& engine);

// EI of the wall: the catalogue profile NP (numbered from 1). An NP outside
// the catalogue gives 0, which the equations report as a division by zero.
double WallStiffness(const ProblemData& problem);

}  // namespace korvanu
