// Which values every run of a study takes: one input after the other through
// its range (the others as the datafile has them), every combination of the
// ranges, or Latin hypercube samples of the distributions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/StudyField.h"
#include "analysis/Variation.h"
#include "core/ProblemData.h"

namespace korvanu {

enum class DesignKind { Sweeps, Grid, Sampling };

struct StudyInput {
  StudyField Field;
  Variation Varies;
};

// The most runs of one study.
constexpr int MostRuns = 100000;

class StudyDesign {
 public:
  // The runs of the inputs on `problem`, every value rounded as a datafile
  // keeps it. Nothing, with the reason in `why`, when the variations do not fit
  // the kind (ranges for sweeps and grids, distributions for sampling), two
  // inputs set one record, there would be too many runs, or a value cannot
  // be given (a negative soil value, layers out of order).
  static std::optional<StudyDesign> Make(DesignKind kind, std::vector<StudyInput> inputs,
                                         const ProblemData& problem, int samples,
                                         std::uint64_t seed, std::string& why);

  DesignKind Kind() const { return kind_; }
  const std::vector<StudyInput>& Inputs() const { return inputs_; }
  std::uint64_t Seed() const { return seed_; }
  int Runs() const { return runs_; }
  // The value of input k in run r; nothing where the datafile's own values
  // stay (the inputs that a sweep does not vary).
  std::optional<double> Value(int run, int input) const;
  // The input that a sweep varies in run r.
  int Varied(int run) const { return varied_.empty() ? -1 : varied_[run]; }

 private:
  StudyDesign() = default;
  void Sweep();
  void Combine();
  void Sample(int samples);

  DesignKind kind_ = DesignKind::Sweeps;
  std::vector<StudyInput> inputs_;
  std::uint64_t seed_ = 0;
  int runs_ = 0;
  std::vector<double> values_;  // run after run, NaN where the datafile's value stays
  std::vector<int> varied_;
};

}  // namespace korvanu
