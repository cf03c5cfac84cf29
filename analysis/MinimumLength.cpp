// Minimum embedment by bisection on the wall length. Each trial runs the
// problem in memory, so the search writes no file and may run beside others.
#include "analysis/MinimumLength.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "analysis/TrialRun.h"
#include "engine/BeamEquations.h"
#include "engine/FloatingPointFault.h"

namespace korvanu {

namespace {

constexpr double Millimetre = 0.001;
// Going down, the steps double up to 0.05 m on walls up to 10 m. Near the
// limit a step may fail to converge in narrow bands of length (the nodes move
// with the toe); longer strides would more often leap over the first such band
// below the given length and report a shorter wall than a scan from above
// would. On a longer wall the bands lie as narrow near its limit, but a walk
// down from hundreds of metres at 0.05 m would take millions of runs: the
// stride may grow with the square of the length, so that a wall of any length
// takes a few hundred runs.
constexpr double ShortStride = 0.05;
constexpr double ShortWall = 10.0;

double LongestStride(double length) {
  const double scaled = length / ShortWall;
  return std::max(ShortStride, ShortStride * scaled * scaled);
}

// Whole millimetres divided by 1000 give the double nearest to the length in
// mm, the one a datafile reads back ("6.770" gives 6.77, not 6.7700000000000005).
double OnMillimetres(double length) {
  return std::round(length * 1000.0) / 1000.0;
}

// Whether every layer boundary still finds a node of its own.
bool NodesFit(ProblemData& trial, double length, EngineState& engine) {
  SetWallLength(trial, length);
  try {
    ClearFloatingPointFlags();
    PlaceNodes(trial, engine);
    CheckFloatingPointFlags();
  } catch (const FloatingPointFaultError&) {
    ClearFloatingPointFlags();
    return false;
  }
  return true;
}

// The shortest wall whose lowest layer keeps at least one element: with
// elements of (top + t) / NN that is t = top / (NN - 1), rounded up to whole
// millimetres and raised until the nodes fit. A shorter layer would fail for
// the mesh alone, which says nothing about the wall.
double ShortestWall(const ProblemData& problem, double given, EngineState& engine) {
  const int NN = problem.General.NN;
  const double top = problem.Z[problem.General.NL - 1];
  const double layer = NN > 1 ? top / (NN - 1) : Millimetre;
  double length = std::ceil((top + std::max(layer, Millimetre)) * 1000.0) / 1000.0;
  auto trial = std::make_unique<ProblemData>(problem);
  // By millimetres; past a metre of misfits the steps double, so that a wall
  // of kilometres is not walked a millimetre at a time.
  double step = Millimetre;
  for (int tries = 1; length < given && !NodesFit(*trial, length, engine); ++tries) {
    if (tries > 1000) step *= 2.0;
    length = OnMillimetres(length + step);
  }
  return length;
}

}  // namespace

void SetWallLength(ProblemData& problem, double length) {
  const int NL = problem.General.NL;
  problem.Z[NL] = length;
  problem.H[NL - 1] = length - problem.Z[NL - 1];
  problem.General.Length = length;
}

namespace {

MinimumLength Search(const ProblemData& problem, int lastStep, double tolerance, double longest,
                     const SearchControl& control, MinimumLength& search) {
  tolerance = std::max(tolerance, Millimetre);
  // The rounding of the millimetre grid must not count as a wider interval.
  const double slack = 1e-9;
  auto engine = std::make_unique<EngineState>();
  auto trial = std::make_unique<ProblemData>(problem);
  const auto stands = [&](double length) {
    *trial = problem;
    SetWallLength(*trial, length);
    const RunVerdict verdict = RunTrial(*trial, lastStep, *engine, control, false);
    search.Trials.push_back({length, verdict});
    // Searches take some 10 to 30 runs.
    control.Report(1.0 - std::pow(0.9, static_cast<double>(search.Trials.size())));
    return verdict.Stands();
  };

  search.Given = problem.Z[problem.General.NL];
  double standing = search.Given;
  double failing = 0.0;
  if (!stands(search.Given)) {
    // Up from the given length in the strides of the way down, so that the
    // first length that stands lies as close above a failing one.
    failing = search.Given;
    for (double up = tolerance;; up = std::min(2.0 * up, LongestStride(failing))) {
      const double length = std::min(OnMillimetres(failing + up), longest);
      if (length <= failing + slack) {
        search.Result = LengthSearchResult::GivenLengthFails;
        return search;
      }
      if (stands(length)) {
        standing = length;
        break;
      }
      failing = length;
    }
  } else {
    const double shortest = ShortestWall(problem, search.Given, *engine);
    if (shortest > search.Given - Millimetre / 2) {
      search.Result = LengthSearchResult::NoShorterWall;
      search.Shortest = search.Given;
      return search;
    }
    for (double down = tolerance;; down = std::min(2.0 * down, LongestStride(standing))) {
      const double length = std::max(OnMillimetres(standing - down), shortest);
      if (!stands(length)) {
        failing = length;
        break;
      }
      standing = length;
      if (length <= shortest) {
        search.Result = LengthSearchResult::NoFailingLength;
        search.Shortest = search.Failing = length;
        return search;
      }
    }
  }
  while (standing - failing > tolerance + slack) {
    const double middle = OnMillimetres((standing + failing) / 2.0);
    if (middle <= failing + slack || middle >= standing - slack) break;
    if (stands(middle)) {
      standing = middle;
    } else {
      failing = middle;
    }
  }
  search.Result = LengthSearchResult::Found;
  search.Shortest = standing;
  search.Failing = failing;
  return search;
}

}  // namespace

MinimumLength FindMinimumLength(const ProblemData& problem, int lastStep, double tolerance,
                                double longest, const SearchControl& control) {
  MinimumLength search;
  try {
    return Search(problem, lastStep, tolerance, longest, control, search);
  } catch (const SearchCancelled&) {
    search.Cancelled = true;
    return search;
  }
}

}  // namespace korvanu
