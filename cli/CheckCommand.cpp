// The check command: the settings stored in the datafile, overridden by the
// options, then the same summary and verdicts the program shows.
#include "cli/CheckCommand.h"

#include <memory>
#include <optional>
#include <set>
#include <string>

#include "analysis/DesignChecks.h"
#include "analysis/DesignText.h"
#include "analysis/FactorSearch.h"
#include "core/DatafileFiles.h"
#include "core/TextFormat.h"

namespace korvanu {
namespace {

int Refuse(const std::string& why, std::ostream& err) {
  err << "korvanu-cli check: " << why << "\n";
  return ExitRefused;
}

std::string GradeList() {
  std::string names;
  for (const SteelGrade& grade : SteelGrades) {
    if (!names.empty()) names += ", ";
    names += grade.Name;
  }
  return names;
}

// One CSV field: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string CsvRow(const std::vector<std::string>& fields) {
  std::string row;
  for (size_t k = 0; k < fields.size(); ++k) {
    if (k > 0) row += ',';
    row += CsvField(fields[k]);
  }
  return row + "\r\n";
}

}  // namespace

int CheckCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
  std::string datafile;
  std::optional<std::string> csv;
  std::optional<double> fy, gammaM0, minFp, minFs, maxW;
  std::set<std::string> given;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& word = arguments[k];
    const bool hasValue = k + 1 < arguments.size();
    if (word.rfind("--", 0) == 0 && word != "--fy" && word != "--grade" &&
        !given.insert(word).second) {
      return Refuse(word + " is given twice", err);
    }
    const auto positive = [&](const char* what, std::optional<double>& into) -> int {
      double value = 0.0;
      if (!hasValue || !WholeNumber(arguments[++k], value) || value <= 0.0) {
        return Refuse(word + " needs " + what, err);
      }
      into = value;
      return ExitDone;
    };
    int refused = ExitDone;
    if (word == "--fy") {
      if (fy) return Refuse("give the steel once, by --fy or by --grade", err);
      refused = positive("a yield strength in N/mm² above 0", fy);
    } else if (word == "--grade") {
      if (fy) return Refuse("give the steel once, by --fy or by --grade", err);
      if (!hasValue) return Refuse("--grade needs one of " + GradeList(), err);
      fy = GradeStrength(arguments[++k]);
      if (!fy)
        return Refuse("unknown grade " + arguments[k] + "; the grades are " + GradeList(), err);
    } else if (word == "--gamma-m0") {
      refused = positive("a partial factor above 0", gammaM0);
    } else if (word == "--require-fp") {
      refused = positive("a factor above 0", minFp);
    } else if (word == "--require-fs") {
      refused = positive("a factor above 0", minFs);
    } else if (word == "--max-w") {
      refused = positive("a displacement in m above 0", maxW);
    } else if (word == "--csv") {
      if (!hasValue) return Refuse("--csv needs a file to write", err);
      csv = arguments[++k];
    } else if (word.size() > 1 && word[0] == '-') {
      return Refuse("unknown option " + word, err);
    } else if (datafile.empty()) {
      datafile = word;
    } else {
      return Refuse("takes exactly one datafile", err);
    }
    if (refused != ExitDone) return refused;
  }
  if (datafile.empty()) return Refuse("no datafile given", err);
  for (const auto& [option, value] : {std::pair{"--require-fp", minFp}, {"--require-fs", minFs}}) {
    if (value && *value > LargestFactor) {
      return Refuse(std::string(option) + " " + ExactText(*value, 3) +
                        " can never hold: the search stops at " + FixedText(LargestFactor, 0),
                    err);
    }
  }
  if (maxW && *maxW > 1.0) {
    err << "korvanu-cli check: note: --max-w is in metres: " << ExactText(*maxW, 4)
        << " m allows a displacement of " << ExactText(*maxW * 1000.0, 1) << " mm\n";
  }

  auto problem = std::make_unique<ProblemData>();
  StartUpProblem(*problem);
  if (const auto why = LoadDatafile(datafile, *problem)) {
    err << "korvanu-cli: " << *why << "\n";
    return ExitRefused;
  }
  DesignSettings settings = problem->Design;
  if (fy) settings.Fy = *fy;
  if (gammaM0) settings.GammaM0 = *gammaM0;
  if (minFp) settings.MinFp = minFp;
  if (minFs) settings.MinFs = minFs;
  if (maxW) settings.MaxW = maxW;

  const DesignSummary summary = SummariseDesign(*problem, settings);
  const DesignSearches searches = RunDesignSearches(*problem);
  const std::vector<Verdict> verdicts = DesignVerdicts(summary, &searches);
  out << "File      " << datafile << "\n"
      << DesignReportText(*problem, summary, &searches, verdicts);

  if (csv) {
    std::string text = CsvRow(DesignTableCaptions());
    for (const StepCheck& step : summary.Steps) text += CsvRow(DesignTableRow(step, &searches.Fp));
    text += CsvRow(DesignTableRow(summary.Envelope, &searches.Fp));
    std::string why;
    if (!WriteWholeFile(*csv, text, why)) {
      err << "korvanu-cli: " << *csv << ": the table could not be written: " << why << "\n";
      return ExitIncomplete;
    }
    out << "Wrote the table to " << *csv << "\n";
  }
  return AllHold(verdicts) ? ExitDone : ExitFallsShort;
}

}  // namespace korvanu
