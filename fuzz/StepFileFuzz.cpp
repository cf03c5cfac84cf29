// Fuzz target: any bytes as a step file, read for a wall of 0, 10 and 1000
// elements. The reader stops at the end of the file, stores nothing outside
// the node arrays and reads only finite numbers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "results/StepOutputReader.h"
#include "tests/support/OutputChecks.h"

using namespace korvanu;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  check::EnterScratchFolder("fuzz-stepfile");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* const name = "Fuzz.1";
  std::FILE* file = std::fopen(name, "wb");
  check::Require(file != nullptr, "cannot write the input file");
  check::Require(std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
                 "cannot write the input file");

  static NodeResults results;
  for (const int NN : {0, 10, MaxElements}) {
    results.z.fill(7.0);
    const StepReadOutcome outcome = ReadStepOutput(name, NN, results);
    check::Require(outcome.Ok, "a readable file is reported unreadable");
    check::Require(outcome.Records <= NN + 1, "more records were read than the wall has nodes");
    check::Require(outcome.Skipped <= outcome.Records, "more records skipped than read");
    check::Require(outcome.EndedEarly == (outcome.Records < NN + 1),
                   "an early end is reported wrongly");
    for (int i = 0; i < MaxNodes; ++i) {
      check::Require(std::isfinite(results.z[i]) && std::isfinite(results.w[i]) &&
                         std::isfinite(results.M[i]) && std::isfinite(results.Qminus[i]) &&
                         std::isfinite(results.Qplus[i]),
                     "a value read back is not finite");
    }
  }
  return 0;
}
