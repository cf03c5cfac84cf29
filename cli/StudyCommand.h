// korvanu-cli study: parametric and reliability studies of a datafile.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "analysis/StudyResults.h"
#include "cli/CliCommands.h"

namespace korvanu {

// Draws the plot of a study into a PDF file; returns its pages, or 0 with
// the reason in `why`.
using StudyPlotter =
    std::function<int(const StudyResults& study, const std::string& pdf, std::string& why)>;

// study FILE.krv --vary NAME=VALUES... [--grid | --samples N [--seed S]]
// [--limit Q=V...] [--min-length] -o STUDY.csv [--plot STUDY.pdf] [--jobs N]
// [--keep-runs DIR]. Without a plotter --plot is refused. Exit codes: 0 the
// study is done (whatever its runs found), 1 a result file could not be
// written, 2 refused.
int RunStudyCommand(const Arguments& arguments, std::ostream& out, std::ostream& err,
                    const StudyPlotter& plotter);

}  // namespace korvanu
