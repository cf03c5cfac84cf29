// The results of one converged step as CSV for spreadsheets and scripts: the
// values of the step file at full precision, so that they read back exactly.
#pragma once

#include <string>

#include "core/ProblemData.h"
#include "engine/EngineState.h"

namespace korvanu {

// The header row, line end included.
extern const char* const StepCsvHeader;

// The CSV file of a step: the step file's name and ".csv" ("Wall.3.csv").
std::string StepCsvFileName(const ProblemData& problem, int step);

// Writes nodes 0..NN as RFC 4180 records (CR LF line ends), each number in the
// shortest form that reads back to the same double. Returns false when the
// file cannot be created or completely written; errno then tells why, and no
// partial file stays. Throws FloatingPointFaultError as the step file does.
bool WriteStepCsv(const ProblemData& problem, const EngineState& engine, const std::string& path);
// The same from node results kept or read back.
bool WriteStepCsv(const ProblemData& problem, const NodeResults& nodes, const std::string& path);

}  // namespace korvanu
