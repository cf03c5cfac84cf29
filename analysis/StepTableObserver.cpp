// The command line's view of a computation.
#include "analysis/StepTableObserver.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <sstream>

#include "core/TextFormat.h"
#include "engine/AnchorLaw.h"
#include "engine/RunComputation.h"
#include "engine/StepCsv.h"

namespace korvanu {

namespace {

// Column widths of the table; the captions and the rows share them.
constexpr const char* CaptionFormat = "%4s %6s %-9s %7s %12s %8s %14s %8s  %s";
constexpr const char* RowFormat = "%4d %6d %-9s %7d %12.6f %8.3f %14.3f %8.3f ";

}  // namespace

int LargestAt(const std::array<double, MaxNodes>& values, int NN) {
  int best = 0;
  for (int i = 1; i <= NN; ++i) {
    if (std::fabs(values[i]) > std::fabs(values[best])) best = i;
  }
  return best;
}

StepTableObserver::StepTableObserver(const ProblemData& problem, std::ostream& out, RunFiles files)
    : problem_(problem), out_(out), where_(std::move(files)) {}

void StepTableObserver::PrintHeader() {
  out_ << Format(CaptionFormat, "Step", "Passes", "Converged", "Plastic", "max |w| m", "at z m",
                 "max |M| kNm/m", "at z m", "Anchor forces kN/m (point: force)")
       << "\n";
}

std::optional<std::string> StepTableObserver::StepFilePath(const std::string& name) {
  if (!where_.StepFolder) return std::nullopt;
  return (*where_.StepFolder / name).string();
}

void StepTableObserver::StepStarted(int step) {
  currentStep_ = step;
}

void StepTableObserver::WritingStepFile(const std::string& name) {
  files_.push_back(name);
}

void StepTableObserver::ShowMessage(const std::string& text) {
  if (text == WriteFailureMessage) {
    writeFailed_ = true;
    if (!files_.empty()) files_.pop_back();  // announced, but not written
  }
  messages_.push_back({currentStep_, text});
}

void StepTableObserver::StepFinished(const StepOutcome& outcome, const EngineState& engine) {
  const int NN = problem_.General.NN;
  const int s = outcome.step;
  if (!outcome.converged) {
    allConverged_ = false;
    if (firstFailedStep_ < 0) firstFailedStep_ = s;
    // The state of the last pass is no result: show none.
    out_ << Format("%4d %6d %-9s %7d %12s %8s %14s %8s", s, outcome.passes, "no",
                   outcome.plasticSprings, "-", "-", "-", "-")
         << "\n";
    return;
  }
  const int wi = LargestAt(engine.Nodes.w, NN);
  const int mi = LargestAt(engine.Nodes.M, NN);
  std::string row = Format(RowFormat, s, outcome.passes, "yes", outcome.plasticSprings,
                           std::fabs(engine.Nodes.w[wi]), engine.Nodes.z[wi],
                           std::fabs(engine.Nodes.M[mi]), engine.Nodes.z[mi]);
  for (int p = 0; p <= problem_.General.NL; ++p) {
    if (std::fabs(problem_.Anchors[s][p].Fa) < StressTolerance) continue;
    row += Format(" %d: %s", p, FixedText(AnchorForceAt(problem_, engine, s, p), 3).c_str());
  }
  // Trailing blanks of a row without anchors help no one.
  while (!row.empty() && row.back() == ' ') row.pop_back();
  out_ << row << "\n";
  if (s > 0 && where_.CsvFolder) WriteCsv(s, engine);
}

void StepTableObserver::WriteCsv(int step, const EngineState& engine) {
  const std::string name = StepCsvFileName(problem_, step);
  const std::filesystem::path path = *where_.CsvFolder / name;
  if (WriteStepCsv(problem_, engine, path.string())) {
    csvFiles_.push_back(name);
    return;
  }
  writeFailed_ = true;
  messages_.push_back({step, "Unable to write " + path.string() + ": " + std::strerror(errno)});
}

void StepTableObserver::PrintFault(const std::string& faultText) {
  out_ << Format("%4d %6s %-9s %s", currentStep_, "-", "fault", faultText.c_str()) << "\n";
}

void StepTableObserver::PrintSummary() {
  if (!messages_.empty()) {
    out_ << "\nMessages:\n";
    for (const Message& message : messages_) {
      std::string text = message.Text;
      while (!text.empty() && text.back() == '\n') text.pop_back();
      const std::string lead = Format("  step %d: ", message.Step);
      const std::string indent(lead.size(), ' ');
      std::istringstream lines(text);
      std::string line;
      bool first = true;
      while (std::getline(lines, line)) {
        if (line.empty()) {
          out_ << "\n";
        } else {
          out_ << (first ? lead : indent) << line << "\n";
        }
        first = false;
      }
    }
  }
  if (!files_.empty()) {
    out_ << "\nStep files:";
    for (const std::string& name : files_) out_ << " " << name;
    out_ << "\n";
  }
  if (!csvFiles_.empty()) {
    out_ << "CSV files in " << where_.CsvFolder->string() << ":";
    for (const std::string& name : csvFiles_) out_ << " " << name;
    out_ << "\n";
  }
}

}  // namespace korvanu
