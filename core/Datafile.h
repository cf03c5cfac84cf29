// Writer and reader of the .krv datafile text. Qt-free; the Save and Open
// commands (DatafileCommands) wrap them with the file system.
#pragma once

#include <functional>
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

// The comment lines that carry an addition: calls `read` with every line that
// begins with `keyword` as a word of its own ("#designer" is not "#design"),
// without its line end. The first error `read` gives (a non-empty text) ends
// the reading with that line's number.
std::optional<DatafileError> ReadKeywordLines(
    std::string_view text, std::string_view keyword,
    const std::function<std::string(std::string_view line)>& read);

}  // namespace korvanu
