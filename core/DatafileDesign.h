// The design line of the datafile: the settings of the design checks in a
// "#design" line after the lines every reader of the format knows, which
// takes it as a comment. Default settings write no line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Datafile.h"
#include "core/ProblemData.h"

namespace korvanu {

// The design line ending in CR LF, e.g.
// "#design fy=355.000 gamma_m0=1.100 min_fp=1.500 max_w=0.050 anchors_may_yield";
// nothing for default settings.
std::string WriteDesignLines(const ProblemData& problem);

// Reads the "#design" lines of a whole datafile text into problem.Design:
// default settings without any, the keys of each line in order otherwise. A
// line that cannot be read comes back as an error naming it.
std::optional<DatafileError> ReadDesignLines(std::string_view text, ProblemData& problem);

}  // namespace korvanu
