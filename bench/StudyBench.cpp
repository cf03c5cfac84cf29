// A 200-run sampling study of examples/Test3.krv (NN 200) as `korvanu-cli
// study --samples 200` runs it on every core: under 2 s, and under 30 s when
// each run also searches its minimum length.
#include <benchmark/benchmark.h>

#include <memory>
#include <thread>

#include "analysis/StudyRunner.h"
#include "core/DatafileFiles.h"

namespace korvanu {
namespace {

void SamplingStudyOfTest3(benchmark::State& state) {
  auto problem = std::make_unique<ProblemData>();
  StartUpProblem(*problem);
  if (const auto why = LoadDatafile(KORVANU_EXAMPLES "/Test3.krv", *problem)) {
    state.SkipWithError(why->c_str());
    return;
  }
  std::string why;
  std::vector<StudyInput> inputs;
  for (const auto& [name, variation] : {std::pair{"layers.Kp", "lognormal:3.3:0.3"},
                                        std::pair{"layers.Dw", "lognormal:0.02:0.005"}}) {
    inputs.push_back({*StudyField::Parse(name, *problem, why), *ParseVariation(variation, why)});
  }
  const auto design = StudyDesign::Make(DesignKind::Sampling, inputs, *problem, 200, 1, why);
  StudyOptions options;
  options.Jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  options.MinLength = state.range(0) != 0;
  int failing = 0;
  for (auto _ : state) {
    const std::vector<RunResult> runs = RunStudy(*problem, *design, options);
    failing = 0;
    for (const RunResult& run : runs) failing += run.Fails;
    benchmark::DoNotOptimize(failing);
  }
  state.counters["runs"] = design->Runs();
  state.counters["failing"] = failing;
  state.counters["threads"] = options.Jobs;
}
// The argument: 1 searches the minimum length of every run.
BENCHMARK(SamplingStudyOfTest3)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace korvanu

BENCHMARK_MAIN();
