// Earth pressure coefficients of the horizontal stress on a vertical wall
// from the strength of the soil, and the stroke Dw from a coefficient of
// horizontal subgrade reaction.
#pragma once

#include <optional>
#include <string>

#include "core/SoilStrength.h"

namespace korvanu {

struct EarthPressureCoefficients {
  double Ka = 0.0;
  double Kn = 0.0;
  double Kp = 0.0;
  std::optional<double> Dw;  // m; only when k_h is given
  // Not empty: the input that was refused, with its range; the values are 0.
  std::string Error;
  // Not empty: Kn at rest lay outside Ka..Kp and was brought to the nearer limit.
  std::string Note;

  bool Ok() const { return Error.empty(); }
};

// How a stroke derived from k_h is kept.
enum class StrokeRule {
  // As the layer table stores it: a stroke outside SmallestStroke..LargestStroke
  // is refused, since it would be stored as another stiffness or not fit.
  Table,
  // For a computation in memory (a factored strength): k_h sets the stiffness
  // only, so the stroke is used unrounded, but never below SmallestStroke.
  Unrounded,
};

// The strokes the layer table holds with its three decimals, in m.
constexpr double SmallestStroke = 0.001;
constexpr double LargestStroke = 999999.999;

// Ka, Kn and Kp (horizontal components, Ka <= Kn <= Kp) for the strength,
// and, with k_h, the stroke Dw = (Sp - Sa)/k_h that makes the spring's
// stiffness k_h at the vertical effective stress `sigmaV` (kN/m2): with
// c' = 0 that is (Kp - Ka)*sigmaV/k_h. Refused input comes back in Error.
EarthPressureCoefficients ComputeCoefficients(const SoilStrength& strength, double sigmaV,
                                              StrokeRule rule = StrokeRule::Table);

// The first input of the strength outside its range, as a message naming it
// and the range; empty when every input is usable with its method.
std::string StrengthError(const SoilStrength& strength);

// The method as the printed report names it, e.g. "Coulomb, plane surfaces".
std::string MethodName(EarthPressureMethod method);
// One line of the inputs: "φ' 30°, δ 20°, β 0°, c' 0 kN/m², OCR -, k_h -:
// Coulomb, plane surfaces" (UTF-8); a ratio shows as "δ/φ' 0.667 (20°)".
std::string StrengthSummary(const SoilStrength& strength);

// The single formulas, angles in degrees; each returns the horizontal
// component on a vertical wall.
double RankineKa(double phi);
double RankineKp(double phi);
// Plane sliding surfaces with wall friction delta and a surface rising at
// beta away from the wall; CoulombKp is infinite where plane surfaces give
// no passive limit.
double CoulombKa(double phi, double delta, double beta);
double CoulombKp(double phi, double delta, double beta);
// Curved sliding surfaces, level surface: Lancellotta's lower-bound solution,
// Kp = cos d/(1 - sin f)*(cos d + sqrt(sin^2 f - sin^2 d))*exp(2*theta*tan f),
// 2*theta = asin(sin d/sin f) + d.
double CurvedKp(double phi, double delta);
// At rest: Jaky's 1 - sin phi', times OCR^sin phi' (Mayne and Kulhawy).
double AtRestKn(double phi, std::optional<double> ocr);

}  // namespace korvanu
