// korvanu-cli coefficients: the earth pressure coefficients of a soil from its
// strength, as the soil editor's "K from φ'" dialog gives them.
#pragma once

#include <ostream>

#include "cli/CliCommands.h"

namespace korvanu {

// coefficients --phi DEG [--delta DEG | --delta-ratio R] [--beta DEG]
// [--cohesion KPA] [--ocr X] [--method rankine|coulomb|curved]
// [--kh KN_PER_M3 --sigma-v KPA]: prints "Ka 0.279", Kn, Kp and, with k_h, Dw.
int CoefficientsCommand(const Arguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace korvanu
