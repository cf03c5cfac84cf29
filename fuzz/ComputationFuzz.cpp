// Fuzz target: any bytes as a datafile, and every file the reader takes is
// computed, cut down to a bounded size so that each input runs in
// milliseconds, with the checks of CheckedRun.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/Datafile.h"
#include "tests/support/CheckedRun.h"
#include "tests/support/OutputChecks.h"

using namespace korvanu;

namespace {

// The bound on one input: the element and step counts of the file are cut
// down to these.
constexpr int kMostElements = 60;
constexpr int kMostSteps = 6;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  check::EnterScratchFolder("fuzz-computation");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ProblemData startUp = check::StartUpProblem();
  static ProblemData problem;
  static EngineState engine;

  problem = startUp;
  if (ReadDatafile(std::string_view(reinterpret_cast<const char*>(data), size), problem)) return 0;
  problem.General.NN = std::min(problem.General.NN, kMostElements);
  problem.General.NT = std::min(problem.General.NT, kMostSteps);
  check::CheckedRun(problem, engine);
  return 0;
}
