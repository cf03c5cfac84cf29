// Reading the VALUES of --vary, and the values and quantiles it stands for.
#include "analysis/Variation.h"

#include <cmath>
#include <sstream>
#include <vector>

#include "analysis/StudyStatistics.h"
#include "core/TextFormat.h"

namespace korvanu {

const char* const VariationForms =
    "FROM:TO:COUNT (COUNT values from FROM to TO, 2 to 10000 of them), normal:MEAN:SD, "
    "lognormal:MEAN:SD (mean and SD of the value) or uniform:LOW:HIGH";

namespace {

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, ':')) parts.push_back(part);
  if (!text.empty() && text.back() == ':') parts.emplace_back();
  return parts;
}

}  // namespace

double Variation::RangeValue(int k) const {
  if (k == Count - 1) return Second;  // the end of the range as typed
  return First + (Second - First) * k / (Count - 1);
}

double Variation::Quantile(double u) const {
  switch (Kind) {
    case VariationKind::Normal:
      return First + Second * NormalQuantile(u);
    case VariationKind::Lognormal: {
      const double variance = std::log1p((Second / First) * (Second / First));
      return std::exp(std::log(First) - 0.5 * variance + std::sqrt(variance) * NormalQuantile(u));
    }
    case VariationKind::Uniform:
      return First + (Second - First) * u;
    case VariationKind::Range:
      break;
  }
  return First;
}

std::string Variation::Text() const {
  switch (Kind) {
    case VariationKind::Range:
      return Format("%g to %g, %d values", First, Second, Count);
    case VariationKind::Normal:
      return Format("normal, mean %g, SD %g", First, Second);
    case VariationKind::Lognormal:
      return Format("lognormal, mean %g, SD %g", First, Second);
    case VariationKind::Uniform:
      return Format("uniform from %g to %g", First, Second);
  }
  return {};
}

std::optional<Variation> ParseVariation(const std::string& text, std::string& why) {
  const std::vector<std::string> parts = Split(text);
  why = "'" + text + "' gives no values; VALUES are " + VariationForms;
  if (parts.size() != 3) return std::nullopt;
  Variation variation;
  const std::string& head = parts[0];
  if (head == "normal" || head == "lognormal" || head == "uniform") {
    variation.Kind = head == "normal"      ? VariationKind::Normal
                     : head == "lognormal" ? VariationKind::Lognormal
                                           : VariationKind::Uniform;
    if (!WholeNumber(parts[1], variation.First) || !WholeNumber(parts[2], variation.Second)) {
      return std::nullopt;
    }
    if (variation.Kind == VariationKind::Uniform && !(variation.First < variation.Second)) {
      why = "'" + text + "': LOW must lie below HIGH";
      return std::nullopt;
    }
    if (variation.Kind != VariationKind::Uniform && !(variation.Second > 0.0)) {
      why = "'" + text + "': SD must be above 0";
      return std::nullopt;
    }
    if (variation.Kind == VariationKind::Lognormal && !(variation.First > 0.0)) {
      why = "'" + text + "': the MEAN of a lognormal value must be above 0";
      return std::nullopt;
    }
    return variation;
  }
  if (!WholeNumber(parts[0], variation.First) || !WholeNumber(parts[1], variation.Second)) {
    return std::nullopt;
  }
  if (!WholeInteger(parts[2], variation.Count) || variation.Count < 2 ||
      variation.Count > MostRangeValues) {
    why =
        "'" + text + "': COUNT must be a whole number from 2 to " + std::to_string(MostRangeValues);
    return std::nullopt;
  }
  return variation;
}

}  // namespace korvanu
