// The study's CSV records and its summary: ranges, rank correlations and the
// probability of failure.
#include "analysis/StudyResults.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "core/TextFormat.h"

namespace korvanu {

namespace {

// The shortest text that reads back to the same double; empty for NaN.
std::string Number(double value) {
  if (std::isnan(value)) return {};
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, result.ptr);
}

std::string Number(const std::optional<double>& value) {
  return value ? Number(*value) : std::string();
}

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string Field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string LengthSearchText(const MinimumLength& search) {
  switch (search.Result) {
    case LengthSearchResult::Found:
      return "found";
    case LengthSearchResult::GivenLengthFails:
      return "no wall up to twice the length stands";
    case LengthSearchResult::NoFailingLength:
      return Format("stands down to %.3f m", search.Failing);
    case LengthSearchResult::NoShorterWall:
      return "no shorter wall";
  }
  return {};
}

// The wall length of the datafile, while no run moves the toe.
std::optional<double> GivenLength(const ProblemData& problem, const StudyDesign& design) {
  for (const StudyInput& input : design.Inputs()) {
    if (input.Field.MovesBoundary()) return std::nullopt;
  }
  return problem.Z[problem.General.NL];
}

const char* DesignText(DesignKind kind) {
  switch (kind) {
    case DesignKind::Sweeps:
      return "one input at a time";
    case DesignKind::Grid:
      return "every combination of the ranges";
    case DesignKind::Sampling:
      return "Latin hypercube sampling";
  }
  return "";
}

}  // namespace

StudyResults::StudyResults(const ProblemData& problem, std::string datafile,
                           const StudyDesign& design, const StudyOptions& options,
                           std::vector<RunResult> runs, double seconds)
    : problem_(problem),
      datafile_(std::move(datafile)),
      design_(design),
      options_(options),
      runs_(std::move(runs)),
      seconds_(seconds),
      anchors_(StudyAnchorPoints(problem, design)) {
  const auto limitOn = [&](StudyLimit::Quantity of, int point) -> std::optional<double> {
    for (const StudyLimit& limit : options_.Limits) {
      if (limit.Of == of && limit.Point == point) return limit.Value;
    }
    return std::nullopt;
  };
  using Value = std::function<std::optional<double>(const RunResult&)>;
  const auto add = [&](std::string name, std::string unit, Value of, std::optional<double> limit,
                       std::optional<double> reference) {
    outputs_.push_back({std::move(name), std::move(unit), std::move(of), limit, reference});
  };
  // The results of the loading steps exist for a run that stands only.
  const auto standing = [](std::function<double(const RunResult&)> of) -> Value {
    return [of](const RunResult& r) -> std::optional<double> {
      if (!r.Verdict.Stands() || std::isnan(of(r))) return std::nullopt;
      return of(r);
    };
  };
  add("max |w|", "m", standing([](const RunResult& r) { return r.Overall.W; }),
      limitOn(StudyLimit::Quantity::Displacement, -1), std::nullopt);
  add("max |M|", "kNm/m", standing([](const RunResult& r) { return r.Overall.M; }),
      limitOn(StudyLimit::Quantity::Moment, -1), std::nullopt);
  for (std::size_t a = 0; a < anchors_.size(); ++a) {
    add("anchor " + std::to_string(anchors_[a]), "kN/m",
        standing([a](const RunResult& r) { return std::fabs(r.Overall.Anchors[a]); }),
        limitOn(StudyLimit::Quantity::Anchor, anchors_[a]), std::nullopt);
  }
  if (options_.MinLength) {
    add(
        "min length", "m",
        [](const RunResult& r) -> std::optional<double> {
          if (!r.Length || r.Length->Result != LengthSearchResult::Found) return std::nullopt;
          return r.Length->Shortest;
        },
        std::nullopt, GivenLength(problem, design));
  }
}

std::optional<double> StudyResults::InputValue(int run, int input) const {
  if (const auto value = design_.Value(run, input)) return value;
  return design_.Inputs()[input].Field.GivenValue(problem_);
}

std::vector<int> StudyResults::RunsOf(int input) const {
  std::vector<int> runs;
  for (int r = 0; r < static_cast<int>(runs_.size()); ++r) {
    if (design_.Kind() != DesignKind::Sweeps || design_.Varied(r) == input) runs.push_back(r);
  }
  return runs;
}

