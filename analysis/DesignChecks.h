// The design checks of a computed problem: for every loading step and over
// all steps the largest displacement, moments and shear, the anchor forces
// and the steel stress; then the verdicts against the design settings.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/FactorSearch.h"
#include "analysis/InMemoryRun.h"
#include "core/DesignSettings.h"
#include "core/ProblemData.h"
#include "engine/EngineState.h"

namespace korvanu {

// What the checks take of one computed step.
struct StepAnchor {
  int Point = 0;
  double Force = 0.0;  // kN/m, the anchor's force on the wall, positive to the right
  bool Yielded = false;
};
struct StepResults {
  int Step = 0;
  bool Converged = false;                      // false: the step has no results
  std::vector<double> z, w, M, Qminus, Qplus;  // nodes 0..NN
  std::vector<StepAnchor> Anchors;             // the points with an anchor (Fa > 0) in the step
};

// A step's results as the engine holds them at the end of the step.
StepResults TakeStepResults(const ProblemData& problem, const EngineState& engine, int step,
                            bool converged);

struct ComputedSteps {
  RunVerdict Run;
  std::vector<StepResults> Steps;  // the steps 1..NT that ran, in order
};
// Computes the problem in memory, writing no file.
ComputedSteps ComputeSteps(const ProblemData& problem);

struct AnchorCheck {
  int Point = 0;
  int Step = 0;           // in the envelope: the step of the largest |force|
  double Force = 0.0;     // kN/m
  double Capacity = 0.0;  // Fa, kN/m
  double Share = 0.0;     // |Force| / Fa
  bool Yielded = false;   // in the envelope: in any step
};

struct StepCheck {
  int Step = 0;                        // 1..NT; 0 for the envelope
  bool Computed = false;               // the step converged (envelope: some step did)
  double MaxW = 0.0, MaxWDepth = 0.0;  // the largest |w| (m) and its depth
  double MaxM = 0.0, MaxMDepth = 0.0;  // the largest positive M (kNm/m); 0 when none
  double MinM = 0.0, MinMDepth = 0.0;  // the largest negative M; 0 when none
  double MaxQ = 0.0, MaxQDepth = 0.0;  // the largest |Q| of Q- and Q+ (kN/m)
  std::vector<AnchorCheck> Anchors;
  std::optional<double> Stress;       // N/mm2 at the largest |M|, when the profile allows
  std::optional<double> Utilisation;  // Stress / (fy / gammaM0), when fy is given
};

struct DesignSummary {
  RunVerdict Run;
  std::vector<StepCheck> Steps;  // steps 1..NT; a step that did not run is not Computed
  StepCheck Envelope;
  // The section modulus used: I = EI / (E 10^6) m4/m and h of profile NP;
  // StressNote says why no stress is computed when SectionKnown is false.
  bool SectionKnown = false;
  double h = 0.0, I = 0.0;
  std::string StressNote;
  DesignSettings Settings;
  // Records that hold soil weight with the coefficients of a dug layer, one
  // line per layer and side: "layer 2, left side, steps 2, 3: ...".
  std::vector<std::string> Warnings;
};

// Records that weigh as soil (Wd >= 0.001) while they keep the values a dug
// layer takes (Ka = Kp = Kn = Dw = 1, c 0): what an edit of Wd in step 0
// that spreads over the later steps leaves behind, and hardly ever a soil.
std::vector<std::string> SoilWithWaterCoefficients(const ProblemData& problem);

// sigma = |M| (h/2) / I in N/mm2, M in kNm/m, h in m, I in m4/m.
double BendingStress(double moment, double h, double I);

// The summary of a problem and its computed steps.
DesignSummary SummariseDesign(const ProblemData& problem, const DesignSettings& settings,
                              const ComputedSteps& steps);
// Computes the problem in memory and summarises it.
DesignSummary SummariseDesign(const ProblemData& problem, const DesignSettings& settings);

enum class CheckState { Holds, FallsShort, NotComputed, NoRequirement };

struct Verdict {
  std::string Check;        // "Fp", "max |w|", ...
  std::string Value;        // as shown, with its unit
  std::string Requirement;  // "at least 1.500", "" without one
  CheckState State = CheckState::NoRequirement;
  std::string Note;  // what limited the value, shown below the checks; often ""
};

// One verdict per check, in a fixed order: equilibrium, |w|, M, Q, anchors,
// steel utilisation, Fp, Fs, embedment. `searches` may be missing (not run).
std::vector<Verdict> DesignVerdicts(const DesignSummary& summary, const DesignSearches* searches);

// Whether every check with a requirement holds (one not computed does not).
bool AllHold(const std::vector<Verdict>& verdicts);

}  // namespace korvanu
