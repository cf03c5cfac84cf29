// korvanu-cli report: the printed report of a datafile as a PDF file, made by
// the print job of the Print command, without a display.
#pragma once

#include <ostream>

#include "cli/CliCommands.h"

namespace korvanu {

// report FILE.krv -o REPORT.pdf [--only SECTIONS] [--colors]: computes the
// datafile unpaced (step files beside it, as compute does), then prints the
// selected sections into the PDF. Exit codes as compute; a computation that
// ends at a floating-point fault writes no report.
int ReportCommand(const Arguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace korvanu
