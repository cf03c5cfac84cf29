// Factor searches on a grid of thousandths: strides up from 1 that double,
// then halving. One run tells for every step k whether steps 0..k stand (a
// run stops at its first failing step), so the searches of the steps share
// their runs.
#include "analysis/FactorSearch.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>

#include "analysis/TrialRun.h"
#include "engine/StrengthCoefficients.h"

namespace korvanu {
namespace {

// Factors in thousandths.
constexpr int One = 1000;
constexpr int Largest = 10000;
// The strides up double to at most this: wide enough to reach 10 in some 20
// runs, narrow enough not to leap far past a first failing factor.
constexpr int LongestStride = 1000;

// Below this dry weight a layer record is taken as excavated, holding no soil.
constexpr double NoSoil = 0.001;

// How the run at one factor went: it stood through step Reached, or failed at
// step FailedStep (then every step before it stood), for the reason kept.
struct Trial {
  int Reached = -1;
  int FailedStep = -1;
  std::optional<FactorRefusal> Refusal;
  RunVerdict Verdict;
};

// Answers "do steps 0..k stand at factor F" from runs already made where it
// can, and runs steps 0..k otherwise.
class FactorTrials {
 public:
  using Apply = std::optional<FactorRefusal> (*)(ProblemData&, double);

  FactorTrials(const ProblemData& problem, Apply apply, const SearchControl& control)
      : problem_(problem),
        apply_(apply),
        control_(control),
        engine_(std::make_unique<EngineState>()),
        trial_(std::make_unique<ProblemData>()) {}

  bool Stands(int factor, int k) {
    auto known = trials_.find(factor);
    if (known != trials_.end()) {
      const Trial& t = known->second;
      if (t.FailedStep >= 0 && t.FailedStep <= k) return false;
      if (t.FailedStep > k || t.Reached >= k) return true;
    }
    *trial_ = problem_;
    const std::optional<FactorRefusal> refusal = apply_(*trial_, factor / 1000.0);
    Trial t;
    if (refusal && refusal->Step <= k) {
      // The steps before the refused record still tell where the run fails
      // first; from that record's step on there is nothing to compute.
      RunVerdict verdict;
      if (refusal->Step > 0) {
        verdict = RunTrial(*trial_, refusal->Step - 1, *engine_, control_, true);
        ++runs_;
      }
      if (verdict.Stands()) {
        t.FailedStep = refusal->Step;
        t.Refusal = refusal;
      } else {
        t.FailedStep = verdict.FailedStep;
        t.Verdict = verdict;
      }
    } else {
      const RunVerdict verdict = RunTrial(*trial_, k, *engine_, control_, true);
      ++runs_;
      if (verdict.Stands()) {
        t.Reached = k;
      } else {
        t.FailedStep = verdict.FailedStep;
        t.Verdict = verdict;
      }
    }
    trials_[factor] = t;
    ++phaseRuns_;
    // A search takes some 10 to 30 runs.
    control_.Report(base_ + width_ * (1.0 - std::pow(0.9, phaseRuns_)));
    return t.FailedStep < 0;
  }

  // The searches that follow cover [base, base + width] of the progress.
  void Phase(double base, double width) {
    base_ = base;
    width_ = width;
    phaseRuns_ = 0;
  }

  int Runs() const { return runs_; }

  // Why `factor`, known to fail for steps 0..k, fails.
  void Failure(int factor, FactorResult& result) const {
    const auto known = trials_.find(factor);
    if (known == trials_.end()) return;
    result.Refusal = known->second.Refusal;
    result.Failure = known->second.Verdict;
  }

