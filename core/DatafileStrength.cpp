// Writing and reading the "#strength" lines: the layer, step and side, then
// the inputs as name=value pairs in any order.
#include "core/DatafileStrength.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "core/EarthPressure.h"
#include "core/TextFormat.h"

namespace korvanu {
namespace {

constexpr std::string_view kKeyword = "#strength";

struct MethodName {
  EarthPressureMethod method;
  std::string_view name;
};
constexpr MethodName kMethods[] = {
    {EarthPressureMethod::Rankine, "rankine"},
    {EarthPressureMethod::Coulomb, "coulomb"},
    {EarthPressureMethod::Curved, "curved"},
};

// The shortest text that reads back as the same double.
std::string Shortest(double v) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

std::string StrengthLine(int layer, int step, Side side, const SoilStrength& s) {
  std::string line = Format("%s %d %d %s phi=", kKeyword.data(), layer + 1, step,
                            side == Side::Left ? "left" : "right");
  line += Shortest(s.Phi);
  line += s.DeltaUnit == WallFrictionUnit::Ratio ? " delta/phi=" : " delta=";
  line += Shortest(s.Delta);
  line.append(" beta=").append(Shortest(s.Beta));
  line.append(" c=").append(Shortest(s.Cohesion));
  if (s.OCR) line.append(" ocr=").append(Shortest(*s.OCR));
  if (s.Kh) line.append(" kh=").append(Shortest(*s.Kh));
  for (const MethodName& m : kMethods) {
    if (m.method == s.Method) line.append(" method=").append(m.name);
  }
  return line.append("\r\n");
}

// The whole word as a number, or nothing.
std::optional<double> Number(std::string_view word) {
  double v = 0.0;
  const auto result = std::from_chars(word.data(), word.data() + word.size(), v);
  if (result.ec != std::errc() || result.ptr != word.data() + word.size()) return std::nullopt;
  return v;
}

std::optional<int> Whole(std::string_view word) {
  int v = 0;
  const auto result = std::from_chars(word.data(), word.data() + word.size(), v);
  if (result.ec != std::errc() || result.ptr != word.data() + word.size()) return std::nullopt;
  return v;
}

// Reads one strength line into `problem`; the reason it cannot otherwise.
std::string ReadLine(std::string_view line, ProblemData& problem) {
  const std::vector<std::string_view> words = BlankSeparatedWords(line);
  if (words.size() < 4) return "a strength line names the layer, the step and the side first.";
  const int layers = problem.General.NL;
  const int steps = problem.General.NT;
  const std::optional<int> layer = Whole(words[1]);
  if (!layer || *layer < 1 || *layer > layers) {
    return Format("the layer '%s' of the strength line is not one of 1..%d.",
                  VisibleText(words[1]).c_str(), layers);
  }
  const std::optional<int> step = Whole(words[2]);
  if (!step || *step < 0 || *step > steps) {
    return Format("the loading step '%s' of the strength line is not one of 0..%d.",
                  VisibleText(words[2]).c_str(), steps);
  }
  if (words[3] != "left" && words[3] != "right") {
    return Format("the side '%s' of the strength line is not left or right.",
                  VisibleText(words[3]).c_str());
  }
  const Side side = words[3] == "left" ? Side::Left : Side::Right;

  SoilStrength s;
  bool phi = false, delta = false, method = false;
  for (size_t w = 4; w < words.size(); ++w) {
    const std::string_view word = words[w];
    const size_t eq = word.find('=');
    const std::string_view name = word.substr(0, eq);
    const std::string_view text = eq == std::string_view::npos ? "" : word.substr(eq + 1);
    if (name == "method") {
      const auto m = std::find_if(std::begin(kMethods), std::end(kMethods),
                                  [&](const MethodName& m) { return m.name == text; });
      if (m == std::end(kMethods)) {
        return Format("the method '%s' is not rankine, coulomb or curved.",
                      VisibleText(text).c_str());
      }
      s.Method = m->method;
      method = true;
      continue;
    }
    const std::optional<double> v = Number(text);
    if (!v) {
      return Format("'%s' is not a name=number pair of a strength.", VisibleText(word).c_str());
    }
    if (name == "phi") {
      s.Phi = *v;
      phi = true;
    } else if (name == "delta" || name == "delta/phi") {
      s.Delta = *v;
      s.DeltaUnit = name == "delta" ? WallFrictionUnit::Degrees : WallFrictionUnit::Ratio;
      delta = true;
    } else if (name == "beta") {
      s.Beta = *v;
    } else if (name == "c") {
      s.Cohesion = *v;
    } else if (name == "ocr") {
      s.OCR = *v;
    } else if (name == "kh") {
      s.Kh = *v;
    } else {
      return Format("'%s' is not an input of a strength.", VisibleText(name).c_str());
    }
  }
  if (!phi || !delta || !method)
    return "a strength line gives phi, delta (or delta/phi) and method.";
  if (std::string error = StrengthError(s); !error.empty()) return error;
  problem.Strength(*layer - 1, *step, side) = s;
  return {};
}

}  // namespace

std::string WriteStrengthLines(const ProblemData& problem) {
  const int layers = std::clamp(problem.General.NL, 0, MaxLayers);
  const int steps = std::clamp(problem.General.NT, 0, MaxSteps);
  std::string out;
  for (int s = 0; s <= steps; ++s) {
    for (Side side : {Side::Left, Side::Right}) {
      for (int j = 0; j < layers; ++j) {
        if (const auto& strength = problem.Strength(j, s, side)) {
          out += StrengthLine(j, s, side, *strength);
        }
      }
    }
  }
  return out;
}

std::optional<DatafileError> ReadStrengthLines(std::string_view text, ProblemData& problem) {
  const int layers = std::clamp(problem.General.NL, 0, MaxLayers);
  const int steps = std::clamp(problem.General.NT, 0, MaxSteps);
  for (int j = 0; j < layers; ++j) {
    for (int s = 0; s <= steps; ++s) problem.StrengthTable[j][s] = {};
  }
  return ReadKeywordLines(text, kKeyword,
                          [&problem](std::string_view line) { return ReadLine(line, problem); });
}

}  // namespace korvanu
