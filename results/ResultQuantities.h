// The two quantities every results view derives from the node arrays rather
// than reading them from the step file: the concentrated force F at a node and
// the lateral load per unit length f of the element above it.
#pragma once

#include "engine/EngineState.h"

namespace korvanu {

// F[i] = Q+[i] - Q-[i] (kN/m).
double ConcentratedForce(const NodeResults& results, int i);

// f[i] = (Q-[i] - Q+[i-1]) / (z[i] - z[i-1]) (kN/m2), attributed to the lower
// node of the element; f[0] = 0. An element of zero length carries no load per
// length, so it gives 0. Always finite: an overflow gives the largest finite
// value of its sign.
double DistributedLoad(const NodeResults& results, int i);

}  // namespace korvanu
