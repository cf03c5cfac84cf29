// new and min-length. The datafile is read and written exactly as the
// program's Open and Save do.
#include "cli/CliCommands.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>

#include "analysis/InMemoryRun.h"
#include "analysis/MinimumLength.h"
#include "analysis/StepTableObserver.h"
#include "core/DatafileFiles.h"
#include "core/TextFormat.h"

namespace korvanu {

namespace {

int Refuse(const char* command, const std::string& why, std::ostream& err) {
  err << "korvanu-cli " << command << ": " << why << "\n";
  return ExitRefused;
}

void PrintTrials(const MinimumLength& search, std::ostream& out) {
  out << "Run  Length m  Outcome\n";
  int run = 0;
  for (const LengthTrial& trial : search.Trials) {
    out << Format("%3d  %8.3f  %s", ++run, trial.Length, VerdictText(trial.Verdict).c_str())
        << "\n";
  }
  out << "\n";
}

}  // namespace

int NewCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
  if (arguments.size() != 1) return Refuse("new", "takes exactly one datafile", err);
  const std::string& datafile = arguments[0];
  auto problem = std::make_unique<ProblemData>();
  StartUpProblem(*problem);
  if (const auto why = SaveDatafile(datafile, *problem)) {
    err << "korvanu-cli: " << *why << "\n";
    return ExitRefused;
  }
  out << "Wrote the default problem to " << datafile << "\n";
  return ExitDone;
}

int MinLengthCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
  std::string datafile;
  std::optional<std::string> written;
  std::optional<int> lastStep;
  double tolerance = 0.001;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& word = arguments[k];
    const bool hasValue = k + 1 < arguments.size();
    if (word == "--step") {
      int step = 0;
      if (!hasValue || !WholeInteger(arguments[++k], step)) {
        return Refuse("min-length", "--step needs a whole number", err);
      }
      lastStep = step;
    } else if (word == "--tol") {
      if (!hasValue || !WholeNumber(arguments[++k], tolerance)) {
        return Refuse("min-length", "--tol needs a length in m", err);
      }
      if (tolerance < 0.001 - 1e-12) {
        return Refuse("min-length", "--tol must be at least 0.001 m, the precision of a datafile",
                      err);
      }
    } else if (word == "-o" || word == "--output") {
      if (!hasValue) return Refuse("min-length", word + " needs a datafile to write", err);
      written = arguments[++k];
    } else if (word.size() > 1 && word[0] == '-') {
      return Refuse("min-length", "unknown option " + word, err);
    } else if (datafile.empty()) {
      datafile = word;
    } else {
      return Refuse("min-length", "takes exactly one datafile", err);
    }
  }
  if (datafile.empty()) return Refuse("min-length", "no datafile given", err);
  if (written) {
    if (auto why = DatafileNameRefusal(std::filesystem::path(*written).filename().string())) {
      return Refuse("min-length", *why, err);
    }
  }

  auto problem = std::make_unique<ProblemData>();
  StartUpProblem(*problem);
  if (const auto why = LoadDatafile(datafile, *problem)) {
    err << "korvanu-cli: " << *why << "\n";
    return ExitRefused;
  }
  const GeneralData& g = problem->General;
  if (g.NL < 1 || g.NT < 1) {
    err << "korvanu-cli: " << datafile
        << ": min-length needs at least one layer and one loading step\n";
    return ExitRefused;
  }
  const int K = lastStep.value_or(g.NT);
  if (K < 1 || K > g.NT) {
    return Refuse("min-length",
                  "--step must lie between 1 and NT = " + std::to_string(g.NT) + " of " + datafile,
                  err);
  }

  out << "Problem  " << g.ProblemName << "\n";
  out << "File     " << datafile << "\n";
  out << Format("Search   layer %d, the lowest (from %.3f m), stretched or shortened with NN %d;",
                g.NL, problem->Z[g.NL - 1], g.NN)
      << "\n";
  out << Format("         steps 0 to %d must converge; tolerance %.3f m", K, tolerance) << "\n\n";

  const MinimumLength search = FindMinimumLength(*problem, K, tolerance);
  PrintTrials(search, out);

  switch (search.Result) {
    case LengthSearchResult::GivenLengthFails:
      out << Format("The wall as given, %.3f m, does not reach equilibrium: %s.", search.Given,
                    VerdictText(search.Trials.front().Verdict).c_str())
          << "\nThere is no minimum below it to find; lengthen the wall and search again.\n";
      err << "korvanu-cli: " << datafile << ": the given length does not reach equilibrium\n";
      return ExitIncomplete;
    case LengthSearchResult::NoShorterWall:
      out << Format("The lowest layer of the %.3f m wall is as thin as its %d elements allow;",
                    search.Given, g.NN)
          << "\nno shorter wall can be computed.\n";
      err << "korvanu-cli: " << datafile << ": no shorter wall to try\n";
      return ExitIncomplete;
    case LengthSearchResult::NoFailingLength:
      out << Format("No failing length: even a wall of %.3f m (the lowest layer %.3f m thick)",
                    search.Failing, search.Failing - problem->Z[g.NL - 1])
          << Format("\nreaches equilibrium in steps 0 to %d, so the length is not what holds it.",
                    K)
          << "\n";
      err << "korvanu-cli: " << datafile << ": no failing length below the given one\n";
      return ExitIncomplete;
    case LengthSearchResult::Found:
      break;
  }

  out << Format("Minimum length %.3f m: it stands, %.3f m fails (%d runs).", search.Shortest,
                search.Failing, static_cast<int>(search.Trials.size()))
      << "\n\n";
  auto shortest = std::make_unique<ProblemData>(*problem);
  SetWallLength(*shortest, search.Shortest);
  out << Format("At %.3f m:", search.Shortest) << "\n";
  auto engine = std::make_unique<EngineState>();
  StepTableObserver table(*shortest, out, RunFiles{});
  table.PrintHeader();
  RunInMemory(*shortest, K, *engine, &table);
  table.PrintSummary();

  if (written) {
    if (const auto why = SaveDatafile(*written, *shortest)) {
      err << "korvanu-cli: " << *why << "\n";
      return ExitRefused;
    }
    out << Format("\nWrote the problem with the wall %.3f m long to ", search.Shortest) << *written
        << "\n";
  }
  return ExitDone;
}

}  // namespace korvanu
