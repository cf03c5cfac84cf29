// F and f from the node arrays, kept finite whatever a step file held.
#include "results/ResultQuantities.h"

#include <cfloat>
#include <cmath>

namespace korvanu {

namespace {

double Finite(double value) {
  if (std::isnan(value)) return 0.0;
  if (value > DBL_MAX) return DBL_MAX;
  if (value < -DBL_MAX) return -DBL_MAX;
  return value;
}

}  // namespace

double ConcentratedForce(const NodeResults& results, int i) {
  return Finite(results.Qplus[i] - results.Qminus[i]);
}

double DistributedLoad(const NodeResults& results, int i) {
  if (i <= 0) return 0.0;
  const double length = results.z[i] - results.z[i - 1];
  if (length == 0.0 || std::isnan(length)) return 0.0;
  const double jump = results.Qminus[i] - results.Qplus[i - 1];
  if (std::isfinite(jump)) return Finite(jump / length);
  // The jump itself overflowed: divide each term first.
  return Finite(results.Qminus[i] / length - results.Qplus[i - 1] / length);
}

}  // namespace korvanu
