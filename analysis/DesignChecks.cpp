// The largest values of each step and of all steps, the steel stress they
// give, and the verdicts against what the design must meet.
#include "analysis/DesignChecks.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "analysis/DesignText.h"
#include "core/TextFormat.h"
#include "engine/AnchorLaw.h"

namespace korvanu {
namespace {

// Keeps every step of a run as it ends.
class StepCollector : public ComputationObserver {
 public:
  explicit StepCollector(const ProblemData& problem) : problem_(problem) {}

  void StepFinished(const StepOutcome& outcome, const EngineState& engine) override {
    if (outcome.step < 1) return;
    steps.push_back(TakeStepResults(problem_, engine, outcome.step, outcome.converged));
  }

  std::vector<StepResults> steps;

 private:
  const ProblemData& problem_;
};

// The first node of the largest value (ties: the upper one).
template <typename Value>
int LargestAt(size_t count, Value value) {
  int best = 0;
  for (size_t i = 1; i < count; ++i) {
    if (value(i) > value(best)) best = static_cast<int>(i);
  }
  return best;
}

void Section(const ProblemData& problem, DesignSummary& summary) {
  const int NP = problem.General.NP;
  if (NP < 1 || NP > MaxProfiles) {
    summary.StressNote = Format("profile %d is not in the catalogue", NP);
    return;
  }
  const Profile& profile = problem.Catalogue[NP - 1];
  if (!(profile.h > 0.0)) {
    summary.StressNote = Format("profile %d has no height h", NP);
  } else if (!(profile.EI > 0.0)) {
    summary.StressNote = Format("profile %d has no flexural rigidity EI", NP);
  } else if (!(profile.E > 0.0)) {
    summary.StressNote = Format("profile %d has no modulus E", NP);
  } else {
    summary.SectionKnown = true;
    summary.h = profile.h;
    summary.I = profile.EI / (profile.E * 1e6);
  }
}

void Steel(const DesignSummary& summary, StepCheck& check) {
  if (!summary.SectionKnown || !check.Computed) return;
  const double moment = std::max(std::fabs(check.MaxM), std::fabs(check.MinM));
  check.Stress = BendingStress(moment, summary.h, summary.I);
  const DesignSettings& s = summary.Settings;
  if (s.Fy > 0.0 && s.GammaM0 > 0.0) check.Utilisation = *check.Stress / (s.Fy / s.GammaM0);
}

StepCheck CheckStep(const ProblemData& problem, const StepResults& step) {
  StepCheck check;
  check.Step = step.Step;
  check.Computed = step.Converged && !step.z.empty();
  if (!check.Computed) return check;
  const size_t n = step.z.size();
  const int wi = LargestAt(n, [&](size_t i) { return std::fabs(step.w[i]); });
  check.MaxW = std::fabs(step.w[wi]);
  check.MaxWDepth = step.z[wi];
  const int hi = LargestAt(n, [&](size_t i) { return step.M[i]; });
  if (step.M[hi] > 0.0) {
    check.MaxM = step.M[hi];
    check.MaxMDepth = step.z[hi];
  }
  const int lo = LargestAt(n, [&](size_t i) { return -step.M[i]; });
  if (step.M[lo] < 0.0) {
    check.MinM = step.M[lo];
    check.MinMDepth = step.z[lo];
  }
  const int qi = LargestAt(
      n, [&](size_t i) { return std::max(std::fabs(step.Qminus[i]), std::fabs(step.Qplus[i])); });
  check.MaxQ = std::max(std::fabs(step.Qminus[qi]), std::fabs(step.Qplus[qi]));
  check.MaxQDepth = step.z[qi];
  for (const StepAnchor& anchor : step.Anchors) {
    AnchorCheck a;
    a.Point = anchor.Point;
    a.Step = step.Step;
    a.Force = anchor.Force;
    a.Capacity = std::fabs(problem.Anchors[step.Step][anchor.Point].Fa);
    a.Share = a.Capacity > 0.0 ? std::fabs(a.Force) / a.Capacity : 0.0;
    a.Yielded = anchor.Yielded;
    check.Anchors.push_back(a);
  }
  return check;
}

// The largest of every quantity over the computed steps; the first step
// wins a tie.
StepCheck Envelope(const std::vector<StepCheck>& steps) {
  StepCheck all;
  for (const StepCheck& s : steps) {
    if (!s.Computed) continue;
    if (!all.Computed || s.MaxW > all.MaxW) {
      all.MaxW = s.MaxW;
      all.MaxWDepth = s.MaxWDepth;
    }
    if (s.MaxM > all.MaxM) {
      all.MaxM = s.MaxM;
      all.MaxMDepth = s.MaxMDepth;
    }
    if (s.MinM < all.MinM) {
      all.MinM = s.MinM;
      all.MinMDepth = s.MinMDepth;
    }
    if (!all.Computed || s.MaxQ > all.MaxQ) {
      all.MaxQ = s.MaxQ;
      all.MaxQDepth = s.MaxQDepth;
    }
    all.Computed = true;
    for (const AnchorCheck& a : s.Anchors) {
      auto known = std::find_if(all.Anchors.begin(), all.Anchors.end(),
                                [&](const AnchorCheck& b) { return b.Point == a.Point; });
      if (known == all.Anchors.end()) {
        all.Anchors.push_back(a);
        continue;
      }
      const bool yielded = known->Yielded || a.Yielded;
      if (std::fabs(a.Force) > std::fabs(known->Force)) *known = a;
      known->Yielded = yielded;
    }
  }
  std::sort(all.Anchors.begin(), all.Anchors.end(),
            [](const AnchorCheck& a, const AnchorCheck& b) { return a.Point < b.Point; });
  return all;
}

Verdict Required(std::string check, std::string value, std::string requirement, bool known,
                 bool holds) {
  Verdict v{
      std::move(check), std::move(value), std::move(requirement), CheckState::NoRequirement, {}};
  if (!v.Requirement.empty()) {
    v.State = !known ? CheckState::NotComputed : holds ? CheckState::Holds : CheckState::FallsShort;
  }
  return v;
}

std::string AtLeastText(double minimum) {
  return "at least " + ExactText(minimum, 3);
}

Verdict FactorVerdict(const char* name, const FactorSearch* search,
                      const std::optional<double>& minimum) {
  const FactorResult none;
  const FactorResult& result = search ? search->Whole : none;
  std::string value = FactorText(result);
  std::string note;
  if (search && result.Outcome == FactorOutcome::Found && search->LayersFactored > 0) {
    value += Format(" (%d layer%s factored)", search->LayersFactored,
                    search->LayersFactored == 1 ? "" : "s");
  }
  // A reason that is about the problem as given belongs to the value; what
  // stopped a search that found a factor goes below the checks.
  if (result.Outcome == FactorOutcome::Found) {
    note = FactorLimit(result);
  } else {
    value += FactorReason(result);
  }
  const bool known =
      result.Outcome != FactorOutcome::NotRun && result.Outcome != FactorOutcome::NoStrength;
  Verdict v = Required(name, value, minimum ? AtLeastText(*minimum) : "", known,
                       minimum && result.AtLeast(*minimum));
  v.Note = note;
  return v;
}

}  // namespace

StepResults TakeStepResults(const ProblemData& problem, const EngineState& engine, int step,
                            bool converged) {
  StepResults r;
  r.Step = step;
  r.Converged = converged;
  if (!converged) return r;
  const int nodes = std::clamp(problem.General.NN, 0, MaxElements) + 1;
  const NodeResults& n = engine.Nodes;
  r.z.assign(n.z.begin(), n.z.begin() + nodes);
  r.w.assign(n.w.begin(), n.w.begin() + nodes);
  r.M.assign(n.M.begin(), n.M.begin() + nodes);
  r.Qminus.assign(n.Qminus.begin(), n.Qminus.begin() + nodes);
  r.Qplus.assign(n.Qplus.begin(), n.Qplus.begin() + nodes);
  for (int p = 0; p <= std::clamp(problem.General.NL, 0, MaxPoints - 1); ++p) {
    if (std::fabs(problem.Anchors[step][p].Fa) < StressTolerance) continue;
    r.Anchors.push_back(
        {p, AnchorForceAt(problem, engine, step, p), engine.Anchor[p] == AnchorState::Plastic});
  }
  return r;
}

ComputedSteps ComputeSteps(const ProblemData& problem) {
  ComputedSteps computed;
  auto engine = std::make_unique<EngineState>();
  StepCollector collector(problem);
  computed.Run = RunInMemory(problem, problem.General.NT, *engine, &collector);
  computed.Steps = std::move(collector.steps);
  return computed;
}

double BendingStress(double moment, double h, double I) {
  // kN/m2 to N/mm2.
  return std::fabs(moment) * (h / 2.0) / I / 1000.0;
}

DesignSummary SummariseDesign(const ProblemData& problem, const DesignSettings& settings,
                              const ComputedSteps& steps) {
  DesignSummary summary;
  summary.Run = steps.Run;
  summary.Settings = settings;
  Section(problem, summary);
  const int NT = std::clamp(problem.General.NT, 0, MaxSteps);
  for (int s = 1; s <= NT; ++s) {
    auto ran = std::find_if(steps.Steps.begin(), steps.Steps.end(),
                            [s](const StepResults& r) { return r.Step == s; });
    StepCheck check;
    check.Step = s;
    if (ran != steps.Steps.end()) check = CheckStep(problem, *ran);
    Steel(summary, check);
    summary.Steps.push_back(check);
  }
  summary.Envelope = Envelope(summary.Steps);
  Steel(summary, summary.Envelope);
  summary.Warnings = SoilWithWaterCoefficients(problem);
  return summary;
}

std::vector<std::string> SoilWithWaterCoefficients(const ProblemData& problem) {
  const int NL = std::clamp(problem.General.NL, 0, MaxLayers);
  const int NT = std::clamp(problem.General.NT, 0, MaxSteps);
  std::vector<std::string> warnings;
  for (int j = 0; j < NL; ++j) {
    for (Side side : {Side::Left, Side::Right}) {
      std::string steps;
      for (int s = 0; s <= NT; ++s) {
        const LayerProperties& l = problem.Layer(j, s, side);
        if (l.Wd >= 0.001 && l.c == 0.0 && l.Ka == 1.0 && l.Kp == 1.0 && l.Kn == 1.0 &&
            l.Dw == 1.0) {
          steps += (steps.empty() ? "" : ", ") + std::to_string(s);
        }
      }
      if (steps.empty()) continue;
      warnings.push_back(
          Format("layer %d, %s side, step%s %s: soil weight with the "
                 "coefficients of a dug layer (Ka = Kp = Kn = Dw = 1); "
                 "filled again by an edit of Wd in step 0?",
                 j + 1, side == Side::Left ? "left" : "right",
                 steps.find(',') != std::string::npos ? "s" : "", steps.c_str()));
    }
  }
  return warnings;
}

DesignSummary SummariseDesign(const ProblemData& problem, const DesignSettings& settings) {
  return SummariseDesign(problem, settings, ComputeSteps(problem));
}

std::vector<Verdict> DesignVerdicts(const DesignSummary& summary, const DesignSearches* searches) {
  const DesignSettings& s = summary.Settings;
  const StepCheck& all = summary.Envelope;
  std::vector<Verdict> verdicts;

  bool everyStep = summary.Run.Stands();
  for (const StepCheck& step : summary.Steps) everyStep = everyStep && step.Computed;
  verdicts.push_back(Required("Equilibrium", everyStep ? "every step" : VerdictText(summary.Run),
                              "every step", true, everyStep));

  verdicts.push_back(Required(
      "max |w|", all.Computed ? ValueAtDepthText(all.MaxW, 4, "m", all.MaxWDepth) : "not computed",
      s.MaxW ? "at most " + ExactText(*s.MaxW, 4) + " m" : "", all.Computed && everyStep,
      s.MaxW && all.MaxW <= *s.MaxW));
  verdicts.push_back(Required("max M", ValueAtDepthText(all.MaxM, 3, "kNm/m", all.MaxMDepth), "",
                              all.Computed, true));
  verdicts.push_back(Required("min M", ValueAtDepthText(all.MinM, 3, "kNm/m", all.MinMDepth), "",
                              all.Computed, true));
  verdicts.push_back(Required("max |Q|", ValueAtDepthText(all.MaxQ, 3, "kN/m", all.MaxQDepth), "",
                              all.Computed, true));

  std::string anchors = AnchorsText(all.Anchors);
  const bool yielded = std::any_of(all.Anchors.begin(), all.Anchors.end(),
                                   [](const AnchorCheck& a) { return a.Yielded; });
  if (anchors.empty()) anchors = "no anchors";
  verdicts.push_back(
      Required("Anchors", anchors, s.NoAnchorYield ? "none yielded" : "", all.Computed, !yielded));

  std::string steel;
  if (!summary.SectionKnown) {
    steel = "not computed: " + summary.StressNote;
  } else if (all.Stress) {
    steel = FixedText(*all.Stress, 1) + " N/mm²";
    if (all.Utilisation) {
      const char* grade = GradeName(s.Fy);
      steel = FixedText(*all.Utilisation, 3) + " (σ " + steel + ", " +
              (grade ? std::string(grade) : "fy " + FixedText(s.Fy, 1) + " N/mm²") + ", γM0 " +
              FixedText(s.GammaM0, 3) + ")";
    }
  } else {
    steel = "not computed";
  }
  const bool limited = s.LimitUtilisation && s.Fy > 0.0;
  verdicts.push_back(Required(s.Fy > 0.0 ? "Steel utilisation" : "Steel stress", steel,
                              limited ? "at most 1" : "", all.Utilisation.has_value(),
                              all.Utilisation && *all.Utilisation <= 1.0));

  verdicts.push_back(FactorVerdict("Fp", searches ? &searches->Fp : nullptr, s.MinFp));
  verdicts.push_back(FactorVerdict("Fs", searches ? &searches->Fs : nullptr, s.MinFs));
  verdicts.push_back(Required("Embedment",
                              searches ? EmbedmentText(searches->Embedment) : "not computed", "",
                              false, true));
  return verdicts;
}

bool AllHold(const std::vector<Verdict>& verdicts) {
  return std::all_of(verdicts.begin(), verdicts.end(), [](const Verdict& v) {
    return v.State == CheckState::Holds || v.State == CheckState::NoRequirement;
  });
}

}  // namespace korvanu
