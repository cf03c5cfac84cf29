// Writer and reader of the .krv datafile text. Qt-free; the Save and Open
// commands (DatafileCommands) wrap them with the file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/ProblemData.h"

namespace korvanu {

// A datafile that cannot be used: the 1-based line of the file and what is wrong.
struct DatafileError {
  int Line = 0;
  std::string What;
};

// The whole datafile of the problem, every line ending in CR LF.
std::string WriteDatafile(const ProblemData& problem);

// Reads a datafile text into `problem`. The text is read into a copy and
// `problem` is replaced only when the whole file was read and is usable;
// otherwise `problem` is left exactly as it was and the error is returned.
std::optional<DatafileError> ReadDatafile(std::string_view text, ProblemData& problem);

}  // namespace korvanu
