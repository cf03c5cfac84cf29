// Normal quantiles, rank correlations and share intervals for the study summary.
#include "analysis/StudyStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace korvanu {

namespace {

// The z of a two-sided 95 % interval.
constexpr double Z95 = 1.959963984540054;

// Ranks 1..n, ties sharing their mean rank.
std::vector<double> Ranks(const std::vector<double>& values) {
  std::vector<std::size_t> order(values.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
  std::vector<double> ranks(values.size());
  for (std::size_t first = 0; first < order.size();) {
    std::size_t last = first;
    while (last + 1 < order.size() && values[order[last + 1]] == values[order[first]]) ++last;
    const double mean = 0.5 * static_cast<double>(first + last) + 1.0;
    for (std::size_t k = first; k <= last; ++k) ranks[order[k]] = mean;
    first = last + 1;
  }
  return ranks;
}

}  // namespace

double NormalQuantile(double p) {
  if (p <= 0.0) return -std::numeric_limits<double>::infinity();
  if (p >= 1.0) return std::numeric_limits<double>::infinity();
  const double q = p - 0.5;
  if (std::fabs(q) <= 0.425) {
    const double r = 0.180625 - q * q;
    return q *
           (((((((2509.0809287301226727 * r + 33430.575583588128105) * r + 67265.770927008700853) *
                    r +
                45921.953931549871457) *
                   r +
               13731.693765509461125) *
                  r +
              1971.5909503065514427) *
                 r +
             133.14166789178437745) *
                r +
            3.387132872796366608) /
           (((((((5226.495278852545925 * r + 28729.085735721942674) * r + 39307.89580009271061) *
                    r +
                21213.794301586595867) *
                   r +
               5394.1960214247511077) *
                  r +
              687.1870074920579083) *
                 r +
             42.313330701600911252) *
                r +
            1.0);
  }
  double r = std::sqrt(-std::log(q < 0.0 ? p : 1.0 - p));
  double x = 0.0;
  if (r <= 5.0) {
    r -= 1.6;
    x = (((((((7.7454501427834140764e-4 * r + 0.0227238449892691845833) * r +
              0.24178072517745061177) *
                 r +
             1.27045825245236838258) *
                r +
            3.64784832476320460504) *
               r +
           5.7694972214606914055) *
              r +
          4.6303378461565452959) *
             r +
         1.42343711074968357734) /
        (((((((1.05075007164441684324e-9 * r + 5.475938084995344946e-4) * r +
              0.0151986665636164571966) *
                 r +
             0.14810397642748007459) *
                r +
            0.68976733498510000455) *
               r +
           1.6763848301838038494) *
              r +
          2.05319162663775882187) *
             r +
         1.0);
  } else {
    r -= 5.0;
    x = (((((((2.01033439929228813265e-7 * r + 2.71155556874348757815e-5) * r +
              0.0012426609473880784386) *
                 r +
             0.026532189526576123093) *
                r +
            0.29656057182850489123) *
               r +
           1.7848265399172913358) *
              r +
          5.4637849111641143699) *
             r +
         6.6579046435011037772) /
        (((((((2.04426310338993978564e-15 * r + 1.4215117583164458887e-7) * r +
              1.8463183175100546818e-5) *
                 r +
             7.868691311456132591e-4) *
                r +
            0.0148753612908506148525) *
               r +
           0.13692988092273580531) *
              r +
          0.59983220655588793769) *
             r +
         1.0);
  }
  return q < 0.0 ? -x : x;
}

std::optional<double> RankCorrelation(const std::vector<double>& x, const std::vector<double>& y) {
  const std::size_t n = std::min(x.size(), y.size());
  if (n < 3) return std::nullopt;
  const std::vector<double> rx = Ranks(std::vector<double>(x.begin(), x.begin() + n));
  const std::vector<double> ry = Ranks(std::vector<double>(y.begin(), y.begin() + n));
  const double mean = 0.5 * static_cast<double>(n + 1);
  double sxy = 0.0, sxx = 0.0, syy = 0.0;
  for (std::size_t k = 0; k < n; ++k) {
    sxy += (rx[k] - mean) * (ry[k] - mean);
    sxx += (rx[k] - mean) * (rx[k] - mean);
    syy += (ry[k] - mean) * (ry[k] - mean);
  }
  if (sxx == 0.0 || syy == 0.0) return std::nullopt;
  return sxy / std::sqrt(sxx * syy);
}

ShareInterval WilsonInterval(int hits, int trials) {
  if (trials <= 0) return {};
  const double n = trials;
  const double share = hits / n;
  const double z2 = Z95 * Z95;
  const double centre = (share + z2 / (2.0 * n)) / (1.0 + z2 / n);
  const double half =
      Z95 / (1.0 + z2 / n) * std::sqrt(share * (1.0 - share) / n + z2 / (4.0 * n * n));
  return {hits == 0 ? 0.0 : std::max(0.0, centre - half),
          hits == trials ? 1.0 : std::min(1.0, centre + half)};
}

}  // namespace korvanu
