// Running a study: each run a copy of the problem with its values set,
// computed in memory while an observer notes the largest results of each
// step; the threads take the next run from a shared counter.
#include "analysis/StudyRunner.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>

#include "analysis/StepTableObserver.h"
#include "core/DatafileFiles.h"
#include "core/TextFormat.h"
#include "engine/AnchorLaw.h"

namespace korvanu {

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();
// The length search of a run goes up to twice the given length at most: a
// wall that needs more is no variant of the design any more.
constexpr double LongestWallFactor = 2.0;
constexpr double LengthTolerance = 0.001;

class StepRecorder : public ComputationObserver {
 public:
  StepRecorder(const ProblemData& problem, const std::vector<int>& anchors, RunResult& result)
      : problem_(problem), anchors_(anchors), result_(result) {
    result_.Steps.assign(problem.General.NT, StepValues{});
  }

  void StepFinished(const StepOutcome& outcome, const EngineState& engine) override {
    if (outcome.step < 1 || !outcome.converged) return;
    const int NN = problem_.General.NN;
    StepValues& v = result_.Steps[outcome.step - 1];
    v.Converged = true;
    const int wi = LargestAt(engine.Nodes.w, NN);
    const int mi = LargestAt(engine.Nodes.M, NN);
    v.W = std::fabs(engine.Nodes.w[wi]);
    v.WDepth = engine.Nodes.z[wi];
    v.M = std::fabs(engine.Nodes.M[mi]);
    v.MDepth = engine.Nodes.z[mi];
    for (const int p : anchors_) {
      const bool given = std::fabs(problem_.Anchors[outcome.step][p].Fa) >= StressTolerance;
      v.Anchors.push_back(given ? AnchorForceAt(problem_, engine, outcome.step, p) : None);
    }
  }

 private:
  const ProblemData& problem_;
  const std::vector<int>& anchors_;
  RunResult& result_;
};

StepValues Largest(const std::vector<StepValues>& steps, std::size_t anchors) {
  StepValues overall;
  overall.Converged = true;
  overall.Anchors.assign(anchors, None);
  for (const StepValues& v : steps) {
    if (v.W > overall.W) {
      overall.W = v.W;
      overall.WDepth = v.WDepth;
    }
    if (v.M > overall.M) {
      overall.M = v.M;
      overall.MDepth = v.MDepth;
    }
    for (std::size_t a = 0; a < anchors; ++a) {
      const double force = v.Anchors[a];
      if (!std::isnan(force) && !(std::fabs(force) <= std::fabs(overall.Anchors[a]))) {
        overall.Anchors[a] = force;
      }
    }
  }
  return overall;
}

void CheckLimits(const std::vector<StudyLimit>& limits, const std::vector<int>& anchors,
                 RunResult& result) {
  result.Fails = !result.Verdict.Stands();
  if (result.Fails) return;
  for (const StudyLimit& limit : limits) {
    double value = 0.0;
    switch (limit.Of) {
      case StudyLimit::Quantity::Moment:
        value = result.Overall.M;
        break;
      case StudyLimit::Quantity::Displacement:
        value = result.Overall.W;
        break;
      case StudyLimit::Quantity::Anchor: {
        const auto at = std::find(anchors.begin(), anchors.end(), limit.Point) - anchors.begin();
        value = std::fabs(result.Overall.Anchors[at]);
        break;
      }
    }
    if (value > limit.Value) {
      result.Fails = true;
      result.Exceeds.push_back(limit.Name);
    }
  }
}

RunResult RunOne(const ProblemData& given, const StudyDesign& design, int run,
                 const std::vector<int>& anchors, const StudyOptions& options, ProblemData& problem,
                 EngineState& engine) {
  problem = given;
  const std::vector<StudyInput>& inputs = design.Inputs();
  for (std::size_t k = 0; k < inputs.size(); ++k) {
    if (const auto value = design.Value(run, static_cast<int>(k))) {
      inputs[k].Field.Apply(problem, *value);
    }
  }
  RunResult result;
  for (const StudyInput& input : inputs) {
    result.Reordered = input.Field.KeepCoefficientOrder(problem) || result.Reordered;
  }

  StepRecorder recorder(problem, anchors, result);
  result.Verdict = RunInMemory(problem, problem.General.NT, engine, &recorder);
  if (result.Verdict.Stands()) result.Overall = Largest(result.Steps, anchors.size());
  CheckLimits(options.Limits, anchors, result);

  if (options.MinLength) {
    const double given = problem.Z[problem.General.NL];
    result.Length =
        FindMinimumLength(problem, problem.General.NT, LengthTolerance, LongestWallFactor * given);
    result.Length->Trials.clear();
  }
  if (options.KeepFolder) {
    const std::string name = (*options.KeepFolder / Format("run%04d.krv", run + 1)).string();
    if (const auto why = SaveDatafile(name, problem)) result.KeepFailure = *why;
  }
  return result;
}

}  // namespace

