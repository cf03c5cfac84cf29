// The whole unpaced computation of a large staged problem, step files
// included: 20 layers, NN = 1000, 20 loading steps. Steps 1 to 12 excavate one
// more layer on the left; steps 13 to 20 raise a surcharge behind the wall.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>

#include "core/ProblemData.h"
#include "core/ProblemDefaults.h"
#include "core/ViewState.h"
#include "engine/ComputationObserver.h"
#include "engine/EngineState.h"
#include "engine/RunComputation.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

constexpr int ExcavatedLayers = 12;

ProblemData StagedExcavation() {
  ProblemData p;
  ViewState view;
  InitialiseProblem(p, view);
  SetAnchorStartValues(p);
  SetAxialStartValues(p);
  GeneralData& g = p.General;
  g.FileName = "Staged.krv";
  g.NN = 1000;
  g.NL = 20;
  g.NT = 20;
  g.NP = 11;
  p.Z[0] = 0.0;
  for (int j = 0; j < g.NL; ++j) {
    p.H[j] = j < ExcavatedLayers ? 0.5 : 1.5;
    p.Z[j + 1] = p.Z[j] + p.H[j];
  }
  g.Length = p.Z[g.NL];
  LayerProperties sand;
  sand.Wd = 18.0;
  sand.Ws = 20.0;
  sand.Zw = 3.0;
  sand.Cap = 0.0;
  sand.q = 0.0;
  sand.c = 0.0;
  sand.Ka = 0.3;
  sand.Kp = 3.5;
  sand.Kn = 0.5;
  sand.Dw = 0.02;
  for (int s = 0; s <= g.NT; ++s) {
    for (int j = 0; j < g.NL; ++j) {
      LayerProperties left = sand;
      if (j < std::min(s, ExcavatedLayers)) left = ExcavatedLayer(left);
      p.Layer(j, s, Side::Left) = left;
      p.Layer(j, s, Side::Right) = sand;
    }
    if (s > ExcavatedLayers) p.Layer(0, s, Side::Right).q = 5.0 * (s - ExcavatedLayers);
    for (int k = 0; k <= g.NL; ++k) p.Anchors[s][k] = AnchorRecord{0.0, 0.0, 1.0};
    if (s >= 1) p.Anchors[s][2] = AnchorRecord{0.0, 300.0, -0.02};
  }
  return p;
}

class CountingObserver : public ComputationObserver {
 public:
  void StepFinished(const StepOutcome& outcome, const EngineState&) override {
    if (outcome.converged && outcome.fileWritten) ++written;
  }
  int written = 0;
};

void WholeComputation(benchmark::State& state) {
  const fs::path folder = fs::temp_directory_path() / "korvanu-bench-computation";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  const ProblemData staged = StagedExcavation();
  static ProblemData problem;
  static EngineState engine;
  int written = 0;
  for (auto _ : state) {
    problem = staged;
    CountingObserver observer;
    if (RunComputation(problem, engine, observer) != ComputationFault::None) {
      state.SkipWithError("floating-point fault");
      break;
    }
    written = observer.written;
  }
  state.counters["step_files"] = written;
  fs::current_path(previous);
  fs::remove_all(folder);
}
BENCHMARK(WholeComputation)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvanu

BENCHMARK_MAIN();
