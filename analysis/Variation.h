// How a study input varies: a range of values taken one after the other, or
// a distribution that Latin hypercube samples are drawn from.
#pragma once

#include <optional>
#include <string>

namespace korvanu {

enum class VariationKind { Range, Normal, Lognormal, Uniform };

struct Variation {
  VariationKind Kind = VariationKind::Range;
  double First = 0.0;   // FROM, MEAN or LOW
  double Second = 0.0;  // TO, SD or HIGH
  int Count = 0;        // values of a range

  bool IsRange() const { return Kind == VariationKind::Range; }
  // Value k (0..Count-1) of a range, evenly spaced from FROM to TO.
  double RangeValue(int k) const;
  // The value below which the share u (0 < u < 1) of the distribution lies.
  // MEAN and SD of a lognormal distribution are those of the value itself,
  // not of its logarithm.
  double Quantile(double u) const;
  // "2.5 to 3.5, 11 values", "lognormal, mean 3, SD 0.3".
  std::string Text() const;
};

// The forms of VALUES, for messages.
extern const char* const VariationForms;

// The most values of one range.
constexpr int MostRangeValues = 10000;

// Parses FROM:TO:COUNT, normal:MEAN:SD, lognormal:MEAN:SD or uniform:LOW:HIGH.
// Nothing, with the reason in `why`, for any other text.
std::optional<Variation> ParseVariation(const std::string& text, std::string& why);

}  // namespace korvanu
