// Writing a step's results as CSV with round-trip numbers.
#include "engine/StepCsv.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <string>

#include "engine/StepOutput.h"

namespace korvanu {

const char* const StepCsvHeader =
    "node,z_m,w_m,M_kNm_per_m,Qminus_kN_per_m,Qplus_kN_per_m,F_kN_per_m,f_kN_per_m2\r\n";

std::string StepCsvFileName(const ProblemData& problem, int step) {
  return StepOutputFileName(problem, step) + ".csv";
}

namespace {

// to_chars without a precision gives the shortest text that reads back to
// the same double.
void AppendNumber(std::string& text, double value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  text.push_back(',');
  text.append(digits, result.ptr);
}

}  // namespace

bool WriteStepCsv(const ProblemData& problem, const EngineState& engine, const std::string& path) {
  return WriteStepCsv(problem, engine.Nodes, path);
}

bool WriteStepCsv(const ProblemData& problem, const NodeResults& nodes, const std::string& path) {
  std::string text = StepCsvHeader;
  for (int i = 0; i <= problem.General.NN; ++i) {
    const NodeRecord r = NodeRecordAt(nodes, i);
    text += std::to_string(i);
    for (double v : {r.z, r.w, r.M, r.Qminus, r.Qplus, r.F, r.f}) AppendNumber(text, v);
    text += "\r\n";
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
  int error = ok ? 0 : errno;
  if (std::fclose(file) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    DiscardPartialFile(path);
    errno = error;
  }
  return ok;
}

}  // namespace korvanu
