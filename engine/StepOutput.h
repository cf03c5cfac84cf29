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

// The values of node i's record, F and f derived as the file carries them.
struct NodeRecord {
  double z = 0.0, w = 0.0, M = 0.0, Qminus = 0.0, Qplus = 0.0, F = 0.0, f = 0.0;
};

// Node i's record. Throws FloatingPointFaultError if a value is not finite.
NodeRecord NodeRecordAt(const NodeResults& nodes, int i);
NodeRecord NodeRecordAt(const EngineState& engine, int i);

// The checks of WriteStepOutput on every record, for a run that writes no file.
void CheckStepRecords(const ProblemData& problem, const EngineState& engine);

// Removes a file that could not be completed, so that none stays half
// written; only regular files are removed (a device such as /dev/full stays).
void DiscardPartialFile(const std::string& name);

// Writes nodes 0..NN of the engine's results. Returns false when the file
// cannot be created or a write fails (a full disk); the caller shows
// "Unable to write datafile.\n\n". Throws FloatingPointFaultError if F or f
// would not be finite; the partial file is then removed.
bool WriteStepOutput(const ProblemData& problem, const EngineState& engine,
                     const std::string& name);

}  // namespace korvanu
