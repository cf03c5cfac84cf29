// korvanu-cli check: the design checks of a datafile, for scripts that check
// a batch of designs.
#pragma once

#include <ostream>

#include "cli/CliCommands.h"

namespace korvanu {

// check FILE.krv [--fy N | --grade NAME] [--gamma-m0 G] [--require-fp F]
// [--require-fs F] [--max-w M] [--csv OUT.csv]: computes the problem and its
// searches, prints the summary and the verdicts; ExitDone when every check
// holds, ExitFallsShort when one falls short or cannot be computed.
int CheckCommand(const Arguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace korvanu
