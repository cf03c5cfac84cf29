// The strength lines of the datafile: one "#strength" line per layer, step
// and side whose coefficients were derived from the soil's strength, after
// the lines every reader of the format knows, which take them as comments.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Datafile.h"
#include "core/ProblemData.h"

namespace korvanu {

// The strength lines of layers 1..NL and steps 0..NT, each ending in CR LF,
// e.g. "#strength 2 0 left phi=30 delta/phi=0.667 beta=0 c=0 method=curved".
// Nothing when no entry has a strength.
std::string WriteStrengthLines(const ProblemData& problem);

// Reads the strength lines of a whole datafile text into `problem`, whose
// counts NL and NT are already read: the entries of layers 1..NL and steps
// 0..NT get the strength of their line, or none without one. A strength line
// that cannot be read comes back as an error naming its line.
std::optional<DatafileError> ReadStrengthLines(std::string_view text, ProblemData& problem);

}  // namespace korvanu
