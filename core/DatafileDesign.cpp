// The "#design" line: key=value words after the marker, numbers with three
// decimals as every value of the datafile, flags only where they differ from
// the defaults.
#include "core/DatafileDesign.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/TextFormat.h"

namespace korvanu {
namespace {

constexpr std::string_view kMarker = "#design";
constexpr std::string_view kUtilisationUnchecked = "utilisation_unchecked";
constexpr std::string_view kAnchorsMayYield = "anchors_may_yield";

std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  quoted += VisibleText(text);
  quoted += '"';
  return quoted;
}

// A positive finite number and nothing else.
std::optional<double> Positive(std::string_view text) {
  double v = 0.0;
  if (!WholeNumber(std::string(text), v) || v <= 0.0) return std::nullopt;
  return v;
}

// Reads the words of one line into `design`; what is wrong, or nothing.
std::optional<std::string> ReadWords(std::string_view rest, DesignSettings& design) {
  for (std::string_view word : BlankSeparatedWords(rest)) {
    if (word == kUtilisationUnchecked) {
      design.LimitUtilisation = false;
      continue;
    }
    if (word == kAnchorsMayYield) {
      design.NoAnchorYield = false;
      continue;
    }
    const size_t equals = word.find('=');
    if (equals == std::string_view::npos) {
      return Quoted(word) + " is not a design setting.";
    }
    const std::string_view key = word.substr(0, equals);
    const std::optional<double> value = Positive(word.substr(equals + 1));
    if (!value) {
      return "the design setting " + Quoted(word) + " needs a positive number.";
    }
    if (key == "fy") {
      design.Fy = *value;
    } else if (key == "gamma_m0") {
      design.GammaM0 = *value;
    } else if (key == "min_fp") {
      design.MinFp = value;
    } else if (key == "min_fs") {
      design.MinFs = value;
    } else if (key == "max_w") {
      design.MaxW = value;
    } else {
      return Quoted(key) + " is not a design setting.";
    }
  }
  return std::nullopt;
}

}  // namespace

std::string WriteDesignLines(const ProblemData& problem) {
  const DesignSettings& d = problem.Design;
  if (d == DesignSettings{}) return "";
  std::string line(kMarker);
  const auto number = [&line](const char* key, double v) {
    // Three decimals as written before; more only where a value holds more.
    line += Format(" %s=%s", key, ExactText(v, 3).c_str());
  };
  if (d.Fy != 0.0) number("fy", d.Fy);
  if (d.GammaM0 != 1.0) number("gamma_m0", d.GammaM0);
  if (d.MinFp) number("min_fp", *d.MinFp);
  if (d.MinFs) number("min_fs", *d.MinFs);
  if (d.MaxW) number("max_w", *d.MaxW);
  if (!d.LimitUtilisation) (line += " ") += kUtilisationUnchecked;
  if (!d.NoAnchorYield) (line += " ") += kAnchorsMayYield;
  return line + "\r\n";
}

std::optional<DatafileError> ReadDesignLines(std::string_view text, ProblemData& problem) {
  DesignSettings design;
  const auto error = ReadKeywordLines(text, kMarker, [&design](std::string_view line) {
    return ReadWords(line.substr(kMarker.size()), design).value_or(std::string());
  });
  if (error) return error;
  problem.Design = design;
  return std::nullopt;
}

}  // namespace korvanu
