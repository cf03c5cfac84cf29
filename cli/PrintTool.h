// The printing commands of korvanu-cli run in korvanu-print, a program beside
// it, so that the computing commands start without loading Qt.
#pragma once

#include <ostream>

#include "cli/CliCommands.h"

namespace korvanu {

// Runs korvanu-print from the folder of this executable with the command and
// its arguments. Its output goes where ours goes; returns its exit code, or
// ExitRefused with the reason on `err` when it cannot be run.
int RunPrintTool(const char* command, const Arguments& arguments, std::ostream& out,
                 std::ostream& err);

}  // namespace korvanu