 private:
  const ProblemData& problem_;
  Apply apply_;
  const SearchControl& control_;
  std::unique_ptr<EngineState> engine_;
  std::unique_ptr<ProblemData> trial_;
  std::map<int, Trial> trials_;
  int runs_ = 0;
  int phaseRuns_ = 0;
  double base_ = 0.0;
  double width_ = 1.0;
};

FactorResult SearchSteps(FactorTrials& trials, int k) {
  FactorResult result;
  if (!trials.Stands(One, k)) {
    result.Outcome = FactorOutcome::BelowOne;
    trials.Failure(One, result);
    return result;
  }
  int standing = One;
  int failing = 0;
  for (int stride = 1;; stride = std::min(2 * stride, LongestStride)) {
    const int factor = std::min(standing + stride, Largest);
    if (factor == standing) {
      result.Outcome = FactorOutcome::AtLeastMax;
      result.Value = Largest / 1000.0;
      return result;
    }
    if (!trials.Stands(factor, k)) {
      failing = factor;
      break;
    }
    standing = factor;
  }
  while (failing - standing > 1) {
    const int middle = (standing + failing) / 2;
    if (trials.Stands(middle, k)) {
      standing = middle;
    } else {
      failing = middle;
    }
  }
  result.Outcome = FactorOutcome::Found;
  result.Value = standing / 1000.0;
  trials.Failure(failing, result);
  return result;
}

// The whole problem first, then steps NT-1 down to 1: the runs of a later
// step answer most questions of the earlier ones.
FactorSearch SearchFactor(const ProblemData& problem, FactorTrials::Apply apply,
                          const SearchControl& control) {
  FactorSearch search;
  const int NT = std::max(problem.General.NT, 0);
  search.PerStep.resize(NT);
  FactorTrials trials(problem, apply, control);
  try {
    // The whole problem takes most of the runs.
    const double whole = NT > 1 ? 0.7 : 1.0;
    trials.Phase(0.0, whole);
    search.Whole = SearchSteps(trials, NT);
    if (NT > 0) search.PerStep[NT - 1] = search.Whole;
    for (int k = NT - 1; k >= 1; --k) {
      const double width = (1.0 - whole) / (NT - 1);
      trials.Phase(whole + (NT - 1 - k) * width, width);
      search.PerStep[k - 1] = SearchSteps(trials, k);
    }
  } catch (const SearchCancelled&) {
    search.Cancelled = true;
  }
  search.Runs = trials.Runs();
  return search;
}

constexpr double Degree = M_PI / 180.0;

// An angle whose tangent is divided by the factor, in degrees.
double FactoredAngle(double degrees, double factor) {
  return std::atan(std::tan(degrees * Degree) / factor) / Degree;
}

// The layers of 1..NL with a strength in some step 0..NT on some side.
int LayersWithStrength(const ProblemData& problem) {
  const int NL = std::clamp(problem.General.NL, 0, MaxLayers);
  const int NT = std::clamp(problem.General.NT, 0, MaxSteps);
  int layers = 0;
  for (int j = 0; j < NL; ++j) {
    bool held = false;
    for (int s = 0; s <= NT && !held; ++s) {
      held = problem.Strength(j, s, Side::Left) || problem.Strength(j, s, Side::Right);
    }
    if (held) ++layers;
  }
  return layers;
}

}  // namespace

std::optional<FactorRefusal> FactorStrength(ProblemData& problem, double factor) {
  const int NL = std::clamp(problem.General.NL, 0, MaxLayers);
  const int NT = std::clamp(problem.General.NT, 0, MaxSteps);
  std::optional<FactorRefusal> first;
  for (int s = 0; s <= NT; ++s) {
    for (int j = 0; j < NL; ++j) {
      for (Side side : {Side::Left, Side::Right}) {
        const std::optional<SoilStrength>& given = problem.Strength(j, s, side);
        LayerProperties& l = problem.Layer(j, s, side);
        if (!given || l.Wd < NoSoil) continue;
        SoilStrength factored = *given;
        factored.Phi = FactoredAngle(given->Phi, factor);
        // Wall friction given in degrees is a friction angle too; as a
        // ratio it follows the factored phi'.
        if (given->DeltaUnit == WallFrictionUnit::Degrees) {
          factored.Delta = FactoredAngle(given->Delta, factor);
        }
        factored.Cohesion = given->Cohesion / factor;
        const EarthPressureCoefficients k =
            LayerCoefficients(problem, j, side, factored, StrokeRule::Unrounded);
        if (!k.Ok()) {
          if (!first) first = FactorRefusal{j, s, side, k.Error};
          continue;
        }
        l.c = factored.Cohesion;
        l.Ka = k.Ka;
        l.Kn = k.Kn;
        l.Kp = k.Kp;
        if (k.Dw) l.Dw = *k.Dw;
      }
    }
  }
  return first;
}

bool FactorResult::AtLeast(double minimum) const {
  // Values on the grid of thousandths; a requirement typed as 1.5 is met by 1.500.
  constexpr double slack = 1e-9;
  switch (Outcome) {
    case FactorOutcome::Found:
    case FactorOutcome::AtLeastMax:
      return Value >= minimum - slack;
    case FactorOutcome::BelowOne:
    case FactorOutcome::NoStrength:
    case FactorOutcome::NotRun:
      break;
  }
  return false;
}

void FactorPassive(ProblemData& problem, double factor) {
  const int NL = std::clamp(problem.General.NL, 0, MaxLayers);
  const int NT = std::clamp(problem.General.NT, 0, MaxSteps);
  for (int j = 0; j < NL; ++j) {
    for (int s = 0; s <= NT; ++s) {
      for (Side side : {Side::Left, Side::Right}) {
        LayerProperties& l = problem.Layer(j, s, side);
        if (l.Wd < NoSoil) continue;
        l.Kp = std::max(l.Ka, l.Kp / factor);
        l.Kn = std::min(l.Kn, l.Kp);
      }
    }
  }
}

FactorSearch SearchPassiveFactor(const ProblemData& problem, const SearchControl& control) {
  const auto apply = [](ProblemData& trial, double factor) -> std::optional<FactorRefusal> {
    FactorPassive(trial, factor);
    return std::nullopt;
  };
  return SearchFactor(problem, apply, control);
}

FactorSearch SearchStrengthFactor(const ProblemData& problem, const SearchControl& control) {
  const int layers = LayersWithStrength(problem);
  if (layers == 0) {
    FactorSearch search;
    search.PerStep.resize(std::max(problem.General.NT, 0));
    search.Whole.Outcome = FactorOutcome::NoStrength;
    for (FactorResult& step : search.PerStep) step.Outcome = FactorOutcome::NoStrength;
    return search;
  }
  FactorSearch search = SearchFactor(problem, FactorStrength, control);
  search.LayersFactored = layers;
  return search;
}

EmbedmentCheck CheckEmbedment(const ProblemData& problem, const SearchControl& control) {
  EmbedmentCheck check;
  check.Search = FindMinimumLength(problem, problem.General.NT, 0.001, 0.0, control);
  check.Search.Trials.clear();
  check.Search.Trials.shrink_to_fit();
  check.Cancelled = check.Search.Cancelled;
  if (!check.Cancelled && check.Search.Result == LengthSearchResult::Found &&
      check.Search.Shortest > 0.0) {
    check.Ratio = check.Search.Given / check.Search.Shortest;
  }
  return check;
}

DesignSearches RunDesignSearches(const ProblemData& problem, const SearchControl& control) {
  DesignSearches searches;
  // One progress over the three: Fp, Fs, then the length.
  const auto part = [&control](double from, double width) {
    SearchControl inner;
    inner.Cancel = control.Cancel;
    if (control.Progress) {
      inner.Progress = [&control, from, width](double f) { control.Report(from + width * f); };
    }
    return inner;
  };
  searches.Fp = SearchPassiveFactor(problem, part(0.0, 0.5));
  if (!searches.Fp.Cancelled) searches.Fs = SearchStrengthFactor(problem, part(0.5, 0.2));
  if (!searches.Fp.Cancelled && !searches.Fs.Cancelled) {
    searches.Embedment = CheckEmbedment(problem, part(0.7, 0.3));
  }
  searches.Cancelled =
      searches.Fp.Cancelled || searches.Fs.Cancelled || searches.Embedment.Cancelled;
  if (searches.Cancelled) {
    searches.Embedment.Cancelled = true;
  } else {
    control.Report(1.0);
  }
  return searches;
}

}  // namespace korvanu
