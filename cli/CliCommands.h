// The commands of korvanu-cli. Each returns the process exit code; results go
// to `out`, refusals and faults to `err`.
#pragma once

#include <ostream>
#include <string>

#include "core/ProblemData.h"
#include "engine/EngineState.h"

namespace korvanu {

// Exit codes of korvanu-cli.
enum ExitCode : int {
  ExitDone = 0,        // every step converged and every step file was written
  ExitIncomplete = 1,  // a step did not converge, or a step file could not be written
  ExitRefused = 2,  // bad usage, or a datafile that cannot be read, is refused or cannot be written
  ExitFloatingFault = 3  // the computation ended at a floating-point fault
};

// Reads a datafile into `problem` as the program's Open does, over the
// problem the program starts with; false (with the reason on `err`) when it
// cannot be read or is refused.
bool LoadDatafile(const std::string& datafile, ProblemData& problem, std::ostream& err);

// Makes the datafile's folder the current folder, where the step files go.
bool EnterDatafileFolder(const std::string& datafile, std::ostream& err);

// Reads the datafile, computes every loading step without pacing and writes
// the step files beside the datafile under the names the program uses.
int ComputeCommand(const std::string& datafile, std::ostream& out, std::ostream& err);

// Computes a loaded problem unpaced in the current folder, printing the step
// table to `out`; returns the exit code as ComputeCommand does.
int ComputeProblem(ProblemData& problem, const std::string& datafile, EngineState& engine,
                   std::ostream& out, std::ostream& err);

// Writes the default problem; its FileName is the bare name of the file.
int NewCommand(const std::string& datafile, std::ostream& out, std::ostream& err);

}  // namespace korvanu
