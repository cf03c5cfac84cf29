// The study command of korvanu-cli: a study with a plot runs in korvanu-print,
// which has the printing code, where the windows are built.
#include <algorithm>

#include "cli/StudyCommand.h"
#ifdef KORVANU_REPORT
#include "cli/PrintTool.h"
#endif

namespace korvanu {

int StudyCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
#ifdef KORVANU_REPORT
  if (std::find(arguments.begin(), arguments.end(), "--plot") != arguments.end()) {
    return RunPrintTool("study", arguments, out, err);
  }
#endif
  return RunStudyCommand(arguments, out, err, nullptr);
}

}  // namespace korvanu
