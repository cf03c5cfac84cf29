// korvanu-print: the commands of korvanu-cli that print (report, manual and
// study with --plot). korvanu-cli runs it with its own words after checking
// for --help, so it takes the command and its arguments and nothing else.
#include <iostream>
#include <string>

#include "cli/ManualCommand.h"
#include "cli/ReportCommand.h"
#include "cli/StudyCommand.h"
#include "print/StudyPlot.h"

int main(int argc, char** argv) {
  const korvanu::Arguments words(argv + (argc > 0 ? 1 : 0), argv + argc);
  const std::string command = words.empty() ? std::string() : words[0];
  const korvanu::Arguments rest(words.begin() + (words.empty() ? 0 : 1), words.end());
  if (command == "report") return korvanu::ReportCommand(rest, std::cout, std::cerr);
  if (command == "manual") return korvanu::ManualCommand(rest, std::cout, std::cerr);
  if (command == "study") {
    return korvanu::RunStudyCommand(rest, std::cout, std::cerr, korvanu::WriteStudyPlot);
  }
  std::cerr << "korvanu-print: prints for korvanu-cli; run korvanu-cli report, manual or "
               "study --plot\n";
  return korvanu::ExitRefused;
}
