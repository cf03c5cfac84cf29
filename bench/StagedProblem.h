// The large problem the benchmarks run: 20 layers, NN = 1000, 20 loading
// steps. Steps 1 to 12 excavate one more layer on the left; steps 13 to 20
// raise a surcharge behind the wall; an anchor holds the wall from step 1.
#pragma once

#include "core/ProblemData.h"

namespace korvanu {

ProblemData StagedExcavation();

}  // namespace korvanu
