// korvanu-cli: computes datafiles without the windows, for batch use. Each
// command is one row of the table below, with its own --help text.
#include <cstring>
#include <iostream>
#include <string>

#include "cli/CheckCommand.h"
#include "cli/CliCommands.h"
#include "cli/CoefficientsCommand.h"
#ifdef KORVANU_REPORT
#include "cli/PrintTool.h"
#endif

namespace {

using korvanu::Arguments;

const char* const ExitCodes =
    "Exit codes:\n"
    "  0  done: every step converged and every file was written (min-length: a\n"
    "     length was found)\n"
    "  1  a step did not converge or a file could not be written (min-length: no\n"
    "     minimum length was found)\n"
    "  2  bad usage, or a datafile that cannot be read, is refused or cannot be\n"
    "     written; the message on stderr names the file\n"
    "  3  the computation ended at a floating-point fault (its text on stderr)\n"
    "  4  check: a design check falls short (or one with a requirement cannot be\n"
    "     computed)\n";

struct Command {
  const char* Name;
  const char* Synopsis;  // the line of the overall usage
  const char* Help;      // what `korvanu-cli NAME --help` adds to the synopsis
  int (*Run)(const Arguments&, std::ostream&, std::ostream&);
};

const Command Commands[] = {
    {"compute", "compute [--quiet] [--csv DIR] FILE.krv...",
     "Computes every loading step of each datafile as the program's Compute does,\n"
     "without its pacing, and writes the step files beside the datafile, named from\n"
     "the File Name stored in it (Wall.krv gives Wall.1, Wall.2, ...). Prints the\n"
     "problem and one row per step and the messages the program would show; several\n"
     "datafiles are computed one after the other, each in its own folder, and end\n"
     "with one summary line each. The exit code is the highest of the files' codes.\n"
     "\n"
     "  --csv DIR   also write each converged step to DIR/Wall.1.csv, ... with a\n"
     "              header row and numbers that read back to the same doubles\n"
     "  --quiet     print only the summary lines (also for a single datafile)\n",
     korvanu::ComputeCommand},
    {"min-length", "min-length FILE.krv [--step K] [--tol T] [-o OUT.krv]",
     "Finds the shortest wall that still reaches equilibrium in every loading step\n"
     "(or in steps 0 to K): the lowest layer is stretched or shortened, NN kept, and\n"
     "a length fails when a step does not converge or the run ends at a\n"
     "floating-point fault. Checks the given length first, steps down until a\n"
     "length fails, then halves the interval down to T (default 0.001 m, the\n"
     "least). Writes no step file.\n"
     "\n"
     "  --step K    only steps 0 to K must converge\n"
     "  --tol T     width of the final interval in m\n"
     "  -o OUT.krv  write the datafile with the length found (File Name OUT.krv)\n",
     korvanu::MinLengthCommand},
    {"study", "study FILE.krv --vary NAME=VALUES... [OPTIONS] -o STUDY.csv [--plot STUDY.pdf]",
     "Computes the datafile many times with some of its values changed and writes one\n"
     "CSV record per run: the values, how the run ended, the largest |w| and |M| with\n"
     "their depths and the anchor forces, per step and overall. Prints the range of\n"
     "each output and its rank correlation with each input; with --samples also the\n"
     "probability of failure, its 95 % interval and the reliability index beta. Values\n"
     "are rounded as a datafile keeps them. Writes no step file.\n"
     "\n"
     "  --vary NAME=VALUES  NAME is a datafile value: layer3.Kp, layers.Dw,\n"
     "                      layer2.step2.right.Zw, anchor1.Fa, axial.NA,\n"
     "                      profile1.EI, point2.Z, toe, NN (a wrong name lists them\n"
     "                      all). VALUES are FROM:TO:COUNT, normal:MEAN:SD,\n"
     "                      lognormal:MEAN:SD or uniform:LOW:HIGH\n"
     "  (no option)         ranges one at a time, the others as in the datafile\n"
     "  --grid              every combination of the ranges\n"
     "  --samples N         N Latin hypercube samples of the distributions; --seed S\n"
     "                      (default 1) makes them again\n"
     "  --limit Q=V         a run fails when M (kNm/m), w (m) or anchorP (kN/m)\n"
     "                      exceeds V; a run without equilibrium always fails\n"
     "  --min-length        also the shortest wall of each run (searched up to twice\n"
     "                      the length when the run does not stand)\n"
     "  -o STUDY.csv        the runs\n"
     "  --plot STUDY.pdf    outputs against inputs, or histograms and tornados\n"
     "  --jobs N            threads (default: the cores)\n"
     "  --keep-runs DIR     write every run as a datafile DIR/run0001.krv, ...\n"
     "\n"
     "A study is done (exit code 0) whatever its runs find; 1 means that a result\n"
     "file could not be written.\n",
     korvanu::StudyCommand},
    {"check",
     "check FILE.krv [--fy N | --grade NAME] [--gamma-m0 G] [--require-fp F] [--require-fs F] "
     "[--max-w M] [--csv OUT.csv]",
     "Computes the datafile in memory and checks the design: per loading step and\n"
     "over all steps the largest |w|, the largest positive and negative M, the\n"
     "largest |Q|, each anchor's force and share of Fa, the bending stress of\n"
     "profile NP and its utilisation; then the factor on passive resistance Fp, the\n"
     "strength factor Fs and the minimum length. Prints each check with its\n"
     "requirement and whether it holds. The settings stored in the datafile's\n"
     "#design line apply unless an option gives them. Writes no step file.\n"
     "\n"
     "  --fy N          yield strength of the steel in N/mm²\n"
     "  --grade NAME    S240GP, S270GP, S320GP, S355GP, S390GP or S430GP\n"
     "  --gamma-m0 G    partial factor of the steel (default 1.0); with a steel\n"
     "                  given, the utilisation sigma/(fy/G) must be at most 1\n"
     "  --require-fp F  Fp must be at least F\n"
     "  --require-fs F  Fs must be at least F\n"
     "  --max-w M       the largest |w| must be at most M (m)\n"
     "  --csv OUT.csv   also write the table of the steps\n"
     "\n"
     "Every step must reach equilibrium, and no anchor may yield unless the #design\n"
     "line says anchors_may_yield. The exit code is 0 when every check holds and 4\n"
     "when one falls short; 1 when the CSV file could not be written.\n",
     korvanu::CheckCommand},
#ifdef KORVANU_REPORT
    {"report", "report FILE.krv -o REPORT.pdf [--only SECTIONS] [--colors]",
     "Computes the datafile as compute does (step files beside it), then writes its\n"
     "printed report as a PDF file: the same pages as the program's Print command,\n"
     "made by the same code, with no display needed. A computation that ends at a\n"
     "floating-point fault writes no report.\n"
     "\n"
     "  -o REPORT.pdf    the file to write (A4)\n"
     "  --only SECTIONS  a comma list of general, layers, anchors, axial, catalogue,\n"
     "                   sections, tables, graphs (default: all of them), and\n"
     "                   design, the design summary with its searches\n"
     "  --colors         print the graphs and cross sections in colour\n",
     [](const Arguments& words, std::ostream& out, std::ostream& err) {
       return korvanu::RunPrintTool("report", words, out, err);
     }},
    {"manual", "manual -o MANUAL.pdf",
     "Writes the program's manual as a PDF file: the nine pages that the manual\n"
     "window's Print Manual prints, made by the same code, with no display needed.\n"
     "\n"
     "  -o MANUAL.pdf  the file to write (A4)\n",
     [](const Arguments& words, std::ostream& out, std::ostream& err) {
       return korvanu::RunPrintTool("manual", words, out, err);
     }},
#endif
    {"new", "new FILE.krv",
     "Writes the default problem to FILE.krv, its File Name the bare name of the\n"
     "file; New.krv is reserved and refused. An existing file is replaced.\n",
     korvanu::NewCommand},
    {"coefficients",
     "coefficients --phi DEG [--delta DEG | --delta-ratio R] [--beta DEG] [--ocr X] "
     "[--cohesion KPA] [--method rankine|coulomb|curved] [--kh KN_PER_M3 --sigma-v KPA]",
     "Prints the earth pressure coefficients of a soil from its strength, one per line\n"
     "(\"Ka 0.279\"), as the soil editor's \"K from phi'\" dialog gives them: Ka, Kn, Kp,\n"
     "and with k_h the stroke Dw. Horizontal components on a vertical wall.\n"
     "\n"
     "  --phi DEG            effective friction angle, 0 to 50\n"
     "  --delta DEG          wall friction, |delta| <= phi (default 0)\n"
     "  --delta-ratio R      wall friction as delta/phi, -1 to 1\n"
     "  --beta DEG           slope of the surface, rising away from the wall; coulomb only\n"
     "  --cohesion KPA       c' (widens the spring law's limits, so it changes Dw)\n"
     "  --ocr X              overconsolidation ratio, 1 or more: Kn = (1 - sin phi)*X^sin phi\n"
     "  --method M           rankine (no wall friction), coulomb (plane surfaces, the\n"
     "                       default) or curved (Kp from curved surfaces, Lancellotta 2002)\n"
     "  --kh KN_PER_M3       horizontal subgrade reaction; with --sigma-v KPA, the vertical\n"
     "                       effective stress, gives Dw = (Sp - Sa)/k_h\n"
     "\n"
     "An input outside its range is refused (exit code 2) with a message naming it.\n",
     korvanu::CoefficientsCommand},
};

void PrintUsage(std::ostream& out) {
  out << "Usage:";
  const char* lead = " ";
  for (const Command& command : Commands) {
    out << lead << "korvanu-cli " << command.Synopsis << "\n";
    lead = "       ";
  }
  out << lead << "korvanu-cli COMMAND --help\n"
      << lead << "korvanu-cli --help | --version\n\n"
      << ExitCodes;
}

bool AsksForHelp(const std::string& word) {
  return word == "--help" || word == "-h";
}

}  // namespace

int main(int argc, char** argv) {
  const Arguments words(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (words.size() == 1 && AsksForHelp(words[0])) {
    PrintUsage(std::cout);
    return korvanu::ExitDone;
  }
  if (words.size() == 1 && words[0] == "--version") {
    std::cout << "korvanu-cli " << KORVANU_VERSION << "\n";
    return korvanu::ExitDone;
  }
  const std::string why = words.empty() ? "no command given" : "unknown command " + words[0];
  for (const Command& command : Commands) {
    if (words.empty() || words[0] != command.Name) continue;
    const Arguments rest(words.begin() + 1, words.end());
    for (const std::string& word : rest) {
      if (!AsksForHelp(word)) continue;
      std::cout << "Usage: korvanu-cli " << command.Synopsis << "\n\n"
                << command.Help << "\n"
                << ExitCodes;
      return korvanu::ExitDone;
    }
    const int code = command.Run(rest, std::cout, std::cerr);
    if (code == korvanu::ExitRefused && rest.empty()) {
      std::cerr << "Usage: korvanu-cli " << command.Synopsis << "\n";
    }
    return code;
  }
  std::cerr << "korvanu-cli: " << why << "\n";
  PrintUsage(std::cerr);
  return korvanu::ExitRefused;
}
