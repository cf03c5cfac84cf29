// The study command: its arguments, the runs with a progress line on a
// terminal, the summary, the CSV file and the plot.
#include "cli/StudyCommand.h"

#include <unistd.h>

#include <charconv>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <thread>

#include "core/DatafileFiles.h"
#include "core/TextFormat.h"

namespace korvanu {

namespace {

namespace fs = std::filesystem;

constexpr int MostJobs = 256;

int Refuse(const std::string& why, std::ostream& err) {
  err << "korvanu-cli study: " << why << "\n";
  return ExitRefused;
}

bool Reject(const std::string& why, std::ostream& err) {
  Refuse(why, err);
  return false;
}

bool WholeSeed(const std::string& word, std::uint64_t& seed) {
  const char* last = word.data() + word.size();
  const auto [end, error] = std::from_chars(word.data(), last, seed);
  return !word.empty() && error == std::errc() && end == last;
}

struct StudyArguments {
  std::string Datafile;
  std::vector<std::pair<std::string, std::string>> Varied;  // NAME, VALUES
  bool Grid = false;
  int Samples = 0;
  std::optional<std::uint64_t> Seed;
  std::vector<std::string> Limits;
  std::string Csv;
  std::string Plot;
  StudyOptions Options;
};

// Reads the words; false after a refusal went to `err`.
bool ReadArguments(const Arguments& arguments, StudyArguments& a, std::ostream& err) {
  a.Options.Jobs = std::max(1u, std::thread::hardware_concurrency());
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& word = arguments[k];
    const bool hasValue = k + 1 < arguments.size();
    const auto value = [&]() -> const std::string& { return arguments[++k]; };
    if (word == "--vary") {
      if (!hasValue) return Reject("--vary needs NAME=VALUES", err);
      const std::string& pair = value();
      const std::size_t equals = pair.find('=');
      if (equals == std::string::npos) {
        return Reject("--vary " + pair + ": give NAME=VALUES, as layer3.Kp=2.5:3.5:5", err);
      }
      a.Varied.emplace_back(pair.substr(0, equals), pair.substr(equals + 1));
    } else if (word == "--grid") {
      a.Grid = true;
    } else if (word == "--samples") {
      if (!hasValue || !WholeInteger(value(), a.Samples) || a.Samples < 1 || a.Samples > MostRuns) {
        return Reject("--samples needs a whole number from 1 to " + std::to_string(MostRuns), err);
      }
    } else if (word == "--seed") {
      std::uint64_t seed = 0;
      if (!hasValue || !WholeSeed(value(), seed)) {
        return Reject("--seed needs a whole number of 0 or more", err);
      }
      a.Seed = seed;
    } else if (word == "--limit") {
      if (!hasValue) return Reject("--limit needs QUANTITY=VALUE", err);
      a.Limits.push_back(value());
    } else if (word == "--min-length") {
      a.Options.MinLength = true;
    } else if (word == "-o" || word == "--output") {
      if (!hasValue) return Reject(word + " needs the CSV file to write", err);
      a.Csv = value();
    } else if (word == "--plot") {
      if (!hasValue) return Reject("--plot needs the PDF file to write", err);
      a.Plot = value();
    } else if (word == "--jobs") {
      if (!hasValue || !WholeInteger(value(), a.Options.Jobs) || a.Options.Jobs < 1 ||
          a.Options.Jobs > MostJobs) {
        return Reject("--jobs needs a whole number from 1 to " + std::to_string(MostJobs), err);
      }
    } else if (word == "--keep-runs") {
      if (!hasValue) return Reject("--keep-runs needs a folder", err);
      a.Options.KeepFolder = fs::path(value());
    } else if (word.size() > 1 && word[0] == '-') {
      return Reject("unknown option " + word, err);
    } else if (a.Datafile.empty()) {
      a.Datafile = word;
    } else {
      return Reject("takes exactly one datafile", err);
    }
  }
  if (a.Datafile.empty()) return Reject("no datafile given", err);
  if (a.Varied.empty()) return Reject("nothing to vary; give --vary NAME=VALUES", err);
  if (a.Csv.empty()) return Reject("needs -o STUDY.csv", err);
  if (a.Grid && a.Samples > 0) return Reject("--grid and --samples exclude each other", err);
  if (a.Seed && a.Samples == 0) return Reject("--seed belongs to --samples N", err);
  if (!a.Plot.empty() && fs::absolute(a.Plot) == fs::absolute(a.Csv)) {
    return Reject("the CSV file and the plot must be two files", err);
  }
  return true;
}

// A progress line that rewrites itself, for a person watching a terminal.
class ProgressLine {
 public:
  ProgressLine(std::ostream& err, int runs)
      : err_(err), runs_(runs), start_(std::chrono::steady_clock::now()) {}
  void operator()(int done) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::string line = Format("study: %d runs done, %d left", done, runs_ - done);
    const double left = done > 0 ? seconds / done * (runs_ - done) : 0.0;
    if (done > 0) line += left < 1.0 ? ", under 1 s to go" : Format(", about %.0f s to go", left);
    line.resize(std::max(line.size(), shown_), ' ');
    shown_ = line.size();
    err_ << "\r" << line << std::flush;
  }
  void Clear() {
    if (shown_ > 0) err_ << "\r" << std::string(shown_, ' ') << "\r" << std::flush;
  }

