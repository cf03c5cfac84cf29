// Step files: the results of one converged loading step, one record per node,
// named from the datafile name and the step number.
#pragma once

#include <string>
#include <string_view>

#include "core/ProblemData.h"
#include "engine/EngineState.h"

namespace korvanu {

// Longest base name of a step file.
constexpr int StepBaseNameLength = 24;

// The base of the step file names: the last path component of the file name
// (a folder part never leads elsewhere than the current folder), up to its
// first ".", at most 24 characters.
std::string StepBaseName(std::string_view fileName);
std::string StepBaseName(const ProblemData& problem);

// Base name, ".", and the step in decimal: "Wall.1".
std::string StepOutputFileName(std::string_view fileName, int step);
std::string StepOutputFileName(const ProblemData& problem, int step);

// The five header lines, line ends included.
extern const char* const StepFileHeader;

// Writes nodes 0..NN of the engine's results. Returns false when the file
// cannot be created or a write fails (a full disk); the caller shows
// "Unable to write datafile.\n\n". Throws FloatingPointFaultError if F or f
// would not be finite; the partial file is then removed.
bool WriteStepOutput(const ProblemData& problem, const EngineState& engine,
                     const std::string& name);

}  // namespace korvanu
