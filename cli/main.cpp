// korvanu-cli: computes datafiles without the windows, for batch use.
#include <cstring>
#include <iostream>
#include <string>

#include "cli/CliCommands.h"

namespace {

const char* const Usage =
    "Usage: korvanu-cli compute FILE.krv   compute every loading step of the datafile and\n"
    "                                      write the step files beside it\n"
    "       korvanu-cli new FILE.krv       write the default problem to FILE.krv\n"
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
  if (command != "compute" && command != "new") return BadUsage("unknown command " + command);
  if (argc != 3) return BadUsage(command + " takes exactly one datafile");
  if (command == "compute") return korvanu::ComputeCommand(argv[2], std::cout, std::cerr);
  return korvanu::NewCommand(argv[2], std::cout, std::cerr);
}
