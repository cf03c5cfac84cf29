// The search for the shortest wall that still reaches equilibrium in every
// step: the lowest layer is stretched or shortened, NN kept. Lengths are
// tried on whole millimetres, the precision a datafile keeps.
#pragma once

#include <vector>

#include "analysis/InMemoryRun.h"
#include "analysis/SearchControl.h"
#include "core/ProblemData.h"

namespace korvanu {

enum class LengthSearchResult {
  Found,             // Shortest stands, Failing (just below it) does not
  GivenLengthFails,  // the wall as given does not reach equilibrium (nor any up to the longest)
  NoFailingLength,   // even the shortest wall tried, Failing, stands
  NoShorterWall,     // the lowest layer cannot be made shorter than it is
};

struct LengthTrial {
  double Length = 0.0;  // m
  RunVerdict Verdict;
};

struct MinimumLength {
  LengthSearchResult Result = LengthSearchResult::GivenLengthFails;
  double Given = 0.0;               // the wall length of the problem, its lowest point
  double Shortest = 0.0;            // the shortest length that stands
  double Failing = 0.0;             // the longest failing length found below it
  std::vector<LengthTrial> Trials;  // every run, in order
  bool Cancelled = false;           // stopped through the control: Result means nothing
};

// Moves the toe (the lowest point) to `length`; H and Length follow.
void SetWallLength(ProblemData& problem, double length);

// Steps 0..lastStep must converge at the length found. The search first runs
// the given length, then steps down by tolerance, 2 tolerance, 4 ... (at most
// 0.05 m, or 0.05 m times the square of length/10 m on a wall longer than
// 10 m) until a length fails (or the lowest layer is one element thick),
// then halves the interval until it is no wider than `tolerance` (at least
// 0.001 m). When the given length fails and `longest` lies above it, the
// search steps up the same way until a length stands (Shortest then lies
// above Given), trying no wall longer than `longest`. The problem needs at
// least one layer and one step. `control` sees every run and may stop the
// search.
MinimumLength FindMinimumLength(const ProblemData& problem, int lastStep, double tolerance,
                                double longest = 0.0, const SearchControl& control = {});

}  // namespace korvanu
