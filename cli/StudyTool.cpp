// The study command of korvanu-cli, with the plot where the windows are built.
#include "cli/StudyCommand.h"
#ifdef KORVANU_REPORT
#include "print/StudyPlot.h"
#endif

namespace korvanu {

int StudyCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
#ifdef KORVANU_REPORT
  return RunStudyCommand(arguments, out, err, WriteStudyPlot);
#else
  return RunStudyCommand(arguments, out, err, nullptr);
#endif
}

}  // namespace korvanu
