// The statistics a study reports: the standard normal distribution, rank
// correlations and the confidence interval of a share of failures.
#pragma once

#include <optional>
#include <vector>

namespace korvanu {

// The x below which the share p (0 < p < 1) of the standard normal
// distribution lies (Wichura's algorithm AS 241, about 16 digits); -inf at 0
// and +inf at 1.
double NormalQuantile(double p);

// Spearman's rank correlation of paired values: the correlation of their
// ranks, ties sharing their mean rank. Nothing for fewer than three pairs or
// when either side holds one value only.
std::optional<double> RankCorrelation(const std::vector<double>& x, const std::vector<double>& y);

// Wilson's score interval of a share of `hits` in `trials` at 95 %: unlike
// the normal approximation it stays within 0..1 and has a width when no run,
// or every run, fails.
struct ShareInterval {
  double Low = 0.0;
  double High = 1.0;
};
ShareInterval WilsonInterval(int hits, int trials);

}  // namespace korvanu
