// The earth pressure formulas and the range of their inputs.
#include "core/EarthPressure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/TextFormat.h"

namespace korvanu {
namespace {

constexpr double kMaxPhi = 50.0;
// The table holds three decimals: a smaller stroke would be stored as 0, and
// a layer with Dw = 0 cannot be computed.
constexpr double kSmallestStoredStroke = 0.0005;
// A softer subgrade would make a stroke of kilometres: no soil is that soft,
// and the value is most likely a slip of the unit.
constexpr double kSoftestKh = 1.0;

double Rad(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}

}  // namespace

double RankineKa(double phi) {
  const double t = std::tan(Rad(45.0 - phi / 2.0));
  return t * t;
}

double RankineKp(double phi) {
  const double t = std::tan(Rad(45.0 + phi / 2.0));
  return t * t;
}

double CoulombKa(double phi, double delta, double beta) {
  const double f = Rad(phi), d = Rad(delta), b = Rad(beta);
  const double root =
      std::sqrt(std::max(0.0, std::sin(f + d) * std::sin(f - b)) / (std::cos(d) * std::cos(b)));
  const double k = std::cos(f) * std::cos(f) / (std::cos(d) * (1.0 + root) * (1.0 + root));
  return k * std::cos(d);
}

double CoulombKp(double phi, double delta, double beta) {
  const double f = Rad(phi), d = Rad(delta), b = Rad(beta);
  const double root =
      std::sqrt(std::max(0.0, std::sin(f + d) * std::sin(f + b)) / (std::cos(d) * std::cos(b)));
  if (root >= 1.0) return INFINITY;
  const double k = std::cos(f) * std::cos(f) / (std::cos(d) * (1.0 - root) * (1.0 - root));
  return k * std::cos(d);
}

double CurvedKp(double phi, double delta) {
  const double f = Rad(phi), d = Rad(delta);
  const double sf = std::sin(f), sd = std::sin(d);
  // Without friction there is no wall friction either (|delta| <= phi').
  const double twoTheta = sf > 0.0 ? std::asin(std::clamp(sd / sf, -1.0, 1.0)) + d : 0.0;
  return std::cos(d) / (1.0 - sf) * (std::cos(d) + std::sqrt(std::max(0.0, sf * sf - sd * sd))) *
         std::exp(twoTheta * std::tan(f));
}

double AtRestKn(double phi, std::optional<double> ocr) {
  const double s = std::sin(Rad(phi));
  return (1.0 - s) * (ocr ? std::pow(*ocr, s) : 1.0);
}

std::string MethodName(EarthPressureMethod method) {
  switch (method) {
    case EarthPressureMethod::Rankine:
      return "Rankine";
    case EarthPressureMethod::Coulomb:
      return "Coulomb, plane surfaces";
    case EarthPressureMethod::Curved:
      return "Coulomb Ka, Kp from curved surfaces (Lancellotta 2002)";
  }
  return {};
}

std::string StrengthSummary(const SoilStrength& s) {
  std::string text = Format("φ' %g°, ", s.Phi);
  if (s.DeltaUnit == WallFrictionUnit::Ratio) {
    text.append(Format("δ/φ' %.3f (%g°), ", s.Delta, s.DeltaDegrees()));
  } else {
    text.append(Format("δ %g°, ", s.Delta));
  }
  text.append(Format("β %g°, c' %g kN/m², ", s.Beta, s.Cohesion));
  text.append(s.OCR ? Format("OCR %g, ", *s.OCR) : Format("OCR -, "));
  text.append(s.Kh ? Format("k_h %g kN/m³: ", *s.Kh) : Format("k_h -: "));
  text.append(MethodName(s.Method));
  return text;
}

std::string StrengthError(const SoilStrength& in) {
  // Written so that a NaN fails every range.
  if (!(in.Phi >= 0.0 && in.Phi <= kMaxPhi)) {
    return Format("φ' %g is outside its range 0..%g degrees.", in.Phi, kMaxPhi);
  }
  // Rankine's method takes no wall friction, but a δ kept with it must still
  // be one the other methods take.
  if (in.DeltaUnit == WallFrictionUnit::Ratio && !(std::fabs(in.Delta) <= 1.0)) {
    return Format("δ/φ' %g is outside its range -1..1.", in.Delta);
  }
  if (!(std::fabs(in.DeltaDegrees()) <= in.Phi)) {
    return Format("δ %g is outside its range -φ'..φ' (%g..%g degrees).", in.DeltaDegrees(), -in.Phi,
                  in.Phi);
  }
  if (in.Beta != 0.0) {
    if (in.Method != EarthPressureMethod::Coulomb) {
      return Format("β %g: this method takes a level surface (β 0); Coulomb's takes a slope.",
                    in.Beta);
    }
    if (!(in.Beta >= -in.Phi && in.Beta < in.Phi)) {
      return Format("β %g is outside its range -φ' to below φ' (%g to below %g degrees).", in.Beta,
                    -in.Phi, in.Phi);
    }
  }
  if (!(in.Cohesion >= 0.0 && std::isfinite(in.Cohesion))) {
    return Format("c' %g is outside its range: 0 kN/m² or more.", in.Cohesion);
  }
  if (in.OCR && !(*in.OCR >= 1.0 && std::isfinite(*in.OCR))) {
    return Format("OCR %g is outside its range: 1 or more.", *in.OCR);
  }
  if (in.Kh && !(*in.Kh >= kSoftestKh && std::isfinite(*in.Kh))) {
    return Format("k_h %g is outside its range: %g kN/m³ or more.", *in.Kh, kSoftestKh);
  }
  if (in.Method == EarthPressureMethod::Coulomb &&
      !std::isfinite(CoulombKp(in.Phi, in.DeltaDegrees(), in.Beta))) {
    // Name what can be lowered: curved surfaces take a level surface only.
    if (in.DeltaDegrees() == 0.0) {
      return Format(
          "β %g: plane sliding surfaces give no passive limit with φ' %g and δ 0; lower β.",
          in.Beta, in.Phi);
    }
    if (in.Beta != 0.0) {
      return Format(
          "δ %g, β %g: plane sliding surfaces give no passive limit with φ' %g; lower δ or β.",
          in.DeltaDegrees(), in.Beta, in.Phi);
    }
    return Format(
        "δ %g, β %g: plane sliding surfaces give no passive limit with φ' %g; lower δ or use "
        "curved surfaces.",
        in.DeltaDegrees(), in.Beta, in.Phi);
  }
  return {};
}

EarthPressureCoefficients ComputeCoefficients(const SoilStrength& in, double sigmaV,
                                              StrokeRule rule) {
  EarthPressureCoefficients k;
  k.Error = StrengthError(in);
  if (!k.Ok()) return k;

  const double delta = in.DeltaDegrees();
  switch (in.Method) {
    case EarthPressureMethod::Rankine:
      k.Ka = RankineKa(in.Phi);
      k.Kp = RankineKp(in.Phi);
      break;
    case EarthPressureMethod::Coulomb:
      k.Ka = CoulombKa(in.Phi, delta, in.Beta);
      k.Kp = CoulombKp(in.Phi, delta, in.Beta);
      break;
    case EarthPressureMethod::Curved:
      k.Ka = CoulombKa(in.Phi, delta, 0.0);
      k.Kp = CurvedKp(in.Phi, delta);
      break;
  }
  // The order the datafile reader and the grid keep.
  k.Kp = std::max(k.Kp, k.Ka);
  const double atRest = AtRestKn(in.Phi, in.OCR);
  k.Kn = std::clamp(atRest, k.Ka, k.Kp);
  if (atRest > k.Kp) {
    k.Note = Format("Kn at rest %.3g is above Kp: Kn is taken as Kp %.3f.", atRest, k.Kp);
  } else if (atRest < k.Ka) {
    k.Note = Format("Kn at rest %.3g is below Ka: Kn is taken as Ka %.3f.", atRest, k.Ka);
  }

  if (in.Kh) {
    // The spring law's limits at that stress; their difference over Dw is
    // the stiffness per unit area.
    const double c = in.Cohesion;
    const double sp = k.Kp * sigmaV + 2.0 * c * std::sqrt(k.Kp);
    const double sa = std::max(0.0, k.Ka * sigmaV - 2.0 * c * std::sqrt(k.Ka));
    const double dw = (sp - sa) / *in.Kh;
    if (rule == StrokeRule::Unrounded) {
      k.Dw = dw >= SmallestStroke ? dw : SmallestStroke;
      return k;
    }
    if (!(sigmaV > 0.0) && !(c > 0.0)) {
      EarthPressureCoefficients refused;
      refused.Error = Format(
          "σ'v %.3f kN/m² holds the soil at no stress, so no stroke gives it a stiffness: "
          "k_h needs a vertical effective stress above 0.",
          sigmaV);
      return refused;
    }
    if (!(dw >= kSmallestStoredStroke && dw <= LargestStroke)) {
      EarthPressureCoefficients refused;
      refused.Error = Format(
          "k_h %g kN/m³ gives a stroke Dw of %.4g m (σ'v %.3f kN/m² at the "
          "middle of the layer); the table holds 0.001 to 999999.999 m.",
          *in.Kh, std::isfinite(dw) ? dw : 0.0, sigmaV);
      return refused;
    }
    k.Dw = dw;
  }
  return k;
}

}  // namespace korvanu
