// The seven result columns of a step, as the output tables show and print
// them: z, w, M, Q-, Q+ from the step file, F and f derived.
#pragma once

#include "engine/EngineState.h"

namespace korvanu {

enum class ResultColumn { z, w, M, Qminus, Qplus, F, f };
constexpr int ResultColumnCount = 7;

// The value of a column at node i; f is 0 at node 0.
double ResultValue(const NodeResults& results, ResultColumn column, int i);

// The caption and unit lines of the output tables window, column 0 (node)
// first; the blanks right-align them.
extern const char* const TableCaptions[ResultColumnCount + 1];
extern const char* const TableUnits[ResultColumnCount + 1];

}  // namespace korvanu
