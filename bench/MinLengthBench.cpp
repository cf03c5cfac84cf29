// One minimum-embedment search on examples/Test3.krv, as `korvanu-cli
// min-length` runs it: it must stay well under 2 s. Once from the datafile's
// own length (just above the minimum), once from a 10 m wall, which takes the
// search through its longest way down.
#include <benchmark/benchmark.h>

#include <memory>

#include "analysis/MinimumLength.h"
#include "core/DatafileFiles.h"

namespace korvanu {
namespace {

void MinimumLengthOfTest3(benchmark::State& state) {
  auto problem = std::make_unique<ProblemData>();
  StartUpProblem(*problem);
  if (const auto why = LoadDatafile(KORVANU_EXAMPLES "/Test3.krv", *problem)) {
    state.SkipWithError(why->c_str());
    return;
  }
  if (state.range(0) > 0) SetWallLength(*problem, 0.001 * static_cast<double>(state.range(0)));
  MinimumLength search;
  for (auto _ : state) {
    search = FindMinimumLength(*problem, problem->General.NT, 0.001);
    benchmark::DoNotOptimize(search.Shortest);
  }
  state.counters["length_mm"] = 1000.0 * search.Shortest;
  state.counters["runs"] = static_cast<double>(search.Trials.size());
}
// The argument is the starting length in mm; 0 keeps the datafile's.
BENCHMARK(MinimumLengthOfTest3)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvanu

BENCHMARK_MAIN();
