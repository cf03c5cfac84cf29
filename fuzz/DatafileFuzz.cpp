// Fuzz target: any bytes as a datafile. A file is either refused with a line
// and a reason, leaving the problem exactly as it was, or read whole; what was
// read writes finite numbers only and reads back to the same file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/Datafile.h"
#include "tests/support/OutputChecks.h"

using namespace korvanu;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static const ProblemData startUp = check::StartUpProblem();
  static const std::string startUpFile = WriteDatafile(startUp);

  ProblemData problem = startUp;
  if (const auto error = ReadDatafile(text, problem)) {
    check::Require(!error->What.empty(), "a refusal gives no reason");
    check::Require(error->Line >= 0 && static_cast<std::size_t>(error->Line) <= size + 1,
                   "a refusal names a line the file does not have");
    check::Require(WriteDatafile(problem) == startUpFile, "a refused file changed the problem");
    return 0;
  }

  const std::string written = WriteDatafile(problem);
  check::RequireFiniteDatafile(written);
  ProblemData again = startUp;
  if (const auto error = ReadDatafile(written, again)) {
    check::Fail("a saved file is refused at line " + std::to_string(error->Line) + ": " +
                error->What);
  }
  check::Require(WriteDatafile(again) == written, "a saved file does not read back as saved");
  return 0;
}
