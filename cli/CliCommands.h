// The commands of korvanu-cli. Each takes the words after its name and
// returns the process exit code; results go to `out`, refusals and faults to
// `err`, always naming the file they concern.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/ProblemData.h"
#include "engine/EngineState.h"

namespace korvanu {

// Exit codes of korvanu-cli.
enum ExitCode : int {
  ExitDone = 0,        // every step converged and every file was written; a length was found
  ExitIncomplete = 1,  // a step did not converge, a file could not be written; no length found
  ExitRefused = 2,  // bad usage, or a datafile that cannot be read, is refused or cannot be written
  ExitFloatingFault = 3  // the computation ended at a floating-point fault
};

using Arguments = std::vector<std::string>;

// compute [--quiet] [--csv DIR] FILE.krv...: computes every loading step of
// each datafile without pacing and writes the step files beside it.
int ComputeCommand(const Arguments& arguments, std::ostream& out, std::ostream& err);

// Reads and computes one datafile as compute does, its step files beside it,
// and leaves the problem and the results of its last step for the caller;
// returns compute's exit code.
int ComputeDatafile(const std::string& datafile, ProblemData& problem, EngineState& engine,
                    std::ostream& out, std::ostream& err);

// new FILE.krv: writes the default problem; its FileName is the bare name.
int NewCommand(const Arguments& arguments, std::ostream& out, std::ostream& err);

// min-length FILE.krv [--step K] [--tol T] [-o OUT.krv]: the shortest wall
// that still reaches equilibrium.
int MinLengthCommand(const Arguments& arguments, std::ostream& out, std::ostream& err);

// study FILE.krv --vary NAME=VALUES... -o STUDY.csv ...: parametric and
// reliability studies (cli/StudyCommand.h).
int StudyCommand(const Arguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace korvanu