std::optional<StudyLimit> ParseLimit(const std::string& text, const std::vector<int>& anchorPoints,
                                     std::string& why) {
  std::string points;
  for (const int p : anchorPoints) points += " anchor" + std::to_string(p) + "=VALUE";
  why = "--limit " + text + ": a limit is M=VALUE (kNm/m), w=VALUE (m)" +
        (points.empty() ? std::string(" (the problem has no anchor)")
                        : " or one of" + points + " (kN/m)");
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos) return std::nullopt;
  StudyLimit limit;
  limit.Name = text.substr(0, equals);
  if (!WholeNumber(text.substr(equals + 1), limit.Value) || limit.Value < 0.0) {
    why = "--limit " + text + ": the limit must be a number of 0 or more";
    return std::nullopt;
  }
  if (limit.Name == "M") {
    limit.Of = StudyLimit::Quantity::Moment;
  } else if (limit.Name == "w") {
    limit.Of = StudyLimit::Quantity::Displacement;
  } else {
    limit.Of = StudyLimit::Quantity::Anchor;
    for (const int p : anchorPoints) {
      if (limit.Name == "anchor" + std::to_string(p)) limit.Point = p;
    }
    if (limit.Point < 0) return std::nullopt;
  }
  return limit;
}

std::vector<int> StudyAnchorPoints(const ProblemData& problem, const StudyDesign& design) {
  const GeneralData& g = problem.General;
  std::vector<int> points;
  for (int p = 0; p <= g.NL; ++p) {
    bool anchored = false;
    for (int s = 1; s <= g.NT; ++s) {
      anchored = anchored || std::fabs(problem.Anchors[s][p].Fa) >= StressTolerance;
    }
    for (const StudyInput& input : design.Inputs()) {
      anchored = anchored || input.Field.AnchorPoint() == p;
    }
    if (anchored) points.push_back(p);
  }
  return points;
}

std::vector<RunResult> RunStudy(const ProblemData& problem, const StudyDesign& design,
                                const StudyOptions& options,
                                const std::function<void(int done)>& progress) {
  const std::vector<int> anchors = StudyAnchorPoints(problem, design);
  const int runs = design.Runs();
  std::vector<RunResult> results(runs);
  std::atomic<int> next{0};
  std::mutex mutex;
  std::condition_variable changed;
  int done = 0;

  const auto work = [&] {
    // Each thread has its own problem and engine, both too large for a stack.
    auto scratch = std::make_unique<ProblemData>();
    auto engine = std::make_unique<EngineState>();
    for (int run = next++; run < runs; run = next++) {
      results[run] = RunOne(problem, design, run, anchors, options, *scratch, *engine);
      const std::lock_guard<std::mutex> lock(mutex);
      ++done;
      changed.notify_one();
    }
  };
  const int jobs = std::clamp(options.Jobs, 1, std::max(runs, 1));
  std::vector<std::thread> threads;
  for (int k = 0; k < jobs; ++k) threads.emplace_back(work);
  {
    std::unique_lock<std::mutex> lock(mutex);
    while (done < runs) {
      changed.wait_for(lock, std::chrono::milliseconds(200), [&] { return done >= runs; });
      if (progress && done < runs) {
        const int now = done;
        lock.unlock();
        progress(now);
        lock.lock();
      }
    }
  }
  for (std::thread& thread : threads) thread.join();
  return results;
}

}  // namespace korvanu