 private:
  std::ostream& err_;
  int runs_;
  std::chrono::steady_clock::time_point start_;
  std::size_t shown_ = 0;
};

}  // namespace

int RunStudyCommand(const Arguments& arguments, std::ostream& out, std::ostream& err,
                    const StudyPlotter& plotter) {
  StudyArguments a;
  if (!ReadArguments(arguments, a, err)) return ExitRefused;
  if (!a.Plot.empty() && !plotter) {
    return Refuse(
        "--plot draws with the program's printing, which this build does not have (built "
        "without the windows, KORVANU_GUI off); leave out --plot or build with the windows",
        err);
  }
  std::error_code ec;
  const fs::path csvFolder = fs::absolute(a.Csv, ec).parent_path();
  if (!fs::is_directory(csvFolder, ec)) {
    return Refuse("-o " + a.Csv + ": no folder " + csvFolder.string() + " to write it into", err);
  }
  // Before the runs, which may take long, rather than after them.
  if (const auto why = a.Plot.empty() ? std::nullopt : OutputFileRefusal(a.Plot)) {
    return Refuse("--plot " + a.Plot + ": the plot could not be written: " + *why, err);
  }
  if (a.Options.KeepFolder) {
    fs::create_directories(*a.Options.KeepFolder, ec);
    if (!fs::is_directory(*a.Options.KeepFolder)) {
      return Refuse("--keep-runs: cannot make the folder " + a.Options.KeepFolder->string(), err);
    }
  }

  auto problem = std::make_unique<ProblemData>();
  StartUpProblem(*problem);
  if (const auto why = LoadDatafile(a.Datafile, *problem)) {
    err << "korvanu-cli: " << *why << "\n";
    return ExitRefused;
  }
  if (problem->General.NL < 1 || problem->General.NT < 1) {
    err << "korvanu-cli: " << a.Datafile
        << ": a study needs at least one layer and one loading step\n";
    return ExitRefused;
  }

  std::vector<StudyInput> inputs;
  std::string why;
  for (const auto& [name, text] : a.Varied) {
    auto field = StudyField::Parse(name, *problem, why);
    if (!field) return Refuse(why, err);
    const auto variation = ParseVariation(text, why);
    if (!variation) return Refuse(name + ": " + why, err);
    inputs.push_back({std::move(*field), *variation});
  }
  const DesignKind kind = a.Samples > 0 ? DesignKind::Sampling
                          : a.Grid      ? DesignKind::Grid
                                        : DesignKind::Sweeps;
  const auto design =
      StudyDesign::Make(kind, std::move(inputs), *problem, a.Samples, a.Seed.value_or(1), why);
  if (!design) return Refuse(why, err);
  const std::vector<int> anchors = StudyAnchorPoints(*problem, *design);
  for (const std::string& text : a.Limits) {
    const auto limit = ParseLimit(text, anchors, why);
    if (!limit) return Refuse(why, err);
    a.Options.Limits.push_back(*limit);
  }

  const auto start = std::chrono::steady_clock::now();
  std::vector<RunResult> runs;
  if (&err == &std::cerr && ::isatty(STDERR_FILENO)) {
    ProgressLine line(err, design->Runs());
    runs = RunStudy(*problem, *design, a.Options, std::ref(line));
    line.Clear();
  } else {
    runs = RunStudy(*problem, *design, a.Options);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const StudyResults study(*problem, a.Datafile, *design, a.Options, std::move(runs), seconds);
  study.PrintSummary(out);

  int code = ExitDone;
  for (const RunResult& run : study.Runs()) {
    if (run.KeepFailure.empty()) continue;
    err << "korvanu-cli: " << run.KeepFailure << "\n";
    code = ExitIncomplete;
    break;
  }
  out << "\n";
  if (WriteWholeFile(a.Csv, study.Csv(), why)) {
    out << "Wrote " << study.Runs().size() << " runs to " << a.Csv << "\n";
  } else {
    err << "korvanu-cli: " << a.Csv << ": the study could not be written: " << why << "\n";
    code = ExitIncomplete;
  }
  if (a.Options.KeepFolder && code == ExitDone) {
    out << "Wrote every run as a datafile into " << a.Options.KeepFolder->string() << "\n";
  }
  if (!a.Plot.empty()) {
    const int pages = plotter(study, a.Plot, why);
    if (pages > 0) {
      out << "Wrote the plot to " << a.Plot << " (" << pages
          << (pages == 1 ? " page)\n" : " pages)\n");
    } else {
      err << "korvanu-cli: " << a.Plot << ": the plot could not be written: " << why << "\n";
      code = ExitIncomplete;
    }
  }
  return code;
}

}  // namespace korvanu
