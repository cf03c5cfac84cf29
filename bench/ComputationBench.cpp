// The whole unpaced computation of the large staged problem, step files
// included: 20 layers, NN = 1000, 20 loading steps.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/StagedProblem.h"
#include "core/ProblemData.h"
#include "engine/ComputationObserver.h"
#include "engine/EngineState.h"
#include "engine/RunComputation.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

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
