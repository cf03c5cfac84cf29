// korvanu-cli: computes datafiles without the windows, for batch use.
#include <cstring>
#include <iostream>
#include <string>

#include "cli/CliCommands.h"
#ifdef KORVANU_REPORT
#include "cli/ReportCommand.h"
#endif

namespace {

const char* const Usage =
    "Usage: korvanu-cli compute FILE.krv   compute every loading step of the datafile and\n"
    "                                      write the step files beside it\n"
    "       korvanu-cli new FILE.krv       write the default problem to FILE.krv\n"
#ifdef KORVANU_REPORT
    "       korvanu-cli report FILE.krv -o REPORT.pdf [--only SECTIONS] [--colors]\n"
    "                                      compute the datafile, then write its printed\n"
    "                                      report as a PDF file; SECTIONS is a comma list\n"
    "                                      of general, layers, anchors, axial, catalogue,\n"
    "                                      sections, tables, graphs (default: all);\n"
    "                                      --colors prints graphs and sections in colour\n"
#endif
    "       korvanu-cli --help             show this text\n"
    "       korvanu-cli --version          show the version\n"
    "\n"
    "Exit codes: 0 every step converged and its step file was written; 1 a step did\n"
    "not converge or a step file could not be written; 2 bad usage, or a datafile\n"
    "that cannot be read, is refused or cannot be written; 3 the computation ended at\n"
    "a floating-point fault.\n";

int BadUsage(const std::string& why) {
  std::cerr << "korvanu-cli: " << why << "\n" << Usage;
  return korvanu::ExitRefused;
}

#ifdef KORVANU_REPORT
int Report(int argc, char** argv) {
  korvanu::ReportRequest request;
  for (int i = 2; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-o" && i + 1 < argc) {
      request.Pdf = argv[++i];
    } else if (argument == "--only" && i + 1 < argc) {
      std::string unknown;
      if (!korvanu::ParseReportSections(argv[++i], request.Options, unknown))
        return BadUsage("report: unknown section " + unknown);
    } else if (argument == "--colors") {
      request.Options.Colors = true;
    } else if (!argument.empty() && argument[0] != '-' && request.Datafile.empty()) {
      request.Datafile = argument;
    } else {
      return BadUsage("report: unexpected argument " + argument);
    }
  }
  if (request.Datafile.empty()) return BadUsage("report takes a datafile");
  if (request.Pdf.empty()) return BadUsage("report needs -o REPORT.pdf");
  return korvanu::ReportCommand(request, std::cout, std::cerr);
}
#endif

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::cout << Usage;
    return korvanu::ExitDone;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "korvanu-cli " << KORVANU_VERSION << "\n";
    return korvanu::ExitDone;
  }
  if (argc < 2) return BadUsage("no command given");
  const std::string command = argv[1];
#ifdef KORVANU_REPORT
  if (command == "report") return Report(argc, argv);
#endif
  if (command != "compute" && command != "new") return BadUsage("unknown command " + command);
  if (argc != 3) return BadUsage(command + " takes exactly one datafile");
  if (command == "compute") return korvanu::ComputeCommand(argv[2], std::cout, std::cerr);
  return korvanu::NewCommand(argv[2], std::cout, std::cerr);
}