std::optional<double> StudyResults::Correlation(int input, int output) const {
  std::vector<double> x, y;
  for (const int r : RunsOf(input)) {
    const auto value = outputs_[output].Of(runs_[r]);
    const auto in = InputValue(r, input);
    if (!value || !in) continue;
    x.push_back(*in);
    y.push_back(*value);
  }
  return RankCorrelation(x, y);
}

FailureShare StudyResults::Failures() const {
  FailureShare share;
  share.Runs = static_cast<int>(runs_.size());
  share.Failures = static_cast<int>(
      std::count_if(runs_.begin(), runs_.end(), [](const RunResult& r) { return r.Fails; }));
  if (share.Runs == 0) return share;
  share.Share = static_cast<double>(share.Failures) / share.Runs;
  share.Interval = WilsonInterval(share.Failures, share.Runs);
  share.Beta = -NormalQuantile(share.Share) + 0.0;  // 0, not -0, at a share of one half
  share.BetaLow = -NormalQuantile(share.Interval.High);
  share.BetaHigh = -NormalQuantile(share.Interval.Low);
  return share;
}

std::string StudyResults::Csv() const {
  const bool sweeps = design_.Kind() == DesignKind::Sweeps;
  std::string text;
  const auto cell = [&](const std::string& field) {
    text += ',';
    text += field;
  };
  const auto stepColumns = [&](const std::string& lead) {
    for (const char* column : {"w_max_m", "w_max_z_m", "M_max_kNm_per_m", "M_max_z_m"}) {
      cell(lead + column);
    }
    for (const int p : anchors_) cell(lead + "anchor" + std::to_string(p) + "_kN_per_m");
  };
  text = "run";
  if (sweeps) cell("varied");
  for (const StudyInput& input : design_.Inputs()) cell(Field(input.Field.Name()));
  for (const char* column : {"outcome", "stands", "fails", "exceeds"}) cell(column);
  stepColumns("");
  if (options_.MinLength) {
    cell("min_length_m");
    cell("min_length_search");
  }
  for (int s = 1; s <= problem_.General.NT; ++s) stepColumns("step" + std::to_string(s) + "_");
  text += "\r\n";

  const auto stepValues = [&](const StepValues& v, bool has) {
    for (const double value : {v.W, v.WDepth, v.M, v.MDepth}) cell(has ? Number(value) : "");
    for (std::size_t a = 0; a < anchors_.size(); ++a) {
      cell(has && a < v.Anchors.size() ? Number(v.Anchors[a]) : "");
    }
  };
  for (std::size_t r = 0; r < runs_.size(); ++r) {
    const RunResult& run = runs_[r];
    const int index = static_cast<int>(r);
    text += std::to_string(r + 1);
    if (sweeps) cell(Field(design_.Inputs()[design_.Varied(index)].Field.Name()));
    for (std::size_t k = 0; k < design_.Inputs().size(); ++k) {
      cell(Number(InputValue(index, static_cast<int>(k))));
    }
    std::string exceeds;
    for (const std::string& name : run.Exceeds) {
      if (!exceeds.empty()) exceeds += ';';
      exceeds += name;
    }
    cell(Field(VerdictText(run.Verdict)));
    cell(run.Verdict.Stands() ? "1" : "0");
    cell(run.Fails ? "1" : "0");
    cell(exceeds);
    stepValues(run.Overall, run.Verdict.Stands());
    if (options_.MinLength) {
      const bool found = run.Length->Result == LengthSearchResult::Found;
      cell(found ? Number(run.Length->Shortest) : "");
      cell(Field(LengthSearchText(*run.Length)));
    }
    for (const StepValues& step : run.Steps) stepValues(step, step.Converged);
    text += "\r\n";
  }
  return text;
}

