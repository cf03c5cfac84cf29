// Writing the step files: five header lines and one record per node,
// "%6d" and seven "%12.6f" fields, each followed by a comma.
#include "engine/StepOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/FixedSixText.h"
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

// Room for the widest record: eight fields and their commas.
constexpr std::size_t RecordRoom = 8 * (FixedSixRoom + 1) + 1;
constexpr std::size_t BufferSize = 64 * 1024;

// Appends value right-aligned in 12 characters as printf's "%12.6f" would,
// and a comma. The text is built from the right in a field of blanks, so the
// common case copies twelve characters and no more.
char* AppendField(char* out, double value) {
  constexpr int width = 12;
  unsigned long long units = 0;
  if (FixedSixUnits(value, units)) {
    char field[FixedSixFastRoom];
    std::memset(field, ' ', sizeof field);
    char* const end = field + sizeof field;
    const char* first = WriteFixedSixBackwards(end, units, std::signbit(value));
    if (end - first <= width) {
      std::memcpy(out, end - width, width);
      out += width;
    } else {
      std::memcpy(out, first, static_cast<std::size_t>(end - first));
      out += end - first;
    }
  } else {
    char digits[FixedSixRoom];
    const int length = static_cast<int>(WriteFixedSix(digits, value) - digits);
    for (int pad = width - length; pad > 0; --pad) *out++ = ' ';
    std::memcpy(out, digits, static_cast<std::size_t>(length));
    out += length;
  }
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

// Writes all of data, as often as the system takes part of it.
bool WriteAll(int file, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t done = ::write(file, data, size);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += done;
    size -= static_cast<std::size_t>(done);
  }
  return true;
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
  // An old file is written over and then cut to the new length, not emptied
  // first: ext4 flushes a file that was emptied and written again when it is
  // closed, and that wait was a third of a whole run.
  const int file = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (file < 0) return false;

  const int NN = problem.General.NN;
  char buffer[BufferSize];
  std::size_t used = std::strlen(StepFileHeader);
  std::memcpy(buffer, StepFileHeader, used);
  off_t written = 0;
  bool ok = true;

  try {
    for (int i = 0; i <= NN && ok; ++i) {
      const NodeRecord record = NodeRecordAt(engine, i);
      char* out = buffer + used;
      out = AppendIndex(out, i);
      for (double v :
           {record.z, record.w, record.M, record.Qminus, record.Qplus, record.F, record.f}) {
        out = AppendField(out, v);
      }
      *out++ = '\n';
      used = static_cast<std::size_t>(out - buffer);
      if (used + RecordRoom > BufferSize) {
        ok = WriteAll(file, buffer, used);
        written += static_cast<off_t>(used);
        used = 0;
      }
    }
  } catch (const FloatingPointFaultError&) {
    ::close(file);
    DiscardPartialFile(name);
    throw;
  }
  if (ok) ok = WriteAll(file, buffer, used);
  written += static_cast<off_t>(used);
  struct stat info;
  if (ok && ::fstat(file, &info) == 0 && S_ISREG(info.st_mode)) {
    ok = ::ftruncate(file, written) == 0;
  }
  if (::close(file) != 0) ok = false;
  if (!ok) DiscardPartialFile(name);
  return ok;
}

}  // namespace korvanu
