// The runs of a study, computed in parallel threads, each thread with a
// problem and an engine of its own, in memory: no step files.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/InMemoryRun.h"
#include "analysis/MinimumLength.h"
#include "analysis/StudyDesign.h"

namespace korvanu {

// A run fails when an output exceeds its limit: |M|, |w| or the magnitude of
// an anchor force, the largest over the loading steps.
struct StudyLimit {
  enum class Quantity { Moment, Displacement, Anchor };
  Quantity Of = Quantity::Moment;
  int Point = -1;  // of an anchor
  double Value = 0.0;
  std::string Name;  // "M", "w", "anchor1"
};

// Parses M=VALUE, w=VALUE or anchorP=VALUE for a study whose anchors stand at
// `anchorPoints`; nothing, with the reason and the valid forms in `why`.
std::optional<StudyLimit> ParseLimit(const std::string& text, const std::vector<int>& anchorPoints,
                                     std::string& why);

struct StudyOptions {
  int Jobs = 1;
  bool MinLength = false;  // the shortest wall of every run as well
  std::vector<StudyLimit> Limits;
  // Where every run is written as a datafile (run0001.krv, ...), if at all.
  std::optional<std::filesystem::path> KeepFolder;
};

// The results of one loading step, or the largest over all of them. NaN
// marks a value that does not exist: an anchor not given in the step.
struct StepValues {
  bool Converged = false;
  double W = 0.0, WDepth = 0.0;  // largest |w| and its depth (m)
  double M = 0.0, MDepth = 0.0;  // largest |M| (kNm/m) and its depth
  std::vector<double> Anchors;   // force on the wall at each anchor point, kN/m
};

struct RunResult {
  RunVerdict Verdict;
  std::vector<StepValues> Steps;        // steps 1..NT
  StepValues Overall;                   // of a run that stands: each value largest in magnitude
  std::optional<MinimumLength> Length;  // with StudyOptions::MinLength; no trials kept
  bool Reordered = false;               // Kp or Kn was brought into Ka <= Kn <= Kp
  bool Fails = false;                   // it does not stand, or exceeds a limit
  std::vector<std::string> Exceeds;     // the names of the limits exceeded
  std::string KeepFailure;              // why its datafile could not be written
};

// The points whose anchor forces a study reports: every point with an anchor
// in a step after the initial state, and the points of anchor inputs.
std::vector<int> StudyAnchorPoints(const ProblemData& problem, const StudyDesign& design);

// Computes every run of the design on `problem`, in options.Jobs threads.
// `progress`, when given, is told the runs done about five times a second,
// from the calling thread. The results are in the order of the runs,
// whatever the number of threads.
std::vector<RunResult> RunStudy(const ProblemData& problem, const StudyDesign& design,
                                const StudyOptions& options,
                                const std::function<void(int done)>& progress = {});

}  // namespace korvanu
