// Reads the results of one loading step back from its step file into the node
// arrays that the output tables, graphs and printouts draw from.
#pragma once

#include <string>
#include <string_view>

#include "core/ProblemData.h"
#include "engine/EngineState.h"
#include "engine/StepOutput.h"  // StepOutputFileName: the reader and the writer share the names

namespace korvanu {

// What became of a read. A file that cannot be opened or read leaves the
// arrays as they were and carries the message the caller shows.
struct StepReadOutcome {
  bool Ok = false;
  std::string Message;      // "Unable to read datafile.\n" when the file cannot be read
  int Records = 0;          // records taken from the file, at most NN + 1
  int Skipped = 0;          // records whose node index lies outside the arrays, not stored
  bool EndedEarly = false;  // the file ended before NN + 1 records; unread nodes keep their values
};

// One node record as it stands on its line: the node index and z, w, M, Q-, Q+.
struct StepRecord {
  int Index = 0;
  double Values[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
};

// Splits one record line into its fields. Separators are runs of blank, ","
// and ";"; tab, CR and LF stay part of the field they touch. Missing or
// non-numeric fields read as 0.
StepRecord ParseStepRecord(std::string_view line);

// Reads NN + 1 node records into `results`, each at the index it carries.
// Lines starting with "#" are skipped; a blank line is a record. Records with
// an index outside 0..1000 are skipped. Stops at the end of the file.
StepReadOutcome ReadStepOutput(const std::string& fileName, int NN, NodeResults& results);

}  // namespace korvanu
