// The margins of a design found by searching: the factor on passive
// resistance Fp, the strength factor Fs and the minimum embedment. Each
// search runs the problem in memory many times, may run in a worker thread
// beside others (each with its own problem) and can be cancelled.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/MinimumLength.h"
#include "analysis/SearchControl.h"
#include "core/ProblemData.h"

namespace korvanu {

// Factors are searched on a grid of 0.001 up to this.
constexpr double LargestFactor = 10.0;

enum class FactorOutcome {
  Found,       // Value stands and Value + 0.001 does not
  AtLeastMax,  // F = 10 still stands
  BelowOne,    // the problem as given finds no equilibrium
  NoStrength,  // Fs: no layer holds strength inputs
  NotRun,      // not searched, or cancelled before this value was known
};

// A soil record whose factored strength has no coefficients: at that factor
// the factored problem does not stand from that step on.
struct FactorRefusal {
  int Layer = 0;  // 0-based
  int Step = 0;
  Side side = Side::Left;
  std::string Why;  // the coefficient rules' message
};

struct FactorResult {
  FactorOutcome Outcome = FactorOutcome::NotRun;
  double Value = 0.0;  // Found: the factor; AtLeastMax: 10; otherwise 0
  // Found or BelowOne: how the first factor that fails (Value + 0.001, or 1)
  // failed: a record without coefficients, or the run's verdict.
  std::optional<FactorRefusal> Refusal;
  RunVerdict Failure;
  // Whether a requirement "at least `minimum`" holds; false when not known.
  bool AtLeast(double minimum) const;
};

struct FactorSearch {
  FactorResult Whole;                 // every step 1..NT
  std::vector<FactorResult> PerStep;  // [k - 1]: steps 0..k, k = 1..NT
  int Runs = 0;                       // computations run
  int LayersFactored = 0;             // Fs: layers of 1..NL whose strength was factored
  bool Cancelled = false;
};

// Kp of every soil record (Wd >= 0.001) of steps 0..NT on both sides becomes
// max(Ka, Kp/F), and Kn min(Kn, the new Kp).
void FactorPassive(ProblemData& problem, double factor);

// The largest F >= 1 (to 0.001, at most 10) for which every step still
// reaches equilibrium with FactorPassive(F); per step k, for steps 0..k.
// Strides up from 1 as the length search steps, then halves the interval.
FactorSearch SearchPassiveFactor(const ProblemData& problem, const SearchControl& control = {});

// In every soil record of steps 0..NT that holds strength inputs, tan(phi')
// and c' (and tan(delta) given in degrees) divided by F, Ka, Kn, Kp and, with
// k_h, Dw recomputed by the record's own method (the stroke unrounded: k_h
// sets the stiffness only). A record whose factored strength has no
// coefficients is left as given and comes back as the refusal (of the
// earliest step): the factored problem does not stand from that step on and
// must not be computed there.
std::optional<FactorRefusal> FactorStrength(ProblemData& problem, double factor);

// The same with tan(phi') / F and c' / F in every layer record that holds
// strength inputs, its coefficients recomputed by its own method.
// NoStrength when no layer of 1..NL holds them.
FactorSearch SearchStrengthFactor(const ProblemData& problem, const SearchControl& control = {});

struct EmbedmentCheck {
  MinimumLength Search;  // without its trials
  double Ratio = 0.0;    // the wall's length over the minimum length (Found only)
  bool Cancelled = false;
};

// The minimum-length search of the whole problem to 0.001 m.
EmbedmentCheck CheckEmbedment(const ProblemData& problem, const SearchControl& control = {});

// All three searches, with one progress from 0 to 1 over them.
struct DesignSearches {
  FactorSearch Fp;
  FactorSearch Fs;
  EmbedmentCheck Embedment;
  bool Cancelled = false;
};
DesignSearches RunDesignSearches(const ProblemData& problem, const SearchControl& control = {});

}  // namespace korvanu
