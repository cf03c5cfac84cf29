// One assemble-and-solve pass of the beam equations for growing NN: the work
// must grow linearly with the number of nodes.
#include <benchmark/benchmark.h>

#include "core/ProblemData.h"
#include "core/ProblemDefaults.h"
#include "core/ViewState.h"
#include "engine/AnchorLaw.h"
#include "engine/BeamEquations.h"
#include "engine/EngineState.h"
#include "engine/SoilLaw.h"

namespace korvanu {
namespace {

void AssembleAndSolve(benchmark::State& state) {
  static ProblemData problem;
  static EngineState engine;
  ViewState view;
  InitialiseProblem(problem, view);
  SetAnchorStartValues(problem);
  SetAxialStartValues(problem);
  problem.General.NN = static_cast<int>(state.range(0));
  engine = EngineState{};
  PlaceNodes(problem, engine);
  // The springs and anchors of step 1 at rest: a typical first pass.
  EvaluateAnchors(problem, engine, 1);
  for (int e = 0; e < problem.General.NN; ++e) EvaluateSprings(problem, engine, e, 1);
  for (auto _ : state) {
    AssembleSystem(problem, engine, 1);
    SolveSystem(problem, engine);
    benchmark::DoNotOptimize(engine.Rows[0].rhs[1]);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(AssembleAndSolve)
    ->Arg(100)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace korvanu

BENCHMARK_MAIN();
