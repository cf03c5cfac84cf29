// A finished study: its runs with their inputs and results, the outputs that
// the summary and the plot show, the rank correlations and the share of
// failures; written as CSV and as a summary text.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/StudyRunner.h"
#include "analysis/StudyStatistics.h"

namespace korvanu {

// One result that the summary ranges and correlates and the plot draws.
struct StudyOutput {
  std::string Short;  // "max |w|", "anchor 1", "min length"
  std::string Unit;   // "m", "kNm/m", "kN/m"
  // The value of a run; nothing for a run that has none (it does not stand).
  std::function<std::optional<double>(const RunResult&)> Of;
  std::optional<double> Limit;      // the --limit on it
  std::optional<double> Reference;  // the datafile's own value (its length)
};

// The 95 % interval of the share of failing runs and the reliability index
// beta = -Phi^-1(share) with the bounds that the interval gives it.
struct FailureShare {
  int Failures = 0;
  int Runs = 0;
  double Share = 0.0;
  ShareInterval Interval;
  double Beta = 0.0, BetaLow = 0.0, BetaHigh = 0.0;
};

class StudyResults {
 public:
  StudyResults(const ProblemData& problem, std::string datafile, const StudyDesign& design,
               const StudyOptions& options, std::vector<RunResult> runs, double seconds);

  const ProblemData& Problem() const { return problem_; }
  const std::string& Datafile() const { return datafile_; }
  const StudyDesign& Design() const { return design_; }
  const std::vector<RunResult>& Runs() const { return runs_; }
  const std::vector<int>& AnchorPoints() const { return anchors_; }
  const std::vector<StudyOutput>& Outputs() const { return outputs_; }

  // The value input k had in run r: the run's own, or the datafile's where a
  // sweep leaves the input as given (nothing when that differs by record).
  std::optional<double> InputValue(int run, int input) const;
  // The runs that tell how an output depends on input k: those of its own
  // sweep, or every run of a grid or a sample.
  std::vector<int> RunsOf(int input) const;
  // Spearman's rank correlation of input k with output j over RunsOf(k)
  // that have the output.
  std::optional<double> Correlation(int input, int output) const;
  FailureShare Failures() const;

  // One record per run (RFC 4180, CR LF, numbers that read back exactly).
  std::string Csv() const;
  void PrintSummary(std::ostream& out) const;

 private:
  const ProblemData& problem_;
  std::string datafile_;
  const StudyDesign& design_;
  const StudyOptions& options_;
  std::vector<RunResult> runs_;
  double seconds_;
  std::vector<int> anchors_;
  std::vector<StudyOutput> outputs_;
};

}  // namespace korvanu
