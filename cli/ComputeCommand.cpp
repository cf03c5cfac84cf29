// compute: each datafile read as the program's Open reads it, computed
// unpaced, its step files written into its own folder under the names the
// program uses, and optionally every converged step as CSV.
#include <filesystem>
#include <memory>
#include <optional>
#include <set>

#include "analysis/StepTableObserver.h"
#include "cli/CliCommands.h"
#include "core/DatafileFiles.h"
#include "core/TextFormat.h"
#include "engine/BeamEquations.h"
#include "engine/RunComputation.h"
#include "engine/StepOutput.h"

namespace korvanu {

namespace fs = std::filesystem;

namespace {

struct FileResult {
  int Code = ExitDone;
  std::string Outcome;
};

// Two datafiles of one call whose results would land on the same names: the
// second would silently overwrite the first.
class ResultNames {
 public:
  // False when a file of this call already uses the folder and base name.
  bool Claim(const fs::path& folder, const std::string& base) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(folder, ec).lexically_normal();
    return claimed_.insert((absolute / base).string()).second;
  }

 private:
  std::set<std::string> claimed_;
};

std::string Plural(int count, const char* what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

FileResult ComputeOne(const std::string& datafile, const std::optional<fs::path>& csvFolder,
                      ResultNames& names, ProblemData& problem, EngineState& engine,
                      std::ostream& out, std::ostream& err) {
  problem = ProblemData{};  // nothing of the datafile before carries over
  StartUpProblem(problem);
  if (const auto why = LoadDatafile(datafile, problem)) {
    err << "korvanu-cli: " << *why << "\n";
    return {ExitRefused, *why};
  }

  // The program computes in the folder of the datafile it opened; the step
  // files go there, named from the File Name the datafile holds.
  const RunFiles files{fs::path(datafile).parent_path(), csvFolder};
  const std::string base = StepBaseName(problem);
  if (!names.Claim(*files.StepFolder, base) || (csvFolder && !names.Claim(*csvFolder, base))) {
    const std::string why = "its results, named " + base +
                            ".*, would overwrite those of a datafile before it; not computed";
    err << "korvanu-cli: " << datafile << ": " << why << "\n";
    return {ExitRefused, why};
  }

  const GeneralData& g = problem.General;
  out << "Problem  " << g.ProblemName << "\n";
  out << "File     " << datafile << " (step files named from " << g.FileName << ")\n";
  out << Format("Data     NN %d, NL %d, NT %d, profile %d (EI %.1f kNm2/m)", g.NN, g.NL, g.NT, g.NP,
                WallStiffness(problem))
      << "\n\n";

  StepTableObserver table(problem, out, files);
  table.PrintHeader();
  const ComputationFault fault = RunComputation(problem, engine, table);
  if (fault != ComputationFault::None) table.PrintFault(FaultText(fault));
  table.PrintSummary();
  out.flush();

  if (fault != ComputationFault::None) {
    const std::string why =
        std::string(FaultText(fault)) + " (step " + std::to_string(table.CurrentStep()) + ")";
    err << "korvanu-cli: " << datafile << ": " << why << "\n";
    return {ExitFloatingFault, why};
  }
  FileResult result;
  if (table.AllConverged()) {
    result.Outcome = "steps 0 to " + std::to_string(g.NT) + " converged";
  } else {
    result.Code = ExitIncomplete;
    result.Outcome = "step " + std::to_string(table.FirstFailedStep()) + " did not converge";
  }
  result.Outcome += ", " + Plural(table.StepFileCount(), "step file");
  if (csvFolder) result.Outcome += ", " + Plural(table.CsvFileCount(), "CSV file");
  if (table.WriteFailed()) {
    result.Code = ExitIncomplete;
    result.Outcome += "; a file could not be written";
    err << "korvanu-cli: " << datafile << ": a result file could not be written\n";
  }
  return result;
}

}  // namespace

int ComputeCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
  bool quiet = false;
  std::optional<fs::path> csvFolder;
  std::vector<std::string> datafiles;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& word = arguments[k];
    if (word == "--quiet" || word == "-q") {
      quiet = true;
    } else if (word == "--csv") {
      if (k + 1 >= arguments.size()) {
        err << "korvanu-cli compute: --csv needs a folder\n";
        return ExitRefused;
      }
      csvFolder = arguments[++k];
    } else if (word.size() > 1 && word[0] == '-') {
      err << "korvanu-cli compute: unknown option " << word << "\n";
      return ExitRefused;
    } else {
      datafiles.push_back(word);
    }
  }
  if (datafiles.empty()) {
    err << "korvanu-cli compute: no datafile given\n";
    return ExitRefused;
  }
  if (csvFolder) {
    std::error_code ec;
    fs::create_directories(*csvFolder, ec);
    if (ec || !fs::is_directory(*csvFolder)) {
      err << "korvanu-cli compute: cannot make the CSV folder " << csvFolder->string() << ": "
          << (ec ? ec.message() : "not a folder") << "\n";
      return ExitRefused;
    }
  }

  // --quiet: the tables go nowhere (a stream without a buffer drops them).
  std::ostream nowhere(nullptr);
  std::ostream& tables = quiet ? nowhere : out;
  ResultNames names;
  std::vector<FileResult> results;
  int worst = ExitDone;
  auto problem = std::make_unique<ProblemData>();
  auto engine = std::make_unique<EngineState>();
  for (std::size_t k = 0; k < datafiles.size(); ++k) {
    if (k > 0) tables << "\n";
    results.push_back(ComputeOne(datafiles[k], csvFolder, names, *problem, *engine, tables, err));
    worst = std::max(worst, results.back().Code);
  }

  // One datafile's table says it all; a batch ends with a line for each.
  if (datafiles.size() == 1 && !quiet) return worst;
  if (!quiet) out << "\n";
  out << "Summary (exit code, datafile, outcome):\n";
  for (std::size_t k = 0; k < datafiles.size(); ++k) {
    out << "  " << results[k].Code << "  " << datafiles[k] << ": " << results[k].Outcome << "\n";
  }
  return worst;
}

int ComputeDatafile(const std::string& datafile, ProblemData& problem, EngineState& engine,
                    std::ostream& out, std::ostream& err) {
  ResultNames names;
  return ComputeOne(datafile, std::nullopt, names, problem, engine, out, err).Code;
}

}  // namespace korvanu
