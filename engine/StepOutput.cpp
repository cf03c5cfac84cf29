// Writing the step files: five header lines and one record per node,
// "%6d" and seven "%12.6f" fields, each followed by a comma.
#include "engine/StepOutput.h"

#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/TextFormat.h"
#include "engine/FloatingPointFault.h"

namespace korvanu {

const char* const StepFileHeader =
    "########################\n"
    "#  Korvanu : Output Data\n"
    "########################\n"
    "#    I      Z            W            M            Q-           Q+           F            f\n"
    "########################\n";

std::string StepBaseName(std::string_view fileName) {
  // Only the last path component: a datafile name carrying "/", "\" or ".."
  // must not place step files outside the current folder.
  const std::size_t slash = fileName.find_last_of("/\\");
  if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
  const std::size_t dot = fileName.find('.');
  if (dot != std::string_view::npos) fileName = fileName.substr(0, dot);
  // Names are UTF-8: the limit counts characters and never splits one.
  return CutText(fileName, StepBaseNameLength);
}

std::string StepBaseName(const ProblemData& problem) {
  return StepBaseName(problem.General.FileName);
}

std::string StepOutputFileName(std::string_view fileName, int step) {
  return StepBaseName(fileName) + "." + std::to_string(step);
}

std::string StepOutputFileName(const ProblemData& problem, int step) {
  return StepOutputFileName(problem.General.FileName, step);
}

namespace {

// Room for the widest record: eight fields of at most 330 characters.
constexpr std::size_t RecordRoom = 8 * 340;
constexpr std::size_t BufferSize = 64 * 1024;

// Appends value right-aligned in `width` characters as printf's "%*.6f" (or
// "%*d") would, and a comma. to_chars gives the same digits as printf.
char* AppendField(char* out, double value, int width) {
  char digits[340];
  const auto result =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
  const int length = static_cast<int>(result.ptr - digits);
  for (int pad = width - length; pad > 0; --pad) *out++ = ' ';
  std::memcpy(out, digits, static_cast<std::size_t>(length));
  out += length;
  *out++ = ',';
  return out;
}

char* AppendIndex(char* out, int value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  const int length = static_cast<int>(result.ptr - digits);
  for (int pad = 6 - length; pad > 0; --pad) *out++ = ' ';
  std::memcpy(out, digits, static_cast<std::size_t>(length));
  out += length;
  *out++ = ',';
  return out;
}

}  // namespace

void DiscardPartialFile(const std::string& name) {
  struct stat info;
  if (stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode)) std::remove(name.c_str());
}

NodeRecord NodeRecordAt(const EngineState& engine, int i) {
  return NodeRecordAt(engine.Nodes, i);
}

NodeRecord NodeRecordAt(const NodeResults& r, int i) {
  NodeRecord record{r.z[i], r.w[i], r.M[i], r.Qminus[i], r.Qplus[i], 0.0, 0.0};
  record.F = r.Qplus[i] - r.Qminus[i];
  if (i > 0) record.f = CheckedDivide(r.Qminus[i] - r.Qplus[i - 1], r.z[i] - r.z[i - 1]);
  // An overflow here must end the run before anything infinite is written.
  CheckFloatingPointFlags();
  for (double v : {record.z, record.w, record.M, record.Qminus, record.Qplus, record.F, record.f}) {
    if (std::isnan(v)) throw FloatingPointFaultError(ComputationFault::InvalidOperation);
    if (std::isinf(v)) throw FloatingPointFaultError(ComputationFault::Overflow);
  }
  return record;
}

void CheckStepRecords(const ProblemData& problem, const EngineState& engine) {
  for (int i = 0; i <= problem.General.NN; ++i) NodeRecordAt(engine, i);
}

bool WriteStepOutput(const ProblemData& problem, const EngineState& engine,
                     const std::string& name) {
  std::FILE* file = std::fopen(name.c_str(), "w");
  if (file == nullptr) return false;

  const int NN = problem.General.NN;
  char buffer[BufferSize];
  std::size_t used = 0;
  bool ok = std::fputs(StepFileHeader, file) >= 0;

  try {
    for (int i = 0; i <= NN && ok; ++i) {
      const NodeRecord record = NodeRecordAt(engine, i);
      char* out = buffer + used;
      out = AppendIndex(out, i);
      for (double v :
           {record.z, record.w, record.M, record.Qminus, record.Qplus, record.F, record.f}) {
        out = AppendField(out, v, 12);
      }
      *out++ = '\n';
      used = static_cast<std::size_t>(out - buffer);
      if (used + RecordRoom > BufferSize) {
        ok = std::fwrite(buffer, 1, used, file) == used;
        used = 0;
      }
    }
  } catch (const FloatingPointFaultError&) {
    std::fclose(file);
    DiscardPartialFile(name);
    throw;
  }
  if (ok && used > 0) ok = std::fwrite(buffer, 1, used, file) == used;
  // A full disk often shows only when the buffered data are flushed.
  if (ok) ok = std::fflush(file) == 0 && std::ferror(file) == 0;
  if (std::fclose(file) != 0) ok = false;
  if (!ok) DiscardPartialFile(name);
  return ok;
}

}  // namespace korvanu