void StudyResults::PrintSummary(std::ostream& out) const {
  const std::vector<StudyInput>& inputs = design_.Inputs();
  std::size_t nameWidth = 16;  // "Rank correlation"
  for (const StudyInput& input : inputs) nameWidth = std::max(nameWidth, input.Field.Name().size());
  const int width = static_cast<int>(nameWidth);

  out << "Study    " << problem_.General.ProblemName << " (" << datafile_ << ")\n";
  out << Format("Design   %s, %d runs", DesignText(design_.Kind()), design_.Runs());
  if (design_.Kind() == DesignKind::Sampling) {
    out << ", seed " << design_.Seed();
  }
  out << Format(", %d threads, %.2f s", std::clamp(options_.Jobs, 1, std::max(1, design_.Runs())),
                seconds_)
      << "\n";
  for (const StudyInput& input : inputs) {
    const auto given = input.Field.GivenValue(problem_);
    out << Format("         %-*s %s", width, input.Field.Name().c_str(),
                  input.Varies.Text().c_str())
        << (given ? Format(" (datafile %g)", *given) : std::string(" (datafile: differs by step)"))
        << "\n";
  }

  // How the runs ended, the same texts counted together.
  std::map<std::string, int> endings;
  int standing = 0;
  int reordered = 0;
  for (const RunResult& run : runs_) {
    if (run.Verdict.Stands()) {
      ++standing;
    } else {
      ++endings[VerdictText(run.Verdict)];
    }
    if (run.Reordered) ++reordered;
  }
  out << "\nRuns     " << standing << " stand";
  if (!endings.empty()) {
    out << ", " << runs_.size() - standing << " find no equilibrium:";
    const char* separator = " ";
    for (const auto& [text, count] : endings) {
      out << separator << count << " " << text;
      separator = "; ";
    }
  }
  out << "\n";
  for (const StudyLimit& limit : options_.Limits) {
    const int over =
        static_cast<int>(std::count_if(runs_.begin(), runs_.end(), [&](const RunResult& r) {
          return std::find(r.Exceeds.begin(), r.Exceeds.end(), limit.Name) != r.Exceeds.end();
        }));
    out << Format("Limit    %s %g: exceeded in %d of the runs that stand", limit.Name.c_str(),
                  limit.Value, over)
        << "\n";
  }
  const FailureShare failures = Failures();
  out << "Failing  " << failures.Failures << " of " << failures.Runs << " runs\n";
  if (reordered > 0) {
    out << "Note     in " << reordered
        << " runs Kp or Kn was brought into Ka <= Kn <= Kp, as a datafile is read\n";
  }

  out << "\n" << Format("%-18s %14s %14s %6s", "Output", "least", "largest", "runs") << "\n";
  for (const StudyOutput& output : outputs_) {
    double least = HUGE_VAL, largest = -HUGE_VAL;
    int count = 0;
    for (const RunResult& run : runs_) {
      if (const auto value = output.Of(run)) {
        least = std::min(least, *value);
        largest = std::max(largest, *value);
        ++count;
      }
    }
    const std::string label = output.Short + " " + output.Unit;
    if (count == 0) {
      out << Format("%-18s %14s %14s %6d", label.c_str(), "-", "-", 0) << "\n";
    } else {
      out << Format("%-18s %14.6g %14.6g %6d", label.c_str(), least, largest, count) << "\n";
    }
  }

  out << "\n" << Format("%-*s", width, "Rank correlation");
  for (const StudyOutput& output : outputs_) out << Format(" %11s", output.Short.c_str());
  out << "\n";
  for (std::size_t k = 0; k < inputs.size(); ++k) {
    out << Format("%-*s", width, inputs[k].Field.Name().c_str());
    for (std::size_t j = 0; j < outputs_.size(); ++j) {
      const auto rho = Correlation(static_cast<int>(k), static_cast<int>(j));
      out << (rho ? Format(" %11.3f", *rho) : Format(" %11s", "-"));
    }
    out << "\n";
  }

  if (design_.Kind() == DesignKind::Sampling) {
    out << "\n"
        << Format("Probability of failure  %.4g (%d of %d runs), 95 %% interval %.4g to %.4g",
                  failures.Share, failures.Failures, failures.Runs, failures.Interval.Low,
                  failures.Interval.High)
        << "\n";
    if (failures.Failures == 0) {
      out << Format("Reliability index beta  above %.3f (no run fails; the interval's bound)",
                    failures.BetaLow)
          << "\n";
    } else if (failures.Failures == failures.Runs) {
      out << Format("Reliability index beta  below %.3f (every run fails; the interval's bound)",
                    failures.BetaHigh)
          << "\n";
    } else {
      out << Format("Reliability index beta  %.3f (95 %%: %.3f to %.3f)", failures.Beta,
                    failures.BetaLow, failures.BetaHigh)
          << "\n";
    }
  }
}

}  // namespace korvanu
