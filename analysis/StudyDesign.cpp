// The values of a study's runs. Sampling draws from its own generator and
// shuffle, so that a seed gives the same samples with every standard library.
#include "analysis/StudyDesign.h"

#include <cmath>
#include <limits>
#include <numeric>
#include <random>

#include "core/TextFormat.h"

namespace korvanu {

namespace {

constexpr double Unset = std::numeric_limits<double>::quiet_NaN();

// The engine of std::mt19937_64 is fixed by the standard; its distributions
// and std::shuffle are not, so both are built here.
class SampleStream {
 public:
  explicit SampleStream(std::uint64_t seed) : engine_(seed) {}
  // Uniform in (0, 1), never 0 or 1.
  double Open() { return (static_cast<double>(engine_() >> 11) + 0.5) * 0x1.0p-53; }
  // Uniform in 0..n-1 without bias.
  std::uint64_t Below(std::uint64_t n) {
    const std::uint64_t reject = (0 - n) % n;  // 2^64 mod n
    for (;;) {
      const std::uint64_t x = engine_();
      if (x >= reject) return x % n;
    }
  }

 private:
  std::mt19937_64 engine_;
};

}  // namespace

std::optional<StudyDesign> StudyDesign::Make(DesignKind kind, std::vector<StudyInput> inputs,
                                             const ProblemData& problem, int samples,
                                             std::uint64_t seed, std::string& why) {
  if (inputs.empty()) {
    why = "nothing to vary; give --vary NAME=VALUES";
    return std::nullopt;
  }
  double runs = kind == DesignKind::Sampling ? samples : kind == DesignKind::Grid ? 1.0 : 0.0;
  for (std::size_t k = 0; k < inputs.size(); ++k) {
    const StudyInput& input = inputs[k];
    if (input.Varies.IsRange() == (kind == DesignKind::Sampling)) {
      why = input.Field.Name() + ": " +
            (kind == DesignKind::Sampling
                 ? "--samples draws from distributions (normal:, lognormal:, uniform:), not a "
                   "range"
                 : "a distribution is sampled with --samples N; sweeps and --grid take "
                   "FROM:TO:COUNT");
      return std::nullopt;
    }
    for (std::size_t j = 0; j < k; ++j) {
      if (input.Field.Overlaps(inputs[j].Field)) {
        why = input.Field.Name() + " and " + inputs[j].Field.Name() + " set the same value";
        return std::nullopt;
      }
    }
    if (kind == DesignKind::Grid) runs *= input.Varies.Count;
    if (kind == DesignKind::Sweeps) runs += input.Varies.Count;
  }
  if (runs > MostRuns) {
    why = "the study would make " + std::to_string(static_cast<long long>(runs)) +
          " runs; at most " + std::to_string(MostRuns);
    return std::nullopt;
  }

  StudyDesign design;
  design.kind_ = kind;
  design.inputs_ = std::move(inputs);
  design.seed_ = seed;
  design.runs_ = static_cast<int>(runs);
  design.values_.assign(static_cast<std::size_t>(design.runs_) * design.inputs_.size(), Unset);
  if (kind == DesignKind::Sweeps) design.Sweep();
  if (kind == DesignKind::Grid) design.Combine();
  if (kind == DesignKind::Sampling) design.Sample(samples);

  // Every value is checked before the first run, so that a study never stops
  // half way.
  bool boundaries = false;
  for (int r = 0; r < design.runs_; ++r) {
    for (std::size_t k = 0; k < design.inputs_.size(); ++k) {
      const StudyField& field = design.inputs_[k].Field;
      boundaries = boundaries || field.MovesBoundary();
      const std::optional<double> value = design.Value(r, static_cast<int>(k));
      if (!value) continue;
      if (const auto refusal = field.Refusal(*value)) {
        why = "run " + std::to_string(r + 1) + ": " + *refusal;
        return std::nullopt;
      }
    }
  }
  if (boundaries) {
    ProblemData scratch = problem;
    for (int r = 0; r < design.runs_; ++r) {
      scratch.Z = problem.Z;
      scratch.H = problem.H;
      for (std::size_t k = 0; k < design.inputs_.size(); ++k) {
        const StudyField& field = design.inputs_[k].Field;
        const std::optional<double> value = design.Value(r, static_cast<int>(k));
        if (field.MovesBoundary() && value) field.Apply(scratch, *value);
      }
      for (int p = 1; p <= problem.General.NL; ++p) {
        if (scratch.Z[p] <= scratch.Z[p - 1]) {
          why = Format("run %d: point %d at %.3f m would not lie below point %d at %.3f m", r + 1,
                       p, scratch.Z[p], p - 1, scratch.Z[p - 1]);
          return std::nullopt;
        }
      }
    }
  }
  return design;
}

std::optional<double> StudyDesign::Value(int run, int input) const {
  const double value = values_[static_cast<std::size_t>(run) * inputs_.size() + input];
  if (std::isnan(value)) return std::nullopt;
  return value;
}

void StudyDesign::Sweep() {
  const std::size_t n = inputs_.size();
  int run = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const StudyInput& input = inputs_[k];
    for (int v = 0; v < input.Varies.Count; ++v, ++run) {
      values_[run * n + k] = input.Field.Rounded(input.Varies.RangeValue(v));
      varied_.push_back(static_cast<int>(k));
    }
  }
}

void StudyDesign::Combine() {
  // The last input changes fastest, as nested loops in the order given.
  const std::size_t n = inputs_.size();
  for (int run = 0; run < runs_; ++run) {
    int rest = run;
    for (std::size_t k = n; k-- > 0;) {
      const Variation& variation = inputs_[k].Varies;
      values_[run * n + k] = inputs_[k].Field.Rounded(variation.RangeValue(rest % variation.Count));
      rest /= variation.Count;
    }
  }
}

void StudyDesign::Sample(int samples) {
  // Latin hypercube: each input's range of probability is cut into `samples`
  // equal strata, every stratum is drawn once, and the strata of the inputs
  // are paired by independent shuffles.
  const std::size_t n = inputs_.size();
  SampleStream stream(seed_);
  std::vector<int> strata(samples);
  for (std::size_t k = 0; k < n; ++k) {
    std::iota(strata.begin(), strata.end(), 0);
    for (int i = samples - 1; i > 0; --i) {
      std::swap(strata[i], strata[stream.Below(static_cast<std::uint64_t>(i) + 1)]);
    }
    for (int run = 0; run < samples; ++run) {
      const double u = (strata[run] + stream.Open()) / samples;
      values_[run * n + k] = inputs_[k].Field.Rounded(inputs_[k].Varies.Quantile(u));
    }
  }
}

}  // namespace korvanu
