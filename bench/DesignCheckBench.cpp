// The whole design check as `korvanu-cli check` runs it: the summary of every
// step, Fp with its per-step values, Fs and the minimum length. Test 3 must
// stay under 1 s, the largest problem (NL 20, NN 1000, NT 20) under 5 s.
#include <benchmark/benchmark.h>

#include <memory>

#include "analysis/DesignChecks.h"
#include "analysis/FactorSearch.h"
#include "bench/StagedProblem.h"
#include "core/DatafileFiles.h"

namespace korvanu {
namespace {

void WholeCheck(benchmark::State& state, const ProblemData& problem) {
  DesignSearches searches;
  for (auto _ : state) {
    const DesignSummary summary = SummariseDesign(problem, problem.Design);
    searches = RunDesignSearches(problem);
    benchmark::DoNotOptimize(DesignVerdicts(summary, &searches));
  }
  state.counters["Fp"] = searches.Fp.Whole.Value;
  state.counters["Fp_runs"] = searches.Fp.Runs;
  state.counters["length_mm"] = 1000.0 * searches.Embedment.Search.Shortest;
}

void DesignCheckOfTest3(benchmark::State& state) {
  auto problem = std::make_unique<ProblemData>();
  StartUpProblem(*problem);
  if (const auto why = LoadDatafile(KORVANU_EXAMPLES "/Test3.krv", *problem)) {
    state.SkipWithError(why->c_str());
    return;
  }
  WholeCheck(state, *problem);
}
BENCHMARK(DesignCheckOfTest3)->Unit(benchmark::kMillisecond);

void DesignCheckOfTheLargestProblem(benchmark::State& state) {
  auto problem = std::make_unique<ProblemData>(StagedExcavation());
  WholeCheck(state, *problem);
}
BENCHMARK(DesignCheckOfTheLargestProblem)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace korvanu

BENCHMARK_MAIN();
