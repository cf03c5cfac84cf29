// Maxima over all steps and the scales derived from them.
#include "results/GraphScales.h"

#include <algorithm>
#include <cmath>

#include "results/ResultQuantities.h"
#include "results/StepOutputReader.h"

namespace korvanu {

namespace {

// Below this a maximum counts as zero, so that every scale stays finite.
constexpr double SmallestMaximum = 1e-6;
// A hand-made step file may hold huge values; 1.1 times this stays finite.
constexpr double LargestMaximum = 1e300;

void Raise(double& maximum, double value) {
  const double magnitude = std::fabs(value);
  if (std::isnan(magnitude)) return;
  maximum = std::max(maximum, std::min(magnitude, LargestMaximum));
}

}  // namespace

void RaiseGraphMaxima(GraphMaxima& maxima, const NodeResults& results, int NN) {
  NN = std::clamp(NN, 0, MaxElements);
  for (int i = 0; i <= NN; ++i) {
    Raise(maxima[GraphQuantity::W], results.w[i]);
    Raise(maxima[GraphQuantity::M], results.M[i]);
    Raise(maxima[GraphQuantity::Q], results.Qminus[i]);
    Raise(maxima[GraphQuantity::Q], results.Qplus[i]);
    Raise(maxima[GraphQuantity::F], DistributedLoad(results, i));
  }
}

GraphMaxima ReadGraphMaxima(const ProblemData& problem, NodeResults& results,
                            const std::function<void(const std::string&)>& report) {
  GraphMaxima maxima;
  const int NT = std::clamp(problem.General.NT, 0, MaxSteps);
  const int NN = std::clamp(problem.General.NN, 0, MaxElements);
  for (int k = 1; k <= NT; ++k) {
    const StepReadOutcome outcome = ReadStepOutput(StepOutputFileName(problem, k), NN, results);
    if (!outcome.Ok && report) report(outcome.Message);
    RaiseGraphMaxima(maxima, results, NN);
  }
  return maxima;
}

GraphScales ComputeGraphScales(const GraphMaxima& maxima, double wallLength,
                               const GraphSizes& sizes) {
  GraphScales scales;
  const int hPrint = static_cast<int>(0.2 * sizes.PageHeight);
  const int gScreen = sizes.ClientWidth / 10;
  const int gPrint = sizes.PageWidth / 10;
  const int m = sizes.ClientHeight / 15;
  if (wallLength != 0.0 && std::isfinite(wallLength)) {
    scales.ScreenZ = (sizes.ClientHeight - m - (m + sizes.PanelHeight)) / wallLength;
    scales.PrintZ = hPrint / wallLength;
  }
  for (int q = 0; q < GraphCount; ++q) {
    GraphScale& scale = scales.Value[q];
    const double largest = std::max(maxima.Value[q], SmallestMaximum);
    scale.Screen = gScreen / largest;
    scale.Print = gPrint / largest;
    scale.Maximum = 1.1 * largest;
    scale.Unit = std::exp(std::log(10.0) * std::floor(std::log10(scale.Maximum)));
  }
  return scales;
}

}  // namespace korvanu
