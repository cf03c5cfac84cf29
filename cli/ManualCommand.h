// korvanu-cli manual: the printed manual as a PDF file, without a display.
#pragma once

#include <ostream>

#include "cli/CliCommands.h"

namespace korvanu {

// manual -o MANUAL.pdf: the nine pages of the manual window's Print Manual.
int ManualCommand(const Arguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace korvanu
