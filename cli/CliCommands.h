// The commands of korvanu-cli. Each returns the process exit code; results go
// to `out`, refusals and faults to `err`.
#pragma once

#include <ostream>
#include <string>

namespace korvanu {

// Exit codes of korvanu-cli.
enum ExitCode : int {
  ExitDone = 0,        // every step converged and every step file was written
  ExitIncomplete = 1,  // a step did not converge, or a step file could not be written
  ExitRefused = 2,  // bad usage, or a datafile that cannot be read, is refused or cannot be written
  ExitFloatingFault = 3  // the computation ended at a floating-point fault
};

// Reads the datafile, computes every loading step without pacing and writes
// the step files beside the datafile under the names the program uses.
int ComputeCommand(const std::string& datafile, std::ostream& out, std::ostream& err);

// Writes the default problem; its FileName is the bare name of the file.
int NewCommand(const std::string& datafile, std::ostream& out, std::ostream& err);

}  // namespace korvanu
